// The working representation of a frame: three signed 16-bit samples per
// pixel, each in units of 1/16 of an 8-bit level.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorrel {

// One working pixel. Valid samples lie in 0..4095 (4 fractional bits).
struct WorkPixel {
    int16_t y;   // luma
    int16_t cr;  // red colour difference
    int16_t cb;  // blue colour difference
};
static_assert(sizeof(WorkPixel) == 6, "WorkPixel is three packed 16-bit samples");

// w x h WorkPixels in row-major order with no gap between rows; rows follow
// the host frame's storage order. An owned WorkFrame comes from the runtime
// heap (see StartInstance).
using WorkFrame = WorkPixel*;

// A 32-bit RGB frame as the host lays it out: blue in byte 0, green in byte 1,
// red in byte 2, byte 3 unused. `modulo` is the signed number of bytes from
// the end of one stored row's last pixel to the first pixel of the next.
struct Rgb32Frame {
    void* pixels;
    int32_t width;
    int32_t height;
    ptrdiff_t modulo;
};

}  // namespace quorrel
