#include "cli/frame_size.h"

#include <cstdint>

#include "cli/tool_error.h"
#include "processing/work_frame.h"

namespace quorrel {
namespace {

// Digits only: no sign, no spaces, nothing that strtol would skip.
bool ParseDimension(const std::string& text, int32_t* value) {
    if (text.empty()) return false;
    int64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
        if (result > INT32_MAX) return false;
    }
    if (result < 1) return false;
    *value = static_cast<int32_t>(result);
    return true;
}

// The largest per-pixel byte count any buffer of a frame needs: the core's
// working frame is bigger than the BGRA frame.
constexpr uint64_t kLargestPixelBytes =
    sizeof(WorkPixel) > kBytesPerPixel ? sizeof(WorkPixel) : kBytesPerPixel;

bool Addressable(FrameSize size) {
    uint64_t pixels = 0;
    uint64_t bytes = 0;
    if (__builtin_mul_overflow(static_cast<uint64_t>(size.width),
                               static_cast<uint64_t>(size.height), &pixels))
        return false;
    if (__builtin_mul_overflow(pixels, kLargestPixelBytes, &bytes)) return false;
    return bytes <= static_cast<uint64_t>(PTRDIFF_MAX);
}

}  // namespace

FrameSize ParseFrameSize(const std::string& text) {
    const size_t x = text.find_first_of("xX");
    FrameSize size{0, 0};
    if (x == std::string::npos || !ParseDimension(text.substr(0, x), &size.width) ||
        !ParseDimension(text.substr(x + 1), &size.height))
        throw ToolError(kExitUsage, "--size must be WxH with whole numbers from 1 to 2147483647, not \"" +
                                        text + "\"");
    if (!Addressable(size))
        throw ToolError(kExitUsage, "--size " + text + " is too large: a frame would not fit in memory");
    return size;
}

size_t FrameByteCount(FrameSize size) {
    if (size.width < 1 || size.height < 1 || !Addressable(size))
        throw ToolError(kExitBadData, "a frame of " + std::to_string(size.width) + "x" +
                                          std::to_string(size.height) + " would not fit in memory");
    return static_cast<size_t>(size.width) * static_cast<size_t>(size.height) * kBytesPerPixel;
}

}  // namespace quorrel
