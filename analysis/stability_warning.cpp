#include "analysis/stability_warning.h"

#include "analysis/poles.h"

namespace quorrel {

std::string UnstableTapsWarning(const FilterTaps& taps) {
    const Stability luma = StabilityOf(taps.y_a);
    const Stability chroma = StabilityOf(taps.uv_a);
    std::string groups;
    if (luma != Stability::kStable) groups += std::string("Y taps are ") + StabilityName(luma);
    if (chroma != Stability::kStable) {
        if (!groups.empty()) groups += " and ";
        groups += std::string("UV taps are ") + StabilityName(chroma);
    }
    if (groups.empty()) return "";
    return "warning: " + groups + ": filtered rows will saturate to 0 or 4095";
}

}  // namespace quorrel
