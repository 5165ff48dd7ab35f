// PNG input of `quorrel run` on any bytes: either a frame whose pixels fill
// it exactly, with byte 3 cleared, or a bad-data error that names the file.
// A decoded frame written out and read back gives the same pixels, so the
// reader and the writer agree on every colour type the reader accepts.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "cli/png_codec.h"
#include "cli/tool_error.h"
#include "fuzz/fuzz_check.h"

namespace quorrel {
namespace {

const char kName[] = "fuzz.png";

void CheckFrame(const BgraImage& image, const char* what) {
    FUZZ_CHECK(image.size.width >= 1 && image.size.height >= 1, "%s: a %dx%d frame", what,
               image.size.width, image.size.height);
    FUZZ_CHECK(image.pixels.size() == static_cast<size_t>(image.size.width) *
                                          static_cast<size_t>(image.size.height) * 4,
               "%s: %zu bytes for %dx%d", what, image.pixels.size(), image.size.width,
               image.size.height);
    for (size_t i = 3; i < image.pixels.size(); i += 4)
        FUZZ_CHECK(image.pixels[i] == 0, "%s: byte 3 of pixel %zu is %u", what, i / 4,
                   image.pixels[i]);
}

}  // namespace
}  // namespace quorrel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorrel;
    const std::vector<uint8_t> file(data, data + size);
    BgraImage image;
    try {
        image = DecodePng(file, kName);
    } catch (const ToolError& error) {
        FUZZ_CHECK(error.exit_code() == kExitBadData, "exit code %d", error.exit_code());
        FUZZ_CHECK(std::strstr(error.what(), kName) != nullptr, "\"%s\" does not name the file",
                   error.what());
        return 0;
    }
    CheckFrame(image, "decoded");

    const BgraImage again = DecodePng(EncodePng(image), "written.png");
    CheckFrame(again, "written and read back");
    FUZZ_CHECK(again.size.width == image.size.width && again.size.height == image.size.height,
               "%dx%d comes back as %dx%d", image.size.width, image.size.height, again.size.width,
               again.size.height);
    FUZZ_CHECK(again.pixels == image.pixels, "the %dx%d frame changed on the way out and back",
               image.size.width, image.size.height);
    return 0;
}
