#include "render/ParseFieldInteger.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Hex digits up to the end; the value must fit in 32 bits (leading zeros are free).
std::optional<std::int32_t> ParseHexDigits(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));  // two's-complement pattern
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
  std::uint64_t magnitude = 0;
  for (char c : text) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    if (magnitude > limit) return std::nullopt;  // stops long texts before they overflow
  }
  const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> TryParseFieldInteger(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  if (text.front() == '$' || text.front() == 'x' || text.front() == 'X') return ParseHexDigits(text.substr(1));
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHexDigits(text.substr(2));
  return ParseDecimal(text);
}

std::int32_t ParseFieldInteger(const std::string& text) {
  if (const auto value = TryParseFieldInteger(text)) return *value;
  throw ConversionError("'" + text + "' is not a valid integer value");
}
