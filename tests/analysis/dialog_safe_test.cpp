#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/butterworth.h"
#include "analysis/dialog_safe.h"
#include "analysis/poles.h"
#include "analysis/quantise.h"
#include "analysis/response_summary.h"

namespace quorrel {
namespace {

TEST(DialogRoundTrip, IsWhatPressingOkStores) {
    const struct {
        int tap, stored;
    } cases[] = {{1025, 1024}, {1030, 1034}, {128, 133}, {-6, -10}, {16382, 16383},
                 {-16349, -16353}, {20000, 16383}, {1024, 1024}, {0, 0}};
    for (const auto& c : cases) EXPECT_EQ(DialogRoundTrip(static_cast<Tap>(c.tap)), c.stored) << c.tap;
}

TEST(NearbyDialogSafeTaps, BracketsTheValueWithSurvivors) {
    for (double value : {-16384.0, -1000.4, -3.0, 0.0, 0.6, 511.5, 1030.0, 16383.0}) {
        const std::vector<Tap> taps = NearbyDialogSafeTaps(value, 2);
        ASSERT_FALSE(taps.empty()) << value;
        for (size_t i = 0; i < taps.size(); ++i) {
            EXPECT_TRUE(SurvivesDialog(taps[i])) << value;
            if (i > 0) {
                EXPECT_LT(taps[i - 1], taps[i]) << value;
            }
        }
        // Two on each side unless the range ends; survivors are at most
        // 11 apart, so none is skipped.
        if (value > -16000 && value < 16000) {
            ASSERT_EQ(taps.size(), 4u) << value;
            EXPECT_LE(taps[1], value);
            EXPECT_GT(taps[2], value);
            EXPECT_LE(taps[2] - taps[1], 11);
        }
    }
}

struct SafeCase {
    PassType type;
    int order;
    double cutoff;
};

TEST(DialogSafeDesign, KeepsEveryTapThroughOkAndStaysNearTheDesign) {
    const SafeCase cases[] = {
        {PassType::kLowPass, 1, 0.1},  {PassType::kLowPass, 2, 0.05}, {PassType::kLowPass, 2, 0.25},
        {PassType::kLowPass, 3, 0.1},  {PassType::kHighPass, 1, 0.2}, {PassType::kHighPass, 2, 0.1},
        {PassType::kHighPass, 3, 0.3},
    };
    for (const SafeCase& c : cases) {
        const DesignRequest request{c.type, c.order, c.cutoff};
        SCOPED_TRACE(testing::Message() << (c.type == PassType::kLowPass ? "low" : "high")
                                        << " order " << c.order << " cutoff " << c.cutoff);
        const QuantisedDesign safe = DialogSafeDesign(DesignButterworth(request), request);
        ASSERT_EQ(safe.refusal, "");
        for (int k = 1; k < 4; ++k) EXPECT_TRUE(SurvivesDialog(safe.a.tap[k])) << "a" << k + 1;
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(SurvivesDialog(safe.b.tap[k])) << "b" << k + 1;
        EXPECT_EQ(StabilityOf(safe.a), Stability::kStable);
        EXPECT_TRUE(safe.gain_exact);
        EXPECT_TRUE(PassGainIsExact(c.type, safe.a, safe.b));
        // Two-decimal taps still put the -3 dB point within 2% of the cutoff.
        const ResponseSummary s = SummariseResponse(TapFilterOf(safe.a, safe.b));
        ASSERT_EQ(s.half_power_crossings.size(), 1u);
        EXPECT_NEAR(s.half_power_crossings[0], c.cutoff, 0.02 * c.cutoff);
    }
}

TEST(DialogSafeDesign, RefusesWhatTwoDecimalTapsCannotHold) {
    // Third-order poles this close to 1 need finer taps to stay inside.
    const DesignRequest crowded{PassType::kLowPass, 3, 0.002};
    EXPECT_NE(DialogSafeDesign(DesignButterworth(crowded), crowded).refusal.find("is stable"),
              std::string::npos);
    // A stable survivor exists here, but its cutoff is ten times too high.
    const DesignRequest narrow{PassType::kLowPass, 1, 0.0001};
    const QuantisedDesign miss = DialogSafeDesign(DesignButterworth(narrow), narrow);
    EXPECT_NE(miss.refusal.find("cannot hold this design"), std::string::npos) << miss.refusal;
}

}  // namespace
}  // namespace quorrel
