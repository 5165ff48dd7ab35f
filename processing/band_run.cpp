#include "processing/band_run.h"

#include <cstddef>

#include "processing/row_filter.h"

namespace quorrel {
namespace {

struct ByteSpan {
    uintptr_t begin;
    uintptr_t end;
};

ByteSpan FrameSpan(const Rgb32Frame& frame, int32_t w, int32_t h) {
    const ptrdiff_t stride = static_cast<ptrdiff_t>(w) * 4 + frame.modulo;
    const uintptr_t first = reinterpret_cast<uintptr_t>(frame.pixels);
    const uintptr_t last = first + static_cast<uintptr_t>(stride * (h - 1));
    const uintptr_t low = first < last ? first : last;
    const uintptr_t high = first < last ? last : first;
    return ByteSpan{low, high + static_cast<uintptr_t>(w) * 4};
}

}  // namespace

bool GroupOrderIsSafe(const Rgb32Frame& source, const Rgb32Frame& destination) {
    if (source.pixels == destination.pixels && source.modulo == destination.modulo) return true;
    const ByteSpan s = FrameSpan(source, source.width, source.height);
    const ByteSpan d = FrameSpan(destination, source.width, source.height);
    return s.end <= d.begin || d.end <= s.begin;
}

void RunFrameInGroups(const KernelSet& kernels, const FilterTaps& taps, const Rgb32Frame& source,
                      const Rgb32Frame& destination, WorkPixel* store_low, WorkPixel* store_high) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    const KernelSet* set = &kernels;
    while (set->lanes > h && set->narrower != nullptr) set = set->narrower;
    const int32_t lanes = set->lanes;
    const int32_t bias = ChromaBias(taps.uv_a, taps.uv_b);

    const ptrdiff_t source_stride = static_cast<ptrdiff_t>(w) * 4 + source.modulo;
    const ptrdiff_t destination_stride = static_cast<ptrdiff_t>(w) * 4 + destination.modulo;
    const uint8_t* source_base = static_cast<const uint8_t*>(source.pixels);
    uint8_t* destination_base = static_cast<uint8_t*>(destination.pixels);

    const uint8_t* in_rows[kMaxKernelLanes];
    uint8_t* out_rows[kMaxKernelLanes];
    for (int32_t row = 0; row < h; row += lanes) {
        const int32_t count = h - row < lanes ? h - row : lanes;
        // A short group repeats its last row in the unused lanes; their
        // results are never stored.
        for (int32_t l = 0; l < lanes; ++l) {
            const int32_t r = row + (l < count ? l : count - 1);
            in_rows[l] = source_base + source_stride * r;
            out_rows[l] = destination_base + destination_stride * r;
        }
        set->forward_in(in_rows, w, taps, bias, store_low, store_high);
        set->backward_out(store_low, store_high, w, taps, bias, out_rows, count);
    }
}

}  // namespace quorrel
