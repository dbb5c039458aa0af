#include "render/LaserBeam.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "FrameFixture.h"

namespace {

struct StepCount {
  Extended bubblePosition;
  std::int32_t lastStep;
};

TEST(BeamLastStepTest, RoundsHalfToEvenAndKeepsTheLow32Bits) {
  const StepCount cases[] = {
      {0, 0}, {-0.5L, 0}, {-0.51L, -1}, {-3, -3}, {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {3.5L, 4}, {6, 6},
      {1e6L, 1000000}, {4294967301.0L, 5}, {2147483647.0L, INT32_MAX}, {2147483648.0L, INT32_MIN},
      {4294967295.0L, -1}, {0x1p62L + 7, 7},
  };
  for (const StepCount& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.bubblePosition));
    EXPECT_EQ(BeamLastStep(c.bubblePosition), c.lastStep);
  }
}

TEST(BeamLastStepTest, ValuesBeyondTheIntegerRangeGiveOneSegment) {
  for (const Extended v : {Extended(INFINITY), Extended(-INFINITY), Extended(NAN), 0x1p63L, -0x1p64L, 1e4000L})
    EXPECT_EQ(BeamLastStep(v), 0) << static_cast<double>(v);
  EXPECT_EQ(BeamLastStep(-0x1p63L), 0);  // exactly −2^63 fits and has zero low bits too
}

TEST(BeamDirectionSignTest, EveryWholeDegreeAngleStepsBackwards) {
  for (int alpha = -180; alpha <= 180; ++alpha)
    for (const int beta : {-180, -90, 0, 90, 180})
      ASSERT_EQ(BeamDirectionSign(DegreesToRadians(alpha), DegreesToRadians(beta)), -1) << alpha << " " << beta;
  EXPECT_EQ(BeamDirectionSign(NAN, NAN), -1);
}

class LaserBeamTest : public testing::Test {
 protected:
  std::vector<std::array<LineVertex, 2>> Draw(BeamStart start, Extended bubble, const BeamBudget& budget = kUnboundedBeam,
                                              std::int64_t* leftOut = nullptr) {
    auto log = std::make_shared<DeviceLog>();
    RecordingDevice device(log);
    const std::int64_t left = DrawLaserBeam(device, start, bubble, budget);
    if (leftOut != nullptr) *leftOut = left;
    std::vector<std::array<LineVertex, 2>> segments;
    for (const DeviceCall& call : *log) segments.push_back({call.vertices.at(0), call.vertices.at(1)});
    return segments;
  }
  static BeamStart Start(int x, int y, int z, int alpha, int beta) {
    return {x, y, z, DegreesToRadians(alpha), DegreesToRadians(beta)};
  }
};

TEST_F(LaserBeamTest, SegmentCountFollowsTheBubblePosition) {
  const struct {
    Extended bubble;
    std::size_t segments;
  } cases[] = {{0, 1}, {-0.5L, 1}, {-0.51L, 0}, {-1e9L, 0}, {0.5L, 1}, {1.5L, 3}, {2.5L, 3}, {6, 7},
               {4294967301.0L, 6}, {2147483648.0L, 0}, {Extended(NAN), 1}};
  for (const auto& c : cases)
    EXPECT_EQ(Draw(Start(0, 0, 0, 30, 0), c.bubble).size(), c.segments) << static_cast<double>(c.bubble);
}

TEST_F(LaserBeamTest, FirstSegmentAtTheDefaultsStartsInsideTheBubble) {
  const auto segments = Draw(Start(0, 0, 0, 30, 0), 0);
  ASSERT_EQ(segments.size(), 1u);
  const LineVertex& from = segments[0][0];
  const LineVertex& to = segments[0][1];
  EXPECT_EQ(from.X, 0.0f);
  EXPECT_EQ(from.Y, 0.0f);
  EXPECT_EQ(from.Z, 0.0f);
  EXPECT_FLOAT_EQ(to.X, static_cast<float>(1 - std::cos(M_PI / 6)));  // f = 1 at the centre, s = −1
  EXPECT_FLOAT_EQ(to.Y, 0.5f);
  EXPECT_EQ(to.Z, 0.0f);
  for (const LineVertex& v : segments[0]) {
    EXPECT_EQ(v.Diffuse, kBeamColor);
    EXPECT_EQ(v.Specular, 0x00FFFFFFu);
  }
}

TEST_F(LaserBeamTest, SegmentsChainAndTheFieldCarriesThePhotonAlongX) {
  const auto segments = Draw(Start(0, 0, 0, 30, 0), 40);
  ASSERT_EQ(segments.size(), 41u);
  for (std::size_t i = 1; i < segments.size(); ++i) {
    EXPECT_EQ(segments[i][0].X, segments[i - 1][1].X);
    EXPECT_EQ(segments[i][0].Y, segments[i - 1][1].Y);
  }
  // Inside the moving bubble f ≈ 1, so each step gains about 1 − cos 30° in x.
  EXPECT_NEAR(segments[40][1].X, 41 * (1 - std::cos(M_PI / 6)), 1e-3);
}

TEST_F(LaserBeamTest, FarFromTheBubbleThePathIsStraightUnitSteps) {
  const auto segments = Draw(Start(0, 1000, 0, 30, 0), 9);
  ASSERT_EQ(segments.size(), 10u);
  EXPECT_NEAR(segments[9][1].X, -10 * std::cos(M_PI / 6), 1e-4);  // x falls by |cos α| per step
  EXPECT_NEAR(segments[9][1].Y, 1005, 1e-3);
}

TEST_F(LaserBeamTest, SteepAndFlatAnglesKeepTheirDirection) {
  const auto up = Draw(Start(0, 1000, 0, 0, 90), 3);
  EXPECT_NEAR(up[3][1].Z, 4, 1e-5);
  EXPECT_NEAR(up[3][1].X, 0, 1e-5);
  for (const int alpha : {180, -180}) {
    const auto flat = Draw(Start(0, 1000, 0, alpha, 0), 3);
    EXPECT_NEAR(flat[3][1].X, -4, 1e-5);
    EXPECT_NEAR(flat[3][1].Y, 1000, 1e-5);
  }
}

TEST_F(LaserBeamTest, ExtremeStartPointsStayFinite) {
  for (const int c : {INT32_MIN, INT32_MAX})
    for (const auto& segment : Draw(Start(c, c, c, 45, 45), 5))
      for (const LineVertex& v : segment) {
        EXPECT_TRUE(std::isfinite(v.X));
        EXPECT_TRUE(std::isfinite(v.Y));
        EXPECT_TRUE(std::isfinite(v.Z));
      }
}

}  // namespace

namespace {

// The beam step by step with the shape function evaluated at every step: the
// program's path skips it where it cannot change the sum, and must draw the
// very same vertices.
std::vector<LineVertex> StraightforwardBeam(const BeamStart& start, std::int32_t last) {
  std::vector<LineVertex> ends;
  const Extended ca = std::cos(static_cast<Extended>(start.alpha)), sa = std::sin(static_cast<Extended>(start.alpha));
  const Extended cb = std::cos(static_cast<Extended>(start.beta)), sb = std::sin(static_cast<Extended>(start.beta));
  const Extended along = BeamDirectionSign(start.alpha, start.beta) * std::sqrt(ca * cb * (ca * cb) + 0);
  Extended x = start.x, y = start.y, z = start.z;
  for (std::int64_t step = 0; step <= last; ++step) {
    const Extended rs = std::sqrt((x - step) * (x - step) + y * y + z * z);
    const Extended nx = x + (WarpShape(rs) + along), ny = y + sa * cb, nz = z + sb;
    ends.push_back({static_cast<float>(nx), static_cast<float>(ny), static_cast<float>(nz), kBeamColor, 0x00FFFFFF});
    x = nx, y = ny, z = nz;
  }
  return ends;
}

TEST(LaserBeamPathTest, SkippingTheFieldWhereItCannotCountChangesNoVertex) {
  const struct {
    int x, y, z, alpha, beta;
  } starts[] = {{0, 0, 0, 30, 0},   {0, 0, 0, 90, 90},  {-60, 0, 0, 0, 0},    {0, 40, 0, 180, 0},
                {25, -20, 10, -150, 45}, {0, 0, 0, -90, 0}, {100, 0, 0, 179, -1}, {0, 1000, 0, 30, 0}};
  for (const auto& s : starts) {
    const BeamStart start{s.x, s.y, s.z, DegreesToRadians(s.alpha), DegreesToRadians(s.beta)};
    auto log = std::make_shared<DeviceLog>();
    RecordingDevice device(log);
    DrawLaserBeam(device, start, 10000);
    const std::vector<LineVertex> expected = StraightforwardBeam(start, 10000);
    ASSERT_EQ(log->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const LineVertex& end = (*log)[i].vertices[1];
      ASSERT_EQ(end.X, expected[i].X) << s.alpha << " " << s.beta << " step " << i;
      ASSERT_EQ(end.Y, expected[i].Y);
      ASSERT_EQ(end.Z, expected[i].Z);
    }
  }
}

}  // namespace

namespace {

// The budget a default frame gives: the far corners of the view lie about
// 1.4 · 10^5 units out, and the camera stands within 5000 of the origin.
constexpr BeamBudget kFrameBudget{1000000, 145000, 5000};

using Path = std::vector<std::array<LineVertex, 2>>;

// Bit for bit: NaN-free paths, compared as the bytes the device receives.
bool SamePath(const Path& a, const Path& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0;
}

Extended Distance(const LineVertex& v) { return std::sqrt(Extended(v.X) * v.X + Extended(v.Y) * v.Y + Extended(v.Z) * v.Z); }

// A path the budget holds is drawn whole, whatever else the budget says.
TEST_F(LaserBeamTest, PathWithinTheBudgetIsDrawnWhole) {
  std::int64_t leftOut = -1;
  const auto whole = Draw(Start(0, 0, 0, 30, 0), 99999);
  EXPECT_TRUE(SamePath(Draw(Start(0, 0, 0, 30, 0), 99999, {100000, 1, 0}, &leftOut), whole));
  EXPECT_EQ(leftOut, 0);
}

// The runaway time step: a path of 10^9 steps leaves the view for good after
// some 10^5 and stops there, its drawn part exactly the path's start; nothing
// is left out that could reach a pixel.
TEST_F(LaserBeamTest, PathOutOfSightForGoodStopsWithNothingLeftOut) {
  for (const BeamStart start : {Start(0, 0, 0, 30, 0), Start(0, 0, 0, 90, 0), Start(-40, 3, 0, 180, 0),
                                Start(0, 0, 0, 0, 90), Start(1000, -1000, 7, -45, -30)}) {
    SCOPED_TRACE(testing::Message() << start.x << " " << start.alpha);
    std::int64_t leftOut = -1;
    const auto drawn = Draw(start, 1e9L, kFrameBudget, &leftOut);
    EXPECT_EQ(leftOut, 0);
    ASSERT_GT(drawn.size(), 1000u);
    EXPECT_LT(drawn.size(), 1000000u);
    EXPECT_GT(Distance(drawn.back()[1]), kFrameBudget.hiddenRadius);
    EXPECT_TRUE(SamePath(drawn, Draw(start, static_cast<Extended>(drawn.size() - 1))));
  }
}

// A photon that comes from far away towards the camera cannot be proved out
// of sight: the budget ends it, and the frame says how much it left out.
TEST_F(LaserBeamTest, PathTheBudgetCannotHoldIsCutAtTheBudget) {
  std::int64_t leftOut = -1;
  const auto drawn = Draw(Start(2000000000, 0, 0, 0, 0), 1e9L, {50000, 145000, 5000}, &leftOut);
  EXPECT_EQ(drawn.size(), 50000u);
  EXPECT_EQ(leftOut, 1000000001 - 50000);
  EXPECT_TRUE(SamePath(drawn, Draw(Start(2000000000, 0, 0, 0, 0), 49999)));
  EXPECT_EQ(Draw(Start(0, 0, 0, 30, 0), 5, {0, 145000, 5000}, &leftOut).size(), 0u);
  EXPECT_EQ(leftOut, 6);
}

}  // namespace
