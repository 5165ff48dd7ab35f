#include "cli/raw_frame_reader.h"

namespace quorrel {

std::string ShortFrameMessage(const std::string& stream, int64_t number, size_t bytes,
                              size_t frame_bytes) {
    return stream + " ends inside frame " + std::to_string(number) + ": it has " +
           std::to_string(bytes) + " of " + std::to_string(frame_bytes) + " bytes";
}

}  // namespace quorrel
