#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/poles.h"
#include "analysis/response_report.h"
#include "analysis/response_summary.h"
#include "analysis/stability_warning.h"
#include "analysis/tap_filter.h"

namespace quorrel {
namespace {

constexpr double kPi = 3.14159265358979323846;

CoefficientSet Taps(int t1, int t2, int t3, int t4) {
    return CoefficientSet{{static_cast<Tap>(t1), static_cast<Tap>(t2), static_cast<Tap>(t3),
                           static_cast<Tap>(t4)}};
}

struct KnownResponse {
    const char* what;
    CoefficientSet a, b;
    double dc, nyquist, peak, peak_frequency;
    std::vector<double> half_power, half_amplitude;
    Stability verdict;
};

// Closed forms: the two-tap average has |H|^2 = cos^2(pi f); the one-pole
// smoother y = x/2 + y[-1]/2 has |H|^2 = 0.25 / (1.25 - cos 2 pi f).
std::vector<KnownResponse> KnownResponses() {
    return {
        {"identity", Taps(0, 0, 0, 0), Taps(1024, 0, 0, 0), 1.0, 1.0, 1.0, 0.0, {}, {},
         Stability::kStable},
        {"identity with a stored a[1]", Taps(1024, 0, 0, 0), Taps(1024, 0, 0, 0), 1.0, 1.0, 1.0,
         0.0, {}, {}, Stability::kStable},
        {"two-tap average", Taps(0, 0, 0, 0), Taps(512, 512, 0, 0), 1.0, 0.0, 1.0, 0.0,
         {std::acos(std::pow(0.5, 0.25)) / kPi}, {0.25}, Stability::kStable},
        {"one-pole smoother", Taps(0, -512, 0, 0), Taps(512, 0, 0, 0), 1.0, 1.0 / 9.0, 1.0, 0.0,
         {std::acos(1.25 - 0.25 * std::sqrt(2.0)) / (2 * kPi)}, {std::acos(0.75) / (2 * kPi)},
         Stability::kStable},
        // A difference y = x - x[-1]: |H|^2 = 4 sin^2(pi f), 1 at f = 1/6.
        {"first difference", Taps(0, 0, 0, 0), Taps(1024, -1024, 0, 0), 0.0, 4.0, 4.0, 0.5,
         {std::asin(std::sqrt(kHalfPowerGain) / 2) / kPi}, {std::asin(std::sqrt(0.5) / 2) / kPi},
         Stability::kStable},
        // y = x/4 + 1.25 y[-1]: the same shape of formula, |H|^2 =
        // 0.0625 / (2.5625 - 2.5 cos 2 pi f), but the pole at 1.25 makes the
        // recursion run away whatever the formula says.
        {"unstable one pole", Taps(0, -1280, 0, 0), Taps(256, 0, 0, 0), 1.0, 1.0 / 81.0, 1.0, 0.0,
         {std::acos((2.5625 - 0.0625 / kHalfPowerGain) / 2.5) / (2 * kPi)},
         {std::acos((2.5625 - 0.125) / 2.5) / (2 * kPi)}, Stability::kUnstable},
    };
}

TEST(SummariseResponse, GivesGainsAndCrossingsOfKnownTapSets) {
    for (const KnownResponse& known : KnownResponses()) {
        SCOPED_TRACE(known.what);
        const ResponseSummary s = SummariseResponse(TapFilterOf(known.a, known.b));
        EXPECT_NEAR(s.dc_gain, known.dc, 1e-12);
        EXPECT_NEAR(s.nyquist_gain, known.nyquist, 1e-12);
        EXPECT_NEAR(s.peak_gain, known.peak, 1e-9);
        EXPECT_NEAR(s.peak_frequency, known.peak_frequency, 1e-6);
        ASSERT_EQ(s.half_power_crossings.size(), known.half_power.size());
        for (size_t i = 0; i < known.half_power.size(); ++i)
            EXPECT_NEAR(s.half_power_crossings[i], known.half_power[i], 1e-9);
        ASSERT_EQ(s.half_amplitude_crossings.size(), known.half_amplitude.size());
        for (size_t i = 0; i < known.half_amplitude.size(); ++i)
            EXPECT_NEAR(s.half_amplitude_crossings[i], known.half_amplitude[i], 1e-9);
        EXPECT_EQ(AnalysePoles(known.a).verdict, known.verdict);
    }
}

TEST(SummariseResponse, FindsAResonanceBetweenGridPoints) {
    // Poles at radius 0.999 near 0.1 cycles per pixel: a peak far narrower
    // than the crossing grid.
    const double r = 0.999, angle = 2 * kPi * 0.1;
    const CoefficientSet a = Taps(0, static_cast<int>(std::lround(-2 * r * std::cos(angle) * 1024)),
                                  static_cast<int>(std::lround(r * r * 1024)), 0);
    const TapFilter filter = TapFilterOf(a, Taps(16, 0, 0, 0));
    const ResponseSummary s = SummariseResponse(filter);
    double brute_peak = 0.0;
    for (int i = 0; i <= 2000000; ++i) brute_peak = std::max(brute_peak, CombinedGain(filter, 0.5 * i / 2000000));
    EXPECT_GE(s.peak_gain, brute_peak * (1 - 1e-6));
    EXPECT_NEAR(s.peak_frequency, 0.1, 2e-3);
    // Rising through and falling back through both levels: two crossings each.
    EXPECT_EQ(s.half_power_crossings.size(), 2u);
    EXPECT_EQ(s.half_amplitude_crossings.size(), 2u);
}

TEST(CombinedGain, IsUnboundedOnAPoleOfTheUnitCircle) {
    const TapFilter integrator = TapFilterOf(Taps(0, -1024, 0, 0), Taps(1024, 0, 0, 0));
    EXPECT_TRUE(std::isinf(CombinedGain(integrator, 0.0)));
    EXPECT_NEAR(CombinedGain(integrator, 0.5), 0.25, 1e-12);
}

TEST(DescribeResponse, WarnsLoudlyOnlyForTapsThatRunAway) {
    const std::string stable = DescribeResponse("Y (luma)", "Y", Taps(0, 0, 0, 0), Taps(512, 512, 0, 0));
    EXPECT_EQ(stable.find("WARNING"), std::string::npos) << stable;
    EXPECT_NE(stable.find("-6 dB  at 0.2500 cycles per pixel"), std::string::npos) << stable;
    EXPECT_NE(stable.find("stable"), std::string::npos) << stable;

    const std::string unstable = DescribeResponse("UV (chroma)", "UV", Taps(0, -1280, 0, 0), Taps(256, 0, 0, 0));
    EXPECT_NE(unstable.find("WARNING: the UV taps are UNSTABLE"), std::string::npos) << unstable;
    EXPECT_NE(unstable.find("1.2500"), std::string::npos) << unstable;  // the pole

    const std::string marginal = DescribeResponse("Y (luma)", "Y", Taps(0, -1024, 0, 0), Taps(1024, 0, 0, 0));
    EXPECT_NE(marginal.find("WARNING: the Y taps are MARGINAL"), std::string::npos) << marginal;
    EXPECT_NE(marginal.find("DC unbounded"), std::string::npos) << marginal;
}

TEST(UnstableTapsWarning, NamesEachGroupThatRunsAway) {
    const CoefficientSet stable_a = Taps(0, -512, 0, 0), unstable_a = Taps(0, -1100, 0, 0);
    const CoefficientSet marginal_a = Taps(0, 1024, 0, 0), b = Taps(512, 0, 0, 0);
    EXPECT_EQ(UnstableTapsWarning(FilterTaps{stable_a, b, stable_a, b}), "");
    const std::string luma = UnstableTapsWarning(FilterTaps{unstable_a, b, stable_a, b});
    EXPECT_NE(luma.find("Y taps are unstable"), std::string::npos) << luma;
    EXPECT_EQ(luma.find("UV"), std::string::npos) << luma;
    const std::string both = UnstableTapsWarning(FilterTaps{unstable_a, b, marginal_a, b});
    EXPECT_NE(both.find("Y taps are unstable and UV taps are marginal"), std::string::npos) << both;
    EXPECT_EQ(both.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace quorrel
