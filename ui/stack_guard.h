#pragma once

#include <cstdint>

// The stack protector's canary from a seed that differs at every start. The
// seed is folded, so that a 32-bit canary takes every part of it, and the low
// byte, which lies first in memory, is zero: a string copy that runs over a
// buffer cannot write that NUL and go on to write the rest back.
constexpr std::uintptr_t StackCanary(std::uint64_t seed) {
    return static_cast<std::uintptr_t>(seed ^ (seed >> 32)) & ~static_cast<std::uintptr_t>(0xFF);
}
