// The fused frame run: the frame in groups of rows, each converted in,
// filtered forward and backward and converted out while it is in cache.
#pragma once

#include <cstdint>

#include "processing/coefficients.h"
#include "processing/kernels.h"
#include "processing/work_frame.h"

namespace quorrel {

// True when writing the destination group by group, in storage order, can
// never overwrite source rows a later group still reads: the two frames do
// not overlap at all, or they are the same storage with the same modulo.
bool GroupOrderIsSafe(const Rgb32Frame& source, const Rgb32Frame& destination);

// Runs the source frame into the destination with `kernels` (or a narrower
// set when the frame has fewer rows than its lanes). store_low and
// store_high are two working frames of at least w*h pixels each; they hold
// one group's forward pass at a time. The destination has the source's size.
void RunFrameInGroups(const KernelSet& kernels, const FilterTaps& taps, const Rgb32Frame& source,
                      const Rgb32Frame& destination, WorkPixel* store_low, WorkPixel* store_high);

}  // namespace quorrel
