#include "analysis/dialog_safe.h"

#include <algorithm>
#include <cmath>

#include "analysis/tap_search.h"
#include "settings/coefficient_text.h"

namespace quorrel {
namespace {

constexpr int kLowestTap = -16384;
constexpr int kHighestTap = 16383;
// Candidates per tap on each side of the design value; survivors lie about
// 10.24 apart, so two reach as far as the dialog can move a tap.
constexpr int kCandidatesPerSide = 2;

}  // namespace

Tap DialogRoundTrip(Tap tap) { return ParseCoefficient(FormatCoefficient(tap).text); }

bool SurvivesDialog(Tap tap) { return DialogRoundTrip(tap) == tap; }

std::vector<Tap> NearbyDialogSafeTaps(double q10_value, int per_side) {
    const int centre = static_cast<int>(std::clamp<double>(std::floor(q10_value), kLowestTap, kHighestTap));
    std::vector<Tap> below, above;
    for (int v = centre; v >= kLowestTap && static_cast<int>(below.size()) < per_side; --v)
        if (SurvivesDialog(static_cast<Tap>(v))) below.push_back(static_cast<Tap>(v));
    for (int v = centre + 1; v <= kHighestTap && static_cast<int>(above.size()) < per_side; ++v)
        if (SurvivesDialog(static_cast<Tap>(v))) above.push_back(static_cast<Tap>(v));
    std::vector<Tap> taps(below.rbegin(), below.rend());
    taps.insert(taps.end(), above.begin(), above.end());
    return taps;
}

QuantisedDesign DialogSafeDesign(const TapFilter& design, const DesignRequest& request) {
    TapCandidates candidates;
    for (int k = 1; k <= request.order; ++k)
        candidates.lists.push_back(NearbyDialogSafeTaps(design.a[k] * 1024.0, kCandidatesPerSide));
    for (int k = 0; k <= request.order; ++k)
        candidates.lists.push_back(NearbyDialogSafeTaps(design.b[k] * 1024.0, kCandidatesPerSide));
    candidates.allowed = [](Tap tap) {
        return tap >= kLowestTap && tap <= kHighestTap && SurvivesDialog(tap);
    };
    QuantisedDesign result = SearchTaps(design, request, candidates);
    if (!result.refusal.empty())
        result.refusal = "no set of taps that survive the dialog near the design is stable";
    else
        result.refusal = MissRefusal(request, result, "taps that survive the dialog");
    return result;
}

}  // namespace quorrel
