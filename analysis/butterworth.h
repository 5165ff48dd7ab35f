// Butterworth low- and high-pass designs for the two-pass row filter.
#pragma once

#include <string>

#include "analysis/tap_filter.h"

namespace quorrel {

enum class PassType { kLowPass, kHighPass };

// The row filter has three feedback taps, so three poles at most.
constexpr int kLargestOrder = 3;

struct DesignRequest {
    PassType type;
    int order;      // 1..kLargestOrder
    double cutoff;  // -3 dB point of the combined response, cycles per pixel, 0 < F < 0.5
};

// An empty string for a request that can be designed, else what is wrong.
std::string CheckRequest(const DesignRequest& request);

// The cutoff a single pass needs so that two passes meet -3 dB at
// request.cutoff: the single pass is then at half power over sqrt 2 (-1.5 dB).
double SinglePassCutoff(const DesignRequest& request);

// The design before quantisation, from the bilinear transform with the
// single-pass cutoff prewarped; its gain is exactly 1 at DC for a low-pass
// and at Nyquist for a high-pass. Coefficients beyond the order are 0.
// Requires CheckRequest(request) to be empty.
TapFilter DesignButterworth(const DesignRequest& request);

}  // namespace quorrel
