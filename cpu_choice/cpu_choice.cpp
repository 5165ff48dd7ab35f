#include "cpu_choice/cpu_choice.h"

#include <cstdlib>

namespace quorrel {

CpuChoice ApplyCpuChoice(const char* flag) {
    std::string source = "--cpu";
    const char* text = flag;
    if (text == nullptr || *text == '\0') {
        text = std::getenv(kCpuEnvironmentVariable);
        source = kCpuEnvironmentVariable;
    }
    if (text == nullptr || *text == '\0') return CpuChoice{true, ActiveKernelLevel(), false, ""};

    KernelLevel level;
    if (!ParseKernelLevel(text, &level))
        return CpuChoice{false, ActiveKernelLevel(), false,
                         source + " \"" + text + "\" is not a level: use reference, sse2 or avx2"};
    if (!SetKernelLevelCap(level))
        return CpuChoice{false, ActiveKernelLevel(), true,
                         source + " asks for " + text + ", but this CPU runs at most " +
                             KernelLevelName(HighestSupportedKernelLevel())};
    return CpuChoice{true, ActiveKernelLevel(), false, ""};
}

}  // namespace quorrel
