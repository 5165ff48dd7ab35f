// The short text that `response` and `design` print for a channel group.
#pragma once

#include <string>

#include "processing/coefficients.h"

namespace quorrel {

// A few lines: the combined gains at DC, at Nyquist and at the peak, the
// -3 dB and -6 dB crossings, the poles and the verdict, and a WARNING line
// when the taps are unstable or marginal. `name` heads the block, e.g.
// "Y (luma)"; `short_name` ("Y") names the group in the warning.
std::string DescribeResponse(const std::string& name, const std::string& short_name,
                             const CoefficientSet& a, const CoefficientSet& b);

}  // namespace quorrel
