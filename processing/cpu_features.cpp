#include "processing/cpu_features.h"

#include <cstdint>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#define QUORREL_X86_CPUID 1
#endif

namespace quorrel {

#ifdef QUORREL_X86_CPUID
namespace {

// XCR0, the state components the OS saves on a context switch. Encoded as
// bytes so that the file needs no -mxsave.
uint64_t ReadXcr0() {
    uint32_t low = 0;
    uint32_t high = 0;
    __asm__ volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<uint64_t>(high) << 32) | low;
}

}  // namespace

CpuFeatures DetectCpuFeatures() {
    CpuFeatures features{false, false};
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return features;
    features.sse2 = (edx & (1u << 26)) != 0;
    const bool osxsave = (ecx & (1u << 27)) != 0;
    const bool avx = (ecx & (1u << 28)) != 0;
    if (!features.sse2 || !osxsave || !avx) return features;
    // XMM (bit 1) and YMM (bit 2) state both saved.
    if ((ReadXcr0() & 0x6) != 0x6) return features;
    if (__get_cpuid_max(0, nullptr) < 7) return features;
    __cpuid_count(7, 0, eax, ebx, ecx, edx);
    features.avx2 = (ebx & (1u << 5)) != 0;
    return features;
}

#else

CpuFeatures DetectCpuFeatures() { return CpuFeatures{false, false}; }

#endif

}  // namespace quorrel
