// The canary of GCC's stack protector (-fstack-protector-strong), kept here
// rather than taken from libssp: that one would make the program import
// advapi32 and load a cryptographic provider at every start to seed it.
#include <windows.h>

#include <cstdint>

#include "ui/stack_guard.h"

extern "C" {

// Each protected function keeps a copy on its stack and compares it on return.
std::uintptr_t __stack_chk_guard = StackCanary(0x2B992DDFA232ull);

// A copy that no longer matches: the stack was overwritten. Nothing of the
// program may run any more, so the process ends at once.
[[noreturn]] __attribute__((no_stack_protector)) void __stack_chk_fail() {
    constexpr UINT kStackBufferOverrun = 0xC0000409;  // STATUS_STACK_BUFFER_OVERRUN
    TerminateProcess(GetCurrentProcess(), kStackBufferOverrun);
    __builtin_trap();
}
}

namespace {

// Seeds the canary before the program's own code runs, from values that
// differ from one start to the next: the times, the ids, and where the
// stack lies (its address changes at every start).
__attribute__((constructor, no_stack_protector)) void SeedStackGuard() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    std::uint64_t seed = static_cast<std::uint64_t>(counter.QuadPart);
    seed ^= (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    seed ^= static_cast<std::uint64_t>(GetCurrentProcessId()) << 32;
    seed ^= static_cast<std::uint64_t>(GetCurrentThreadId()) << 16;
    seed ^= GetTickCount();
    seed ^= reinterpret_cast<std::uintptr_t>(&counter);
    __stack_chk_guard = StackCanary(seed);
}

}  // namespace
