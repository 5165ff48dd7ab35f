#include "cli/stream_filter.h"

#include <memory>

#include "cli/raw_frame_reader.h"
#include "cli/task_thread.h"
#include "cli/tool_error.h"

namespace quorrel {
namespace {

std::unique_ptr<uint8_t[]> Buffer(size_t bytes) { return std::unique_ptr<uint8_t[]>(new uint8_t[bytes]); }

}  // namespace

int64_t FilterRawStream(InputSource& input, OutputSink& output, FrameRunner& runner,
                        size_t frame_bytes, ProgressMeter& progress) {
    // Two frames in and two out: while frame k is filtered from in[k % 2]
    // into out[k % 2], frame k + 1 arrives in the other input buffer and
    // frame k - 1 leaves from the other output buffer.
    // Left uninitialised: memory is touched only as frames arrive.
    std::unique_ptr<uint8_t[]> in[2] = {Buffer(frame_bytes), Buffer(frame_bytes)};
    std::unique_ptr<uint8_t[]> out[2] = {Buffer(frame_bytes), Buffer(frame_bytes)};
    RawFrameReader reader(input, frame_bytes);
    FrameReadResult next = reader.Read(in[0].get());
    // Declared after everything their jobs touch, so that on an error their
    // destructors wait for those jobs while the buffers still exist.
    TaskThread reading;
    TaskThread writing;

    int64_t frames = 0;
    while (next.status == FrameReadResult::kWhole) {
        const int current = static_cast<int>(frames % 2);
        uint8_t* following = in[1 - current].get();
        reading.Post([&reader, &next, following] { next = reader.Read(following); });
        runner.Run(in[current].get(), out[current].get());
        writing.Wait();
        const uint8_t* done = out[current].get();
        writing.Post([&output, done, frame_bytes] { output.Write(done, frame_bytes); });
        reading.Wait();
        ++frames;
        progress.FrameDone();
    }
    writing.Wait();
    progress.Finish();
    if (next.status == FrameReadResult::kShort)
        throw ToolError(kExitBadData, ShortFrameMessage(input.name(), frames + 1, next.bytes, frame_bytes));
    return frames;
}

}  // namespace quorrel
