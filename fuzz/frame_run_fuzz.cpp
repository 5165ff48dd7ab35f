// The frame run on a small frame of any pixels, taps, row gap and row
// order: RunInstance at every kernel level this CPU runs gives the same
// bytes as the reference chain of whole-frame conversion, row passes and
// conversion back, with separate or shared source and destination, and
// leaves the bytes between rows alone. This is where the fuzzer hunts for
// mismatches between the fast kernels and the reference.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "processing/color_convert.h"
#include "processing/instance.h"
#include "processing/kernels.h"
#include "processing/row_filter.h"

namespace quorrel {
namespace {

constexpr uint8_t kGapByte = 0xA5;

// A host frame in a buffer of exactly its rows and gaps, stored top-down
// or bottom-up.
struct LaidOutFrame {
    std::vector<uint8_t> storage;
    int32_t width;
    int32_t height;
    size_t gap;
    bool bottom_up;

    LaidOutFrame(int32_t w, int32_t h, size_t gap_bytes, bool upside_down)
        : storage(static_cast<size_t>(h) * (static_cast<size_t>(w) * 4 + gap_bytes), kGapByte),
          width(w), height(h), gap(gap_bytes), bottom_up(upside_down) {}

    size_t pitch() const { return static_cast<size_t>(width) * 4 + gap; }

    // Row r as the frame counts it (0 is the first row the host hands over).
    uint8_t* Row(int32_t r) {
        const size_t stored = bottom_up ? static_cast<size_t>(height - 1 - r) : static_cast<size_t>(r);
        return storage.data() + stored * pitch();
    }

    Rgb32Frame Frame() {
        const ptrdiff_t row_bytes = static_cast<ptrdiff_t>(width) * 4;
        const ptrdiff_t step = bottom_up ? -static_cast<ptrdiff_t>(pitch()) : static_cast<ptrdiff_t>(pitch());
        return Rgb32Frame{Row(0), width, height, step - row_bytes};
    }

    std::vector<uint8_t> Pixels() {
        std::vector<uint8_t> pixels;
        for (int32_t r = 0; r < height; ++r)
            pixels.insert(pixels.end(), Row(r), Row(r) + static_cast<size_t>(width) * 4);
        return pixels;
    }

    bool GapsUntouched() {
        for (int32_t r = 0; r < height; ++r)
            for (size_t i = 0; i < gap; ++i)
                if (Row(r)[static_cast<size_t>(width) * 4 + i] != kGapByte) return false;
        return true;
    }
};

// Conversion in, forward and backward passes over whole frames, conversion
// out, each step finished before the next begins.
std::vector<uint8_t> ReferenceRun(const InstanceData& taps, LaidOutFrame& source) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    const size_t pixels = static_cast<size_t>(w) * static_cast<size_t>(h);
    std::vector<WorkPixel> x(pixels), t(pixels), z(pixels);
    const Rgb32Frame in = source.Frame();
    ConvertRgb32ToWork(in.pixels, x.data(), w, h, in.modulo);
    FilterRows(x.data(), z.data(), t.data(), w, h, taps.y_a, taps.y_b, taps.uv_a, taps.uv_b);
    std::vector<uint8_t> out(pixels * 4);
    ConvertWorkToRgb32(z.data(), out.data(), w, h, 0);
    return out;
}

}  // namespace
}  // namespace quorrel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorrel;
    FuzzInput input(data, size);
    // Wide enough for tails of every vector length, tall enough for partial
    // groups of the widest lane count.
    const int32_t w = input.Between(1, 80);
    const int32_t h = input.Between(1, 40);
    const uint8_t layout = input.Byte();
    const size_t source_gap = 4 * (layout & 3);
    const size_t destination_gap = 4 * ((layout >> 2) & 3);
    const bool source_bottom_up = (layout & 16) != 0;
    const bool destination_bottom_up = (layout & 32) != 0;

    InstanceData instance;
    InitInstance(&instance);
    CoefficientSet* sets[] = {&instance.y_a, &instance.y_b, &instance.uv_a, &instance.uv_b};
    for (CoefficientSet* set : sets)
        for (Tap& tap : set->tap) tap = input.Int16();

    // The pixels repeat what is left of the input; without any, a ramp.
    LaidOutFrame source(w, h, source_gap, source_bottom_up);
    size_t k = 0;
    for (int32_t r = 0; r < h; ++r)
        for (size_t i = 0; i < static_cast<size_t>(w) * 4; ++i, ++k)
            source.Row(r)[i] = input.left() > 0 ? input.rest()[k % input.left()]
                                                : static_cast<uint8_t>(k * 37);
    const std::vector<uint8_t> expected = ReferenceRun(instance, source);

    FUZZ_CHECK(StartInstance(&instance, w, h) == 0, "cannot start %dx%d", w, h);
    const int32_t highest = static_cast<int32_t>(HighestSupportedKernelLevel());
    for (int32_t level = 0; level <= highest; ++level) {
        FUZZ_CHECK(SetKernelLevelCap(static_cast<KernelLevel>(level)), "level %d refused", level);
        const char* name = KernelLevelName(static_cast<KernelLevel>(level));

        LaidOutFrame destination(w, h, destination_gap, destination_bottom_up);
        FUZZ_CHECK(RunInstance(&instance, source.Frame(), destination.Frame()) == 0, "run failed");
        std::vector<uint8_t> got = destination.Pixels();
        for (size_t i = 0; i < got.size(); ++i)
            FUZZ_CHECK(got[i] == expected[i], "%s, %dx%d: byte %zu is %u, the reference gives %u",
                       name, w, h, i, got[i], expected[i]);
        FUZZ_CHECK(destination.GapsUntouched(), "%s, %dx%d: a byte between rows changed", name, w, h);

        // Source and destination in the same storage.
        LaidOutFrame shared = source;
        FUZZ_CHECK(RunInstance(&instance, shared.Frame(), shared.Frame()) == 0, "run failed");
        got = shared.Pixels();
        for (size_t i = 0; i < got.size(); ++i)
            FUZZ_CHECK(got[i] == expected[i],
                       "%s, %dx%d in place: byte %zu is %u, the reference gives %u", name, w, h, i,
                       got[i], expected[i]);
        FUZZ_CHECK(shared.GapsUntouched(), "%s, %dx%d in place: a byte between rows changed", name,
                   w, h);
    }
    SetKernelLevelCap(static_cast<KernelLevel>(highest));

    EndInstance(&instance);
    return 0;
}
