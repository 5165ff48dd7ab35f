// The kernel sets built for x86 instruction sets, each in its own file
// compiled with that set's flags. Only the ladder in kernels.cpp names them.
#pragma once

#include "processing/kernels.h"

namespace quorrel {

extern const KernelSet kReferenceRowKernels;
#ifdef QUORREL_X86_KERNELS
extern const KernelSet kSse2Kernels;
extern const KernelSet kAvx2Kernels;
#endif

}  // namespace quorrel
