#include "tests/win32/misaligned_call.h"

#include <cstdint>

extern "C" int __cdecl QuorrelCallMisaligned(quorrel_test::InstanceCallback callback,
                                             void* first, void* second);

#if defined(__x86_64__)
// Windows x64: arguments in rcx, rdx, r8; 32 bytes of shadow space; rsp is a
// multiple of 16 at a correct call, here it is 8 off.
asm(R"(
    .text
    .globl QuorrelCallMisaligned
QuorrelCallMisaligned:
    pushq %rbp
    movq %rsp, %rbp
    andq $-16, %rsp
    subq $40, %rsp
    movq %rcx, %rax
    movq %rdx, %rcx
    movq %r8, %rdx
    call *%rax
    movq %rbp, %rsp
    popq %rbp
    ret
)");
#elif defined(__i386__)
// cdecl: arguments on the stack; esp is a multiple of 16 at a call the
// compiler would make, here it is 4 off.
asm(R"(
    .text
    .globl _QuorrelCallMisaligned
_QuorrelCallMisaligned:
    pushl %ebp
    movl %esp, %ebp
    andl $-16, %esp
    subl $12, %esp
    pushl 16(%ebp)
    pushl 12(%ebp)
    call *8(%ebp)
    movl %ebp, %esp
    popl %ebp
    ret
)");
#else
#error "x86 or x86-64 only"
#endif

namespace quorrel_test {

int CallWithMisalignedStack(InstanceCallback callback, void* first, void* second) {
    return QuorrelCallMisaligned(callback, first, second);
}

__attribute__((noinline)) int __cdecl ReportMisalignedEntry(void*, void*) {
    // The frame pointer sits two pointers below the caller's stack pointer
    // at the call: the saved frame pointer and the return address.
    const auto frame = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    return (frame + 2 * sizeof(void*)) % 16 != 0 ? 1 : 0;
}

}  // namespace quorrel_test
