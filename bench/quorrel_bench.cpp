// Google Benchmark of the frame run and its kernels at each kernel level,
// with memcpy of the same frame as the bandwidth bound and the reference
// order as the baseline. After the usual report it prints every figure as a
// ratio to the reference taken in the same run.
//
// QUORREL_CPU caps the highest level benchmarked.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_frames.h"
#include "processing/kernels.h"
#include "cpu_choice/cpu_choice.h"

namespace quorrel {
namespace bench {
namespace {

// Pixels per second of each benchmark, by name.
class RateCollector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0) continue;
            // CPU time of the process: on a shared machine it counts only
            // the time this thread ran, and on an idle one it is the wall time.
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            const auto pixels = run.counters.find("pixels");
            if (pixels == run.counters.end() || seconds <= 0) continue;
            rates[run.run_name.function_name] = pixels->second.value / seconds;
        }
    }
    std::map<std::string, double> rates;
};

std::map<std::string, std::shared_ptr<BenchFrame>>& Frames() {
    static std::map<std::string, std::shared_ptr<BenchFrame>> frames;
    return frames;
}

BenchFrame& FrameOf(const FrameSize& size) {
    std::shared_ptr<BenchFrame>& frame = Frames()[size.name];
    if (!frame) frame = std::make_shared<BenchFrame>(size);
    return *frame;
}

template <class Body>
void Register(const std::string& name, const FrameSize& size, Body body) {
    benchmark::RegisterBenchmark(name.c_str(), [size, body](benchmark::State& state) {
        BenchFrame& frame = FrameOf(size);
        body(frame);  // first touch of the buffers, outside the timing
        for (auto _ : state) body(frame);
        state.counters["pixels"] = static_cast<double>(frame.pixels());
        state.SetItemsProcessed(state.iterations() * frame.pixels());
    })->Unit(benchmark::kMillisecond);
}

std::vector<KernelLevel> Levels(KernelLevel highest) {
    std::vector<KernelLevel> levels;
    for (int32_t l = 0; l <= static_cast<int32_t>(highest); ++l) levels.push_back(static_cast<KernelLevel>(l));
    return levels;
}

void RegisterAll(KernelLevel highest) {
    for (const FrameSize& size : kFrameSizes) {
        const std::string at = std::string("/") + size.name;
        Register("memcpy" + at, size, [](BenchFrame& f) { f.Copy(); });
        for (KernelLevel level : Levels(highest)) {
            Register(std::string("run/") + KernelLevelName(level) + at, size, [level](BenchFrame& f) {
                SetKernelLevelCap(level);
                f.Run();
            });
        }
        Register("stage/reference/convert_in" + at, size, [](BenchFrame& f) { f.ReferenceConvertIn(); });
        Register("stage/reference/filter_rows" + at, size, [](BenchFrame& f) { f.ReferenceFilterRows(); });
        Register("stage/reference/convert_out" + at, size, [](BenchFrame& f) { f.ReferenceConvertOut(); });
        for (KernelLevel level : Levels(highest)) {
            if (level == KernelLevel::kReference) continue;
            const KernelSet* set = KernelsAt(level);
            Register(std::string("kernel/") + KernelLevelName(level) + "/forward_in" + at, size,
                     [set](BenchFrame& f) { f.ForwardInOnly(*set); });
            // Reads the pair stores as the forward kernel just above left them.
            Register(std::string("kernel/") + KernelLevelName(level) + "/backward_out" + at, size,
                     [set](BenchFrame& f) { f.BackwardOutOnly(*set); });
        }
    }
}

void PrintRatios(const std::map<std::string, double>& rates, KernelLevel highest) {
    auto rate = [&](const std::string& name) {
        const auto it = rates.find(name);
        return it == rates.end() ? 0.0 : it->second;
    };
    std::printf("\nSingle thread, Mpixel/s and ratio to the reference order in this run\n");
    std::printf("%-10s %16s", "frame", "reference");
    for (KernelLevel level : Levels(highest))
        if (level != KernelLevel::kReference) std::printf(" %18s", KernelLevelName(level));
    std::printf(" %18s\n", "memcpy");
    for (const FrameSize& size : kFrameSizes) {
        const std::string at = std::string("/") + size.name;
        const double reference = rate("run/reference" + at);
        if (reference <= 0) continue;
        std::printf("%-10s %11.1f Mpx/s", size.name, reference / 1e6);
        for (KernelLevel level : Levels(highest)) {
            if (level == KernelLevel::kReference) continue;
            const double r = rate(std::string("run/") + KernelLevelName(level) + at);
            std::printf(" %7.1f Mpx/s %4.1fx", r / 1e6, r / reference);
        }
        const double copy = rate("memcpy" + at);
        std::printf(" %7.0f Mpx/s %4.0fx\n", copy / 1e6, copy / reference);
    }
    std::printf("\nKernels over a whole frame, ns per pixel (1920x1080)\n");
    const std::string at = "/1920x1080";
    auto ns = [&](const std::string& name) {
        const double r = rate(name);
        return r > 0 ? 1e9 / r : 0.0;
    };
    std::printf("  reference  convert_in %.2f  filter_rows %.2f  convert_out %.2f\n",
                ns("stage/reference/convert_in" + at), ns("stage/reference/filter_rows" + at),
                ns("stage/reference/convert_out" + at));
    for (KernelLevel level : Levels(highest)) {
        if (level == KernelLevel::kReference) continue;
        const std::string name = KernelLevelName(level);
        std::printf("  %-9s  forward_in %.2f  backward_out %.2f\n", name.c_str(),
                    ns("kernel/" + name + "/forward_in" + at), ns("kernel/" + name + "/backward_out" + at));
    }
}

}  // namespace
}  // namespace bench
}  // namespace quorrel

int main(int argc, char** argv) {
    using namespace quorrel;
    const CpuChoice choice = ApplyCpuChoice(nullptr);
    if (!choice.ok) {
        std::fprintf(stderr, "%s\n", choice.error.c_str());
        return 2;
    }
    const KernelLevel highest = choice.level;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    bench::RegisterAll(highest);
    bench::RateCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    bench::PrintRatios(collector.rates, highest);
    benchmark::Shutdown();
    return 0;
}
