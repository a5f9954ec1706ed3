#pragma once

#include <cstdint>

namespace common {

// The program's own flags and Boolean results: 16-bit integers, true with all
// bits set (-1) and false 0. A flag counts as true only when it holds -1.
using Boolean = std::int16_t;
constexpr Boolean kTrue = -1;
constexpr Boolean kFalse = 0;

}  // namespace common
