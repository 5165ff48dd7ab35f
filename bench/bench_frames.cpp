#include "bench/bench_frames.h"

#include <cstring>
#include <random>
#include <stdexcept>

#include "processing/color_convert.h"
#include "processing/row_filter.h"

namespace quorrel {
namespace bench {

const FrameSize kFrameSizes[3] = {
    {640, 480, "640x480"}, {1920, 1080, "1920x1080"}, {3840, 2160, "3840x2160"}};

BenchFrame::BenchFrame(FrameSize size)
    : size_(size),
      source_(static_cast<size_t>(size.width) * size.height * 4),
      destination_(source_.size()) {
    InitInstance(&instance_);
    instance_.y_a = CoefficientSet{{0, -410, 0, 0}};
    instance_.y_b = CoefficientSet{{154, 307, 153, 0}};
    instance_.uv_a = CoefficientSet{{0, -717, 0, 0}};
    instance_.uv_b = CoefficientSet{{77, 153, 77, 0}};
    if (StartInstance(&instance_, size.width, size.height) != 0) {
        EndInstance(&instance_);
        throw std::runtime_error("cannot allocate the working frames");
    }
    std::mt19937 random(1);
    for (uint8_t& b : source_) b = static_cast<uint8_t>(random());
}

BenchFrame::~BenchFrame() { EndInstance(&instance_); }

void BenchFrame::Run() {
    const Rgb32Frame source{source_.data(), size_.width, size_.height, 0};
    const Rgb32Frame destination{destination_.data(), size_.width, size_.height, 0};
    RunInstance(&instance_, source, destination);
}

void BenchFrame::Copy() { std::memcpy(destination_.data(), source_.data(), source_.size()); }

void BenchFrame::ForwardInOnly(const KernelSet& set) {
    const FilterTaps taps = TapsOf(instance_);
    const int32_t bias = ChromaBias(taps.uv_a, taps.uv_b);
    const ptrdiff_t stride = static_cast<ptrdiff_t>(size_.width) * 4;
    const uint8_t* rows[kMaxKernelLanes];
    for (int32_t row = 0; row + set.lanes <= size_.height; row += set.lanes) {
        for (int32_t l = 0; l < set.lanes; ++l) rows[l] = source_.data() + stride * (row + l);
        set.forward_in(rows, size_.width, taps, bias, instance_.third, instance_.first);
    }
}

void BenchFrame::BackwardOutOnly(const KernelSet& set) {
    const FilterTaps taps = TapsOf(instance_);
    const int32_t bias = ChromaBias(taps.uv_a, taps.uv_b);
    const ptrdiff_t stride = static_cast<ptrdiff_t>(size_.width) * 4;
    uint8_t* rows[kMaxKernelLanes];
    for (int32_t row = 0; row + set.lanes <= size_.height; row += set.lanes) {
        for (int32_t l = 0; l < set.lanes; ++l) rows[l] = destination_.data() + stride * (row + l);
        set.backward_out(instance_.third, instance_.first, size_.width, taps, bias, rows, set.lanes);
    }
}

void BenchFrame::ReferenceConvertIn() {
    ConvertRgb32ToWork(source_.data(), instance_.first, size_.width, size_.height, 0);
}

void BenchFrame::ReferenceFilterRows() {
    FilterRows(instance_.first, instance_.second, instance_.third, size_.width, size_.height,
               instance_.y_a, instance_.y_b, instance_.uv_a, instance_.uv_b);
}

void BenchFrame::ReferenceConvertOut() {
    ConvertWorkToRgb32(instance_.second, destination_.data(), size_.width, size_.height, 0);
}

}  // namespace bench
}  // namespace quorrel
