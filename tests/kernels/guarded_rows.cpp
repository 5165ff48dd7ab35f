#include "tests/kernels/guarded_rows.h"

#include <cstring>

#include "processing/color_convert.h"
#include "processing/row_filter.h"

namespace quorrel {
namespace testing_support {

GuardedFrame::GuardedFrame(int32_t w, int32_t h, bool bottom_up)
    : w_(w),
      h_(h),
      pitch_(static_cast<ptrdiff_t>(w) * 4 + 2 * kGuardBytes),
      storage_(static_cast<size_t>(pitch_) * h, kGuardValue) {
    uint8_t* top = storage_.data() + kGuardBytes;
    if (bottom_up) {
        frame_.pixels = top + pitch_ * (h - 1);
        frame_.modulo = -pitch_ - static_cast<ptrdiff_t>(w) * 4;
    } else {
        frame_.pixels = top;
        frame_.modulo = 2 * kGuardBytes;
    }
    frame_.width = w;
    frame_.height = h;
    for (int32_t r = 0; r < h; ++r) std::memset(Row(r), 0, static_cast<size_t>(w) * 4);
}

uint8_t* GuardedFrame::Row(int32_t r) const {
    const ptrdiff_t stride = static_cast<ptrdiff_t>(w_) * 4 + frame_.modulo;
    return static_cast<uint8_t*>(frame_.pixels) + stride * r;
}

std::string GuardedFrame::GuardDamage() const {
    for (int32_t m = 0; m < h_; ++m) {
        const uint8_t* row = storage_.data() + pitch_ * m;
        for (ptrdiff_t b = 0; b < pitch_; ++b) {
            if (b >= kGuardBytes && b < kGuardBytes + 4 * static_cast<ptrdiff_t>(w_)) continue;
            if (row[b] != kGuardValue)
                return "guard byte " + std::to_string(b) + " of stored row " + std::to_string(m) +
                       " changed";
        }
    }
    return "";
}

void GuardedFrame::CopyPixelsFrom(const GuardedFrame& other) {
    for (int32_t r = 0; r < h_; ++r) std::memcpy(Row(r), other.Row(r), static_cast<size_t>(w_) * 4);
}

void FillPixels(GuardedFrame& frame, PixelPattern pattern, std::mt19937& random) {
    const Rgb32Frame f = frame.frame();
    for (int32_t r = 0; r < f.height; ++r) {
        uint8_t* row = frame.Row(r);
        for (int32_t x = 0; x < f.width; ++x) {
            for (int b = 0; b < 4; ++b) {
                uint8_t v = 0;
                switch (pattern) {
                    case PixelPattern::kRandom: v = static_cast<uint8_t>(random()); break;
                    case PixelPattern::kExtremes: v = (random() & 1) ? 255 : 0; break;
                    case PixelPattern::kCheckerboard: v = ((x + r) & 1) ? 255 : 0; break;
                }
                row[4 * x + b] = v;
            }
        }
    }
}

FilterTaps IdentityTaps() {
    return FilterTaps{{{0, 0, 0, 0}}, {{1024, 0, 0, 0}}, {{0, 0, 0, 0}}, {{1024, 0, 0, 0}}};
}

namespace {

CoefficientSet RandomSet(std::mt19937& random, int32_t low, int32_t high) {
    std::uniform_int_distribution<int32_t> tap(low, high);
    CoefficientSet set;
    for (Tap& t : set.tap) t = static_cast<Tap>(tap(random));
    return set;
}

CoefficientSet ExtremeSet(std::mt19937& random) {
    static const Tap kValues[] = {-32768, 32767, 0, -1, 1, -32767};
    CoefficientSet set;
    for (Tap& t : set.tap) t = kValues[random() % 6];
    return set;
}

}  // namespace

std::vector<NamedTaps> TapCases(std::mt19937& random) {
    std::vector<NamedTaps> cases;
    cases.push_back({"identity", IdentityTaps()});
    // y = (x0 + 2 x1 + x2) / 4 smoothed further by 0.5 y1.
    cases.push_back(
        {"smoothing", {{{0, -512, 0, 0}}, {{128, 256, 128, 0}}, {{0, -512, 0, 0}}, {{128, 256, 128, 0}}}});
    // Poles near the unit circle: rings for a long way and overshoots.
    cases.push_back({"resonant",
                     {{{0, -1900, 1750, -600}}, {{300, 200, -100, 50}}, {{0, 1500, 900, 300}}, {{2500, -900, 40, 7}}}});
    cases.push_back({"random text range",
                     {RandomSet(random, -16384, 16383), RandomSet(random, -16384, 16383),
                      RandomSet(random, -16384, 16383), RandomSet(random, -16384, 16383)}});
    cases.push_back({"extreme mix", {ExtremeSet(random), ExtremeSet(random), ExtremeSet(random), ExtremeSet(random)}});
    // Largest accumulators of either sign.
    cases.push_back({"all extreme",
                     {{{-32768, -32768, -32768, -32768}}, {{32767, 32767, 32767, 32767}},
                      {{32767, 32767, 32767, 32767}}, {{-32768, -32768, -32768, -32768}}}});
    // y = x + 2 y1: unstable, saturates within a few pixels.
    cases.push_back({"unstable", {{{0, -2048, 0, 0}}, {{1024, 0, 0, 0}}, {{0, -2048, 1024, 0}}, {{1024, 0, 0, 0}}}});
    return cases;
}

std::vector<uint8_t> ReferenceFrameRun(const Rgb32Frame& source, const FilterTaps& taps) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    const size_t n = static_cast<size_t>(w) * h;
    std::vector<WorkPixel> x(n), z(n), t(n);
    std::vector<uint8_t> out(n * 4);
    ConvertRgb32ToWork(source.pixels, x.data(), w, h, source.modulo);
    FilterRows(x.data(), z.data(), t.data(), w, h, taps.y_a, taps.y_b, taps.uv_a, taps.uv_b);
    ConvertWorkToRgb32(z.data(), out.data(), w, h, 0);
    return out;
}

std::string FirstDifference(const GuardedFrame& frame, const std::vector<uint8_t>& expected,
                            int32_t w, int32_t h) {
    for (int32_t r = 0; r < h; ++r) {
        const uint8_t* row = frame.Row(r);
        const uint8_t* want = expected.data() + static_cast<size_t>(r) * w * 4;
        for (int32_t b = 0; b < 4 * w; ++b) {
            if (row[b] != want[b])
                return "row " + std::to_string(r) + " byte " + std::to_string(b) + " (pixel " +
                       std::to_string(b / 4) + "): got " + std::to_string(row[b]) + ", want " +
                       std::to_string(want[b]);
        }
    }
    return "";
}

}  // namespace testing_support
}  // namespace quorrel
