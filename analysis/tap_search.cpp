#include "analysis/tap_search.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

#include "analysis/poles.h"

namespace quorrel {
namespace {

constexpr int kResponsePoints = 256;
constexpr double kPi = 3.14159265358979323846;

int PassSign(PassType type, int k) { return (type == PassType::kHighPass && k % 2 == 1) ? -1 : 1; }

// What the search evaluates again and again: e^{-j w k} on a frequency grid
// and the design's combined response there.
class ResponseGrid {
public:
    explicit ResponseGrid(const TapFilter& design) {
        for (int i = 0; i < kResponsePoints; ++i) {
            const double frequency = 0.5 * (i + 0.5) / kResponsePoints;
            for (int k = 0; k < 4; ++k) delay_[i][k] = std::polar(1.0, -2.0 * kPi * frequency * k);
            design_gain_[i] = CombinedGain(design, frequency);
        }
    }

    // RMS difference between the taps' combined gain and the design's.
    double Distance(const CoefficientSet& a, const CoefficientSet& b) const {
        double sum = 0.0;
        for (int i = 0; i < kResponsePoints; ++i) {
            std::complex<double> feedback = 1.0, feed_forward = b.tap[0] / 1024.0;
            for (int k = 1; k < 4; ++k) {
                feedback += delay_[i][k] * (a.tap[k] / 1024.0);
                feed_forward += delay_[i][k] * (b.tap[k] / 1024.0);
            }
            const double error = std::norm(feed_forward) / std::norm(feedback) - design_gain_[i];
            sum += error * error;
        }
        return std::sqrt(sum / kResponsePoints);
    }

private:
    std::complex<double> delay_[kResponsePoints][4];
    double design_gain_[kResponsePoints];
};

class Search {
public:
    Search(const TapFilter& design, const DesignRequest& request, const TapCandidates& candidates)
        : grid_(design), request_(request), candidates_(candidates) {
        best_.refusal = "no candidate taps near the design are stable";
    }

    QuantisedDesign Run() {
        CoefficientSet a{{1024, 0, 0, 0}};
        CoefficientSet b{{0, 0, 0, 0}};
        ChooseFeedback(0, a, b);
        return best_;
    }

private:
    void ChooseFeedback(int k, CoefficientSet& a, CoefficientSet& b) {
        if (k >= request_.order || k >= kLargestOrder) {
            // Stability depends on the feedback alone: test it once here.
            if (StabilityOf(a) == Stability::kStable) ChooseFeedForward(0, a, b);
            return;
        }
        for (Tap tap : candidates_.lists[k]) {
            a.tap[k + 1] = tap;
            ChooseFeedback(k + 1, a, b);
        }
    }

    void ChooseFeedForward(int k, const CoefficientSet& a, CoefficientSet& b) {
        const int order = request_.order;
        if (k < order && k < kLargestOrder) {
            for (Tap tap : candidates_.lists[order + k]) {
                b.tap[k] = tap;
                ChooseFeedForward(k + 1, a, b);
            }
            return;
        }
        long needed = 1024;  // the last b tap that makes the pass-band gain exact
        for (int j = 1; j < 4; ++j) needed += PassSign(request_.type, j) * a.tap[j];
        for (int j = 0; j < order; ++j) needed -= PassSign(request_.type, j) * b.tap[j];
        needed *= PassSign(request_.type, order);
        if (needed >= -32768 && needed <= 32767 && candidates_.allowed(static_cast<Tap>(needed))) {
            b.tap[order] = static_cast<Tap>(needed);
            Consider(a, b);
        }
        for (Tap tap : candidates_.lists[2 * order]) {
            b.tap[order] = tap;
            Consider(a, b);
        }
    }

    void Consider(const CoefficientSet& a, const CoefficientSet& b) {
        if (std::all_of(b.tap, b.tap + 4, [](Tap t) { return t == 0; })) return;
        const bool exact = PassGainIsExact(request_.type, a, b);
        if (found_ && best_.gain_exact && !exact) return;
        const double distance = grid_.Distance(a, b);
        if (found_ && exact == best_.gain_exact && distance >= best_distance_) return;
        found_ = true;
        best_distance_ = distance;
        best_.a = a;
        best_.b = b;
        best_.gain_exact = exact;
        best_.refusal.clear();
    }

    ResponseGrid grid_;
    const DesignRequest& request_;
    const TapCandidates& candidates_;
    QuantisedDesign best_{};
    bool found_ = false;
    double best_distance_ = std::numeric_limits<double>::infinity();
};

}  // namespace

QuantisedDesign SearchTaps(const TapFilter& design, const DesignRequest& request,
                           const TapCandidates& candidates) {
    return Search(design, request, candidates).Run();
}

}  // namespace quorrel
