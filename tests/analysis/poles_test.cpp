#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <random>

#include "analysis/poles.h"

namespace quorrel {
namespace {

CoefficientSet Feedback(int a2, int a3, int a4) {
    return CoefficientSet{{0, static_cast<Tap>(a2), static_cast<Tap>(a3), static_cast<Tap>(a4)}};
}

struct StabilityCase {
    const char* what;
    int a2, a3, a4;
    Stability verdict;
};

TEST(StabilityOf, DecidesOnAndNearTheUnitCircleExactly) {
    const StabilityCase cases[] = {
        {"no feedback", 0, 0, 0, Stability::kStable},
        {"one pole at 0.5", -512, 0, 0, Stability::kStable},
        {"one pole at 1023/1024", -1023, 0, 0, Stability::kStable},
        {"one pole at 1", -1024, 0, 0, Stability::kMarginal},
        {"one pole at -1", 1024, 0, 0, Stability::kMarginal},
        {"one pole at 1025/1024", -1025, 0, 0, Stability::kUnstable},
        {"double pole at 1", -2048, 1024, 0, Stability::kMarginal},
        {"triple pole at 1", -3072, 3072, -1024, Stability::kMarginal},
        {"poles +j, -j, 0", 0, 1024, 0, Stability::kMarginal},
        {"poles +j, -j, 0.5", -512, 1024, -512, Stability::kMarginal},
        {"poles +j, -j, 2", -2048, 1024, -2048, Stability::kUnstable},
        {"poles 1, 1.5, 0", -2560, 1536, 0, Stability::kUnstable},
        {"poles -1, 0.5, 0.5", 0, -768, 256, Stability::kMarginal},
        // (z + 1)(z^2 + 4z + 1): |a4| = 1 and Jury's last test holds with
        // equality, yet a root lies at -3.73.
        {"poles -1, -0.27, -3.73", 5120, 5120, 1024, Stability::kUnstable},
        {"pair at radius 0.9", -1273, 829, 0, Stability::kStable},
        {"pair at radius 1.05", -1485, 1128, 0, Stability::kUnstable},
        {"largest taps", 32767, 32767, 32767, Stability::kUnstable},
        {"smallest taps", -32768, -32768, -32768, Stability::kUnstable},
    };
    for (const StabilityCase& c : cases)
        EXPECT_EQ(StabilityOf(Feedback(c.a2, c.a3, c.a4)), c.verdict) << c.what;
}

TEST(StabilityOf, IgnoresTheStoredFirstTap) {
    CoefficientSet a = Feedback(-1025, 0, 0);
    a.tap[0] = 4096;
    EXPECT_EQ(StabilityOf(a), Stability::kUnstable);
}

TEST(StabilityOf, AgreesWithTheRootsAwayFromTheCircle) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> tap(-3500, 3500);
    int stable = 0, unstable = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const CoefficientSet a = Feedback(tap(random), tap(random) / 2, tap(random) / 4);
        const PoleReport report = AnalysePoles(a);
        if (report.largest_radius < 1.0 - 1e-9) {
            EXPECT_EQ(report.verdict, Stability::kStable) << a.tap[1] << " " << a.tap[2] << " " << a.tap[3];
            ++stable;
        } else if (report.largest_radius > 1.0 + 1e-9) {
            EXPECT_EQ(report.verdict, Stability::kUnstable) << a.tap[1] << " " << a.tap[2] << " " << a.tap[3];
            ++unstable;
        }
    }
    // Both verdicts must be well represented for the comparison to mean much.
    EXPECT_GT(stable, 1000);
    EXPECT_GT(unstable, 1000);
}

double LargestResidual(double c2, double c1, double c0) {
    double largest = 0.0;
    for (const std::complex<double>& z : CubicRoots(c2, c1, c0))
        largest = std::max(largest, std::abs(((z + c2) * z + c1) * z + c0));
    return largest;
}

TEST(CubicRoots, FindsRealAndComplexRoots) {
    // (z - 0.5)(z^2 + 0.5z + 0.1525): roots 0.5 and -0.25 +/- 0.3i.
    const auto roots = CubicRoots(0.0, -0.0975, -0.07625);
    EXPECT_NEAR(roots[0].real(), 0.5, 1e-12);
    EXPECT_EQ(roots[0].imag(), 0.0);
    EXPECT_NEAR(roots[1].real(), -0.25, 1e-12);
    EXPECT_NEAR(roots[1].imag(), 0.3, 1e-12);
    EXPECT_EQ(roots[2], std::conj(roots[1]));

    // (z - 3)(z + 2)(z - 0.001): three real roots of very different size.
    auto real = CubicRoots(-1.001, -5.999, 0.006);
    std::vector<double> values = {real[0].real(), real[1].real(), real[2].real()};
    std::sort(values.begin(), values.end());
    EXPECT_NEAR(values[0], -2.0, 1e-12);
    EXPECT_NEAR(values[1], 0.001, 1e-12);
    EXPECT_NEAR(values[2], 3.0, 1e-12);
}

TEST(CubicRoots, StaysAccurateForMultipleRoots) {
    // (z - 0.9)^3; a triple root is only fixed to about the cube root of
    // the rounding error.
    for (const std::complex<double>& z : CubicRoots(-2.7, 2.43, -0.729))
        EXPECT_NEAR(std::abs(z - 0.9), 0.0, 1e-4);
    EXPECT_LT(LargestResidual(-2.7, 2.43, -0.729), 1e-14);
    // z^3: all three at 0.
    for (const std::complex<double>& z : CubicRoots(0.0, 0.0, 0.0)) EXPECT_EQ(std::abs(z), 0.0);
}

TEST(AnalysePoles, ReportsTheLargestRadius) {
    // Taps for the pair at radius 0.9 and angle 45 degrees: a2 = -2r cos, a3 = r^2.
    const PoleReport report = AnalysePoles(Feedback(-1303, 829, 0));
    EXPECT_NEAR(report.largest_radius, std::sqrt(829.0 / 1024.0), 1e-12);
    EXPECT_EQ(report.verdict, Stability::kStable);
}

}  // namespace
}  // namespace quorrel
