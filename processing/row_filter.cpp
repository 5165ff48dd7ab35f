// Reference row recursive filter.
//
// Fixed-point contract of the filter (fast variants refer to this):
//
// Taps are signed 16-bit Q10 values, samples signed 16-bit with valid values
// 0..4095. Every product is tap x sample formed in 32 bits, every sum is
// 32-bit signed, and >> 10 is an arithmetic shift (rounds toward minus
// infinity). For a new sample at position i, with x0..x3 the inputs at i and
// one to three places back in the direction of the pass, and y1..y3 the
// outputs already written one to three places back:
//   acc = b1*x0 + b2*x1 + b3*x2 + b4*x3 - a2*y1 - a3*y2 - a4*y3
//   Y      = clamp(acc >> 10)                 with the Y taps
//   Cr, Cb = clamp((acc - D) >> 10)           with the UV taps, each alone
// where D = 2048*(b1+b2+b3+b4-a2-a3-a4) - 2097664 (2097664 = 2048*1024 +
// 512) and clamp() maps above 4095 to 4095 and below 0 to 0. Chroma thus
// works out to 2048 + floor((sum b*(x-2048) - sum a*(y-2048) + 512) / 1024):
// filtered about 2048 and rounded to nearest; luma has no rounding term.
// a1 is never read. The clamped output is what feeds back as y1.
//
// With any 16-bit taps and samples in 0..4095 the accumulator, D included,
// stays within +-1411148288, so nothing overflows.
//
// Forward pass: T[0..2] = X[0..2], then T[i] for i = 3..w-1 from
// X[i], X[i-1], X[i-2], X[i-3] and T[i-1], T[i-2], T[i-3].
// Backward pass: Z[w-1..w-3] = T[w-1..w-3], then Z[j] for j = w-4..0 from
// T[j], T[j+1], T[j+2], T[j+3] and Z[j+1], Z[j+2], Z[j+3].
// Nothing is zero-initialised, mirrored or padded; rows narrower than 4 pixels
// are copied unchanged, since the recursion has no room to start.

#include "processing/row_filter.h"

#include <cstring>

namespace quorrel {
namespace {

inline int16_t ClampSample(int32_t v) {
    if (v > 4095) return 4095;
    if (v < 0) return 0;
    return static_cast<int16_t>(v);
}

// One channel's sum, before bias and shift.
inline int32_t Accumulate(const CoefficientSet& a, const CoefficientSet& b, int32_t x0,
                          int32_t x1, int32_t x2, int32_t x3, int32_t y1, int32_t y2,
                          int32_t y3) {
    return b.tap[0] * x0 + b.tap[1] * x1 + b.tap[2] * x2 + b.tap[3] * x3 - a.tap[1] * y1 -
           a.tap[2] * y2 - a.tap[3] * y3;
}

// The new pixel at `out` from inputs in[0], in[-step], in[-2*step],
// in[-3*step] and outputs out[-step], out[-2*step], out[-3*step].
inline void FilterPixel(const WorkPixel* in, WorkPixel* out, ptrdiff_t step,
                        const FilterTaps& taps, int32_t chroma_bias) {
    const WorkPixel& x0 = in[0];
    const WorkPixel& x1 = in[-step];
    const WorkPixel& x2 = in[-2 * step];
    const WorkPixel& x3 = in[-3 * step];
    const WorkPixel& y1 = out[-step];
    const WorkPixel& y2 = out[-2 * step];
    const WorkPixel& y3 = out[-3 * step];
    const int32_t y = Accumulate(taps.y_a, taps.y_b, x0.y, x1.y, x2.y, x3.y, y1.y, y2.y, y3.y);
    const int32_t cr =
        Accumulate(taps.uv_a, taps.uv_b, x0.cr, x1.cr, x2.cr, x3.cr, y1.cr, y2.cr, y3.cr);
    const int32_t cb =
        Accumulate(taps.uv_a, taps.uv_b, x0.cb, x1.cb, x2.cb, x3.cb, y1.cb, y2.cb, y3.cb);
    out->y = ClampSample(y >> 10);
    out->cr = ClampSample((cr - chroma_bias) >> 10);
    out->cb = ClampSample((cb - chroma_bias) >> 10);
}

}  // namespace

int32_t ChromaBias(const CoefficientSet& uv_a, const CoefficientSet& uv_b) {
    const int32_t sum = uv_b.tap[0] + uv_b.tap[1] + uv_b.tap[2] + uv_b.tap[3] - uv_a.tap[1] -
                        uv_a.tap[2] - uv_a.tap[3];
    return 2048 * sum - 2097664;
}

void FilterRowForward(const WorkPixel* x, WorkPixel* t, int32_t w, const FilterTaps& taps,
                      int32_t chroma_bias) {
    if (w < 4) {
        std::memcpy(t, x, sizeof(WorkPixel) * static_cast<size_t>(w));
        return;
    }
    t[0] = x[0];
    t[1] = x[1];
    t[2] = x[2];
    for (int32_t i = 3; i < w; ++i) FilterPixel(x + i, t + i, 1, taps, chroma_bias);
}

void FilterRowBackward(const WorkPixel* t, WorkPixel* z, int32_t w, const FilterTaps& taps,
                       int32_t chroma_bias) {
    if (w < 4) {
        std::memcpy(z, t, sizeof(WorkPixel) * static_cast<size_t>(w));
        return;
    }
    z[w - 1] = t[w - 1];
    z[w - 2] = t[w - 2];
    z[w - 3] = t[w - 3];
    for (int32_t j = w - 4; j >= 0; --j) FilterPixel(t + j, z + j, -1, taps, chroma_bias);
}

void FilterRows(const WorkPixel* x, WorkPixel* z, WorkPixel* t, int32_t w, int32_t h,
                const CoefficientSet& y_a, const CoefficientSet& y_b,
                const CoefficientSet& uv_a, const CoefficientSet& uv_b) {
    const FilterTaps taps{y_a, y_b, uv_a, uv_b};
    const int32_t bias = ChromaBias(uv_a, uv_b);
    for (int32_t r = 0; r < h; ++r) {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(r) * w;
        FilterRowForward(x + offset, t + offset, w, taps, bias);
    }
    for (int32_t r = h - 1; r >= 0; --r) {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(r) * w;
        FilterRowBackward(t + offset, z + offset, w, taps, bias);
    }
}

}  // namespace quorrel
