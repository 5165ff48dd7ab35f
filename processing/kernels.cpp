#include "processing/kernels.h"

#include <atomic>
#include <cstring>

#include "processing/color_convert.h"
#include "processing/cpu_features.h"
#include "processing/row_filter.h"
#include "processing/work_frame.h"
#include "processing/x86/x86_kernels.h"

namespace quorrel {
namespace {

// The reference set works one row at a time: the low store holds the
// forward pass's output, the high store the converted row and later the
// backward pass's output.
void ReferenceForwardIn(const uint8_t* const* source_rows, int32_t w, const FilterTaps& taps,
                        int32_t chroma_bias, void* pairs_low, void* pairs_high) {
    WorkPixel* x = static_cast<WorkPixel*>(pairs_high);
    ConvertRgb32RowToWork(source_rows[0], x, w);
    FilterRowForward(x, static_cast<WorkPixel*>(pairs_low), w, taps, chroma_bias);
}

void ReferenceBackwardOut(const void* pairs_low, const void* pairs_high, int32_t w,
                          const FilterTaps& taps, int32_t chroma_bias,
                          uint8_t* const* destination_rows, int32_t /*row_count*/) {
    WorkPixel* z = static_cast<WorkPixel*>(const_cast<void*>(pairs_high));
    FilterRowBackward(static_cast<const WorkPixel*>(pairs_low), z, w, taps, chroma_bias);
    ConvertWorkRowToRgb32(z, destination_rows[0], w);
}

struct Ladder {
    const KernelSet* at[kKernelLevelCount];
    KernelLevel highest;
};

// Reference first; each instruction set the CPU runs takes the next rung.
Ladder ClimbLadder() {
    Ladder ladder{{&kReferenceRowKernels, nullptr, nullptr}, KernelLevel::kReference};
#ifdef QUORREL_X86_KERNELS
    const CpuFeatures cpu = DetectCpuFeatures();
    if (cpu.sse2) {
        ladder.at[1] = &kSse2Kernels;
        ladder.highest = KernelLevel::kSse2;
        if (cpu.avx2) {
            ladder.at[2] = &kAvx2Kernels;
            ladder.highest = KernelLevel::kAvx2;
        }
    }
#endif
    return ladder;
}

const Ladder& TheLadder() {
    static const Ladder ladder = ClimbLadder();
    return ladder;
}

std::atomic<int32_t> level_cap{kKernelLevelCount - 1};

const char* const kLevelNames[kKernelLevelCount] = {"reference", "sse2", "avx2"};

}  // namespace

extern const KernelSet kReferenceRowKernels = {KernelLevel::kReference, 1, &ReferenceForwardIn,
                                               &ReferenceBackwardOut, nullptr};

const KernelSet& ActiveKernels() {
    const Ladder& ladder = TheLadder();
    int32_t level = level_cap.load(std::memory_order_relaxed);
    if (level > static_cast<int32_t>(ladder.highest)) level = static_cast<int32_t>(ladder.highest);
    return *ladder.at[level];
}

KernelLevel ActiveKernelLevel() { return ActiveKernels().level; }

const KernelSet* KernelsAt(KernelLevel level) {
    const int32_t index = static_cast<int32_t>(level);
    if (index < 0 || index >= kKernelLevelCount) return nullptr;
    return TheLadder().at[index];
}

KernelLevel HighestSupportedKernelLevel() { return TheLadder().highest; }

bool SetKernelLevelCap(KernelLevel cap) {
    if (KernelsAt(cap) == nullptr) return false;
    level_cap.store(static_cast<int32_t>(cap), std::memory_order_relaxed);
    return true;
}

const char* KernelLevelName(KernelLevel level) {
    const int32_t index = static_cast<int32_t>(level);
    if (index < 0 || index >= kKernelLevelCount) return "unknown";
    return kLevelNames[index];
}

bool ParseKernelLevel(const char* text, KernelLevel* level) {
    if (text == nullptr) return false;
    for (int32_t i = 0; i < kKernelLevelCount; ++i) {
        if (std::strcmp(text, kLevelNames[i]) == 0) {
            *level = static_cast<KernelLevel>(i);
            return true;
        }
    }
    return false;
}

}  // namespace quorrel
