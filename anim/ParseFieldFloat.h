#pragma once
// Conversion of a field's text to an extended float, with the user's decimal
// separator. Only the time step is read this way.

#include <optional>
#include <string>
#include <string_view>

#include "render/FloatingPoint.h"

// Accepts leading and trailing spaces around an optional sign, decimal digits
// with at most one decimal separator (at least one digit), and an optional
// exponent of "E" or "e", an optional sign and digits. Values beyond the
// extended range fail; values too small for it become zero.
std::optional<Extended> TryParseFieldFloat(std::string_view text, std::string_view decimalSeparator);

// As above; throws ConversionError "'<text>' is not a valid floating point value".
Extended ParseFieldFloat(const std::string& text, std::string_view decimalSeparator);
