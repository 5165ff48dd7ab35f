// What the running CPU and operating system offer the kernels.
#pragma once

namespace quorrel {

struct CpuFeatures {
    bool sse2;
    bool avx2;  // the instructions, and the OS saves the YMM state
};

// Asks the CPU (CPUID, XGETBV). All false on a processor that is not x86.
CpuFeatures DetectCpuFeatures();

}  // namespace quorrel
