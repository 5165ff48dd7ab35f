// Turning a design into Q10 taps the filter can run.
#pragma once

#include <string>

#include "analysis/butterworth.h"
#include "processing/coefficients.h"

namespace quorrel {

struct QuantisedDesign {
    CoefficientSet a;   // a[1] is set to 1024, for the reader of the Config line
    CoefficientSet b;
    bool gain_exact;    // pass-band gain (DC or Nyquist) exactly 1 in Q10
    std::string refusal;  // empty when the taps are usable
};

// The pass-band gain of Q10 taps is exactly 1 when sum(s_k b_k) equals
// sum(s_k a_k), with s_k = 1 at DC and (-1)^k at Nyquist.
bool PassGainIsExact(PassType type, const CoefficientSet& a, const CoefficientSet& b);

// Rounds the design to Q10 and refuses it when the feed-forward taps all
// round to 0 or the rounded poles are not all strictly inside the unit
// circle. Otherwise corrects the rounding: among taps within one unit of
// it, a stable set with exact pass-band gain whose response is closest to
// the design's; refused after all when even that set misses the cutoff by
// more than kLargestCutoffError.
QuantisedDesign QuantiseDesign(const TapFilter& design, const DesignRequest& request);

// How far the taps' -3 dB point lies from the asked cutoff, as a fraction
// of the pass band (F for a low-pass, 0.5 - F for a high-pass); infinite
// when the combined response never crosses -3 dB. `crossing` gets the
// crossing nearest the cutoff, or -1.
double CutoffError(const DesignRequest& request, const CoefficientSet& a, const CoefficientSet& b,
                   double* crossing);

// Designs whose taps miss the cutoff by more than this are refused: they
// are not the filter asked for.
constexpr double kLargestCutoffError = 0.25;

// The refusal for rounded taps, or "" when they are usable; shared by every
// way of choosing taps.
std::string RefusalFor(const CoefficientSet& a, const CoefficientSet& b,
                       const DesignRequest& request);

}  // namespace quorrel
