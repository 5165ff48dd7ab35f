#include "cli/frame_file.h"

#include <cctype>
#include <vector>

#include "cli/png_codec.h"

namespace quorrel {

bool IsPngPath(const std::string& path) {
    static const char kSuffix[] = ".png";
    const size_t length = sizeof kSuffix - 1;
    if (path.size() < length) return false;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(path[path.size() - length + i]);
        if (std::tolower(c) != kSuffix[i]) return false;
    }
    return true;
}

void WriteFrame(OutputSink& output, const BgraImage& frame, bool as_png) {
    if (as_png) {
        const std::vector<uint8_t> file = EncodePng(frame);
        output.Write(file.data(), file.size());
    } else {
        output.Write(frame.pixels.data(), frame.pixels.size());
    }
}

}  // namespace quorrel
