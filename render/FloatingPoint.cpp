#include "render/FloatingPoint.h"

#include <cmath>

Extended RoundToSingleSignificand(Extended value) {
  if (value == 0 || !std::isfinite(value)) return value;
  int exponent = 0;
  const Extended fraction = std::frexp(value, &exponent);                 // value = fraction · 2^exponent
  const Extended significand = std::nearbyint(std::ldexp(fraction, 24));  // 24 bits, ties to even
  return std::ldexp(significand, exponent - 24);
}

float DegreesToRadians(Extended degrees) { return static_cast<float>(degrees * kPiExtended / 180); }
