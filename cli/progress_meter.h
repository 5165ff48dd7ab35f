// Frames done and frames per second on standard error while a stream runs,
// only when standard error is a terminal.
#pragma once

#include <chrono>
#include <cstdint>

namespace quorrel {

class ProgressMeter {
public:
    // Shows nothing unless `wanted` and standard error is a terminal.
    explicit ProgressMeter(bool wanted);
    ~ProgressMeter() { Finish(); }  // a message that follows starts on its own line
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    // One more frame is done; redraws the line now and then.
    void FrameDone();

    // Draws the final count and ends the line.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    void Draw();

    bool shown_;
    int64_t frames_ = 0;
    Clock::time_point start_;
    Clock::time_point last_draw_;
};

}  // namespace quorrel
