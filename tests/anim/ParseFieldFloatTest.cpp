#include "anim/ParseFieldFloat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string_view>

#include "render/ParseFieldInteger.h"

namespace {

struct Accepted {
  const char* text;
  const char* separator;
  Extended value;
};

class ParseFieldFloatAccepts : public ::testing::TestWithParam<Accepted> {};

TEST_P(ParseFieldFloatAccepts, ToTheExactExtendedValue) {
  const Accepted& c = GetParam();
  const std::optional<Extended> value = TryParseFieldFloat(c.text, c.separator);
  ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
  EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseFieldFloatAccepts,
    ::testing::Values(Accepted{"2", ".", 2}, Accepted{"0.5", ".", 0.5L}, Accepted{"0,5", ",", 0.5L},
                      Accepted{"-1.5", ".", -1.5L}, Accepted{"+3", ".", 3}, Accepted{"  7  ", ".", 7},
                      Accepted{".25", ".", 0.25L}, Accepted{"4.", ".", 4}, Accepted{"1e3", ".", 1000},
                      Accepted{"1.5E-2", ".", 0.015L}, Accepted{"2e+2", ".", 200}, Accepted{"007", ".", 7},
                      Accepted{"0.1", ".", 0.1L},  // correctly rounded in extended precision, not via double
                      Accepted{"1e-5000", ".", 0}, Accepted{"0e99999999999999999999", ".", 0},
                      Accepted{"1\u066B5", "\u066B", 1.5L}));  // a separator of more than one byte

TEST(ParseFieldFloatTest, RejectsEverythingElse) {
  for (const char* text : {"", "   ", "-", "+", ".", "e5", ".e5", "1e", "1e+", "1.2.3", "1,5", "- 1", "1 5",
                           "abc", "1x", "0x10", "$10", "\t1", "1e5000", "-1e5000", "inf", "nan", "1..", "++1"}) {
    EXPECT_FALSE(TryParseFieldFloat(text, ".").has_value()) << '"' << text << '"';
  }
  EXPECT_FALSE(TryParseFieldFloat("0.5", ",").has_value());
  using namespace std::string_view_literals;
  for (const std::string_view text : {"1.5\0"sv, "\0" "1.5"sv, "1\0" "e5"sv})  // a NUL byte does not end the text
    EXPECT_FALSE(TryParseFieldFloat(text, ".").has_value()) << testing::PrintToString(std::string(text));
}

TEST(ParseFieldFloatTest, LargestAndSmallestMagnitudes) {
  EXPECT_EQ(TryParseFieldFloat("1.18e4932", "."), 1.18e4932L);
  EXPECT_FALSE(TryParseFieldFloat("1.19e4932", ".").has_value());
  EXPECT_FALSE(TryParseFieldFloat("0.0000012e4938", ".").has_value());
  EXPECT_EQ(TryParseFieldFloat("100000e-4936", "."), 1e-4931L);
  EXPECT_EQ(TryParseFieldFloat("-1e-4940", "."), 0);  // below the normal range
}

TEST(ParseFieldFloatTest, ThrowsTheConversionErrorNamingTheText) {
  EXPECT_EQ(ParseFieldFloat("-2.5", "."), -2.5L);
  try {
    ParseFieldFloat("1,5", ".");
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'1,5' is not a valid floating point value");
  }
  EXPECT_THROW(ParseFieldFloat("", "."), ConversionError);
}

}  // namespace
