// Whole frames out of a raw stream of back-to-back BGRA frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/input_source.h"

namespace quorrel {

struct FrameReadResult {
    enum Status { kWhole, kEnd, kShort } status;
    size_t bytes;  // bytes that arrived: the frame size, 0 at the end, fewer when short
};

class RawFrameReader {
public:
    RawFrameReader(InputSource& input, size_t frame_bytes) : input_(input), frame_bytes_(frame_bytes) {}

    // Reads the next frame into `frame` (frame_bytes long). kEnd when the
    // stream ended before it began, kShort when it ended inside it. Throws
    // ToolError on a read error.
    FrameReadResult Read(uint8_t* frame) {
        const size_t got = input_.ReadUpTo(frame, frame_bytes_);
        if (got == frame_bytes_) return {FrameReadResult::kWhole, got};
        return {got == 0 ? FrameReadResult::kEnd : FrameReadResult::kShort, got};
    }

private:
    InputSource& input_;
    size_t frame_bytes_;
};

// The message for a stream whose frame `number` (counted from 1) ended
// after `bytes` of `frame_bytes`.
std::string ShortFrameMessage(const std::string& stream, int64_t number, size_t bytes,
                              size_t frame_bytes);

}  // namespace quorrel
