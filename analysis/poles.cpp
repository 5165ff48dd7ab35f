#include "analysis/poles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quorrel {
namespace {

constexpr int64_t kOne = 1024;

// z^2 + c1 z + c0 with both coefficients in Q10 has every root in the closed
// unit disk exactly when (c0, c1) lies in the closed stability triangle.
bool QuadraticInClosedDisk(int64_t c1, int64_t c0) {
    return std::llabs(c0) <= kOne && std::llabs(c1) <= kOne + c0;
}

using Complex = std::complex<long double>;

Complex EvaluateCubic(long double c2, long double c1, long double c0, Complex z) {
    return ((z + c2) * z + c1) * z + c0;
}

// Newton steps on the undeflated cubic, kept only while they reduce the
// residual, so a root from the deflated quadratic regains full accuracy.
Complex Polish(long double c2, long double c1, long double c0, Complex z) {
    for (int step = 0; step < 8; ++step) {
        const Complex value = EvaluateCubic(c2, c1, c0, z);
        const Complex slope = (3.0L * z + 2.0L * c2) * z + c1;
        if (std::abs(slope) == 0.0L) break;
        const Complex next = z - value / slope;
        if (std::abs(EvaluateCubic(c2, c1, c0, next)) >= std::abs(value)) break;
        z = next;
    }
    return z;
}

}  // namespace

const char* StabilityName(Stability stability) {
    switch (stability) {
        case Stability::kStable: return "stable";
        case Stability::kMarginal: return "marginal";
        case Stability::kUnstable: return "unstable";
    }
    return "unknown";
}

Stability StabilityOf(const CoefficientSet& a) {
    // The polynomial scaled by 1024: kOne z^3 + a2 z^2 + a3 z + a4.
    const int64_t a2 = a.tap[1], a3 = a.tap[2], a4 = a.tap[3];
    const int64_t at_plus_one = kOne + a2 + a3 + a4;
    const int64_t at_minus_one = -kOne + a2 - a3 + a4;
    // Jury's conditions for a cubic, all roots strictly inside.
    const int64_t jury_left = kOne * kOne - a4 * a4;
    const int64_t jury_right = std::llabs(a4 * a2 - kOne * a3);
    if (at_plus_one > 0 && at_minus_one < 0 && std::llabs(a4) < kOne && jury_left > jury_right)
        return Stability::kStable;

    // Not strictly stable, so some root has |z| >= 1. The set is marginal
    // when a root lies on the circle and the remaining ones stay in the
    // closed disk; each way a root can reach the circle is tested exactly.
    if (at_plus_one == 0) {  // divide by (z - 1)
        const int64_t q1 = a2 + kOne, q0 = a3 + q1;
        return QuadraticInClosedDisk(q1, q0) ? Stability::kMarginal : Stability::kUnstable;
    }
    if (at_minus_one == 0) {  // divide by (z + 1)
        const int64_t q1 = a2 - kOne, q0 = a3 - q1;
        return QuadraticInClosedDisk(q1, q0) ? Stability::kMarginal : Stability::kUnstable;
    }
    // A conjugate pair on the circle means (z^2 - 2c z + 1)(z - r), which
    // forces r = -a4, 2c = a4 - a2 and a3 = 1 - a4^2 + a2 a4.
    if (kOne * a3 == kOne * kOne - a4 * a4 + a2 * a4) {
        const bool pair_on_circle = std::llabs(a4 - a2) <= 2 * kOne;
        if (pair_on_circle && std::llabs(a4) <= kOne) return Stability::kMarginal;
    }
    return Stability::kUnstable;
}

std::array<std::complex<double>, 3> CubicRoots(double c2_in, double c1_in, double c0_in) {
    const long double c2 = c2_in, c1 = c1_in, c0 = c0_in;
    // A monic real cubic has a real root within the Cauchy bound; bisection
    // finds it even where it is a multiple root.
    const long double bound =
        1.0L + std::max({std::fabs(c2), std::fabs(c1), std::fabs(c0)});
    long double low = -bound, high = bound;
    for (int step = 0; step < 200 && low < high; ++step) {
        const long double middle = 0.5L * (low + high);
        if (middle == low || middle == high) break;
        const long double value = EvaluateCubic(c2, c1, c0, Complex(middle)).real();
        if (value == 0.0L) {
            low = high = middle;
            break;
        }
        if (value < 0.0L)
            low = middle;
        else
            high = middle;
    }
    const long double real_root = 0.5L * (low + high);

    // z^3 + c2 z^2 + c1 z + c0 = (z - r)(z^2 + q1 z + q0)
    const long double q1 = c2 + real_root;
    const long double q0 = c1 + real_root * q1;
    const long double discriminant = q1 * q1 - 4.0L * q0;
    Complex second, third;
    if (discriminant >= 0.0L) {
        // The larger-magnitude root first, the other from the product, to
        // avoid cancellation.
        const long double larger = -0.5L * (q1 + std::copysign(std::sqrt(discriminant), q1));
        second = Complex(larger);
        third = larger != 0.0L ? Complex(q0 / larger) : Complex(0.0L);
    } else {
        const long double imaginary = 0.5L * std::sqrt(-discriminant);
        second = Complex(-0.5L * q1, imaginary);
        third = Complex(-0.5L * q1, -imaginary);
    }
    second = Polish(c2, c1, c0, second);
    third = Polish(c2, c1, c0, third);
    if (discriminant < 0.0L) third = std::conj(second);  // keep the pair exact

    std::array<std::complex<double>, 3> roots = {
        std::complex<double>(static_cast<double>(real_root), 0.0),
        std::complex<double>(static_cast<double>(second.real()), static_cast<double>(second.imag())),
        std::complex<double>(static_cast<double>(third.real()), static_cast<double>(third.imag())),
    };
    return roots;
}

PoleReport AnalysePoles(const CoefficientSet& a) {
    PoleReport report;
    report.poles = CubicRoots(a.tap[1] / 1024.0, a.tap[2] / 1024.0, a.tap[3] / 1024.0);
    report.largest_radius = 0.0;
    for (const std::complex<double>& pole : report.poles)
        report.largest_radius = std::max(report.largest_radius, std::abs(pole));
    report.verdict = StabilityOf(a);
    return report;
}

}  // namespace quorrel
