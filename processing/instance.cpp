#include "processing/instance.h"

#include <cstdint>
#include <cstdlib>

#include "processing/band_run.h"
#include "processing/color_convert.h"
#include "processing/kernels.h"
#include "processing/row_filter.h"

namespace quorrel {

int InitInstance(InstanceData* instance) {
    const CoefficientSet zero{{0, 0, 0, 0}};
    const CoefficientSet identity{{1024, 0, 0, 0}};
    instance->y_a = zero;
    instance->y_b = identity;
    instance->uv_a = zero;
    instance->uv_b = identity;
    // The host's storage may hold anything; a failed StartInstance followed
    // by EndInstance must never release a pointer this instance did not own.
    instance->first = nullptr;
    instance->second = nullptr;
    instance->third = nullptr;
    instance->started_width = 0;
    instance->started_height = 0;
    return 0;
}

int StartInstance(InstanceData* instance, int32_t source_width, int32_t source_height) {
    if (source_width < 1 || source_height < 1) return 1;
    // 3 samples of 2 bytes per pixel; on 32-bit Windows a large frame would
    // wrap size_t and leave a buffer shorter than the frame.
    // The pixel count is below 2^62, so it cannot wrap; the byte count could.
    const uint64_t pixels = static_cast<uint64_t>(source_width) * static_cast<uint64_t>(source_height);
    if (pixels > static_cast<uint64_t>(PTRDIFF_MAX) / sizeof(WorkPixel)) return 1;
    const size_t size = static_cast<size_t>(pixels * sizeof(WorkPixel));

    instance->first = static_cast<WorkFrame>(std::malloc(size));
    if (instance->first == nullptr) return 1;
    instance->second = static_cast<WorkFrame>(std::malloc(size));
    if (instance->second == nullptr) return 1;
    instance->third = static_cast<WorkFrame>(std::malloc(size));
    if (instance->third == nullptr) return 1;
    instance->started_width = source_width;
    instance->started_height = source_height;
    return 0;
}

int RunInstance(InstanceData* instance, const Rgb32Frame& source, const Rgb32Frame& destination) {
    const int32_t w = source.width;
    const int32_t h = source.height;
    if (instance->first == nullptr || instance->second == nullptr || instance->third == nullptr)
        return 1;
    if (w < 1 || h < 1 || w > instance->started_width || h > instance->started_height) return 1;

    const KernelSet& kernels = ActiveKernels();
    // The reference level keeps the whole-frame order: all of the source is
    // converted before any destination pixel is written. So does storage
    // that overlaps in a way the group order could trip over.
    if (kernels.level == KernelLevel::kReference || !GroupOrderIsSafe(source, destination)) {
        ConvertRgb32ToWork(source.pixels, instance->first, w, h, source.modulo);
        FilterRows(instance->first, instance->second, instance->third, w, h, instance->y_a,
                   instance->y_b, instance->uv_a, instance->uv_b);
        ConvertWorkToRgb32(instance->second, destination.pixels, w, h, destination.modulo);
        return 0;
    }
    RunFrameInGroups(kernels, TapsOf(*instance), source, destination, instance->third,
                     instance->first);
    return 0;
}

int EndInstance(InstanceData* instance) {
    std::free(instance->first);
    instance->first = nullptr;
    std::free(instance->second);
    instance->second = nullptr;
    std::free(instance->third);
    instance->third = nullptr;
    instance->started_width = 0;
    instance->started_height = 0;
    return 0;
}

FilterTaps TapsOf(const InstanceData& instance) {
    return FilterTaps{instance.y_a, instance.y_b, instance.uv_a, instance.uv_b};
}

}  // namespace quorrel
