#include "cli/png_codec.h"

#include <spng.h>

#include <cstdlib>
#include <cstdint>
#include <memory>
#include <new>
#include <string>

#include "cli/tool_error.h"

namespace quorrel {
namespace {

struct ContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

// Deflate cannot expand its input more than about 1032 times, so a header
// that claims more pixel data than that from the whole file is a lie, and
// believing it would allocate gigabytes for a file of a few bytes.
constexpr uint64_t kDeflateMaxExpansion = 1032;

uint64_t ChannelsOf(uint8_t colour_type) {
    switch (colour_type) {
        case SPNG_COLOR_TYPE_TRUECOLOR: return 3;
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA: return 2;
        case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA: return 4;
        default: return 1;  // grey, palette
    }
}

bool FileCanHoldImage(const spng_ihdr& header, size_t file_size) {
    const uint64_t bits_per_row =
        uint64_t{header.width} * header.bit_depth * ChannelsOf(header.color_type);
    // At least the filter byte and the packed samples of every row.
    const uint64_t least_data = uint64_t{header.height} * (1 + (bits_per_row + 7) / 8);
    return least_data <= kDeflateMaxExpansion * (uint64_t{file_size} + 64);
}

}  // namespace

BgraImage DecodePng(const std::vector<uint8_t>& file, const std::string& name) {
    Context context(spng_ctx_new(0));
    if (!context) throw ToolError(kExitBadData, "cannot decode " + name + ": out of memory");
    auto fail = [&](int error) {
        return ToolError(kExitBadData, name + " is not a readable PNG: " + spng_strerror(error));
    };

    int error = spng_set_png_buffer(context.get(), file.data(), file.size());
    if (error != 0) throw fail(error);
    spng_ihdr header;
    error = spng_get_ihdr(context.get(), &header);
    if (error != 0) throw fail(error);

    if (!FileCanHoldImage(header, file.size())) {
        throw ToolError(kExitBadData, name + " is not a readable PNG: its header claims " +
                                          std::to_string(header.width) + "x" +
                                          std::to_string(header.height) +
                                          " pixels, more than its " +
                                          std::to_string(file.size()) + " bytes can hold");
    }

    BgraImage image;
    image.size = FrameSize{static_cast<int32_t>(header.width), static_cast<int32_t>(header.height)};
    const size_t frame_bytes = FrameByteCount(image.size);
    size_t decoded_bytes = 0;
    error = spng_decoded_image_size(context.get(), SPNG_FMT_RGBA8, &decoded_bytes);
    if (error != 0) throw fail(error);
    if (decoded_bytes != frame_bytes) throw fail(SPNG_EOVERFLOW);

    try {
        image.pixels.resize(frame_bytes);
    } catch (const std::bad_alloc&) {
        throw ToolError(kExitBadData, "cannot decode " + name + ": a " +
                                          std::to_string(header.width) + "x" +
                                          std::to_string(header.height) +
                                          " frame does not fit in memory");
    }
    error = spng_decode_image(context.get(), image.pixels.data(), frame_bytes, SPNG_FMT_RGBA8, 0);
    if (error != 0) throw fail(error);
    for (size_t i = 0; i < frame_bytes; i += 4) {
        const uint8_t red = image.pixels[i];
        image.pixels[i] = image.pixels[i + 2];
        image.pixels[i + 2] = red;
        image.pixels[i + 3] = 0;
    }
    return image;
}

std::vector<uint8_t> EncodePng(const BgraImage& image) {
    const size_t width = static_cast<size_t>(image.size.width);
    const size_t pixels = width * static_cast<size_t>(image.size.height);
    std::vector<uint8_t> rgb(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) {
        rgb[3 * i] = image.pixels[4 * i + 2];
        rgb[3 * i + 1] = image.pixels[4 * i + 1];
        rgb[3 * i + 2] = image.pixels[4 * i];
    }

    Context context(spng_ctx_new(SPNG_CTX_ENCODER));
    auto fail = [](int error) {
        return ToolError(kExitBadData, std::string("cannot encode the PNG: ") + spng_strerror(error));
    };
    if (!context) throw fail(SPNG_EMEM);
    spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header{};
    header.width = static_cast<uint32_t>(image.size.width);
    header.height = static_cast<uint32_t>(image.size.height);
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    int error = spng_set_ihdr(context.get(), &header);
    if (error == 0)
        error = spng_encode_image(context.get(), rgb.data(), rgb.size(), SPNG_FMT_PNG,
                                  SPNG_ENCODE_FINALIZE);
    if (error != 0) throw fail(error);
    size_t length = 0;
    void* buffer = spng_get_png_buffer(context.get(), &length, &error);
    if (buffer == nullptr) throw fail(error);
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
    std::vector<uint8_t> file(bytes, bytes + length);
    std::free(buffer);
    return file;
}

}  // namespace quorrel
