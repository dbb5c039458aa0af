#pragma once
// The number types the renderer keeps visible: extended-precision bubble
// position and time step, 32-bit angles and vertex coordinates.

#include <numbers>

// The 80-bit extended type with x86 compilers that have it; elsewhere long
// double may be a plain double or wider. The renderer's formulas tolerate
// either, and its shortcuts follow the type's precision.
using Extended = long double;

constexpr Extended kPiExtended = std::numbers::pi_v<long double>;

// v rounded to a 24-bit significand, to nearest with ties to even, keeping the
// extended exponent range (so 1e300 + 2 stays finite): the bubble's advance
// keeps the precision of a single-precision sum while living in an extended variable.
Extended RoundToSingleSignificand(Extended value);

// a + b rounded once to a 24-bit significand, as a single-precision addition
// rounds it: the exact sum decides, not its extended-precision rounding (which
// could land on a tie that the exact sum is not on).
Extended RoundSumToSingleSignificand(Extended a, Extended b);

// Degrees × π ÷ 180, stored as a 32-bit float.
float DegreesToRadians(Extended degrees);
