#include "cli/frame_runner.h"

#include <gtest/gtest.h>

#include "cli/tool_error.h"
#include "tests/cli/core_run.h"

namespace quorrel {
namespace {

// Strips of rows must give the very bytes of one instance on the whole
// frame: for any thread count, heights that do not divide evenly, more
// threads than rows, and rows too narrow to filter.
TEST(FrameRunner, EveryThreadCountMatchesOneInstanceOnTheWholeFrame) {
    const InstanceData taps = SmoothingTaps();
    const FrameSize sizes[] = {{1, 1}, {3, 2}, {9, 1}, {17, 5}, {64, 7}, {40, 31}};
    const int thread_counts[] = {1, 2, 3, 4, 8, 40};
    uint32_t seed = 1;
    for (const FrameSize size : sizes) {
        const std::vector<uint8_t> frame = RandomBytes(FrameByteCount(size), seed++);
        const std::vector<uint8_t> expected = RunCore(taps, size, frame);
        for (const int threads : thread_counts) {
            SCOPED_TRACE(testing::Message() << size.width << "x" << size.height << ", "
                                            << threads << " threads");
            FrameRunner runner(taps, size, threads);
            EXPECT_EQ(runner.strip_count(), std::min(threads, size.height));
            std::vector<uint8_t> out(frame.size(), 0xEE);
            // Twice: the second frame must not depend on what the first left behind.
            runner.Run(frame.data(), out.data());
            runner.Run(frame.data(), out.data());
            EXPECT_EQ(out, expected);
        }
    }
}

TEST(FrameRunner, RefusesAFrameTheCoreCannotStart) {
    const InstanceData taps = SmoothingTaps();
    try {
        FrameRunner runner(taps, FrameSize{INT32_MAX, INT32_MAX}, 2);
        ADD_FAILURE() << "started";
    } catch (const ToolError& e) {
        EXPECT_EQ(e.exit_code(), kExitBadData);
    }
}

}  // namespace
}  // namespace quorrel
