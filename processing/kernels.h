// The kernel record: the routines the fused frame run calls for one group of
// rows, and the levels of instruction set they come in.
#pragma once

#include <cstdint>

#include "processing/coefficients.h"

namespace quorrel {

// Instruction-set levels, lowest first. A higher level is only ever used on a
// CPU (and operating system) that runs it.
enum class KernelLevel : int32_t { kReference = 0, kSse2 = 1, kAvx2 = 2 };
constexpr int32_t kKernelLevelCount = 3;

// The most rows one lane group holds at any level.
constexpr int32_t kMaxKernelLanes = 16;

// Converts `lanes` source rows of w host pixels into working samples and runs
// the forward pass over them. source_rows[k] is row k of the group; a group
// with fewer real rows repeats its last row. The forward pass's output goes
// into two pair stores, each of lanes * w WorkPixels' worth of bytes, in a
// layout only the same level's BackwardOut reads. Any w >= 1.
using ForwardInKernel = void (*)(const uint8_t* const* source_rows, int32_t w,
                                 const FilterTaps& taps, int32_t chroma_bias, void* pairs_low,
                                 void* pairs_high);

// Runs the backward pass over the pair stores that ForwardIn filled and
// converts the result into destination_rows[0..row_count-1], w pixels each;
// row_count is 1..lanes. Only those pixels are written.
using BackwardOutKernel = void (*)(const void* pairs_low, const void* pairs_high, int32_t w,
                                   const FilterTaps& taps, int32_t chroma_bias,
                                   uint8_t* const* destination_rows, int32_t row_count);

struct KernelSet {
    KernelLevel level;
    int32_t lanes;  // rows per group
    ForwardInKernel forward_in;
    BackwardOutKernel backward_out;
    // The set to use for a frame with fewer rows than `lanes` (the pair
    // stores live in the instance's working frames, which hold only h rows);
    // null for the one-row reference set.
    const KernelSet* narrower;
};

// The kernels of the highest level that is both supported and not above the
// cap. CPU detection runs once, on first use, and is safe from any thread.
const KernelSet& ActiveKernels();
KernelLevel ActiveKernelLevel();

// The kernels of one level, or null when this CPU cannot run it.
const KernelSet* KernelsAt(KernelLevel level);

// The highest level this CPU and its operating system run.
KernelLevel HighestSupportedKernelLevel();

// Limits the level ActiveKernels picks; the default cap is the highest
// level. A cap above what the CPU runs is refused (false, nothing changes).
// Meant to be set once at start-up, before frames run on other threads.
bool SetKernelLevelCap(KernelLevel cap);

// "reference", "sse2", "avx2".
const char* KernelLevelName(KernelLevel level);
// Parses one of those names; false for anything else.
bool ParseKernelLevel(const char* text, KernelLevel* level);

}  // namespace quorrel
