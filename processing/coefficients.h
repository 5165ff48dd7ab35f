// Q10 filter taps.
#pragma once

#include <cstdint>

namespace quorrel {

// A Q10 tap stands for tap / 1024.
using Tap = int16_t;

// Four taps of one channel group, numbered 1..4 as in the dialog:
// tap[0] is a[1] (or b[1]) ... tap[3] is a[4] (or b[4]).
struct CoefficientSet {
    Tap tap[4];
};

// The four sets that steer one filter run.
struct FilterTaps {
    CoefficientSet y_a;
    CoefficientSet y_b;
    CoefficientSet uv_a;
    CoefficientSet uv_b;
};

}  // namespace quorrel
