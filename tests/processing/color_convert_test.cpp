#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "processing/color_convert.h"

namespace quorrel {
namespace {

uint32_t Pixel(uint8_t r, uint8_t g, uint8_t b, uint8_t top = 0) {
    return (uint32_t{top} << 24) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

WorkPixel ToWork(uint32_t pixel) {
    WorkPixel out{};
    ConvertRgb32ToWork(&pixel, &out, 1, 1, 0);
    return out;
}

uint32_t ToRgb(WorkPixel work) {
    uint32_t out = 0xDEADBEEF;
    ConvertWorkToRgb32(&work, &out, 1, 1, 0);
    return out;
}

struct ForwardCase {
    uint32_t pixel;
    int16_t y, cr, cb;
};

TEST(ConvertRgb32ToWork, KnownColours) {
    const ForwardCase cases[] = {
        {Pixel(0, 0, 0), 240, 2032, 2032},
        {Pixel(255, 255, 255), 3745, 2032, 2032},
        {Pixel(128, 128, 128), 1999, 2032, 2032},
        {Pixel(255, 0, 0), 1288, 3824, 1427},
        {Pixel(0, 255, 0), 2298, 531, 845},
        {Pixel(0, 0, 255), 639, 1741, 3824},
        {0xFFC08040u, 2163, 2555, 1431},
        {Pixel(0, 0, 0, 0xAB), 240, 2032, 2032},  // the top byte is never read
    };
    for (const ForwardCase& c : cases) {
        const WorkPixel w = ToWork(c.pixel);
        EXPECT_EQ(w.y, c.y) << std::hex << c.pixel;
        EXPECT_EQ(w.cr, c.cr) << std::hex << c.pixel;
        EXPECT_EQ(w.cb, c.cb) << std::hex << c.pixel;
    }
}

struct BackwardCase {
    WorkPixel work;
    uint32_t pixel;
};

TEST(ConvertWorkToRgb32, ClampsAndNeutralChroma) {
    const BackwardCase cases[] = {
        {{2163, 2555, 1431}, 0x00C08040u},
        {{4095, 2048, 2048}, 0x00FFFFFFu},
        {{0, 2048, 2048}, 0x00000000u},
        {{2000, 4095, 0}, 0x00FF4900u},  // red saturated, blue clamped at 0
        {{1999, 2032, 2032}, 0x00808080u},
        {{1999, 2048, 2048}, 0x00827F82u},  // 2048 is not the conversion's neutral
        {{563, 2032, 2032}, Pixel(23, 23, 24)},
        {{4095, 4095, 4095}, 0x00FF7DFFu},
        {{0, 0, 0}, 0x00008700u},
    };
    for (const BackwardCase& c : cases) {
        EXPECT_EQ(ToRgb(c.work), c.pixel)
            << "Y " << c.work.y << " Cr " << c.work.cr << " Cb " << c.work.cb;
    }
}

TEST(ColourConversion, EveryColourSurvivesTheRoundTrip) {
    constexpr int kWidth = 4096;
    std::vector<uint32_t> source(kWidth), back(kWidth);
    std::vector<WorkPixel> work(kWidth);
    for (uint32_t block = 0; block < (1u << 24) / kWidth; ++block) {
        for (int x = 0; x < kWidth; ++x) source[x] = 0xFF000000u | (block * kWidth + x);
        ConvertRgb32ToWork(source.data(), work.data(), kWidth, 1, 0);
        ConvertWorkToRgb32(work.data(), back.data(), kWidth, 1, 0);
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(back[x], source[x] & 0x00FFFFFFu) << std::hex << source[x];
        }
    }
}

// Rows separated by a modulo: the gap bytes are neither read (they hold
// colours that would show up) nor written.
TEST(ColourConversion, ModuloGapsAreNotTouched) {
    constexpr int w = 3, h = 4;
    for (const ptrdiff_t modulo : {ptrdiff_t{0}, ptrdiff_t{8}, ptrdiff_t{-24}}) {
        const ptrdiff_t stride = w * 4 + modulo;
        // Bottom-up for a negative modulo: the first row stored last in memory.
        const ptrdiff_t span = (h - 1) * (stride < 0 ? -stride : stride) + w * 4;
        std::vector<uint8_t> memory(static_cast<size_t>(span + 64), 0xEE);
        uint8_t* first = memory.data() + 32 + (stride < 0 ? (h - 1) * -stride : 0);
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                const uint32_t p = Pixel(uint8_t(10 * r + x), uint8_t(50 + x), uint8_t(200 - r));
                std::memcpy(first + r * stride + 4 * x, &p, 4);
            }
        std::vector<WorkPixel> work(w * h);
        ConvertRgb32ToWork(first, work.data(), w, h, modulo);
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                const WorkPixel expected = ToWork(Pixel(uint8_t(10 * r + x), uint8_t(50 + x),
                                                        uint8_t(200 - r)));
                EXPECT_EQ(work[r * w + x].y, expected.y) << "modulo " << modulo;
                EXPECT_EQ(work[r * w + x].cb, expected.cb) << "modulo " << modulo;
            }

        std::vector<uint8_t> out(memory.size(), 0x5A);
        uint8_t* out_first = out.data() + (first - memory.data());
        ConvertWorkToRgb32(work.data(), out_first, w, h, modulo);
        for (size_t i = 0; i < out.size(); ++i) {
            const ptrdiff_t offset = static_cast<ptrdiff_t>(i) - (out_first - out.data());
            bool in_row = false;
            for (int r = 0; r < h; ++r)
                if (offset >= r * stride && offset < r * stride + w * 4) in_row = true;
            if (!in_row) {
                ASSERT_EQ(out[i], 0x5A) << "byte " << offset << " modulo " << modulo;
            }
        }
    }
}

}  // namespace
}  // namespace quorrel
