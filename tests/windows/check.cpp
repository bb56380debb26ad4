#include "tests/windows/check.h"

#include <windows.h>

#include <cstdio>

// How far the stack pointer moved across call(context): 0 unless a function below it removed
// more or fewer argument bytes than its caller expected, which is what a calling-convention
// mismatch does on 32-bit Windows.
extern "C" std::intptr_t stackShiftAcross(void (*call)(void*),
                                          void* context) __asm__("kelvoStackShiftAcross");

#if defined(__x86_64__)
// call arrives in rcx and context in rdx; rbx, which every callee keeps, holds the stack pointer
// of before the call. The 32 bytes below it are the callee's shadow space.
__asm__(R"(
    .text
    .globl kelvoStackShiftAcross
kelvoStackShiftAcross:
    pushq %rbx
    subq $32, %rsp
    movq %rsp, %rbx
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    movq %rsp, %rax
    subq %rbx, %rax
    movq %rbx, %rsp
    addq $32, %rsp
    popq %rbx
    retq
)");
#elif defined(__i386__)
// call and context arrive on the stack; context is passed on the stack to a cdecl call, which
// leaves it there. ebx, which every callee keeps, holds the stack pointer of before the call.
__asm__(R"(
    .text
    .globl kelvoStackShiftAcross
kelvoStackShiftAcross:
    pushl %ebx
    movl 8(%esp), %eax
    movl 12(%esp), %ecx
    pushl %ecx
    movl %esp, %ebx
    calll *%eax
    movl %esp, %eax
    subl %ebx, %eax
    movl %ebx, %esp
    addl $4, %esp
    popl %ebx
    retl
)");
#else
#error "the stack check knows x86_64 and i686 only"
#endif

namespace {

const char* const architecture = sizeof(void*) == 8 ? "x86_64" : "i686";

int passedCount = 0;
int failedCount = 0;
std::string callUnderWay = "the test program";

LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception)
{
    std::printf("FAIL: %s crashed (exception %08lx)\n", callUnderWay.c_str(),
                exception->ExceptionRecord->ExceptionCode);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Lines after the first line up under it.
std::string indented(const std::string& text)
{
    std::string lines;
    for (const char character : text)
        lines += character == '\n' ? std::string("\n            ") : std::string(1, character);
    return lines;
}

} // namespace

void check(bool passed, const std::string& what)
{
    if (passed) {
        ++passedCount;
        return;
    }
    ++failedCount;
    std::printf("FAIL: %s\n", what.c_str());
}

void checkEqual(const std::string& actual, const std::string& expected, const std::string& what)
{
    check(actual == expected,
          what + "\n  expected: " + indented(expected) + "\n  actual:   " + indented(actual));
}

void checkEqual(long long actual, long long expected, const std::string& what)
{
    checkEqual(std::to_string(actual), std::to_string(expected), what);
}

void checkStackKeptAcross(const std::string& what, void (*call)(void*), void* context)
{
    callUnderWay = what;
    const std::intptr_t shift = stackShiftAcross(call, context);
    callUnderWay = "the test program";
    check(shift == 0, what + " moved the stack pointer by " + std::to_string(shift) + " bytes");
}

void reportCrashes()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(reportCrash);
}

int closingReport()
{
    std::printf("%s: %d passed, %d failed\n", architecture, passedCount, failedCount);
    return failedCount == 0 ? 0 : 1;
}
