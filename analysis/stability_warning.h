// The warning `quorrel run` gives before filtering with taps that run away.
#pragma once

#include <string>

#include "processing/coefficients.h"

namespace quorrel {

// One line (no newline) naming the channel groups whose feedback taps are
// unstable or marginal, or an empty string when both are stable.
std::string UnstableTapsWarning(const FilterTaps& taps);

}  // namespace quorrel
