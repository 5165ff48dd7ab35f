// Chooses the kernel level for a program: from its --cpu value, else from
// the QUORREL_CPU environment variable, else the best the CPU runs. Used by
// the command-line tool, the test programs and the benchmarks; the module
// never reads either.
#pragma once

#include <string>

#include "processing/kernels.h"

namespace quorrel {

struct CpuChoice {
    bool ok;
    KernelLevel level;  // active after the call, when ok
    // When not ok: why. `unsupported` tells a known level this CPU cannot run
    // from a name that is no level at all.
    bool unsupported;
    std::string error;
};

constexpr const char* kCpuEnvironmentVariable = "QUORREL_CPU";

// `flag` is the --cpu value, or null or empty when none was given. Applies
// the cap when the choice is ok; otherwise nothing changes.
CpuChoice ApplyCpuChoice(const char* flag);

}  // namespace quorrel
