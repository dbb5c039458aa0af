// Any bytes as the time step's text: the first byte picks the decimal
// separator (modulo the table, so "0" to "3" in the seed files), the rest is
// the text. The program's reader must agree with an independent reading (the
// syntax as a pattern, the value from the C library), and what it accepts is
// always a finite number.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "anim/ParseFieldFloat.h"
#include "tests/fuzz/FuzzFailure.h"

namespace {

// Separators that locales use, one of more than one byte (U+066B, Arabic),
// and none at all, which the reader takes as a full stop.
constexpr const char* kSeparators[] = {".", ",", "\u066B", ""};

std::string PatternLiteral(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// Built once for each separator: a pattern costs far more to build than to match.
const std::regex& Syntax(const std::string& separator) {
  static std::map<std::string, std::regex> patterns;
  auto found = patterns.find(separator);
  if (found == patterns.end()) {
    const std::string pattern = "^ *([+-]?)([0-9]*)(?:" + PatternLiteral(separator) + "([0-9]*))?([eE][+-]?[0-9]+)? *$";
    found = patterns.emplace(separator, std::regex(pattern)).first;
  }
  return found->second;
}

// Blanks, a sign, digits with at most one separator and at least one digit,
// an exponent, blanks; the number handed to strtold with a full stop. Values
// too large fail; those below the normal range become zero.
std::optional<Extended> IndependentReading(const std::string& text, std::string separator) {
  if (separator.empty()) separator = ".";
  std::smatch match;
  if (!std::regex_match(text, match, Syntax(separator)) || match[2].length() + match[3].length() == 0)
    return std::nullopt;
  const std::string number = match[1].str() + match[2].str() + "." + match[3].str() + match[4].str();
  errno = 0;
  const long double value = std::strtold(number.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;
  if (std::fabs(value) < LDBL_MIN) return std::copysign(0.0L, value);
  return static_cast<Extended>(value);
}

std::string Text(Extended value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.21Lg", static_cast<long double>(value));
  return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string separator = kSeparators[data[0] % std::size(kSeparators)];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::optional<Extended> value = TryParseFieldFloat(text, separator);
  if (value && !std::isfinite(*value)) FuzzFailure("accepted a value that is not finite: " + Text(*value));
  const std::optional<Extended> expected = IndependentReading(text, separator);
  if (value != expected)
    FuzzFailure("reader " + Outcome(value, Text) + ", independent reading " + Outcome(expected, Text));
  return 0;
}
