#pragma once
// The number types the renderer keeps visible: extended-precision bubble
// position and time step, 32-bit angles and vertex coordinates.

#include <numbers>

// The 80-bit extended type on x86 compilers that have it; a plain double
// elsewhere, which the renderer's formulas are written to tolerate.
using Extended = long double;

constexpr Extended kPiExtended = std::numbers::pi_v<long double>;

// v rounded to a 24-bit significand, to nearest with ties to even, keeping the
// extended exponent range (so 1e300 + 2 stays finite): the bubble's advance
// keeps the precision of a single-precision sum while living in an extended variable.
Extended RoundToSingleSignificand(Extended value);

// Degrees × π ÷ 180, stored as a 32-bit float.
float DegreesToRadians(Extended degrees);
