#include "render/WarpSurface.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "FrameFixture.h"
#include "render/FieldError.h"
#include "ReferenceSurface.h"
#include "render/ParseFieldInteger.h"

namespace {

TEST(WarpShapeTest, OneAtTheCentreHalfOnTheWallZeroFarAway) {
  EXPECT_EQ(WarpShape(0), 1);
  EXPECT_NEAR(static_cast<double>(WarpShape(50)), 0.5, 1e-15);
  EXPECT_GT(WarpShape(45), 0.99);
  EXPECT_LT(WarpShape(55), 0.01);
  EXPECT_EQ(WarpShape(1e60L), 0);  // the power overflows: exactly 0
  EXPECT_EQ(WarpShape(INFINITY), 0);
}

struct Height {
  double s;  // x − B on the axis
  double h;
  double tolerance;
};

TEST(SurfaceHeightTest, AxisValuesFollowTheShapeDerivative) {
  const Height cases[] = {
      {45, -0.002, 0.0005}, {48, -1.538, 0.0005}, {49, -10.22, 0.005}, {50, -25.5, 1e-12},
      {51, -10.55, 0.005},  {52, -1.801, 0.0005}, {54, -0.040, 0.0005},
  };
  for (const Height& c : cases) {
    SCOPED_TRACE(c.s);
    for (const double bubble : {0.0, 96.0}) {
      EXPECT_NEAR(static_cast<double>(SurfaceHeight(bubble + c.s, 0, bubble)), c.h, c.tolerance);
      EXPECT_NEAR(static_cast<double>(SurfaceHeight(bubble - c.s, 0, bubble)), -c.h, c.tolerance);  // mirrored behind
    }
  }
  EXPECT_NEAR(static_cast<double>(SurfaceHeight(36, 36, 0)), -8.51, 0.005);
}

TEST(SurfaceHeightTest, NaNAtTheCentreAndSignedZeroOnTheCrossLine) {
  EXPECT_TRUE(std::isnan(SurfaceHeight(0, 0, 0)));
  EXPECT_TRUE(std::isnan(SurfaceHeight(6, 0, 6)));
  const float onLine = static_cast<float>(SurfaceHeight(0, 30, 0));
  EXPECT_EQ(onLine, 0.0f);
}

TEST(SurfaceHeightTest, StoredHeightVanishesNearTheCentreAndFarAway) {
  // Below the smallest float (2^-149) the stored height is a zero; just above it, a denormal.
  EXPECT_EQ(static_cast<float>(SurfaceHeight(17, 0, 0)), 0.0f);
  EXPECT_TRUE(std::signbit(static_cast<float>(SurfaceHeight(17, 0, 0))));
  EXPECT_LT(static_cast<float>(SurfaceHeight(18, 0, 0)), 0.0f);
  EXPECT_LT(static_cast<float>(SurfaceHeight(144, 0, 0)), 0.0f);
  EXPECT_EQ(static_cast<float>(SurfaceHeight(146, 0, 0)), 0.0f);
}

TEST(SurfaceHeightTest, FarFieldIsAZeroNeverNaN) {
  // Around the distances where (rs/50)^102 · 102 and then (rs/50)^102 itself
  // overflow a double, and far beyond.
  const Extended far[] = {1e3L, 50000.0L, 50290.0L, 51000.0L, 52611.0L, 1e6L, 2e9L, 1e49L, 1e60L, 1e300L, 1e4000L};
  for (const Extended distance : far) {
    SCOPED_TRACE(static_cast<double>(distance));
    const Extended ahead = SurfaceHeight(distance, 0, 0);
    const Extended behind = SurfaceHeight(-distance, 7, 0);
    EXPECT_EQ(static_cast<float>(ahead), 0.0f);
    EXPECT_EQ(static_cast<float>(behind), 0.0f);
    EXPECT_TRUE(std::signbit(ahead));    // ahead of the bubble the wall is below zero
    EXPECT_FALSE(std::signbit(behind));  // behind it, above
  }
  EXPECT_EQ(static_cast<float>(SurfaceHeight(0, 0, 1e4000L)), 0.0f);  // a bubble run far away
}

TEST(SurfaceColorTest, DecidedOnTheStoredHeight) {
  EXPECT_EQ(SurfaceColor(-1.5f), kSurfaceBlue);
  EXPECT_EQ(SurfaceColor(-1e-45f), kSurfaceBlue);  // a denormal is not zero
  EXPECT_EQ(SurfaceColor(1e-45f), kSurfaceRed);
  EXPECT_EQ(SurfaceColor(25.5f), kSurfaceRed);
  EXPECT_EQ(SurfaceColor(0.0f), kSurfaceGreen);
  EXPECT_EQ(SurfaceColor(-0.0f), kSurfaceGreen);
  EXPECT_EQ(SurfaceColor(NAN), kSurfaceGreen);
  EXPECT_EQ(SurfaceColor(-INFINITY), kSurfaceBlue);
}

TEST(GridStepTest, ZeroAndNegativeCountsAndWideRanges) {
  EXPECT_EQ(GridStep(-150, 150, 100), 3);
  EXPECT_EQ(GridStep(-150, 150, 0), INFINITY);
  EXPECT_EQ(GridStep(150, -150, 0), -INFINITY);
  EXPECT_TRUE(std::isnan(GridStep(5, 5, 0)));
  EXPECT_EQ(GridStep(-150, 150, -100), -3);
  EXPECT_EQ(GridStep(-2000000000, 2000000000, 4), 1e9L);          // the difference exceeds 32 bits
  EXPECT_EQ(GridStep(INT_MIN, INT_MAX, 1), 4294967295.0L);
}

// Fixture: the surface alone, drawn on a recording device.
class SurfaceGridTest : public testing::Test {
 protected:
  std::vector<SegmentPair> Draw(ControlSnapshot window = {}, Extended bubble = 0) {
    auto log = std::make_shared<DeviceLog>();
    RecordingDevice device(log);
    SegmentPair pair{};
    DrawSurfaceGrid(device, window, bubble, pair);
    std::vector<SegmentPair> segments;
    for (const DeviceCall& call : *log) {
      EXPECT_EQ(call.op, DeviceOp::DrawPrimitiveUP);
      EXPECT_EQ(call.args[0], D3DPT_LINELIST);
      EXPECT_EQ(call.args[1], 1u);
      EXPECT_EQ(call.args[2], 20u);
      segments.push_back({call.vertices.at(0), call.vertices.at(1)});
    }
    return segments;
  }
  static ControlSnapshot Steps(const char* nx, const char* ny) {
    return WithField(FrameField::YStep, ny, WithField(FrameField::XStep, nx));
  }
};

TEST_F(SurfaceGridTest, DefaultGridDrawsEveryLatticeEdgeOnceInFamilyOrder) {
  const auto segments = Draw();
  ASSERT_EQ(segments.size(), 20200u);
  // Family 1: 101 lines of constant x along y, 100 segments each, x rising line by line.
  EXPECT_EQ(segments[0][0].X, -150.0f);
  EXPECT_EQ(segments[0][0].Y, -150.0f);
  EXPECT_EQ(segments[0][1].Y, -147.0f);
  EXPECT_EQ(segments[100][0].X, -147.0f);
  EXPECT_EQ(segments[10099][1].X, 150.0f);
  EXPECT_EQ(segments[10099][1].Y, 150.0f);
  // Family 2: 101 lines of constant y along x.
  EXPECT_EQ(segments[10100][0].Y, -150.0f);
  EXPECT_EQ(segments[10100][0].X, -150.0f);
  EXPECT_EQ(segments[10100][1].X, -147.0f);
  EXPECT_EQ(segments[10100][1].Y, -150.0f);
  for (const SegmentPair& s : segments)
    for (const LineVertex& v : s) {
      EXPECT_EQ(v.Specular, kSpecularWhite);
      EXPECT_EQ(v.Diffuse, SurfaceColor(v.Z));
    }
}

TEST_F(SurfaceGridTest, BubbleCentreIsNaNAndGreenInItsFourSegments) {
  const auto segments = Draw();
  int atCentre = 0;
  for (const SegmentPair& s : segments)
    for (const LineVertex& v : s)
      if (v.X == 0.0f && v.Y == 0.0f) {
        ++atCentre;
        EXPECT_TRUE(std::isnan(v.Z));
        EXPECT_EQ(v.Diffuse, kSurfaceGreen);
      }
  EXPECT_EQ(atCentre, 4);
  // Family 1, line x = 48 (i = 66): the point (48, 0) is j = 50, the end of segment 49.
  const LineVertex& ahead = segments[66 * 100 + 49][1];
  EXPECT_EQ(ahead.X, 48.0f);
  EXPECT_NEAR(ahead.Z, -1.538, 0.0005);
  EXPECT_EQ(ahead.Diffuse, kSurfaceBlue);
  const LineVertex& behind = segments[34 * 100 + 49][1];
  EXPECT_EQ(behind.X, -48.0f);
  EXPECT_EQ(behind.Diffuse, kSurfaceRed);
  EXPECT_EQ(segments[0][0].Diffuse, kSurfaceGreen);  // corner (-150, -150)
  EXPECT_EQ(segments[10099][1].Diffuse, kSurfaceGreen);  // corner (150, 150)
}

TEST_F(SurfaceGridTest, BubbleFarBeyondTheRangeLeavesAFlatGreenSurface) {
  for (const SegmentPair& s : Draw({}, 300))
    for (const LineVertex& v : s) {
      EXPECT_EQ(v.Z, 0.0f);
      EXPECT_EQ(v.Diffuse, kSurfaceGreen);
    }
}

TEST_F(SurfaceGridTest, ZeroStepCountDrawsOneNaNLine) {
  const auto zeroX = Draw(Steps("0", "3"));
  ASSERT_EQ(zeroX.size(), 3u);  // family 1: one line of NY segments; family 2: none
  for (const SegmentPair& s : zeroX)
    for (const LineVertex& v : s) {
      EXPECT_TRUE(std::isnan(v.X));
      EXPECT_TRUE(std::isnan(v.Z));
      EXPECT_EQ(v.Diffuse, kSurfaceGreen);
    }
  const auto zeroY = Draw(Steps("2", "0"));
  ASSERT_EQ(zeroY.size(), 2u);
  for (const SegmentPair& s : zeroY) EXPECT_TRUE(std::isnan(s[0].Y));
  EXPECT_TRUE(Draw(Steps("0", "0")).empty());
}

TEST_F(SurfaceGridTest, NegativeCountsDrawNothing) {
  EXPECT_TRUE(Draw(Steps("-1", "100")).empty());
  EXPECT_TRUE(Draw(Steps("100", "-1")).empty());
  EXPECT_TRUE(Draw(Steps("-2147483648", "5")).empty());
  EXPECT_TRUE(Draw(Steps("5", "-2147483648")).empty());
}

TEST_F(SurfaceGridTest, OneByOneIsTheBorderAndReversedRangesDrawTheSameLattice) {
  const auto border = Draw(Steps("1", "1"));
  ASSERT_EQ(border.size(), 4u);
  EXPECT_EQ(border[0][0].X, -150.0f);
  EXPECT_EQ(border[1][0].X, 150.0f);

  ControlSnapshot reversed = Steps("2", "1");
  reversed.SetField(FrameField::RangeXMinus, "150");
  reversed.SetField(FrameField::RangeXPlus, "-150");
  const auto lines = Draw(reversed);
  ASSERT_EQ(lines.size(), 3u + 4u);
  EXPECT_EQ(lines[0][0].X, 150.0f);
  EXPECT_EQ(lines[1][0].X, 0.0f);
  EXPECT_EQ(lines[2][0].X, -150.0f);
}

TEST_F(SurfaceGridTest, WideRangesPlaceLinesFromTheirIndex) {
  ControlSnapshot wide = Steps("4", "1");
  wide.SetField(FrameField::RangeXMinus, "-2000000000");
  wide.SetField(FrameField::RangeXPlus, "2000000000");
  const auto segments = Draw(wide);
  ASSERT_EQ(segments.size(), 5u + 8u);
  const float expected[] = {-2e9f, -1e9f, 0.0f, 1e9f, 2e9f};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(segments[i][0].X, expected[i]);
}

TEST_F(SurfaceGridTest, BadFieldFailsBeforeAnySegmentNamingTheFirstInReadingOrder) {
  struct Bad {
    std::vector<std::pair<FrameField, const char*>> texts;
    const char* message;
  };
  const Bad cases[] = {
      {{{FrameField::XStep, "abc"}}, "'abc' is not a valid integer value"},
      {{{FrameField::XStep, ""}, {FrameField::YStep, "y"}}, "'' is not a valid integer value"},
      {{{FrameField::YStep, "1.5"}}, "'1.5' is not a valid integer value"},
      {{{FrameField::RangeYPlus, "q"}, {FrameField::XStep, "w"}}, "'q' is not a valid integer value"},
      {{{FrameField::RangeXMinus, "r"}, {FrameField::RangeXPlus, "s"}}, "'r' is not a valid integer value"},
  };
  for (const Bad& c : cases) {
    ControlSnapshot window;
    for (const auto& [field, text] : c.texts) window.SetField(field, text);
    auto log = std::make_shared<DeviceLog>();
    RecordingDevice device(log);
    SegmentPair pair{};
    try {
      DrawSurfaceGrid(device, window, 0, pair);
      ADD_FAILURE() << "no error";
    } catch (const FieldError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_TRUE(log->empty());
  }
}

}  // namespace

namespace {

// Takes the surface's draws and folds each one's arguments and vertices,
// word by word, into one running hash: grids of millions of segments are
// compared without being kept.
class DigestDevice final : public IDirect3DDevice8 {
 public:
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT SetViewport(const D3DVIEWPORT8*) override { return D3D_OK; }
  HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return D3D_OK; }
  HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return D3D_OK; }
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX*) override { return D3D_OK; }
  HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
  HRESULT SetVertexShader(DWORD) override { return D3D_OK; }
  HRESULT BeginScene() override { return D3D_OK; }
  HRESULT EndScene() override { return D3D_OK; }
  HRESULT Present(const void*, const void*, HWND, const void*) override { return D3D_OK; }
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride) override {
    ++draws;
    Fold(type);
    Fold(primitiveCount);
    Fold(stride);
    const auto* bytes = static_cast<const unsigned char*>(vertexData);
    for (UINT offset = 0; offset < 2 * primitiveCount * stride; offset += sizeof(std::uint32_t)) {
      std::uint32_t word;
      std::memcpy(&word, bytes + offset, sizeof word);
      Fold(word);
    }
    return D3D_OK;
  }

  std::uint64_t draws = 0;
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a

 private:
  void Fold(std::uint32_t word) { hash = (hash ^ word) * 1099511628211u; }
};

struct GridCase {
  const char* nx;
  const char* ny;
  const char* yMin;
  const char* yMax;
  Extended bubble;
};

// The program's surface against the straightforward one, where its own
// work differs: lines longer than a stretch (cut at 16,384 segments, the
// mirrored half of a line of constant x in another stretch than its twin),
// and grids of more than 2^21 points, which once took a slower path.
TEST(SurfaceGridReferenceTest, LongLinesAndLargeGridsDrawWhatTheReferenceDraws) {
  const GridCase cases[] = {
      {"100", "100", "-150", "150", 0},
      {"3", "16383", "-150", "150", 0.5L},
      {"3", "16384", "-150", "150", 2},
      {"2", "16385", "-7", "7", 3},
      {"5", "40000", "-150", "150", -51},
      {"16385", "2", "-150", "150", 1},
      {"1", "1048576", "-150", "150", 0},     // 2,097,154 points in two lines of constant x
      {"1048576", "1", "-150", "150", 7.5L},  // and in two of constant y
      {"2048", "1024", "-150", "120", 48},    // 2,100,225 points
  };
  for (const GridCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nx << " × " << c.ny << " over y " << c.yMin << ".." << c.yMax);
    ControlSnapshot window = WithField(FrameField::YStep, c.ny, WithField(FrameField::XStep, c.nx));
    window.SetField(FrameField::RangeYMinus, c.yMin);
    window.SetField(FrameField::RangeYPlus, c.yMax);
    DigestDevice program, reference;
    SegmentPair pair{};
    DrawSurfaceGrid(program, window, c.bubble, pair);
    DrawSurfaceGridReference(reference, window, c.bubble, pair);
    const std::uint64_t nx = std::stoull(c.nx), ny = std::stoull(c.ny);
    EXPECT_EQ(program.draws, (nx + 1) * ny + (ny + 1) * nx);
    EXPECT_EQ(program.draws, reference.draws);
    EXPECT_EQ(program.hash, reference.hash);
  }
}

}  // namespace
