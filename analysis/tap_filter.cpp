#include "analysis/tap_filter.h"

#include <cmath>
#include <limits>

namespace quorrel {
namespace {

constexpr double kTwoPi = 6.283185307179586476925;

// Evaluates c[0] + c[1] w + c[2] w^2 + c[3] w^3 at w = e^{-j 2 pi f}.
std::complex<double> PolynomialInDelay(const double c[4], double frequency) {
    // Exactly -1 at Nyquist, where a zero of the taps often sits; polar()
    // would leave a residue of 1e-16 there.
    const std::complex<double> w =
        frequency == 0.5 ? std::complex<double>(-1.0, 0.0) : std::polar(1.0, -kTwoPi * frequency);
    return ((c[3] * w + c[2]) * w + c[1]) * w + c[0];
}

}  // namespace

TapFilter TapFilterOf(const CoefficientSet& a, const CoefficientSet& b) {
    TapFilter filter;
    for (int k = 0; k < 4; ++k) {
        filter.b[k] = b.tap[k] / 1024.0;
        filter.a[k] = a.tap[k] / 1024.0;
    }
    filter.a[0] = 1.0;
    return filter;
}

std::complex<double> SinglePassResponse(const TapFilter& filter, double frequency) {
    return PolynomialInDelay(filter.b, frequency) / PolynomialInDelay(filter.a, frequency);
}

double CombinedGain(const TapFilter& filter, double frequency) {
    const double numerator = std::norm(PolynomialInDelay(filter.b, frequency));
    const double denominator = std::norm(PolynomialInDelay(filter.a, frequency));
    if (denominator == 0.0) return std::numeric_limits<double>::infinity();
    return numerator / denominator;
}

double GainInDecibels(double gain) {
    if (gain <= 0.0) return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(gain);
}

}  // namespace quorrel
