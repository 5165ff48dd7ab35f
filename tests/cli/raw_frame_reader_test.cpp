#include "cli/raw_frame_reader.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli/tool_error.h"

namespace quorrel {
namespace {

// A file of `bytes` bytes counting up from 0.
std::string TemporaryFileWith(size_t bytes) {
    char name[] = "/tmp/quorrel-raw-XXXXXX";
    close(mkstemp(name));
    std::ofstream out(name, std::ios::binary);
    for (size_t i = 0; i < bytes; ++i) out.put(static_cast<char>(i));
    return name;
}

TEST(RawFrameReader, SplitsAStreamIntoWholeFramesAndAShortTail) {
    constexpr size_t kFrame = 12;
    const struct {
        size_t stream_bytes;
        int whole_frames;
        size_t tail;  // 0: the stream ends on a frame boundary
    } cases[] = {{0, 0, 0}, {12, 1, 0}, {36, 3, 0}, {5, 0, 5}, {25, 2, 1}, {35, 2, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stream_bytes);
        const std::string path = TemporaryFileWith(c.stream_bytes);
        InputSource input(path);
        RawFrameReader reader(input, kFrame);
        std::vector<uint8_t> frame(kFrame);
        for (int k = 0; k < c.whole_frames; ++k) {
            const FrameReadResult result = reader.Read(frame.data());
            ASSERT_EQ(result.status, FrameReadResult::kWhole);
            EXPECT_EQ(frame[0], static_cast<uint8_t>(k * kFrame)) << "frames arrive in order";
        }
        const FrameReadResult last = reader.Read(frame.data());
        EXPECT_EQ(last.status, c.tail == 0 ? FrameReadResult::kEnd : FrameReadResult::kShort);
        EXPECT_EQ(last.bytes, c.tail);
        std::remove(path.c_str());
    }
}

TEST(InputSource, AMissingFileIsNamed) {
    try {
        InputSource input("/nonexistent/in.raw");
        ADD_FAILURE() << "opened";
    } catch (const ToolError& e) {
        EXPECT_EQ(e.exit_code(), kExitBadData);
        EXPECT_NE(std::string(e.what()).find("/nonexistent/in.raw"), std::string::npos);
    }
}

}  // namespace
}  // namespace quorrel
