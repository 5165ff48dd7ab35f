#include "analysis/butterworth.h"

#include <cmath>
#include <complex>

namespace quorrel {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Multiplies c (in powers of z^-1, `count` terms) by (1 - root z^-1).
void MultiplyByFactor(std::complex<double> c[4], int count, std::complex<double> root) {
    for (int k = count; k > 0; --k) c[k] -= root * c[k - 1];
}

}  // namespace

std::string CheckRequest(const DesignRequest& request) {
    if (request.order < 1 || request.order > kLargestOrder)
        return "the order must be 1, 2 or 3 (the filter has three feedback taps)";
    if (!(request.cutoff > 0.0 && request.cutoff < 0.5))
        return "the cutoff must lie strictly between 0 and 0.5 cycles per pixel";
    return "";
}

double SinglePassCutoff(const DesignRequest& request) {
    // A Butterworth pass has |H|^2 = 1 / (1 + (t / tc)^(2N)) with
    // t = tan(pi f) (low-pass; the ratio is inverted for a high-pass).
    // Two passes at half power need |H|^2 = 1/sqrt 2 at the cutoff.
    const double ratio = std::pow(std::sqrt(2.0) - 1.0, 1.0 / (2.0 * request.order));
    const double t = std::tan(kPi * request.cutoff);
    const double single = request.type == PassType::kLowPass ? t / ratio : t * ratio;
    return std::atan(single) / kPi;
}

TapFilter DesignButterworth(const DesignRequest& request) {
    const int n = request.order;
    // Bilinear transform s = 2 (z - 1) / (z + 1), so the analog cutoff is
    // prewarped to 2 tan(pi f).
    const double warped = 2.0 * std::tan(kPi * SinglePassCutoff(request));
    std::complex<double> a[4] = {1.0, 0.0, 0.0, 0.0};
    std::complex<double> b[4] = {1.0, 0.0, 0.0, 0.0};
    const double zero = request.type == PassType::kLowPass ? -1.0 : 1.0;
    for (int k = 1; k <= n; ++k) {
        const std::complex<double> prototype = std::polar(1.0, kPi * (2.0 * k + n - 1) / (2.0 * n));
        const std::complex<double> analog =
            request.type == PassType::kLowPass ? warped * prototype : warped / prototype;
        MultiplyByFactor(a, k, (2.0 + analog) / (2.0 - analog));
        MultiplyByFactor(b, k, zero);
    }
    TapFilter filter;
    for (int k = 0; k < 4; ++k) {
        filter.a[k] = a[k].real();
        filter.b[k] = b[k].real();
    }
    // Unit gain where the pass band is: z = 1 or z = -1.
    double a_sum = 0.0, b_sum = 0.0;
    for (int k = 0; k < 4; ++k) {
        const double sign = (request.type == PassType::kHighPass && k % 2 == 1) ? -1.0 : 1.0;
        a_sum += sign * filter.a[k];
        b_sum += sign * filter.b[k];
    }
    for (double& c : filter.b) c *= a_sum / b_sum;
    return filter;
}

}  // namespace quorrel
