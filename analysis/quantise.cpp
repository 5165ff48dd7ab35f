#include "analysis/quantise.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <limits>

#include "analysis/poles.h"
#include "analysis/response_summary.h"
#include "analysis/tap_search.h"

namespace quorrel {
namespace {

// The range a tap typed into the dialog can take.
constexpr int kLowestTap = -16384;
constexpr int kHighestTap = 16383;

int PassSign(PassType type, int k) { return (type == PassType::kHighPass && k % 2 == 1) ? -1 : 1; }

int RoundToTap(double value) {
    const long rounded = std::lround(value * 1024.0);
    return static_cast<int>(std::clamp<long>(rounded, kLowestTap, kHighestTap));
}

// Poles crowd towards z = 1 for cutoffs near 0 and towards z = -1 near 0.5.
std::complex<double> OutermostPole(const PoleReport& report) {
    std::complex<double> outermost = report.poles[0];
    for (const std::complex<double>& pole : report.poles)
        if (std::abs(pole) > std::abs(outermost)) outermost = pole;
    return outermost;
}

}  // namespace

std::string MissRefusal(const DesignRequest& request, const QuantisedDesign& design,
                        const char* what) {
    double crossing;
    if (CutoffError(request, design.a, design.b, &crossing) <= kLargestCutoffError) return "";
    char message[256];
    if (crossing < 0.0)
        std::snprintf(message, sizeof message,
                      "%s cannot hold this design: their response never crosses -3 dB", what);
    else
        std::snprintf(message, sizeof message,
                      "%s cannot hold this design: the nearest put -3 dB at %.4f instead of %g",
                      what, crossing, request.cutoff);
    return message;
}

double CutoffError(const DesignRequest& request, const CoefficientSet& a, const CoefficientSet& b,
                   double* crossing) {
    *crossing = -1.0;
    for (double c : SummariseResponse(TapFilterOf(a, b)).half_power_crossings)
        if (*crossing < 0.0 || std::fabs(c - request.cutoff) < std::fabs(*crossing - request.cutoff))
            *crossing = c;
    if (*crossing < 0.0) return std::numeric_limits<double>::infinity();
    const double band = request.type == PassType::kLowPass ? request.cutoff : 0.5 - request.cutoff;
    return std::fabs(*crossing - request.cutoff) / band;
}

bool PassGainIsExact(PassType type, const CoefficientSet& a, const CoefficientSet& b) {
    long a_sum = 1024, b_sum = 0;  // a[1] is the implied 1
    for (int k = 0; k < 4; ++k) {
        if (k > 0) a_sum += PassSign(type, k) * a.tap[k];
        b_sum += PassSign(type, k) * b.tap[k];
    }
    return a_sum == b_sum;
}

std::string RefusalFor(const CoefficientSet& a, const CoefficientSet& b,
                       const DesignRequest& request) {
    // A low-pass loses its b taps at low cutoffs, a high-pass at high ones.
    const char* where = request.type == PassType::kLowPass ? "low" : "high";
    char message[256];
    if (std::all_of(b.tap, b.tap + 4, [](Tap t) { return t == 0; })) {
        std::snprintf(message, sizeof message,
                      "cutoff %g is too %s for Q10 taps: every b tap rounds to 0", request.cutoff,
                      where);
        return message;
    }
    const PoleReport poles = AnalysePoles(a);
    if (poles.verdict != Stability::kStable) {
        std::snprintf(message, sizeof message,
                      "the rounded taps are %s (largest pole radius %.6f), so the filter "
                      "would saturate rows: choose a lower order or a cutoff farther from %s",
                      StabilityName(poles.verdict), poles.largest_radius,
                      OutermostPole(poles).real() < 0.0 ? "0.5" : "0");
        return message;
    }
    return "";
}

QuantisedDesign QuantiseDesign(const TapFilter& design, const DesignRequest& request) {
    QuantisedDesign rounded{};
    rounded.a.tap[0] = 1024;
    for (int k = 1; k < 4; ++k) rounded.a.tap[k] = static_cast<Tap>(RoundToTap(design.a[k]));
    for (int k = 0; k < 4; ++k) rounded.b.tap[k] = static_cast<Tap>(RoundToTap(design.b[k]));
    rounded.refusal = RefusalFor(rounded.a, rounded.b, request);
    if (!rounded.refusal.empty()) return rounded;

    // Rounding each tap on its own loses the exact gain and, worse, the
    // zeros at the stop-band end (b's alternating sum for a low-pass, plain
    // sum for a high-pass), which near a cutoff extreme can lift the stop
    // band to full gain. Every tap may move by one unit to win them back.
    TapCandidates candidates;
    auto near = [](Tap centre) {
        std::vector<Tap> taps;
        for (int v = centre - 1; v <= centre + 1; ++v)
            if (v >= kLowestTap && v <= kHighestTap) taps.push_back(static_cast<Tap>(v));
        return taps;
    };
    for (int k = 1; k <= request.order; ++k) candidates.lists.push_back(near(rounded.a.tap[k]));
    for (int k = 0; k <= request.order; ++k) candidates.lists.push_back(near(rounded.b.tap[k]));
    candidates.allowed = [](Tap tap) { return tap >= kLowestTap && tap <= kHighestTap; };
    QuantisedDesign result = SearchTaps(design, request, candidates);
    if (result.refusal.empty()) result.refusal = MissRefusal(request, result, "Q10 taps");
    return result;
}

}  // namespace quorrel
