// The size of the frames of a raw stream, as given by --size WxH.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrel {

struct FrameSize {
    int32_t width;
    int32_t height;
};

// Bytes per pixel of a raw stream: blue, green, red, unused.
constexpr size_t kBytesPerPixel = 4;

// Reads "WxH" (decimal digits only, both at least 1) and checks that a
// frame of that size, and the core's working frames for it, can be
// addressed. Throws ToolError(kExitUsage) naming the problem otherwise.
FrameSize ParseFrameSize(const std::string& text);

// width * height * kBytesPerPixel, for a size that ParseFrameSize accepts
// or that a decoded picture has. Throws ToolError(kExitBadData) when it
// would not fit in memory at all.
size_t FrameByteCount(FrameSize size);

}  // namespace quorrel
