// The core run on one whole frame, one instance, the way the module runs
// it: what every output of the tool must equal byte for byte.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "cli/frame_size.h"
#include "processing/instance.h"

namespace quorrel {

inline std::vector<uint8_t> RunCore(const InstanceData& taps, FrameSize size,
                                    const std::vector<uint8_t>& frame) {
    InstanceData instance;
    InitInstance(&instance);
    instance.y_a = taps.y_a;
    instance.y_b = taps.y_b;
    instance.uv_a = taps.uv_a;
    instance.uv_b = taps.uv_b;
    std::vector<uint8_t> out(frame.size());
    if (StartInstance(&instance, size.width, size.height) == 0) {
        const Rgb32Frame source{const_cast<uint8_t*>(frame.data()), size.width, size.height, 0};
        const Rgb32Frame destination{out.data(), size.width, size.height, 0};
        RunInstance(&instance, source, destination);
    }
    EndInstance(&instance);
    return out;
}

// Luma [1 2 1]/4 and a one-pole chroma smoother with feedback: taps that
// change every pixel, so a misplaced row or strip shows.
inline InstanceData SmoothingTaps() {
    InstanceData taps;
    InitInstance(&taps);
    taps.y_b = CoefficientSet{{512, 512, 0, 0}};
    taps.uv_a = CoefficientSet{{0, -768, 0, 0}};
    taps.uv_b = CoefficientSet{{256, 0, 0, 0}};
    return taps;
}

inline std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(count);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

}  // namespace quorrel
