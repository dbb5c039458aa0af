#pragma once
// Conversion of a field's text to a 32-bit signed integer, shared by every
// field read as a whole number.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// An error that is shown to the user as its message.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Accepts leading spaces, then either an optional sign and decimal digits in
// the 32-bit range, or "$", "x", "X", "0x", "0X" and hexadecimal digits read as
// a 32-bit two's-complement pattern; nothing may follow the last digit.
std::optional<std::int32_t> TryParseFieldInteger(std::string_view text);

// As above; throws ConversionError "'<text>' is not a valid integer value".
std::int32_t ParseFieldInteger(const std::string& text);
