#include "cli/progress_meter.h"

#include <unistd.h>

#include <cstdio>

namespace quorrel {

ProgressMeter::ProgressMeter(bool wanted)
    : shown_(wanted && isatty(STDERR_FILENO)), start_(Clock::now()), last_draw_(start_) {}

void ProgressMeter::FrameDone() {
    ++frames_;
    if (!shown_) return;
    const Clock::time_point now = Clock::now();
    if (now - last_draw_ < std::chrono::milliseconds(250)) return;
    last_draw_ = now;
    Draw();
}

void ProgressMeter::Finish() {
    if (!shown_) return;
    Draw();
    std::fputc('\n', stderr);
    shown_ = false;
}

void ProgressMeter::Draw() {
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    const double rate = seconds > 0 ? frames_ / seconds : 0.0;
    std::fprintf(stderr, "\r%lld frames, %.1f frames/s ", static_cast<long long>(frames_), rate);
    std::fflush(stderr);
}

}  // namespace quorrel
