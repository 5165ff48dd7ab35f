// The search that turns a design into integer taps: a few candidates for
// each tap, the best usable combination by response.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "analysis/butterworth.h"
#include "analysis/quantise.h"

namespace quorrel {

struct TapCandidates {
    // Candidates for a[2]..a[order+1] and b[1]..b[order+1], in that order
    // (so 2 * order + 1 lists). b[order+1] is also tried at the value that
    // makes the pass-band gain exact, when `allowed` accepts that value.
    std::vector<std::vector<Tap>> lists;
    std::function<bool(Tap)> allowed;
};

// Among all combinations: only sets whose feedback is strictly stable;
// of those the ones with exact pass-band gain when there are any; of those
// the one whose combined response is closest (RMS over 0..0.5) to the
// design's. `refusal` is set when no combination is usable.
QuantisedDesign SearchTaps(const TapFilter& design, const DesignRequest& request,
                           const TapCandidates& candidates);

// The refusal for a searched design that misses the cutoff by more than
// kLargestCutoffError, naming the kind of taps (`what`), or "".
std::string MissRefusal(const DesignRequest& request, const QuantisedDesign& design,
                        const char* what);

}  // namespace quorrel
