// Calls a host-called function the way a careless 32-bit host may: with the
// stack off its 16-byte alignment.
#pragma once

#include "tests/win32/fake_host.h"

namespace quorrel_test {

// Calls callback(first, second) with the stack pointer 8 bytes (x86-64) or 4
// bytes (x86) away from what the ABI's 16-byte alignment gives.
int CallWithMisalignedStack(InstanceCallback callback, void* first, void* second);

// Returns 1 when it was entered with a stack off the ABI's 16-byte
// alignment, 0 otherwise; proves that the call above misaligns.
int __cdecl ReportMisalignedEntry(void* first, void* second);

}  // namespace quorrel_test
