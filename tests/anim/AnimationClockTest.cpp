#include "anim/AnimationClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class AnimationClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BubblePosition = 0;
    TimeStep = kDefaultTimeStep;
  }
};

TEST(ToggledCaptionTest, DrawGraphStartsAndEverythingElseStops) {
  EXPECT_EQ(ToggledCaption("Draw Graph"), "Stop Drawing");
  EXPECT_EQ(ToggledCaption("Stop Drawing"), "Draw Graph");
  EXPECT_EQ(ToggledCaption("draw graph"), "Draw Graph");
  EXPECT_EQ(ToggledCaption(""), "Draw Graph");
}

TEST_F(AnimationClockTest, AdvancesOnlyWhileTheCaptionReadsStopDrawingExactly) {
  for (const char* caption : {"Draw Graph", "stop drawing", "Stop Drawing ", ""}) {
    AdvanceBubble(caption);
    EXPECT_EQ(BubblePosition, 0) << '"' << caption << '"';
  }
  for (int tick = 0; tick < 3; ++tick) AdvanceBubble("Stop Drawing");
  EXPECT_EQ(BubblePosition, 6);
}

TEST_F(AnimationClockTest, NegativeAndFractionalStepsAreKept) {
  TimeStep = 0.5L;
  AdvanceBubble(kStopDrawingCaption);
  TimeStep = -1.25L;
  AdvanceBubble(kStopDrawingCaption);
  EXPECT_EQ(BubblePosition, -0.75L);
}

// The sum keeps 24 significant bits: past 2^24 a step of 1 rounds to even and
// the bubble stops moving, while the variable itself stays extended.
TEST_F(AnimationClockTest, SumIsRoundedToASingleSignificand) {
  TimeStep = 0.1L;
  AdvanceBubble(kStopDrawingCaption);
  EXPECT_EQ(BubblePosition, static_cast<Extended>(0.1f));

  BubblePosition = 16777216.0L;  // 2^24
  TimeStep = 1;
  AdvanceBubble(kStopDrawingCaption);
  EXPECT_EQ(BubblePosition, 16777216.0L);

  BubblePosition = 1e300L;  // beyond float's range: the extended exponent is kept
  AdvanceBubble(kStopDrawingCaption);
  EXPECT_TRUE(std::isfinite(BubblePosition));
}

}  // namespace
