// Host frames for the kernel tests: every row fenced by guard bytes, rows
// stored top-down or bottom-up, and the reference result to compare with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "processing/coefficients.h"
#include "processing/work_frame.h"

namespace quorrel {
namespace testing_support {

constexpr int32_t kGuardBytes = 16;
constexpr uint8_t kGuardValue = 0xA5;

// w x h host pixels with kGuardBytes of kGuardValue before and after each
// row. Bottom-up frames start at the last row in memory and step back.
class GuardedFrame {
  public:
    GuardedFrame(int32_t w, int32_t h, bool bottom_up);

    Rgb32Frame frame() const { return frame_; }
    uint8_t* Row(int32_t r) const;
    // Description of the first guard byte that changed, or "".
    std::string GuardDamage() const;
    // Copies the pixels (not the guards) of another frame of the same size.
    void CopyPixelsFrom(const GuardedFrame& other);

  private:
    int32_t w_;
    int32_t h_;
    ptrdiff_t pitch_;
    std::vector<uint8_t> storage_;
    Rgb32Frame frame_;
};

enum class PixelPattern { kRandom, kExtremes, kCheckerboard };

// Fills every pixel, byte 3 included, from the pattern and the generator.
void FillPixels(GuardedFrame& frame, PixelPattern pattern, std::mt19937& random);

// A named set of taps for the pass under test.
struct NamedTaps {
    const char* name;
    FilterTaps taps;
};
// Identity, smoothing, a resonant set, random text-range taps, random
// mixes of -32768/32767/0/+-1, and sets that blow up and clamp.
std::vector<NamedTaps> TapCases(std::mt19937& random);
FilterTaps IdentityTaps();

// The reference order over a whole frame into w*h packed pixels.
std::vector<uint8_t> ReferenceFrameRun(const Rgb32Frame& source, const FilterTaps& taps);

// "" when rows 0..h-1 of `frame` equal `expected` (w*h packed pixels), else
// where the first differing byte is.
std::string FirstDifference(const GuardedFrame& frame, const std::vector<uint8_t>& expected,
                            int32_t w, int32_t h);

}  // namespace testing_support
}  // namespace quorrel
