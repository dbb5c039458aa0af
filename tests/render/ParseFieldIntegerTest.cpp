#include "render/ParseFieldInteger.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "ParseFieldIntegerOracle.h"

namespace {

struct Accepted {
  const char* text;
  std::int32_t value;
};

TEST(ParseFieldIntegerTest, AcceptedTextsGiveTheirValue) {
  const Accepted cases[] = {
      {"0", 0}, {"-0", 0}, {"+0", 0}, {"150", 150}, {"-150", -150}, {"+42", 42}, {"0007", 7},
      {"   12", 12}, {" -3", -3}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"00000000000000000000001", 1},
      {"$B4", 180}, {"$b4", 180}, {"xB4", 180}, {"XB4", 180}, {"0xB4", 180}, {"0XB4", 180}, {"  $10", 16},
      {"$FFFFFFFF", -1}, {"$80000000", -2147483647 - 1}, {"$7FFFFFFF", 2147483647}, {"$000000000001", 1},
      {"0x0", 0},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseFieldInteger(c.text), c.value);
  }
}

TEST(ParseFieldIntegerTest, RejectedTextsRaiseTheMessageWithTheText) {
  const char* cases[] = {
      "", " ", "   ", "-", "+", "$", "x", "0x", "0X", "12 ", " 12 ", "1 2", "\t12", "12\n", "1.5", "1e3",
      "abc", "12a", "2147483648", "-2147483649", "99999999999999999999", "$100000000", "$G", "-$10", "+$10",
      "-0x10", "0x-1", "--1", "+-1", "0xx1", "$$1", "１２",  // full-width digits are not digits here
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    try {
      ParseFieldInteger(text);
      ADD_FAILURE() << "accepted";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

// A NUL byte is a character like any other: the text does not end there.
TEST(ParseFieldIntegerTest, ANulByteIsNotTheEndOfTheText) {
  using namespace std::string_view_literals;
  for (const std::string_view text : {"12\0"sv, "\0" "12"sv, "1\0" "2"sv, "$1F\0"sv, " \0" "5"sv})
    EXPECT_FALSE(TryParseFieldInteger(text).has_value()) << testing::PrintToString(std::string(text));
}

TEST(ParseFieldIntegerTest, RandomTextsConvertOrRaiseTheExactMessage) {
  std::mt19937 random(20261211);
  const std::string likely = " +-$xX0123456789abcdefABCDEF";
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int length = round % 100 == 0 ? 5000 : static_cast<int>(random() % 14);
    for (int i = 0; i < length; ++i) {
      const auto pick = random() % 10;
      text += pick < 8 ? likely[random() % likely.size()] : static_cast<char>(1 + random() % 255);  // controls, high bytes
    }
    SCOPED_TRACE(testing::PrintToString(text));
    const auto expected = ParseFieldIntegerOracle(text);
    try {
      const std::int32_t value = ParseFieldInteger(text);
      ASSERT_TRUE(expected.has_value());
      ASSERT_EQ(value, *expected);
    } catch (const ConversionError& error) {
      ASSERT_FALSE(expected.has_value());
      ASSERT_EQ(error.what(), "'" + text + "' is not a valid integer value");
    }
  }
}

}  // namespace
