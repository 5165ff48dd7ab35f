#include "analysis/response_summary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

#include "analysis/poles.h"

namespace quorrel {
namespace {

constexpr int kGridSteps = 4096;  // steps of 1/8192 cycles per pixel
constexpr double kNyquist = 0.5;
constexpr double kPi = 3.14159265358979323846;

double GridFrequency(int index) { return kNyquist * index / kGridSteps; }

// Bisection on a bracketed crossing of `level`.
double RefineCrossing(const TapFilter& filter, double level, double low, double high) {
    const bool low_above = CombinedGain(filter, low) > level;
    for (int step = 0; step < 60; ++step) {
        const double middle = 0.5 * (low + high);
        if ((CombinedGain(filter, middle) > level) == low_above)
            low = middle;
        else
            high = middle;
    }
    return 0.5 * (low + high);
}

// Golden-section search for the largest gain in [low, high].
double RefinePeak(const TapFilter& filter, double low, double high) {
    const double ratio = 0.61803398874989484820;
    double x1 = high - ratio * (high - low), x2 = low + ratio * (high - low);
    double g1 = CombinedGain(filter, x1), g2 = CombinedGain(filter, x2);
    for (int step = 0; step < 80; ++step) {
        if (g1 < g2) {
            low = x1;
            x1 = x2;
            g1 = g2;
            x2 = low + ratio * (high - low);
            g2 = CombinedGain(filter, x2);
        } else {
            high = x2;
            x2 = x1;
            g2 = g1;
            x1 = high - ratio * (high - low);
            g1 = CombinedGain(filter, x1);
        }
    }
    return g1 > g2 ? x1 : x2;
}

}  // namespace

std::vector<double> GainCrossings(const TapFilter& filter, double level) {
    std::vector<double> crossings;
    bool previous_above = CombinedGain(filter, 0.0) > level;
    for (int i = 1; i <= kGridSteps; ++i) {
        const bool above = CombinedGain(filter, GridFrequency(i)) > level;
        if (above != previous_above)
            crossings.push_back(
                RefineCrossing(filter, level, GridFrequency(i - 1), GridFrequency(i)));
        previous_above = above;
    }
    return crossings;
}

ResponseSummary SummariseResponse(const TapFilter& filter) {
    ResponseSummary summary;
    summary.dc_gain = CombinedGain(filter, 0.0);
    summary.nyquist_gain = CombinedGain(filter, kNyquist);
    summary.half_power_crossings = GainCrossings(filter, kHalfPowerGain);
    summary.half_amplitude_crossings = GainCrossings(filter, kHalfAmplitudeGain);

    // The grid's best point, refined between its neighbours; a sharp
    // resonance is caught by also looking next to each pole's angle.
    int best = 0;
    double best_gain = summary.dc_gain;
    for (int i = 1; i <= kGridSteps; ++i) {
        const double gain = CombinedGain(filter, GridFrequency(i));
        if (gain > best_gain) {
            best_gain = gain;
            best = i;
        }
    }
    std::vector<double> candidates = {GridFrequency(best)};
    if (best > 0 && best < kGridSteps)
        candidates.push_back(RefinePeak(filter, GridFrequency(best - 1), GridFrequency(best + 1)));
    const std::array<std::complex<double>, 3> poles =
        CubicRoots(filter.a[1], filter.a[2], filter.a[3]);
    for (const std::complex<double>& pole : poles) {
        if (std::abs(pole) == 0.0) continue;
        const double angle = std::fabs(std::arg(pole)) / (2.0 * kPi);
        const double step = kNyquist / kGridSteps;
        candidates.push_back(angle);
        candidates.push_back(RefinePeak(filter, std::max(0.0, angle - step),
                                        std::min(kNyquist, angle + step)));
    }
    summary.peak_gain = best_gain;
    summary.peak_frequency = GridFrequency(best);
    for (double frequency : candidates) {
        const double gain = CombinedGain(filter, frequency);
        if (gain > summary.peak_gain) {
            summary.peak_gain = gain;
            summary.peak_frequency = frequency;
        }
    }
    return summary;
}

}  // namespace quorrel
