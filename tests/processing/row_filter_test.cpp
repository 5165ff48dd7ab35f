#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "processing/row_filter.h"

namespace quorrel {
namespace {

CoefficientSet Set(int16_t t1, int16_t t2 = 0, int16_t t3 = 0, int16_t t4 = 0) {
    return CoefficientSet{{t1, t2, t3, t4}};
}

struct RowResult {
    std::vector<WorkPixel> forward;   // T
    std::vector<WorkPixel> backward;  // Z
};

RowResult FilterOneRow(const std::vector<WorkPixel>& row, const CoefficientSet& y_a,
                       const CoefficientSet& y_b, const CoefficientSet& uv_a,
                       const CoefficientSet& uv_b) {
    RowResult out{std::vector<WorkPixel>(row.size()), std::vector<WorkPixel>(row.size())};
    FilterRows(row.data(), out.backward.data(), out.forward.data(),
               static_cast<int32_t>(row.size()), 1, y_a, y_b, uv_a, uv_b);
    return out;
}

std::vector<WorkPixel> LumaRow(const std::vector<int16_t>& luma, int16_t chroma = 2048) {
    std::vector<WorkPixel> row;
    for (int16_t y : luma) row.push_back(WorkPixel{y, chroma, chroma});
    return row;
}

std::vector<int16_t> Luma(const std::vector<WorkPixel>& row) {
    std::vector<int16_t> out;
    for (const WorkPixel& p : row) out.push_back(p.y);
    return out;
}
std::vector<int16_t> Cr(const std::vector<WorkPixel>& row) {
    std::vector<int16_t> out;
    for (const WorkPixel& p : row) out.push_back(p.cr);
    return out;
}
std::vector<int16_t> Cb(const std::vector<WorkPixel>& row) {
    std::vector<int16_t> out;
    for (const WorkPixel& p : row) out.push_back(p.cb);
    return out;
}

TEST(FilterRows, IdentityTapsReturnTheInputForEveryWidth) {
    const CoefficientSet zero = Set(0), identity = Set(1024);
    for (int w = 1; w <= 40; ++w) {
        const int h = 3;
        std::vector<WorkPixel> x(w * h), t(w * h), z(w * h);
        for (int i = 0; i < w * h; ++i)
            x[i] = WorkPixel{int16_t((i * 977) % 4096), int16_t((i * 131) % 4096),
                             int16_t(4095 - (i * 59) % 4096)};
        FilterRows(x.data(), z.data(), t.data(), w, h, zero, identity, zero, identity);
        for (int i = 0; i < w * h; ++i) {
            ASSERT_EQ(z[i].y, x[i].y) << "w " << w << " i " << i;
            ASSERT_EQ(z[i].cr, x[i].cr) << "w " << w << " i " << i;
            ASSERT_EQ(z[i].cb, x[i].cb) << "w " << w << " i " << i;
        }
    }
}

struct LumaCase {
    std::string name;
    std::vector<int16_t> input;
    CoefficientSet a, b;  // for Y and UV alike
    std::vector<int16_t> forward, backward;
};

TEST(FilterRows, LumaOfBothPasses) {
    const std::vector<LumaCase> cases = {
        {"two-tap average",
         {0, 0, 0, 4000, 4000, 4000},
         Set(0),
         Set(512, 512),
         {0, 0, 0, 2000, 4000, 4000},
         {0, 0, 1000, 2000, 4000, 4000}},
        {"one-pole smoother",
         {0, 0, 0, 4000, 4000, 4000, 4000, 4000},
         Set(0, -512),
         Set(512),
         {0, 0, 0, 2000, 3000, 3500, 3750, 3875},
         {328, 656, 1312, 2625, 3250, 3500, 3750, 3875}},
        // Rows narrower than 6 leave pixels that only one pass reaches.
        {"gain 2, w 4", {100, 200, 300, 400}, Set(0), Set(2048), {100, 200, 300, 800},
         {200, 200, 300, 800}},
        {"gain 2, w 5", {100, 200, 300, 400, 500}, Set(0), Set(2048),
         {100, 200, 300, 800, 1000}, {200, 400, 300, 800, 1000}},
        {"gain 2, w 7", {100, 200, 300, 400, 500, 600, 700}, Set(0), Set(2048),
         {100, 200, 300, 800, 1000, 1200, 1400}, {200, 400, 600, 1600, 1000, 1200, 1400}},
        // The clamped value, not the raw sum, feeds back: y = 2x - y[i-1]/2
        // fed the raw 6000 would give 3000 next.
        {"clamp high feeds back",
         {0, 0, 0, 3000, 3000, 3000},
         Set(0, 512),
         Set(2048),
         {0, 0, 0, 4095, 3952, 4024},
         {0, 0, 0, 4095, 3952, 4024}},
        // y = x - y[i-1]: the raw -3900 fed back would give 4000 next.
        {"clamp low feeds back",
         {0, 0, 0, 4000, 100, 100, 100},
         Set(0, 1024),
         Set(1024),
         {0, 0, 0, 4000, 0, 100, 0},
         {0, 0, 0, 4000, 0, 100, 0}},
    };
    for (const LumaCase& c : cases) {
        const RowResult r = FilterOneRow(LumaRow(c.input), c.a, c.b, c.a, c.b);
        EXPECT_EQ(Luma(r.forward), c.forward) << c.name;
        EXPECT_EQ(Luma(r.backward), c.backward) << c.name;
    }
}

TEST(FilterRows, TwoTapAverageKeepsChromaAtTheCentre) {
    const RowResult r = FilterOneRow(LumaRow({0, 0, 0, 4000, 4000, 4000}), Set(0), Set(512, 512),
                                     Set(0), Set(512, 512));
    EXPECT_EQ(Cr(r.backward), std::vector<int16_t>(6, 2048));
    EXPECT_EQ(Cb(r.forward), std::vector<int16_t>(6, 2048));
}

TEST(FilterRows, ChromaIsScaledAboutItsCentreAndRounded) {
    const std::vector<WorkPixel> row(6, WorkPixel{1000, 3000, 1000});
    const RowResult r = FilterOneRow(row, Set(0), Set(1024), Set(0), Set(512));
    for (const WorkPixel& p : r.backward) {
        EXPECT_EQ(p.y, 1000);
        EXPECT_EQ(p.cr, 2524);
        EXPECT_EQ(p.cb, 1524);
    }
}

TEST(FilterRows, RoundingDiffersBetweenLumaAndChroma) {
    std::vector<WorkPixel> row;
    for (int i = 0; i < 6; ++i)
        row.push_back(WorkPixel{int16_t(i < 3 ? 1000 : 1001), 2048, int16_t(i < 3 ? 2049 : 2047)});
    const RowResult r = FilterOneRow(row, Set(0), Set(1536), Set(0), Set(1536));
    // Luma floors 1501.5; chroma rounds 2049.5 and 2046.5 up.
    EXPECT_EQ(Luma(r.backward), (std::vector<int16_t>{1500, 1500, 1500, 1501, 1501, 1501}));
    EXPECT_EQ(Cr(r.backward), std::vector<int16_t>(6, 2048));
    EXPECT_EQ(Cb(r.backward), (std::vector<int16_t>{2050, 2050, 2050, 2047, 2047, 2047}));
}

TEST(FilterRows, ZeroChromaTapsPullChromaToTheCentre) {
    std::vector<WorkPixel> row;
    for (int i = 0; i < 9; ++i) row.push_back(WorkPixel{int16_t(100 * i), int16_t(300 * i), 4095});
    const RowResult r = FilterOneRow(row, Set(0), Set(1024), Set(0), Set(0));
    EXPECT_EQ(Cr(r.backward), std::vector<int16_t>(9, 2048));
    EXPECT_EQ(Cb(r.backward), std::vector<int16_t>(9, 2048));
    EXPECT_EQ(Luma(r.backward), Luma(row));
}

TEST(FilterRows, RowsNarrowerThanFourPassUnfiltered) {
    for (int w = 1; w <= 3; ++w) {
        const int h = 2;
        // Guards on both sides catch a pass that starts outside the row.
        std::vector<WorkPixel> x(w * h + 8, WorkPixel{7, 7, 7}), t(x.size(), WorkPixel{-1, -1, -1}),
            z(x.size(), WorkPixel{-1, -1, -1});
        for (int i = 0; i < w * h; ++i) x[4 + i] = WorkPixel{int16_t(100 + i), 3000, 50};
        FilterRows(x.data() + 4, z.data() + 4, t.data() + 4, w, h, Set(0, 300), Set(2048, 9),
                   Set(0, -7), Set(0));
        for (int i = 0; i < w * h; ++i) {
            EXPECT_EQ(z[4 + i].y, x[4 + i].y) << "w " << w;
            EXPECT_EQ(z[4 + i].cr, x[4 + i].cr) << "w " << w;
            EXPECT_EQ(z[4 + i].cb, x[4 + i].cb) << "w " << w;
        }
        for (int g = 0; g < 4; ++g) {
            EXPECT_EQ(z[g].y, -1);
            EXPECT_EQ(t[g].y, -1);
            EXPECT_EQ(z[4 + w * h + g].y, -1);
            EXPECT_EQ(t[4 + w * h + g].y, -1);
        }
    }
}

// Extreme taps on extreme samples reach the largest accumulators the 16-bit
// range allows; the result must still be a clamped sample, never a wrapped one.
TEST(FilterRows, ExtremeTapsStayWithinTheSampleRange) {
    std::vector<WorkPixel> row;
    for (int i = 0; i < 16; ++i) {
        const int16_t s = (i % 2) ? 4095 : 0;
        row.push_back(WorkPixel{s, int16_t(4095 - s), s});
    }
    const CoefficientSet big_a = Set(0, -32768, 32767, -32768);
    const CoefficientSet big_b = Set(32767, -32768, 32767, -32768);
    const RowResult r = FilterOneRow(row, big_a, big_b, big_a, big_b);
    for (const WorkPixel& p : r.backward) {
        EXPECT_TRUE(p.y == 0 || p.y == 4095) << p.y;
        EXPECT_GE(p.cr, 0);
        EXPECT_LE(p.cr, 4095);
    }
}

TEST(ChromaBias, FromTheUvTaps) {
    EXPECT_EQ(ChromaBias(Set(0), Set(1024)), -512);
    EXPECT_EQ(ChromaBias(Set(0), Set(0)), -2097664);
    // a[1] is never part of the filter.
    EXPECT_EQ(ChromaBias(Set(5000, 1, 2, 3), Set(1024)), 2048 * (1024 - 6) - 2097664);
    EXPECT_EQ(ChromaBias(Set(0, -32768, -32768, -32768), Set(32767, 32767, 32767, 32767)),
              2048 * (4 * 32767 + 3 * 32768) - 2097664);
}

}  // namespace
}  // namespace quorrel
