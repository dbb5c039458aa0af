#include "render/FloatingPoint.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(RoundToSingleSignificandTest, RoundsLikeASinglePrecisionSum) {
  EXPECT_EQ(RoundToSingleSignificand(16777217.0L), 16777216.0L);  // tie: to even
  EXPECT_EQ(RoundToSingleSignificand(16777219.0L), 16777220.0L);  // tie: to even, upwards
  EXPECT_EQ(RoundToSingleSignificand(0.1L), static_cast<Extended>(0.1f));
  EXPECT_EQ(RoundToSingleSignificand(-2.5L), -2.5L);
  EXPECT_EQ(RoundToSingleSignificand(6.0L), 6.0L);
}

TEST(RoundToSingleSignificandTest, KeepsTheExtendedRangeAndSpecialValues) {
  const Extended huge = RoundToSingleSignificand(1e300L + 2);
  EXPECT_TRUE(std::isfinite(huge));  // a float would overflow here
  EXPECT_NEAR(static_cast<double>(huge / 1e300L), 1.0, 1e-7);
  EXPECT_EQ(RoundToSingleSignificand(INFINITY), INFINITY);
  EXPECT_TRUE(std::isnan(RoundToSingleSignificand(NAN)));
  EXPECT_TRUE(std::signbit(RoundToSingleSignificand(-0.0L)));
}

TEST(RoundSumToSingleSignificandTest, TheExactSumDecidesATie) {
  // 2^24 + 1 + 2^-40 rounds to the tie 2^24 + 1 in extended precision, but the
  // exact sum lies just past it: a single rounding gives 2^24 + 2.
  EXPECT_EQ(RoundSumToSingleSignificand(16777217.0L, 0x1p-40L), 16777218.0L);
  EXPECT_EQ(RoundSumToSingleSignificand(-16777217.0L, -0x1p-40L), -16777218.0L);
  EXPECT_EQ(RoundSumToSingleSignificand(16777217.0L, -0x1p-40L), 16777216.0L);
  EXPECT_EQ(RoundSumToSingleSignificand(16777216.0L, 1.0L), 16777216.0L);  // an exact tie: to even
  EXPECT_EQ(RoundSumToSingleSignificand(4.0L, 2.0L), 6.0L);
  EXPECT_EQ(RoundSumToSingleSignificand(0.1L, 0.2L), static_cast<Extended>(0.3f));
  EXPECT_EQ(RoundSumToSingleSignificand(INFINITY, 1.0L), INFINITY);
}

TEST(DegreesToRadiansTest, StoresA32BitAngle) {
  EXPECT_EQ(DegreesToRadians(180), static_cast<float>(M_PI));
  EXPECT_EQ(DegreesToRadians(0), 0.0f);
  EXPECT_EQ(DegreesToRadians(-90), -static_cast<float>(M_PI / 2));
}

}  // namespace
