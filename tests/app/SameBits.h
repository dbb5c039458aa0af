#pragma once
// Two extended floats compared by the bytes that hold the value: ten for the
// x87 type, whose remaining bytes are padding. NaNs and signed zeros count.

#include <cstring>
#include <limits>

#include "render/FloatingPoint.h"

inline bool SameBits(Extended a, Extended b) {
  constexpr std::size_t bytes = std::numeric_limits<Extended>::digits == 64 ? 10 : sizeof(Extended);
  return std::memcmp(&a, &b, bytes) == 0;
}
