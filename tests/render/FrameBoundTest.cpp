#include "render/FrameBound.h"

#include <gtest/gtest.h>

#include <climits>

#include "FrameFixture.h"
#include "d3d/NullDevice.h"
#include "render/FieldError.h"

namespace {

TEST(FrameBoundTest, GridSegmentsCountBothFamilies) {
  const struct {
    std::int32_t nx, ny;
    std::int64_t segments;
  } cases[] = {
      {100, 100, 20200}, {1, 1, 4},         {0, 5, 5},         {5, 0, 5},
      {0, 0, 0},         {-1, 5, 0},        {5, -1, 0},        {INT_MIN, INT_MIN, 0},
      {1, 2796202, kFrameSegmentBound - 1}, {48, 86480, kFrameSegmentBound},
      {INT_MAX, INT_MAX, 2 * (std::int64_t{INT_MAX} + 1) * INT_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(GridSegments(c.nx, c.ny), c.segments) << c.nx << " x " << c.ny;
}

struct BoundRun {
  unsigned long long segments = 0;
  FrameReport report;
  std::string error;
  std::optional<FrameField> errorField;
};

BoundRun RunCounted(const char* xStep, const char* yStep, Extended bubble) {
  ControlSnapshot window;
  window.SetField(FrameField::XStep, xStep);
  window.SetField(FrameField::YStep, yStep);
  NullDevice device;
  SteppingClock clock(10);
  BoundRun run;
  try {
    run.report = RenderFrame(device, {1024, 768, 60, D3DFMT_X8R8G8B8}, bubble, window, clock);
  } catch (const FieldError& error) {
    run.error = error.what();
    run.errorField = error.Field();
  }
  run.segments = device.segments;
  return run;
}

// The largest frame the bound allows draws everything; a surface one segment
// over fails before it draws, naming the step fields; a beam over the rest
// of the bound is drawn up to it and the frame says what it left out.
TEST(FrameBoundTest, LargestAllowedFrameDrawsWholeAndOneMoreIsRefusedOrCut) {
  BoundRun run = RunCounted("1", "2796202", 0);  // 8388607 surface segments and one of the beam
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.segments, static_cast<unsigned long long>(kFrameSegmentBound));
  EXPECT_EQ(run.report.beamSegmentsLeftOut, 0);

  run = RunCounted("1", "2796202", 1);
  EXPECT_EQ(run.segments, static_cast<unsigned long long>(kFrameSegmentBound));
  EXPECT_EQ(run.report.beamSegmentsLeftOut, 1);  // the beam's first steps are in sight: the second is left out

  run = RunCounted("48", "86480", 0);
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.segments, static_cast<unsigned long long>(kFrameSegmentBound));

  run = RunCounted("48", "86481", 0);
  EXPECT_EQ(run.error, "Grid too large: 48 x 86481 intervals (at most 8388608 segments)");
  EXPECT_EQ(run.errorField, FrameField::XStep);
  EXPECT_EQ(run.segments, 0u);

  run = RunCounted("100000", "100000", 0);
  EXPECT_EQ(run.error, "Grid too large: 100000 x 100000 intervals (at most 8388608 segments)");
}

// The range and step fields' own errors come first, in their reading order.
TEST(FrameBoundTest, ConversionErrorsOfTheGridFieldsComeBeforeTheBound) {
  ControlSnapshot window;
  window.SetField(FrameField::XStep, "100000");
  window.SetField(FrameField::YStep, "100000");
  window.SetField(FrameField::RangeYPlus, "top");
  EXPECT_EQ(RunFrame(window).error, "'top' is not a valid integer value");
  window.SetField(FrameField::RangeYPlus, "150");
  window.SetField(FrameField::YStep, "many");
  EXPECT_EQ(RunFrame(window).error, "'many' is not a valid integer value");
}

// A runaway time step: a billion beam steps cost about a hundred thousand,
// and the frame leaves nothing out that could be seen.
TEST(FrameBoundTest, RunawayBubbleCostsOnlyTheVisibleBeam) {
  const BoundRun run = RunCounted("100", "100", 1e9L);
  EXPECT_EQ(run.report.beamSegmentsLeftOut, 0);
  EXPECT_GT(run.segments, 20200u + 1000u);
  EXPECT_LT(run.segments, 20200u + 1000000u);
}

}  // namespace
