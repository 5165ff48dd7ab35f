// The raw stream path of `quorrel run` on any --size text and any stream:
// the stream arrives through a pipe in pieces of any size, and what comes
// out is every whole frame (filtered with the default taps, which keep the
// colour bytes), then, for a short tail, an error naming the frame and how
// many bytes it had. Frames too big to filter here still go through the
// reader, into a buffer of exactly the frame's size.
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "cli/frame_runner.h"
#include "cli/frame_size.h"
#include "cli/input_source.h"
#include "cli/output_sink.h"
#include "cli/progress_meter.h"
#include "cli/raw_frame_reader.h"
#include "cli/stream_filter.h"
#include "cli/tool_error.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

namespace quorrel {
namespace {

// Frames up to this size run through the whole filter.
constexpr size_t kLargestFilteredFrame = 64 * 1024;

// Feeds `bytes` into a pipe from a thread of its own, `piece` bytes per
// write (all at once for 0), and gives the reading end as a path that
// InputSource opens, as it opens a named pipe or /dev/stdin.
class PipeFeed {
public:
    PipeFeed(const uint8_t* bytes, size_t size, size_t piece) {
        int ends[2];
        FUZZ_CHECK(pipe(ends) == 0, "no pipe");
        read_end_ = ends[0];
        const int write_end = ends[1];
        writer_ = std::thread([=] {
            size_t done = 0;
            while (done < size) {
                const size_t want = piece == 0 || size - done < piece ? size - done : piece;
                const ssize_t put = write(write_end, bytes + done, want);
                if (put <= 0) break;  // the reader gave up: nothing more to check here
                done += static_cast<size_t>(put);
            }
            close(write_end);
        });
    }
    ~PipeFeed() {
        close(read_end_);
        writer_.join();
    }
    std::string path() const { return "/proc/self/fd/" + std::to_string(read_end_); }

private:
    int read_end_;
    std::thread writer_;
};

// Standard output goes to an in-memory file while it lives.
class CapturedStdout {
public:
    CapturedStdout() : file_(memfd_create("quorrel-fuzz-out", 0)), saved_(dup(STDOUT_FILENO)) {
        FUZZ_CHECK(file_ >= 0 && saved_ >= 0, "cannot capture standard output");
        dup2(file_, STDOUT_FILENO);
    }
    ~CapturedStdout() {
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
        close(file_);
    }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> bytes(static_cast<size_t>(lseek(file_, 0, SEEK_END)));
        if (!bytes.empty()) FUZZ_CHECK(pread(file_, bytes.data(), bytes.size(), 0) ==
                                           static_cast<ssize_t>(bytes.size()),
                                       "cannot read the captured output");
        return bytes;
    }

private:
    int file_;
    int saved_;
};

void CheckShortMessage(const std::string& message, const std::string& name, int64_t frame,
                       size_t tail, size_t frame_bytes) {
    FUZZ_CHECK(message.find(name) != std::string::npos, "message \"%s\" does not name the stream",
               message.c_str());
    FUZZ_CHECK(message.find("frame " + std::to_string(frame)) != std::string::npos,
               "message \"%s\" does not name frame %lld", message.c_str(),
               static_cast<long long>(frame));
    FUZZ_CHECK(message.find(std::to_string(tail) + " of " + std::to_string(frame_bytes)) !=
                   std::string::npos,
               "message \"%s\" does not say %zu of %zu bytes", message.c_str(), tail, frame_bytes);
}

void CheckFiltered(FrameSize size, size_t frame_bytes, int threads, const uint8_t* stream,
                   size_t length, size_t piece) {
    const size_t whole = length / frame_bytes;
    const size_t tail = length % frame_bytes;
    InstanceData defaults;
    InitInstance(&defaults);
    FrameRunner runner(defaults, size, threads);
    PipeFeed feed(stream, length, piece);
    InputSource input(feed.path());
    std::string failure;
    int64_t frames = -1;
    std::vector<uint8_t> out;
    {
        CapturedStdout captured;
        {
            OutputSink output("-");
            ProgressMeter progress(false);
            try {
                frames = FilterRawStream(input, output, runner, frame_bytes, progress);
            } catch (const ToolError& error) {
                FUZZ_CHECK(error.exit_code() == kExitBadData, "exit code %d", error.exit_code());
                failure = error.what();
            }
        }
        out = captured.Bytes();
    }

    FUZZ_CHECK(out.size() == whole * frame_bytes, "%zu bytes of %zu-byte frames gave %zu bytes out",
               length, frame_bytes, out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        const uint8_t expected = i % 4 == 3 ? 0 : stream[i];
        FUZZ_CHECK(out[i] == expected, "byte %zu is %u, not %u", i, out[i], expected);
    }
    if (tail == 0) {
        FUZZ_CHECK(failure.empty(), "a stream of %zu whole frames failed: %s", whole, failure.c_str());
        FUZZ_CHECK(frames == static_cast<int64_t>(whole), "%zu frames counted as %lld", whole,
                   static_cast<long long>(frames));
    } else {
        FUZZ_CHECK(!failure.empty(), "a tail of %zu bytes passed", tail);
        CheckShortMessage(failure, input.name(), static_cast<int64_t>(whole) + 1, tail, frame_bytes);
    }
}

// A frame buffer of exactly `bytes`, reserved but backed only where the
// reader writes.
class FrameBuffer {
public:
    explicit FrameBuffer(size_t bytes) : bytes_(bytes) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        data_ = p == MAP_FAILED ? nullptr : static_cast<uint8_t*>(p);
    }
    ~FrameBuffer() {
        if (data_ != nullptr) munmap(data_, bytes_);
    }
    uint8_t* data() const { return data_; }

private:
    size_t bytes_;
    uint8_t* data_;
};

void CheckRead(size_t frame_bytes, const uint8_t* stream, size_t length, size_t piece) {
    FrameBuffer frame(frame_bytes);
    if (frame.data() == nullptr) return;  // not even address space for it
    PipeFeed feed(stream, length, piece);
    InputSource input(feed.path());
    RawFrameReader reader(input, frame_bytes);
    size_t offset = 0;
    for (;;) {
        const FrameReadResult result = reader.Read(frame.data());
        const size_t expected = length - offset < frame_bytes ? length - offset : frame_bytes;
        FUZZ_CHECK(result.bytes == expected, "at %zu of %zu: %zu bytes, not %zu", offset, length,
                   result.bytes, expected);
        FUZZ_CHECK(std::memcmp(frame.data(), stream + offset, expected) == 0,
                   "the frame at %zu differs from the stream", offset);
        offset += expected;
        if (expected == frame_bytes) {
            FUZZ_CHECK(result.status == FrameReadResult::kWhole, "a whole frame reads as %d",
                       result.status);
            continue;
        }
        FUZZ_CHECK(result.status == (expected == 0 ? FrameReadResult::kEnd : FrameReadResult::kShort),
                   "%zu bytes of %zu read as %d", expected, frame_bytes, result.status);
        break;
    }
}

}  // namespace
}  // namespace quorrel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorrel;
    // A reader that stops early must not kill the process through the pipe.
    signal(SIGPIPE, SIG_IGN);
    FuzzInput input(data, size);
    const std::string size_text = input.Text(input.Byte() % 24);
    const size_t piece = input.Byte();
    const int threads = input.Between(1, 3);

    FrameSize frame_size{};
    size_t frame_bytes = 0;
    try {
        frame_size = ParseFrameSize(size_text);
        frame_bytes = FrameByteCount(frame_size);
    } catch (const ToolError& error) {
        FUZZ_CHECK(std::strlen(error.what()) > 0, "\"%s\" refused without a message",
                   size_text.c_str());
        return 0;
    }
    FUZZ_CHECK(frame_bytes == static_cast<size_t>(frame_size.width) *
                                  static_cast<size_t>(frame_size.height) * 4,
               "--size %s gives %zu-byte frames", size_text.c_str(), frame_bytes);
    if (frame_bytes <= kLargestFilteredFrame)
        CheckFiltered(frame_size, frame_bytes, threads, input.rest(), input.left(), piece);
    else
        CheckRead(frame_bytes, input.rest(), input.left(), piece);
    return 0;
}
