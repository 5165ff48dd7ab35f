// What one use of the filter keeps, and the operations that set it up, run a
// frame through it and tear it down.
#pragma once

#include <cstdint>

#include "processing/coefficients.h"
#include "processing/work_frame.h"

namespace quorrel {

// The per-instance record. Its storage belongs to the host, which may copy
// it; the taps are plain values that travel with any copy.
struct InstanceData {
    CoefficientSet y_a;   // a[1] is carried and saved, never used
    CoefficientSet y_b;
    CoefficientSet uv_a;  // a[1] is carried and saved, never used
    CoefficientSet uv_b;
    WorkFrame first;      // converted source frame; null when not started
    WorkFrame second;     // filter output, converted into the destination
    WorkFrame third;      // forward pass result
    int32_t started_width;   // size the buffers were allocated for; 0 when not started
    int32_t started_height;
};

// Sets the identity filter (b[1] = 1024 for Y and UV, every other tap 0) and
// nulls the buffer pointers. Returns 0.
int InitInstance(InstanceData* instance);

// Allocates the three working frames for a source of the given size. Returns
// 0 on success, 1 when a buffer cannot be allocated or the size is not at
// least 1 x 1 or does not fit in memory at all. Buffers allocated before a
// failure stay recorded for EndInstance.
int StartInstance(InstanceData* instance, int32_t source_width, int32_t source_height);

// Runs one frame: conversion in, forward and backward row passes, conversion
// out. The whole source is read before the destination is written, so both
// may be the same storage. The destination is taken to have the source's
// size; only its pixel pointer and modulo are used. Returns 0, or 1 without
// touching any memory when the instance is not started or the source is
// larger than the size it was started with.
int RunInstance(InstanceData* instance, const Rgb32Frame& source, const Rgb32Frame& destination);

// Releases the working frames and nulls their pointers. Returns 0. Safe to
// call again.
int EndInstance(InstanceData* instance);

// The taps of an instance as one record.
FilterTaps TapsOf(const InstanceData& instance);

}  // namespace quorrel
