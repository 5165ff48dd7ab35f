#include "cli/frame_runner.h"

#include <algorithm>
#include <exception>
#include <string>

#include "cli/tool_error.h"

namespace quorrel {

FrameRunner::FrameRunner(const InstanceData& taps, FrameSize size, int threads) : size_(size) {
    const int32_t count = std::max(1, std::min<int32_t>(threads, size.height));
    strips_.reserve(static_cast<size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        // Rows k*h/n up to (k+1)*h/n: strips differ by at most one row.
        const int64_t h = size.height;
        const int32_t first = static_cast<int32_t>(h * k / count);
        const int32_t end = static_cast<int32_t>(h * (k + 1) / count);
        Strip strip{};
        InitInstance(&strip.instance);
        strip.instance.y_a = taps.y_a;
        strip.instance.y_b = taps.y_b;
        strip.instance.uv_a = taps.uv_a;
        strip.instance.uv_b = taps.uv_b;
        strip.first_row = first;
        strip.rows = end - first;
        strips_.push_back(strip);
        if (StartInstance(&strips_.back().instance, size.width, strip.rows) != 0) {
            for (Strip& started : strips_) EndInstance(&started.instance);
            throw ToolError(kExitBadData, "cannot start the filter for " + std::to_string(size.width) +
                                              "x" + std::to_string(size.height) +
                                              " frames: out of memory");
        }
    }
    try {
        for (int32_t k = 1; k < count; ++k) helpers_.push_back(std::make_unique<TaskThread>());
    } catch (const std::exception& e) {
        helpers_.clear();
        for (Strip& started : strips_) EndInstance(&started.instance);
        throw ToolError(kExitBadData, std::string("cannot start the filter threads: ") + e.what());
    }
}

FrameRunner::~FrameRunner() {
    helpers_.clear();
    for (Strip& strip : strips_) EndInstance(&strip.instance);
}

void FrameRunner::RunStrip(Strip& strip, const uint8_t* source, uint8_t* destination) {
    const size_t offset = static_cast<size_t>(strip.first_row) * static_cast<size_t>(size_.width) *
                          kBytesPerPixel;
    const Rgb32Frame in{const_cast<uint8_t*>(source + offset), size_.width, strip.rows, 0};
    const Rgb32Frame out{destination + offset, size_.width, strip.rows, 0};
    RunInstance(&strip.instance, in, out);
}

void FrameRunner::Run(const uint8_t* source, uint8_t* destination) {
    for (size_t k = 1; k < strips_.size(); ++k) {
        Strip* strip = &strips_[k];
        helpers_[k - 1]->Post([this, strip, source, destination] { RunStrip(*strip, source, destination); });
    }
    RunStrip(strips_[0], source, destination);
    for (auto& helper : helpers_) helper->Wait();
}

}  // namespace quorrel
