// Runs frames through the core, with the rows of each frame split into
// horizontal strips that run at the same time, one started instance each.
// Rows never affect each other, so the result does not depend on the split.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "cli/frame_size.h"
#include "cli/task_thread.h"
#include "processing/instance.h"

namespace quorrel {

class FrameRunner {
public:
    // Starts min(threads, height) instances with the taps of `taps`, each
    // for its strip of a `size` frame. Throws ToolError(kExitBadData) when
    // the core cannot start one.
    FrameRunner(const InstanceData& taps, FrameSize size, int threads);
    ~FrameRunner();  // ends every instance
    FrameRunner(const FrameRunner&) = delete;
    FrameRunner& operator=(const FrameRunner&) = delete;

    // Filters one top-down BGRA frame of the size given at construction.
    // `source` and `destination` must not overlap.
    void Run(const uint8_t* source, uint8_t* destination);

    int strip_count() const { return static_cast<int>(strips_.size()); }

private:
    struct Strip {
        InstanceData instance;
        int32_t first_row;
        int32_t rows;
    };
    void RunStrip(Strip& strip, const uint8_t* source, uint8_t* destination);

    FrameSize size_;
    std::vector<Strip> strips_;
    // Strip 0 runs on the calling thread, strip k on helpers_[k - 1].
    std::vector<std::unique_ptr<TaskThread>> helpers_;
};

}  // namespace quorrel
