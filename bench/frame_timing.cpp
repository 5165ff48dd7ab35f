// A plain timing of the frame run at each kernel level, for builds without
// Google Benchmark: the cross-built Windows programs, run under wine, give
// the module's own figures. Prints Mpixel/s and the ratio to the reference
// order, each the best of several rounds taken in this one run. Rounds are
// timed in the thread's CPU time, so that other work on a shared machine
// does not count; on an idle one that is the wall time.
//
//   quorrel_timing [seconds per figure, default 1]
// QUORREL_CPU caps the highest level timed.
#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_frames.h"
#include "processing/kernels.h"
#include "cpu_choice/cpu_choice.h"

namespace quorrel {
namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;  // 100 ns units
#else
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}

// Best pixels per CPU second over rounds of at least 0.2 s each (the CPU
// clock of some systems ticks only every 10-16 ms).
template <class Body>
double BestRate(BenchFrame& frame, double seconds, Body body) {
    body(frame);  // first touch of the buffers
    double best = 0;
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                      std::chrono::duration<double>(seconds));
    do {
        const double start = ThreadCpuSeconds();
        int64_t frames = 0;
        double elapsed = 0;
        do {
            body(frame);
            ++frames;
            elapsed = ThreadCpuSeconds() - start;
        } while (elapsed < 0.2);
        const double rate = static_cast<double>(frames * frame.pixels()) / elapsed;
        if (rate > best) best = rate;
    } while (Clock::now() < end);
    return best;
}

}  // namespace
}  // namespace bench
}  // namespace quorrel

int main(int argc, char** argv) {
    using namespace quorrel;
    using namespace quorrel::bench;
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    if (!(seconds > 0)) {
        std::fprintf(stderr, "usage: quorrel_timing [seconds per figure]\n");
        return 2;
    }
    const CpuChoice choice = ApplyCpuChoice(nullptr);
    if (!choice.ok) {
        std::fprintf(stderr, "%s\n", choice.error.c_str());
        return 2;
    }
    const int32_t highest = static_cast<int32_t>(choice.level);
    std::printf("Single thread, %d-bit build, Mpixel/s and ratio to the reference order\n",
                static_cast<int>(sizeof(void*) * 8));
    std::printf("%-10s %12s", "frame", "reference");
    for (int32_t l = 1; l <= highest; ++l)
        std::printf(" %18s", KernelLevelName(static_cast<KernelLevel>(l)));
    std::printf(" %18s\n", "memcpy");
    for (const FrameSize& size : kFrameSizes) {
        BenchFrame frame(size);
        std::vector<double> rates;
        for (int32_t l = 0; l <= highest; ++l) {
            const KernelLevel level = static_cast<KernelLevel>(l);
            rates.push_back(BestRate(frame, seconds, [level](BenchFrame& f) {
                SetKernelLevelCap(level);
                f.Run();
            }));
        }
        const double copy = BestRate(frame, seconds, [](BenchFrame& f) { f.Copy(); });
        std::printf("%-10s %6.1f Mpx/s", size.name, rates[0] / 1e6);
        for (int32_t l = 1; l <= highest; ++l)
            std::printf(" %7.1f Mpx/s %4.1fx", rates[l] / 1e6, rates[l] / rates[0]);
        std::printf(" %7.0f Mpx/s %4.0fx\n", copy / 1e6, copy / rates[0]);
        std::fflush(stdout);
    }
    return 0;
}
