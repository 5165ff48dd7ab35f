// Conversions between host RGB32 frames and working frames.
#pragma once

#include <cstddef>
#include <cstdint>

#include "processing/work_frame.h"

namespace quorrel {

// Fills all w*h pixels of `work` from the host pixels at `source`. After each
// row of w pixels the source pointer moves on by `source_modulo` bytes.
// Requires w >= 1 and h >= 1.
void ConvertRgb32ToWork(const void* source, WorkPixel* work, int32_t w, int32_t h,
                        ptrdiff_t source_modulo);

// Writes w*h host pixels at `destination` from `work`. After each row the
// destination pointer moves on by `destination_modulo` bytes; the bytes
// between rows are not touched. Requires w >= 1 and h >= 1, samples 0..4095.
void ConvertWorkToRgb32(const WorkPixel* work, void* destination, int32_t w, int32_t h,
                        ptrdiff_t destination_modulo);

// One row of each conversion; the frame functions and the fused pipeline are
// built from these.
void ConvertRgb32RowToWork(const uint8_t* source, WorkPixel* work, int32_t w);
void ConvertWorkRowToRgb32(const WorkPixel* work, uint8_t* destination, int32_t w);

}  // namespace quorrel
