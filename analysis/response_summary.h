// The figures that describe a channel group's combined response.
#pragma once

#include <vector>

#include "analysis/tap_filter.h"

namespace quorrel {

// "-3 dB" is half power of the combined response, "-6 dB" half amplitude.
constexpr double kHalfPowerGain = 0.70710678118654752440;
constexpr double kHalfAmplitudeGain = 0.5;

struct ResponseSummary {
    double dc_gain;       // combined gain at 0 cycles per pixel
    double nyquist_gain;  // combined gain at 0.5 cycles per pixel
    double peak_gain;     // largest combined gain over 0..0.5 (infinite on a pole)
    double peak_frequency;
    std::vector<double> half_power_crossings;      // ascending, cycles per pixel
    std::vector<double> half_amplitude_crossings;  // ascending, cycles per pixel
};

// The frequencies in 0..0.5 where the combined gain passes through `level`,
// found on a fine grid and refined to about 1e-9; a dip or bump narrower
// than a grid step (1/8192 cycles per pixel) may go unseen.
std::vector<double> GainCrossings(const TapFilter& filter, double level);

ResponseSummary SummariseResponse(const TapFilter& filter);

}  // namespace quorrel
