#pragma once
// An independent reading of the field integer rule: a pattern for the text
// and the C library for the value. Much slower than ParseFieldInteger and
// written apart from it, so the tests and the fuzz target can hold the two
// against each other.

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

inline std::optional<std::int32_t> ParseFieldIntegerOracle(const std::string& text) {
  static const std::regex decimal("^ *([+-]?[0-9]+)$");
  static const std::regex hex("^ *(\\$|x|X|0x|0X)([0-9a-fA-F]+)$");
  std::smatch match;
  if (std::regex_match(text, match, decimal)) {
    errno = 0;
    const long long value = std::strtoll(match[1].str().c_str(), nullptr, 10);
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  if (std::regex_match(text, match, hex)) {
    errno = 0;
    const unsigned long long value = std::strtoull(match[2].str().c_str(), nullptr, 16);
    if (errno == ERANGE || value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  return std::nullopt;
}
