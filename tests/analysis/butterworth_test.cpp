#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/butterworth.h"
#include "analysis/poles.h"
#include "analysis/quantise.h"
#include "analysis/response_summary.h"

namespace quorrel {
namespace {

// data/butterworth_reference.txt comes from make_reference.py (scipy); the
// designs must match it within this, before quantisation.
constexpr double kReferenceTolerance = 1e-9;

struct ReferenceDesign {
    DesignRequest request;
    double single_pass_cutoff;
    TapFilter filter;
};

std::vector<ReferenceDesign> ReadReference() {
    std::ifstream file(QUORREL_ANALYSIS_DATA "/butterworth_reference.txt");
    std::vector<ReferenceDesign> designs;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string type;
        ReferenceDesign d;
        fields >> type >> d.request.order >> d.request.cutoff >> d.single_pass_cutoff;
        for (double& v : d.filter.b) fields >> v;
        for (double& v : d.filter.a) fields >> v;
        EXPECT_TRUE(fields && (type == "lowpass" || type == "highpass")) << line;
        d.request.type = type == "lowpass" ? PassType::kLowPass : PassType::kHighPass;
        designs.push_back(d);
    }
    return designs;
}

std::string Name(const DesignRequest& request) {
    std::ostringstream name;
    name << (request.type == PassType::kLowPass ? "lowpass" : "highpass") << " order " << request.order
         << " cutoff " << request.cutoff;
    return name.str();
}

TEST(DesignButterworth, MatchesTheScipyReference) {
    const std::vector<ReferenceDesign> designs = ReadReference();
    ASSERT_EQ(designs.size(), 42u);  // 2 types x 3 orders x 7 cutoffs, as the script writes
    for (const ReferenceDesign& reference : designs) {
        SCOPED_TRACE(Name(reference.request));
        EXPECT_NEAR(SinglePassCutoff(reference.request), reference.single_pass_cutoff, kReferenceTolerance);
        const TapFilter design = DesignButterworth(reference.request);
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(design.b[k], reference.filter.b[k], kReferenceTolerance) << "b" << k;
            EXPECT_NEAR(design.a[k], reference.filter.a[k], kReferenceTolerance) << "a" << k;
        }
        // What the user asked for: half power of both passes at the cutoff.
        EXPECT_NEAR(CombinedGain(design, reference.request.cutoff), kHalfPowerGain, 1e-12);
    }
}

TEST(CheckRequest, RefusesWhatTheFilterCannotBe) {
    EXPECT_EQ(CheckRequest({PassType::kLowPass, 3, 0.25}), "");
    EXPECT_NE(CheckRequest({PassType::kLowPass, 0, 0.25}), "");
    EXPECT_NE(CheckRequest({PassType::kLowPass, 4, 0.25}), "");
    EXPECT_NE(CheckRequest({PassType::kHighPass, 2, 0.0}), "");
    EXPECT_NE(CheckRequest({PassType::kHighPass, 2, 0.5}), "");
    EXPECT_NE(CheckRequest({PassType::kHighPass, 2, std::nan("")}), "");
}

long PassSum(PassType type, const CoefficientSet& set, bool leading_one) {
    long sum = leading_one ? 1024 : set.tap[0];
    for (int k = 1; k < 4; ++k) sum += (type == PassType::kHighPass && k % 2 ? -1 : 1) * set.tap[k];
    return sum;
}

TEST(QuantiseDesign, RoundsToStableTapsWithExactPassBandGain) {
    for (const ReferenceDesign& reference : ReadReference()) {
        SCOPED_TRACE(Name(reference.request));
        const TapFilter design = DesignButterworth(reference.request);
        const QuantisedDesign q = QuantiseDesign(design, reference.request);
        if (!q.refusal.empty()) {
            // Only the extreme cutoffs of the table may be refused.
            EXPECT_TRUE(reference.request.cutoff <= 0.02 || reference.request.cutoff >= 0.45) << q.refusal;
            continue;
        }
        EXPECT_TRUE(q.gain_exact);
        EXPECT_EQ(PassSum(reference.request.type, q.b, false), PassSum(reference.request.type, q.a, true));
        EXPECT_EQ(StabilityOf(q.a), Stability::kStable);
        // The correction moves a tap by at most one unit from its rounding,
        // except the last b tap, which takes up what the gain needs; it
        // never brings in a tap beyond the order.
        const int order = reference.request.order;
        for (int k = 1; k < 4; ++k)
            EXPECT_LE(std::labs(q.a.tap[k] - std::lround(design.a[k] * 1024)), 1) << "a" << k;
        for (int k = 0; k < 4; ++k) {
            const long moved = std::labs(q.b.tap[k] - std::lround(design.b[k] * 1024));
            EXPECT_LE(moved, k < order ? 1 : 2 * order + 1) << "b" << k;
            if (k > order) {
                EXPECT_EQ(q.b.tap[k], 0);
            }
        }
        const ResponseSummary s = SummariseResponse(TapFilterOf(q.a, q.b));
        ASSERT_EQ(s.half_power_crossings.size(), 1u);
        const double band = reference.request.type == PassType::kLowPass ? reference.request.cutoff
                                                                      : 0.5 - reference.request.cutoff;
        // Third-order poles at 0.02 are where Q10 is coarsest: 5.6% off.
        EXPECT_NEAR(s.half_power_crossings[0], reference.request.cutoff, 0.06 * band);
    }
}

TEST(QuantiseDesign, RefusesCutoffsThatQ10CannotHold) {
    // A low-pass this narrow has feed-forward taps below half a unit.
    const DesignRequest narrow{PassType::kLowPass, 1, 0.0001};
    const QuantisedDesign zero = QuantiseDesign(DesignButterworth(narrow), narrow);
    EXPECT_NE(zero.refusal.find("every b tap rounds to 0"), std::string::npos) << zero.refusal;

    // Third-order poles this close to 1 round past the unit circle.
    const DesignRequest crowded{PassType::kHighPass, 3, 0.004};
    const QuantisedDesign unstable = QuantiseDesign(DesignButterworth(crowded), crowded);
    EXPECT_NE(unstable.refusal.find("the rounded taps are unstable"), std::string::npos) << unstable.refusal;
    EXPECT_NE(unstable.refusal.find("farther from 0"), std::string::npos) << unstable.refusal;
}

}  // namespace
}  // namespace quorrel
