#include "render/FrameRateText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// value > 0 and finite, as 0.d1d2 × 10^N, d1 not 0; digits without a trailing 0.
struct TwoDigits {
  std::string digits;
  int n;
};

TwoDigits RoundToTwoDigits(double value) {
  char buffer[32];
  // "d.de±x": correctly rounded, and independent of the C locale.
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 1);
  const std::string text(buffer, result.ptr);
  std::string digits{text[0], text[2]};
  if (digits[1] == '0') digits.pop_back();
  const int exponent = std::atoi(text.c_str() + text.find('e') + 1);
  return {digits, exponent + 1};
}

std::string Scientific(const TwoDigits& r, const std::string& separator) {
  std::string text(1, r.digits[0]);
  if (r.digits.size() > 1) text += separator + r.digits[1];
  return text + "E" + std::to_string(r.n - 1);
}

std::string Fixed(const TwoDigits& r, const std::string& separator) {
  if (r.n <= 0) return "0" + separator + std::string(static_cast<std::size_t>(-r.n), '0') + r.digits;
  std::string digits = r.digits;
  if (static_cast<int>(digits.size()) < r.n) digits.append(static_cast<std::size_t>(r.n) - digits.size(), '0');
  std::string text = digits.substr(0, static_cast<std::size_t>(r.n));
  if (static_cast<int>(digits.size()) > r.n) text += separator + digits.substr(static_cast<std::size_t>(r.n));
  return text;
}

}  // namespace

std::string FormatGeneral2(double value, const std::string& decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  if (value < 0) return std::string(1, '-').append(FormatGeneral2(-value, decimalSeparator));
  const TwoDigits rounded = RoundToTwoDigits(value);
  if (rounded.n > 2 || rounded.n < -3) return Scientific(rounded, decimalSeparator);
  return Fixed(rounded, decimalSeparator);
}

std::string FrameRateText(double elapsedMilliseconds, const std::string& decimalSeparator) {
  const double rate = elapsedMilliseconds == 0 ? HUGE_VAL : 1000.0 / elapsedMilliseconds;
  return FormatGeneral2(rate, decimalSeparator) + " FPS";
}
