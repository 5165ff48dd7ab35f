#include "cli/png_codec.h"

#include <spng.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/tool_error.h"

namespace quorrel {
namespace {

struct ContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

// Packs samples into PNG rows as the PNG itself stores them: sub-byte
// samples high bits first, 16-bit samples in host order as spng takes them.
std::vector<uint8_t> PackRows(const std::vector<uint16_t>& samples, int depth, size_t row_samples) {
    std::vector<uint8_t> bytes;
    for (size_t start = 0; start < samples.size(); start += row_samples) {
        if (depth == 16) {
            for (size_t i = 0; i < row_samples; ++i) {
                uint8_t pair[2];
                std::memcpy(pair, &samples[start + i], 2);
                bytes.insert(bytes.end(), pair, pair + 2);
            }
            continue;
        }
        int used = 8;
        for (size_t i = 0; i < row_samples; ++i) {
            if (used == 8) {
                bytes.push_back(0);
                used = 0;
            }
            used += depth;
            bytes.back() |= static_cast<uint8_t>(samples[start + i] << (8 - used));
        }
    }
    return bytes;
}

// Writes a 2x2 PNG of the given type with spng itself.
std::vector<uint8_t> TinyPng(uint8_t color_type, uint8_t depth, const std::vector<uint16_t>& samples,
                             const std::vector<uint32_t>& palette) {
    Context context(spng_ctx_new(SPNG_CTX_ENCODER));
    spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header{};
    header.width = 2;
    header.height = 2;
    header.bit_depth = depth;
    header.color_type = color_type;
    EXPECT_EQ(spng_set_ihdr(context.get(), &header), 0);
    if (!palette.empty()) {
        spng_plte plte{};
        plte.n_entries = static_cast<uint32_t>(palette.size());
        for (size_t i = 0; i < palette.size(); ++i) {
            plte.entries[i].red = static_cast<uint8_t>(palette[i] >> 16);
            plte.entries[i].green = static_cast<uint8_t>(palette[i] >> 8);
            plte.entries[i].blue = static_cast<uint8_t>(palette[i]);
        }
        EXPECT_EQ(spng_set_plte(context.get(), &plte), 0);
    }
    std::vector<uint8_t> rows = PackRows(samples, depth, samples.size() / 2);
    EXPECT_EQ(spng_encode_image(context.get(), rows.data(), rows.size(), SPNG_FMT_PNG,
                                SPNG_ENCODE_FINALIZE),
              0);
    size_t length = 0;
    int error = 0;
    void* buffer = spng_get_png_buffer(context.get(), &length, &error);
    std::vector<uint8_t> file(static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + length);
    std::free(buffer);
    return file;
}

std::vector<uint8_t> Bgra(const std::vector<uint32_t>& rgb) {
    std::vector<uint8_t> bytes;
    for (uint32_t c : rgb) {
        const uint8_t pixel[4] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                  static_cast<uint8_t>(c >> 16), 0};
        bytes.insert(bytes.end(), pixel, pixel + 4);
    }
    return bytes;
}

TEST(DecodePng, ReadsEveryColourTypeAsTopDownBgraWithoutAlpha) {
    const uint8_t G = SPNG_COLOR_TYPE_GRAYSCALE, GA = SPNG_COLOR_TYPE_GRAYSCALE_ALPHA,
                  RGB = SPNG_COLOR_TYPE_TRUECOLOR, RGBA = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA,
                  P = SPNG_COLOR_TYPE_INDEXED;
    const std::vector<uint32_t> palette = {0x090807, 0x646E78, 0xFF0080};
    const struct {
        const char* name;
        uint8_t color_type;
        uint8_t depth;
        std::vector<uint16_t> samples;  // 4 pixels, top-left first
        std::vector<uint32_t> expected;  // 0xRRGGBB each
    } cases[] = {
        {"grey 1", G, 1, {1, 0, 0, 1}, {0xFFFFFF, 0, 0, 0xFFFFFF}},
        {"grey 4", G, 4, {15, 1, 8, 0}, {0xFFFFFF, 0x111111, 0x888888, 0}},
        {"grey 8", G, 8, {10, 200, 0, 255}, {0x0A0A0A, 0xC8C8C8, 0, 0xFFFFFF}},
        {"grey 16", G, 16, {0x1234, 0xABCD, 0x0000, 0xFFFF}, {0x121212, 0xABABAB, 0, 0xFFFFFF}},
        {"grey+alpha 8", GA, 8, {10, 0, 200, 255, 30, 128, 40, 7}, {0x0A0A0A, 0xC8C8C8, 0x1E1E1E, 0x282828}},
        {"grey+alpha 16", GA, 16, {0x1234, 0, 0xABCD, 0xFFFF, 0x0000, 0x8000, 0xFFFF, 0x0707},
         {0x121212, 0xABABAB, 0, 0xFFFFFF}},
        {"rgb 8", RGB, 8, {1, 2, 3, 250, 251, 252, 0, 128, 255, 9, 8, 7},
         {0x010203, 0xFAFBFC, 0x0080FF, 0x090807}},
        {"rgb 16", RGB, 16,
         {0x0102, 0x0304, 0x0506, 0xFAFF, 0xFB00, 0xFC10, 0, 0x8000, 0xFFFF, 0x0900, 0x0800, 0x0700},
         {0x010305, 0xFAFBFC, 0x0080FF, 0x090807}},
        {"rgba 8", RGBA, 8, {1, 2, 3, 0, 250, 251, 252, 255, 0, 128, 255, 1, 9, 8, 7, 128},
         {0x010203, 0xFAFBFC, 0x0080FF, 0x090807}},
        {"rgba 16", RGBA, 16,
         {0x0102, 0x0304, 0x0506, 0, 0xFAFF, 0xFB00, 0xFC10, 0xFFFF, 0, 0x8000, 0xFFFF, 1, 0x0900,
          0x0800, 0x0700, 0x8000},
         {0x010305, 0xFAFBFC, 0x0080FF, 0x090807}},
        {"palette 2", P, 2, {1, 0, 2, 1}, {0x646E78, 0x090807, 0xFF0080, 0x646E78}},
        {"palette 8", P, 8, {2, 2, 0, 1}, {0xFF0080, 0xFF0080, 0x090807, 0x646E78}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> file =
            TinyPng(c.color_type, c.depth, c.samples, c.color_type == P ? palette : std::vector<uint32_t>{});
        const BgraImage image = DecodePng(file, "tiny.png");
        EXPECT_EQ(image.size.width, 2);
        EXPECT_EQ(image.size.height, 2);
        EXPECT_EQ(image.pixels, Bgra(c.expected));
    }
}

TEST(EncodePng, WritesEightBitRgbThatReadsBackExactly) {
    BgraImage image;
    image.size = FrameSize{3, 2};
    image.pixels = {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99, 250, 251, 252, 99, 0, 0, 0, 99, 255, 255, 255, 99};
    const std::vector<uint8_t> file = EncodePng(image);

    Context context(spng_ctx_new(0));
    spng_set_png_buffer(context.get(), file.data(), file.size());
    spng_ihdr header;
    ASSERT_EQ(spng_get_ihdr(context.get(), &header), 0);
    EXPECT_EQ(header.color_type, SPNG_COLOR_TYPE_TRUECOLOR);
    EXPECT_EQ(header.bit_depth, 8);

    const BgraImage back = DecodePng(file, "out.png");
    std::vector<uint8_t> expected = image.pixels;
    for (size_t i = 3; i < expected.size(); i += 4) expected[i] = 0;
    EXPECT_EQ(back.pixels, expected);
}

TEST(DecodePng, RefusesDataThatIsNotAWholePng) {
    BgraImage image;
    image.size = FrameSize{8, 8};
    image.pixels.assign(8 * 8 * 4, 77);
    const std::vector<uint8_t> whole = EncodePng(image);
    const std::vector<std::vector<uint8_t>> bad = {
        {},
        {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'},
        std::vector<uint8_t>(whole.begin(), whole.begin() + 40),
        std::vector<uint8_t>(whole.begin(), whole.end() - 20),
    };
    for (const std::vector<uint8_t>& file : bad) {
        try {
            DecodePng(file, "broken.png");
            ADD_FAILURE() << "decoded " << file.size() << " bytes";
        } catch (const ToolError& e) {
            EXPECT_EQ(e.exit_code(), kExitBadData);
            EXPECT_NE(std::string(e.what()).find("broken.png"), std::string::npos) << e.what();
        }
    }
}

uint32_t Crc32(const uint8_t* data, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A valid PNG whose header is rewritten, with a correct checksum, to claim
// another size than its data holds.
std::vector<uint8_t> WithClaimedSize(std::vector<uint8_t> file, uint32_t width, uint32_t height) {
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    put(29, Crc32(file.data() + 12, 17));  // over "IHDR" and its 13 bytes
    return file;
}

// A few bytes must not make the decoder reserve gigabytes for a frame whose
// data cannot be there.
TEST(DecodePng, RefusesAHeaderLargerThanTheFileCanHold) {
    BgraImage image;
    image.size = FrameSize{4, 4};
    image.pixels.assign(4 * 4 * 4, 9);
    const std::vector<uint8_t> small = EncodePng(image);
    const std::pair<uint32_t, uint32_t> claims[] = {{60000, 60000}, {5, 1694498819}};
    for (const auto& claim : claims) {
        try {
            DecodePng(WithClaimedSize(small, claim.first, claim.second), "liar.png");
            ADD_FAILURE() << "decoded a claimed " << claim.first << "x" << claim.second;
        } catch (const ToolError& e) {
            EXPECT_EQ(e.exit_code(), kExitBadData);
            EXPECT_NE(std::string(e.what()).find("more than its"), std::string::npos) << e.what();
        }
    }
    // The same rewrite to the true size still decodes.
    EXPECT_EQ(DecodePng(WithClaimedSize(small, 4, 4), "true.png").pixels.size(), 64u);
}

}  // namespace
}  // namespace quorrel
