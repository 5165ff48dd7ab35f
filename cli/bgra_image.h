// One frame as the tool holds it: top-down rows of 32-bit pixels, blue in
// byte 0, green in byte 1, red in byte 2, byte 3 unused, no gap between rows.
#pragma once

#include <cstdint>
#include <vector>

#include "cli/frame_size.h"

namespace quorrel {

struct BgraImage {
    FrameSize size{0, 0};
    std::vector<uint8_t> pixels;  // size.width * size.height * 4 bytes
};

}  // namespace quorrel
