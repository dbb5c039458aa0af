#include "render/FrameRateText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Caption {
  double elapsedMilliseconds;
  const char* text;
};

TEST(FrameRateTextTest, ElapsedMillisecondsGiveTheCaption) {
  const Caption cases[] = {
      {1, "1E3 FPS"},      {7, "1.4E2 FPS"},    {10, "1E2 FPS"},     {11, "91 FPS"},
      {15, "67 FPS"},      {20, "50 FPS"},      {40, "25 FPS"},      {105, "9.5 FPS"},
      {200, "5 FPS"},      {2000, "0.5 FPS"},   {100000, "0.01 FPS"}, {0, "INF FPS"},
      {0.37, "2.7E3 FPS"}, {0.001, "1E6 FPS"},  {1e7, "0.0001 FPS"}, {1.2e8, "8.3E-6 FPS"},
      {10.05, "1E2 FPS"},  // 99.5 rounds up into the next decade
  };
  for (const Caption& c : cases) {
    SCOPED_TRACE(c.elapsedMilliseconds);
    EXPECT_EQ(FrameRateText(c.elapsedMilliseconds, "."), c.text);
  }
}

TEST(FrameRateTextTest, UsesTheLocaleDecimalSeparator) {
  EXPECT_EQ(FrameRateText(105, ","), "9,5 FPS");
  EXPECT_EQ(FrameRateText(7, ","), "1,4E2 FPS");
  EXPECT_EQ(FrameRateText(2000, ","), "0,5 FPS");
}

TEST(FrameRateTextTest, NonFiniteAndSignedValuesStayReadable) {
  EXPECT_EQ(FormatGeneral2(-25, "."), "-25");
  EXPECT_EQ(FormatGeneral2(-HUGE_VAL, "."), "-INF");
  EXPECT_EQ(FormatGeneral2(std::nan(""), "."), "NAN");
  EXPECT_EQ(FormatGeneral2(0, "."), "0");
}

}  // namespace
