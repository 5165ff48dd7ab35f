// What the benchmark and the timing program share: a test frame, and the
// frame run and the kernels timed at one level.
#pragma once

#include <cstdint>
#include <vector>

#include "processing/instance.h"
#include "processing/kernels.h"

namespace quorrel {
namespace bench {

struct FrameSize {
    int32_t width;
    int32_t height;
    const char* name;
};
extern const FrameSize kFrameSizes[3];  // 640x480, 1920x1080, 3840x2160

// A started instance with a smoothing filter and a noisy source frame.
class BenchFrame {
  public:
    explicit BenchFrame(FrameSize size);
    ~BenchFrame();
    BenchFrame(const BenchFrame&) = delete;
    BenchFrame& operator=(const BenchFrame&) = delete;

    int64_t pixels() const { return static_cast<int64_t>(size_.width) * size_.height; }
    // One frame through RunInstance at the active level.
    void Run();
    // The same bytes copied: the bandwidth bound.
    void Copy();
    // Only one kernel of `set` over every group of the frame.
    void ForwardInOnly(const KernelSet& set);
    void BackwardOutOnly(const KernelSet& set);
    // Only one stage of the whole-frame reference order.
    void ReferenceConvertIn();
    void ReferenceFilterRows();
    void ReferenceConvertOut();

  private:
    FrameSize size_;
    InstanceData instance_;
    std::vector<uint8_t> source_;
    std::vector<uint8_t> destination_;
};

}  // namespace bench
}  // namespace quorrel
