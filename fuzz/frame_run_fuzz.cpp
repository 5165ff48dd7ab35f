// The frame run on a small frame of any pixels, taps, row gap and row
// order: RunInstance at every kernel level this CPU runs gives the same
// bytes as the reference chain of whole-frame conversion, row passes and
// conversion back, with separate, shared or partly overlapping source and
// destination, and writes nothing but the destination's pixels. This is where the fuzzer hunts for
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
// out, each step finished before the next begins. Gives top-down rows.
std::vector<uint8_t> ReferenceRun(const InstanceData& taps, const Rgb32Frame& in) {
    const int32_t w = in.width;
    const int32_t h = in.height;
    const size_t pixels = static_cast<size_t>(w) * static_cast<size_t>(h);
    std::vector<WorkPixel> x(pixels), t(pixels), z(pixels);
    ConvertRgb32ToWork(in.pixels, x.data(), w, h, in.modulo);
    FilterRows(x.data(), z.data(), t.data(), w, h, taps.y_a, taps.y_b, taps.uv_a, taps.uv_b);
    std::vector<uint8_t> out(pixels * 4);
    ConvertWorkToRgb32(z.data(), out.data(), w, h, 0);
    return out;
}

// A source and a destination in one buffer, the destination's rows
// starting `shift` bytes from the source's, each with its own modulo: the
// storage a host may hand over when it filters a frame into a shifted
// copy of itself.
struct OverlappingFrames {
    std::vector<uint8_t> storage;
    ptrdiff_t source_at;
    ptrdiff_t destination_at;
    Rgb32Frame source;
    Rgb32Frame destination;

    // The bytes from the first row's pointer that a frame's rows cover.
    static void Span(int32_t w, int32_t h, ptrdiff_t modulo, ptrdiff_t* lo, ptrdiff_t* hi) {
        const ptrdiff_t row_bytes = static_cast<ptrdiff_t>(w) * 4;
        const ptrdiff_t last = static_cast<ptrdiff_t>(h - 1) * (row_bytes + modulo);
        *lo = last < 0 ? last : 0;
        *hi = (last > 0 ? last : 0) + row_bytes;
    }

    OverlappingFrames(int32_t w, int32_t h, ptrdiff_t source_modulo,
                      ptrdiff_t destination_modulo, ptrdiff_t shift) {
        ptrdiff_t s_lo, s_hi, d_lo, d_hi;
        Span(w, h, source_modulo, &s_lo, &s_hi);
        Span(w, h, destination_modulo, &d_lo, &d_hi);
        const ptrdiff_t lo = s_lo < shift + d_lo ? s_lo : shift + d_lo;
        const ptrdiff_t hi = s_hi > shift + d_hi ? s_hi : shift + d_hi;
        storage.assign(static_cast<size_t>(hi - lo), kGapByte);
        source_at = -lo;
        destination_at = -lo + shift;
        source = Rgb32Frame{storage.data() + source_at, w, h, source_modulo};
        destination = Rgb32Frame{storage.data() + destination_at, w, h, destination_modulo};
    }

    // Which bytes of the storage are destination pixels.
    std::vector<bool> DestinationBytes() const {
        std::vector<bool> mask(storage.size(), false);
        const ptrdiff_t step = static_cast<ptrdiff_t>(destination.width) * 4 + destination.modulo;
        for (int32_t r = 0; r < destination.height; ++r)
            for (ptrdiff_t i = 0; i < static_cast<ptrdiff_t>(destination.width) * 4; ++i)
                mask[static_cast<size_t>(destination_at + r * step + i)] = true;
        return mask;
    }

    std::vector<uint8_t> DestinationPixels() const {
        std::vector<uint8_t> pixels;
        const ptrdiff_t step = static_cast<ptrdiff_t>(destination.width) * 4 + destination.modulo;
        for (int32_t r = 0; r < destination.height; ++r) {
            const uint8_t* row = storage.data() + destination_at + r * step;
            pixels.insert(pixels.end(), row, row + static_cast<size_t>(destination.width) * 4);
        }
        return pixels;
    }
};

// A row modulo: a gap of 0..3 pixels, in storage order or reversed.
ptrdiff_t ModuloOf(int32_t w, uint8_t bits) {
    const ptrdiff_t pitch = static_cast<ptrdiff_t>(w) * 4 + 4 * (bits & 3);
    return ((bits & 4) != 0 ? -pitch : pitch) - static_cast<ptrdiff_t>(w) * 4;
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
    const uint8_t overlap_layout = input.Byte();
    const int16_t overlap_shift = input.Int16();

    // The pixels repeat what is left of the input; without any, a ramp.
    LaidOutFrame source(w, h, source_gap, source_bottom_up);
    size_t k = 0;
    for (int32_t r = 0; r < h; ++r)
        for (size_t i = 0; i < static_cast<size_t>(w) * 4; ++i, ++k)
            source.Row(r)[i] = input.left() > 0 ? input.rest()[k % input.left()]
                                                : static_cast<uint8_t>(k * 37);
    const std::vector<uint8_t> expected = ReferenceRun(instance, source.Frame());

    // A destination that overlaps the source anywhere, with its own modulo.
    const ptrdiff_t source_modulo = ModuloOf(w, overlap_layout);
    const ptrdiff_t destination_modulo = ModuloOf(w, overlap_layout >> 3);
    const ptrdiff_t reach = static_cast<ptrdiff_t>(h) * (static_cast<ptrdiff_t>(w) * 4 + 12);
    const ptrdiff_t shift = 4 * (static_cast<ptrdiff_t>(overlap_shift) % (reach / 4 + 1));
    OverlappingFrames overlapping(w, h, source_modulo, destination_modulo, shift);
    for (size_t i = 0; i < overlapping.storage.size(); ++i)
        overlapping.storage[i] = input.left() > 0 ? input.rest()[(i * 7) % input.left()]
                                                  : static_cast<uint8_t>(i * 53);
    const std::vector<uint8_t> overlap_start = overlapping.storage;
    const std::vector<uint8_t> overlap_expected = ReferenceRun(instance, overlapping.source);
    const std::vector<bool> overlap_written = overlapping.DestinationBytes();

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

        overlapping.storage = overlap_start;
        FUZZ_CHECK(RunInstance(&instance, overlapping.source, overlapping.destination) == 0,
                   "run failed");
        got = overlapping.DestinationPixels();
        for (size_t i = 0; i < got.size(); ++i)
            FUZZ_CHECK(got[i] == overlap_expected[i],
                       "%s, %dx%d overlapping at %td, moduli %td and %td: byte %zu is %u, the "
                       "reference gives %u",
                       name, w, h, shift, source_modulo, destination_modulo, i, got[i],
                       overlap_expected[i]);
        for (size_t i = 0; i < overlap_start.size(); ++i)
            FUZZ_CHECK(overlap_written[i] || overlapping.storage[i] == overlap_start[i],
                       "%s, %dx%d overlapping at %td: byte %zu outside the destination changed",
                       name, w, h, shift, i);
    }
    SetKernelLevelCap(static_cast<KernelLevel>(highest));

    EndInstance(&instance);
    return 0;
}
