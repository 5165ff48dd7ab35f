// Reference colour conversions.
//
// Fixed-point contract of the conversions (fast variants refer to this):
//
// Into the working frame, for 8-bit levels R, G, B (0..255), in non-negative
// 32-bit integers, >> 12 dropping 12 bits:
//   Y  = (16840*R + 33058*G +  6405*B +  985088) >> 12
//   Cr = (28781*R - 24110*G -  4671*B + 8325120) >> 12
//   Cb = (28781*B - 19068*G -  9713*R + 8325120) >> 12
// The multipliers are BT.601 limited-range factors scaled by 65536, but these
// exact integers are the rule. 985088 = 15*65536 + 2048 and 8325120 =
// 127*65536 + 2048: offsets of 15 and 127 levels (not 16 and 128) plus half a
// working unit, so black is Y 240 and neutral chroma is 2032. Results: Y in
// 240..3745, Cr and Cb in 240..3824; every sum stays below 2^28.
//
// Out of the working frame, for samples Y, Cr, Cb in 0..4095, in signed
// 32-bit arithmetic:
//   t = 76283*Y
//   r = t + 104595*Cr              - 230318672
//   g = t -  53281*Cr - 25625*Cb   + 142550864
//   b = t + 132253*Cb              - 286518848
// and each of r, g, b becomes a level: 255 above 0x0FFFFFFF, 0 below 0,
// otherwise value >> 20. The pixel is (R << 16) | (G << 8) | B, top byte 0.
// For samples in 0..4095 no intermediate leaves the signed 32-bit range.
// Together the two directions return every one of the 2^24 colours exactly;
// none of these integers may be re-derived from rounded factors.

#include "processing/color_convert.h"

namespace quorrel {
namespace {

inline uint8_t LevelFromSum(int32_t v) {
    if (v > 0x0FFFFFFF) return 255;
    if (v < 0) return 0;
    return static_cast<uint8_t>(v >> 20);
}

}  // namespace

void ConvertRgb32RowToWork(const uint8_t* source, WorkPixel* work, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        const uint32_t b = source[4 * x + 0];
        const uint32_t g = source[4 * x + 1];
        const uint32_t r = source[4 * x + 2];
        work[x].y = static_cast<int16_t>((16840u * r + 33058u * g + 6405u * b + 985088u) >> 12);
        work[x].cr = static_cast<int16_t>((28781u * r - 24110u * g - 4671u * b + 8325120u) >> 12);
        work[x].cb = static_cast<int16_t>((28781u * b - 19068u * g - 9713u * r + 8325120u) >> 12);
    }
}

void ConvertWorkRowToRgb32(const WorkPixel* work, uint8_t* destination, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        const int32_t y = work[x].y;
        const int32_t cr = work[x].cr;
        const int32_t cb = work[x].cb;
        const int32_t t = 76283 * y;
        const int32_t r = t + 104595 * cr - 230318672;
        const int32_t g = t - 53281 * cr - 25625 * cb + 142550864;
        const int32_t b = t + 132253 * cb - 286518848;
        destination[4 * x + 0] = LevelFromSum(b);
        destination[4 * x + 1] = LevelFromSum(g);
        destination[4 * x + 2] = LevelFromSum(r);
        destination[4 * x + 3] = 0;
    }
}

void ConvertRgb32ToWork(const void* source, WorkPixel* work, int32_t w, int32_t h,
                        ptrdiff_t source_modulo) {
    const uint8_t* base = static_cast<const uint8_t*>(source);
    const ptrdiff_t stride = static_cast<ptrdiff_t>(w) * 4 + source_modulo;
    for (int32_t r = 0; r < h; ++r) {
        ConvertRgb32RowToWork(base + r * stride, work + static_cast<ptrdiff_t>(r) * w, w);
    }
}

void ConvertWorkToRgb32(const WorkPixel* work, void* destination, int32_t w, int32_t h,
                        ptrdiff_t destination_modulo) {
    uint8_t* base = static_cast<uint8_t*>(destination);
    const ptrdiff_t stride = static_cast<ptrdiff_t>(w) * 4 + destination_modulo;
    for (int32_t r = 0; r < h; ++r) {
        ConvertWorkRowToRgb32(work + static_cast<ptrdiff_t>(r) * w, base + r * stride, w);
    }
}

}  // namespace quorrel
