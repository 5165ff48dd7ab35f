#include "cli/frame_size.h"

#include <gtest/gtest.h>

#include "cli/tool_error.h"

namespace quorrel {
namespace {

TEST(ParseFrameSize, ReadsWidthAndHeight) {
    const struct {
        const char* text;
        int32_t width, height;
    } cases[] = {
        {"1x1", 1, 1},
        {"1920x1080", 1920, 1080},
        {"3840X2160", 3840, 2160},
        {"007x08", 7, 8},
        {"2147483647x1", INT32_MAX, 1},
    };
    for (const auto& c : cases) {
        const FrameSize size = ParseFrameSize(c.text);
        EXPECT_EQ(size.width, c.width) << c.text;
        EXPECT_EQ(size.height, c.height) << c.text;
    }
}

TEST(ParseFrameSize, RejectsWhatIsNotAnAddressableSize) {
    const char* const cases[] = {
        "", "x", "5", "5x", "x5", "0x5", "5x0", "-1x5", "5x-1", "+5x5", " 5x5", "5x5 ",
        "5 x 5", "1e3x5", "0x10x5", "5x5x5", "axb", "2147483648x1", "99999999999x1",
        // Fits in 32 bits each, but not the bytes of a frame.
        "2147483647x2147483647",
    };
    for (const char* text : cases) {
        try {
            ParseFrameSize(text);
            ADD_FAILURE() << "accepted \"" << text << "\"";
        } catch (const ToolError& e) {
            EXPECT_EQ(e.exit_code(), kExitUsage) << text;
            EXPECT_NE(std::string(e.what()).find("--size"), std::string::npos) << e.what();
        }
    }
}

TEST(FrameByteCount, CountsFourBytesAPixel) {
    EXPECT_EQ(FrameByteCount(FrameSize{1920, 1080}), 1920u * 1080u * 4u);
    EXPECT_THROW(FrameByteCount(FrameSize{0, 5}), ToolError);
}

}  // namespace
}  // namespace quorrel
