// Poles of a feedback tap set and whether the recursion they drive settles.
#pragma once

#include <array>
#include <complex>

#include "processing/coefficients.h"

namespace quorrel {

enum class Stability {
    kStable,    // every pole strictly inside the unit circle
    kMarginal,  // none outside, at least one on the circle
    kUnstable,  // at least one outside
};

// "stable", "marginal" or "unstable".
const char* StabilityName(Stability stability);

// The verdict for the polynomial z^3 + a[2] z^2 + a[3] z + a[4], decided
// exactly on the integer taps (a[1] is not part of the filter). Near the
// circle rounded roots cannot tell "on" from "just inside", and a tap set
// with a pole exactly at 1 is a plain thing to type.
Stability StabilityOf(const CoefficientSet& a);

// The three roots of z^3 + c2 z^2 + c1 z + c0, real ones first, each
// complex pair with the positive imaginary part first.
std::array<std::complex<double>, 3> CubicRoots(double c2, double c1, double c0);

struct PoleReport {
    std::array<std::complex<double>, 3> poles;
    double largest_radius;
    Stability verdict;
};

PoleReport AnalysePoles(const CoefficientSet& a);

}  // namespace quorrel
