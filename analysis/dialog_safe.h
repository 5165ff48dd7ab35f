// Taps that the settings dialog gives back unchanged when OK is pressed.
#pragma once

#include <vector>

#include "analysis/quantise.h"
#include "processing/coefficients.h"

namespace quorrel {

// What pressing OK stores for a tap shown and not edited: its two-decimal
// text read back.
Tap DialogRoundTrip(Tap tap);

bool SurvivesDialog(Tap tap);

// The taps that survive the dialog nearest to `q10_value` (a tap in units of
// 1/1024, not yet rounded): `per_side` of them at or below, `per_side` above,
// in ascending order.
std::vector<Tap> NearbyDialogSafeTaps(double q10_value, int per_side);

// Among taps that all survive the dialog, a set near the design: stable,
// with exact pass-band gain where such a set is near, and of those the one
// whose combined response is closest (RMS over 0..0.5) to the design's.
// Refused when no candidate is stable or the best misses the cutoff by more
// than kLargestCutoffError.
QuantisedDesign DialogSafeDesign(const TapFilter& design, const DesignRequest& request);

}  // namespace quorrel
