#include "render/FloatingPoint.h"

#include <cmath>

Extended RoundToSingleSignificand(Extended value) {
  if (value == 0 || !std::isfinite(value)) return value;
  int exponent = 0;
  const Extended fraction = std::frexp(value, &exponent);                 // value = fraction · 2^exponent
  const Extended significand = std::nearbyint(std::ldexp(fraction, 24));  // 24 bits, ties to even
  return std::ldexp(significand, exponent - 24);
}

Extended RoundSumToSingleSignificand(Extended a, Extended b) {
  const Extended sum = a + b;
  const Extended rounded = RoundToSingleSignificand(sum);
  if (!std::isfinite(sum) || sum == rounded) return rounded;
  const Extended bVirtual = sum - a;
  const Extended error = (a - (sum - bVirtual)) + (b - bVirtual);  // a + b = sum + error exactly
  const Extended offset = sum - rounded;                             // exact: the two are close
  const Extended half = std::ldexp(Extended(1), std::ilogb(sum) - 24);  // half a 24-bit ulp at sum
  // On a tie the exact sum lies past it when the error points away from the
  // rounded value: then the other neighbour is the nearer one.
  if (std::fabs(offset) == half && error != 0 && std::signbit(error) == std::signbit(offset))
    return rounded + 2 * offset;
  return rounded;
}

float DegreesToRadians(Extended degrees) { return static_cast<float>(degrees * kPiExtended / 180); }
