#include "FrameDump.h"

#include <gtest/gtest.h>

namespace {

// The program's surface and the straightforward one must send the very same
// calls, vertex for vertex, whatever the fields hold.
TEST(FrameDumpTest, FastAndReferenceSurfacesSendTheSameFrame) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"BubblePosition=30"},
      {"BubblePosition=3"},
      {"BubblePosition=300"},
      {"BubblePosition=nan"},
      {"BubblePosition=-7"},
      {"BubblePosition=-51000"},
      {"BubblePosition=5000", "AlphaPhoton=-180", "BetaPhoton=45"},
      {"XStep=0"},
      {"YStep=0", "XStep=7"},
      {"XStep=0", "YStep=0"},
      {"XStep=-5"},
      {"YStep=-2147483648"},
      {"XStep=1", "YStep=1"},
      {"RangeXMinus=200", "RangeXPlus=-150", "XStep=37"},
      {"RangeYMinus=5", "RangeYPlus=5"},
      {"RangeXMinus=-2000000000", "RangeXPlus=2000000000", "XStep=4", "YStep=3"},
      {"XStep=abc"},
      {"XStep=250", "YStep=40", "BubblePosition=-96.5", "ScrollBar1=180"},
      // Lines longer than the 16,384 segments the surface computes at a time.
      {"XStep=2", "YStep=16385", "RangeYMinus=-7", "RangeYPlus=7", "BubblePosition=1"},
      {"XStep=16385", "YStep=1", "BubblePosition=-0.25"},
  };
  for (const auto& arguments : cases) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    std::vector<std::string> reference = arguments;
    reference.push_back("--reference");
    const FrameDumpResult fast = DumpFrame(arguments);
    const FrameDumpResult slow = DumpFrame(reference);
    EXPECT_EQ(fast.status, slow.status);
    EXPECT_TRUE(fast.text == slow.text);  // whole dumps: too long to print on a mismatch
  }
}

TEST(FrameDumpTest, DefaultFrameEndsWithPresentAndTheCaption) {
  const FrameDumpResult result = DumpFrame({});
  EXPECT_EQ(result.status, 0);
  const std::string tail = "EndScene\nPresent null null null null\ncaption: 1E2 FPS\n";
  ASSERT_GE(result.text.size(), tail.size());
  EXPECT_EQ(result.text.substr(result.text.size() - tail.size()), tail);
}

TEST(FrameDumpTest, FailedFrameAndBadArgumentsAreReported) {
  const FrameDumpResult failed = DumpFrame({"XCamera=abc"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.text, "error: 'abc' is not a valid integer value\n");
  EXPECT_EQ(DumpFrame({"Nothing=1"}).status, 2);
  EXPECT_EQ(DumpFrame({"ScrollBar1=up"}).status, 2);
}

}  // namespace
