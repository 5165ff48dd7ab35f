// A channel group's taps as the linear filter the row passes apply.
#pragma once

#include <complex>

#include "processing/coefficients.h"

namespace quorrel {

// H(z) = (b[0] + b[1] z^-1 + b[2] z^-2 + b[3] z^-3) /
//        (a[0] + a[1] z^-1 + a[2] z^-2 + a[3] z^-3), with a[0] = 1.
struct TapFilter {
    double b[4];
    double a[4];
};

// Each tap as tap / 1024. The stored a[1] is never used by the filter, so
// the feedback polynomial always starts with 1.
TapFilter TapFilterOf(const CoefficientSet& a, const CoefficientSet& b);

// H at `frequency` cycles per pixel (0 = DC, 0.5 = Nyquist).
std::complex<double> SinglePassResponse(const TapFilter& filter, double frequency);

// The magnitude of the forward pass followed by the backward pass: |H|^2.
// Infinite where a pole lies on the unit circle at that frequency.
double CombinedGain(const TapFilter& filter, double frequency);

// A combined gain in decibels (20 log10); -inf for 0.
double GainInDecibels(double gain);

}  // namespace quorrel
