#include "anim/ParseFieldFloat.h"

#include <charconv>
#include <cstdint>

#include "render/ParseFieldInteger.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The accepted text rewritten for std::from_chars: digits, '.', 'e', signs.
struct Normalised {
  bool negative = false;
  std::string number;
  std::int64_t magnitude = 0;  // decimal exponent of the first non-zero digit, saturated
  bool zero = true;            // no non-zero digit at all
};

class Scanner {
 public:
  Scanner(std::string_view text, std::string_view separator) : text_(text), separator_(separator) {}

  std::optional<Normalised> Scan() {
    SkipSpaces();
    if (Accept('-')) result_.negative = true;
    else Accept('+');
    if (!ScanMantissa()) return std::nullopt;
    if ((Accept('e') || Accept('E')) && !ScanExponent()) return std::nullopt;
    SkipSpaces();
    if (position_ != text_.size()) return std::nullopt;
    result_.magnitude = Saturate(static_cast<long double>(integerDigits_) + static_cast<long double>(exponent_));
    return result_;
  }

 private:
  bool Accept(char c) {
    if (position_ < text_.size() && text_[position_] == c) {
      ++position_;
      return true;
    }
    return false;
  }

  bool AcceptSeparator() {
    if (text_.substr(position_).starts_with(separator_)) {
      position_ += separator_.size();
      return true;
    }
    return false;
  }

  void SkipSpaces() {
    while (Accept(' ')) {
    }
  }

  bool ScanMantissa() {
    bool digits = false;
    bool fraction = false;
    while (position_ < text_.size()) {
      const char c = text_[position_];
      if (IsDigit(c)) {
        AddMantissaDigit(c, fraction);
        digits = true;
        ++position_;
      } else if (!fraction && AcceptSeparator()) {
        result_.number += '.';
        fraction = true;
      } else {
        break;
      }
    }
    return digits;
  }

  // Tracks the decimal exponent of the first non-zero digit, so that a value
  // out of range can be told apart as too large or too small.
  void AddMantissaDigit(char c, bool fraction) {
    result_.number += c;
    if (result_.zero && c != '0') result_.zero = false;
    if (result_.zero && fraction) --integerDigits_;  // a leading zero after the separator
    if (!result_.zero && !fraction) ++integerDigits_;
  }

  bool ScanExponent() {
    result_.number += 'e';
    bool negative = false;
    if (Accept('-')) negative = true;
    else Accept('+');
    if (negative) result_.number += '-';
    bool digits = false;
    while (position_ < text_.size() && IsDigit(text_[position_])) {
      result_.number += text_[position_];
      exponent_ = SaturatedDigit(exponent_, text_[position_] - '0');
      digits = true;
      ++position_;
    }
    if (negative) exponent_ = -exponent_;
    return digits;
  }

  static std::int64_t SaturatedDigit(std::int64_t value, int digit) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 60;
    return value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
  }

  static std::int64_t Saturate(long double value) {
    constexpr long double kLimit = static_cast<long double>(std::int64_t{1} << 61);
    if (value > kLimit) return std::int64_t{1} << 61;
    if (value < -kLimit) return -(std::int64_t{1} << 61);
    return static_cast<std::int64_t>(value);
  }

  std::string_view text_;
  std::string_view separator_;
  std::size_t position_ = 0;
  std::int64_t integerDigits_ = 0;  // significant digits before the separator, or minus the zeros after it
  std::int64_t exponent_ = 0;
  Normalised result_;
};

}  // namespace

std::optional<Extended> TryParseFieldFloat(std::string_view text, std::string_view decimalSeparator) {
  if (decimalSeparator.empty()) decimalSeparator = ".";
  const std::optional<Normalised> scanned = Scanner(text, decimalSeparator).Scan();
  if (!scanned) return std::nullopt;
  Extended value = 0;
  const char* first = scanned->number.data();
  const char* last = first + scanned->number.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (end != last) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    if (scanned->magnitude > 0) return std::nullopt;  // too large for the extended type
    value = 0;                                         // too small: underflows to zero
  } else if (error != std::errc{}) {
    return std::nullopt;
  }
  return scanned->negative ? -value : value;
}

Extended ParseFieldFloat(const std::string& text, std::string_view decimalSeparator) {
  if (const std::optional<Extended> value = TryParseFieldFloat(text, decimalSeparator)) return *value;
  throw ConversionError("'" + text + "' is not a valid floating point value");
}
