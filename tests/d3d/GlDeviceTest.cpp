// The OpenGL device through the program's own path (setup on a panel widget,
// frames from the renderer), checked on the pictures it reads back.

#include "d3d/GlDevice.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "d3d/DeviceSetup.h"
#include "d3d/Direct3DLoader.h"
#include "d3d/GlDirect3D8.h"
#include "d3d/GlPanelView.h"
#include "ReferenceSurface.h"
#include "render/ControlSnapshot.h"
#include "render/LineVertex.h"
#include "render/RenderFrame.h"

namespace {

class WidgetPanel final : public DevicePanel {
 public:
  explicit WidgetPanel(QWidget& widget) : widget_(widget) {}
  HWND NativeWindow() override { return static_cast<QWidget*>(&widget_); }
  UINT Width() const override { return width ? *width : static_cast<UINT>(widget_.width()); }
  UINT Height() const override { return static_cast<UINT>(widget_.height()); }

  std::optional<UINT> width;  // a size the widget cannot take, to make creation fail

 private:
  QWidget& widget_;
};

class FixedClock final : public FrameClock {
 public:
  double NowMilliseconds() override { return now += 10; }
  double now = 0;
};

struct Rgb {
  int r, g, b;
};

Rgb At(const QImage& picture, int x, int y) {
  const QRgb pixel = picture.pixel(x, y);
  return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

bool Reddish(Rgb c) { return c.r > 40 && c.r > 3 * (c.g + c.b); }
bool Bluish(Rgb c) { return c.b > 40 && c.b > 3 * (c.r + c.g); }

// Where a world point lands in a picture of the given size, by the frame's own matrices.
QPointF ScreenPoint(const ControlSnapshot& window, const D3DDISPLAYMODE& mode, float x, float y, float z) {
  const D3DMATRIX rotation =
      MatrixMultiply(TurnMatrix(DegreesToRadians(window.SliderPosition(FrameSlider::ScrollBar2))),
                     TiltMatrix(DegreesToRadians(window.SliderPosition(FrameSlider::ScrollBar1))));
  const float distance = CameraDistance(window.SliderPosition(FrameSlider::ScrollBar3));
  const D3DMATRIX view = MatrixMultiply(CameraTranslation(rotation, distance), rotation);
  const D3DMATRIX all =
      MatrixMultiply(view, ProjectionMatrix(window.PanelWidth(), window.PanelHeight(), mode));
  const float p[4] = {x, y, z, 1.0f};
  float clip[4] = {};
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) clip[column] += p[row] * all.m[row][column];
  return {(clip[0] / clip[3] + 1.0) / 2.0 * window.PanelWidth(),
          (1.0 - clip[1] / clip[3]) / 2.0 * window.PanelHeight()};
}

// Where two pictures differ, for a failure message: how many pixels, and the first.
std::string Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "sizes differ";
  int count = 0;
  QPoint first;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0) first = {x, y};
  return std::to_string(count) + " pixels differ, the first at " + std::to_string(first.x()) + "," +
         std::to_string(first.y());
}

int LitPixels(const QImage& picture) {
  int lit = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) lit += picture.pixel(x, y) != qRgb(0, 0, 0) ? 1 : 0;
  return lit;
}

// A device set up by the program's own steps on a 503 × 453 panel.
class GlDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.resize(503, 453);
    SetDirect3DCreateFunction(CreateOpenGLDirect3D8);
    ASSERT_EQ(RunSetup(), std::nullopt);
    device = dynamic_cast<GlDevice*>(Device);
    ASSERT_NE(device, nullptr);
  }

  void TearDown() override {
    ReleaseDevice();
    SetDirect3DCreateFunction({});
  }

  std::optional<std::string> RunSetup() {
    try {
      SetupDevice(devicePanel);
    } catch (const std::runtime_error& error) {
      return std::string(error.what());
    }
    return std::nullopt;
  }

  QImage RenderScene() {
    RenderFrame(*Device, DisplayMode, 0, window, clock);
    return device->ReadBackBuffer();
  }

  // The frame drawn the plain way: the straightforward surface, and every
  // segment its own draw call with line ends of its own.
  QImage RenderPlainly(Extended bubblePosition) {
    device->SetGathering(false);
    RenderFrame(*Device, DisplayMode, bubblePosition, window, clock, DrawSurfaceGridReference);
    device->SetGathering(true);
    return device->ReadBackBuffer();
  }

  // View space straight onto the screen through the frame's projection:
  // x right, y up, z the distance ahead.
  void UseViewSpace(bool fog, bool lighting = false) {
    const D3DMATRIX identity = IdentityMatrix();
    const D3DMATRIX projection = ProjectionMatrix(503, 453, DisplayMode);
    Device->SetTransform(D3DTS_WORLD, &identity);
    Device->SetTransform(D3DTS_VIEW, &identity);
    Device->SetTransform(D3DTS_PROJECTION, &projection);
    Device->SetRenderState(D3DRS_LIGHTING, lighting ? 1 : 0);
    Device->SetRenderState(D3DRS_FOGENABLE, fog ? 1 : 0);
    Device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
    Device->SetVertexShader(kLineVertexFormat);
    Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  }

  void DrawLine(LineVertex from, LineVertex to) {
    const SegmentPair pair{from, to};
    Device->DrawPrimitiveUP(D3DPT_LINELIST, 1, pair.data(), kLineVertexStride);
  }

  // Parallel lines one unit apart, across x (or along y when `vertical`),
  // filling a band `halfWidth` units either side of the axis at depth z.
  void DrawBand(bool vertical, float halfWidth, float reach, float z, D3DCOLOR colour) {
    for (float offset = -halfWidth; offset <= halfWidth; offset += 0.5f) {
      if (vertical) DrawLine({offset, -reach, z, colour, 0}, {offset, reach, z, colour, 0});
      else DrawLine({-reach, offset, z, colour, 0}, {reach, offset, z, colour, 0});
    }
  }

  QWidget panel;
  WidgetPanel devicePanel{panel};
  GlDevice* device = nullptr;
  ControlSnapshot window;
  FixedClock clock;
};

TEST_F(GlDeviceTest, SetupTakesThePrimaryScreenAndGivesABackBufferOfThePanelsSize) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels = screen->size() * screen->devicePixelRatio();
  EXPECT_EQ(DisplayMode.Width, static_cast<UINT>(pixels.width()));
  EXPECT_EQ(DisplayMode.Height, static_cast<UINT>(pixels.height()));
  EXPECT_EQ(DisplayMode.Format, D3DFMT_X8R8G8B8);
  EXPECT_EQ(device->BackBufferSize(), QSize(503, 453));
}

TEST_F(GlDeviceTest, LookingStraightDownTheWallIsRedBehindTheBubbleAndBlueAheadOfIt) {
  window.SetSlider(FrameSlider::ScrollBar1, 180);
  window.SetSlider(FrameSlider::ScrollBar2, 0);
  const QImage picture = RenderScene();
  const QPointF centre = ScreenPoint(window, DisplayMode, 0, 0, 0);
  const QPointF ahead = ScreenPoint(window, DisplayMode, 50, 0, 0) - centre;
  int redAhead = 0, redBehind = 0, blueAhead = 0, blueBehind = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QPointF fromCentre = QPointF(x + 0.5, y + 0.5) - centre;
      const bool isAhead = QPointF::dotProduct(fromCentre, ahead) > 0;
      const Rgb c = At(picture, x, y);
      if (Reddish(c)) ++(isAhead ? redAhead : redBehind);
      if (Bluish(c)) ++(isAhead ? blueAhead : blueBehind);
    }
  EXPECT_GT(redBehind, 500);
  EXPECT_GT(blueAhead, 500);
  EXPECT_LT(redAhead, redBehind / 50);
  EXPECT_LT(blueBehind, blueAhead / 50);
}

TEST_F(GlDeviceTest, OutsideThePlottedRectangleTheBackgroundIsOpaqueBlack) {
  window.SetSlider(FrameSlider::ScrollBar1, 180);
  for (FrameField field : {FrameField::RangeXMinus, FrameField::RangeYMinus}) window.SetField(field, "-60");
  for (FrameField field : {FrameField::RangeXPlus, FrameField::RangeYPlus}) window.SetField(field, "60");
  const QImage picture = RenderScene();
  for (const QPoint corner : {QPoint(0, 0), QPoint(483, 0), QPoint(0, 433), QPoint(483, 433)})
    for (int y = corner.y(); y < corner.y() + 20; ++y)
      for (int x = corner.x(); x < corner.x() + 20; ++x) ASSERT_EQ(picture.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
  const QPointF centre = ScreenPoint(window, DisplayMode, 0, 0, 0);
  int lit = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) lit += picture.pixel(x, y) != qRgb(0, 0, 0) ? 1 : 0;
  EXPECT_GT(lit, 1000) << "the grid around " << centre.x() << "," << centre.y() << " is drawn";
}

TEST_F(GlDeviceTest, AtZoomOneTheFogTakesNearlyEverything) {
  const auto brightest = [](const QImage& picture) {
    int most = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const Rgb c = At(picture, x, y);
        most = std::max({most, c.r, c.g, c.b});
      }
    return most;
  };
  EXPECT_GT(brightest(RenderScene()), 100);
  window.SetSlider(FrameSlider::ScrollBar3, 1);
  EXPECT_LE(brightest(RenderScene()), 2);
}

TEST_F(GlDeviceTest, TheNearerLineHidesTheFartherInEitherOrderAndAnEqualDepthGoesToTheLater) {
  struct Case {
    const char* name;
    float redDepth, blueDepth;
    bool redFirst;
    Rgb expected;
  };
  const Case cases[] = {
      {"red nearer, drawn first", 100, 200, true, {255, 0, 0}},
      {"red nearer, drawn last", 100, 200, false, {255, 0, 0}},
      {"blue nearer, drawn first", 200, 100, false, {0, 0, 255}},
      {"same depth, blue drawn last", 100, 100, true, {0, 0, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseViewSpace(false);
    Device->BeginScene();
    if (c.redFirst) DrawBand(false, 5, 60, c.redDepth, 0xFFFF0000);
    DrawBand(true, 10, 120, c.blueDepth, 0xFF0000FF);
    if (!c.redFirst) DrawBand(false, 5, 60, c.redDepth, 0xFFFF0000);
    Device->EndScene();
    const Rgb centre = At(device->ReadBackBuffer(), 251, 226);
    EXPECT_EQ(centre.r, c.expected.r);
    EXPECT_EQ(centre.g, c.expected.g);
    EXPECT_EQ(centre.b, c.expected.b);
  }
}

TEST_F(GlDeviceTest, LinesBeforeTheNearPlaneAreCutAndViewSpaceUpIsThePicturesTop) {
  UseViewSpace(false);
  Device->BeginScene();
  DrawBand(false, 3, 30, 40, 0xFFFF0000);  // nearer than the near plane at 50
  DrawLine({-30, 20, 60, 0xFF00FF00, 0}, {30, 20, 60, 0xFF00FF00, 0});
  Device->EndScene();
  const QImage picture = device->ReadBackBuffer();
  int redPixels = 0, greenAbove = 0, greenBelow = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb c = At(picture, x, y);
      redPixels += c.r > 0 ? 1 : 0;
      if (c.g > 0) ++(y < picture.height() / 2 ? greenAbove : greenBelow);
    }
  EXPECT_EQ(redPixels, 0);
  EXPECT_GT(greenAbove, 100);
  EXPECT_EQ(greenBelow, 0);
}

TEST_F(GlDeviceTest, ExponentialFogMixesTheLineWithTheFogColourByItsViewDepth) {
  struct Case {
    const char* name;
    bool fog, lighting;
    D3DCOLOR fogColour;
    double expected;
  };
  const double visible = std::exp(-0.004 * 100);  // at view depth 100
  const Case cases[] = {
      {"fog off", false, false, 0, 255},
      {"into black", true, false, 0x00000000, 255 * visible},
      {"into grey", true, false, 0x00808080, 255 * visible + 128 * (1 - visible)},
      {"lit without lights", false, true, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseViewSpace(c.fog, c.lighting);
    const float density = 0.004f;
    DWORD densityBits;
    std::memcpy(&densityBits, &density, sizeof densityBits);
    Device->SetRenderState(D3DRS_FOGDENSITY, densityBits);
    Device->SetRenderState(D3DRS_FOGCOLOR, c.fogColour);
    Device->BeginScene();
    DrawBand(false, 5, 60, 100, 0xFFFFFFFF);
    Device->EndScene();
    const Rgb centre = At(device->ReadBackBuffer(), 251, 226);
    EXPECT_NEAR(centre.r, c.expected, 1.5);
    EXPECT_NEAR(centre.b, c.expected, 1.5);
  }
}

TEST_F(GlDeviceTest, TheColourIsInterpolatedAlongTheLine) {
  UseViewSpace(false);
  Device->BeginScene();
  for (float y = -5; y <= 5; y += 0.5f) DrawLine({-60, y, 100, 0xFFFF0000, 0}, {60, y, 100, 0xFF0000FF, 0});
  Device->EndScene();
  const Rgb middle = At(device->ReadBackBuffer(), 251, 226);
  EXPECT_NEAR(middle.r, 128, 4);
  EXPECT_NEAR(middle.b, 128, 4);
  EXPECT_EQ(middle.g, 0);
}

TEST_F(GlDeviceTest, SegmentsWithEndsThatAreNotFinitePointsDrawNothingAndSpoilNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  const auto draw = [&](bool withBadSegments) {
    UseViewSpace(true);
    Device->BeginScene();
    DrawBand(false, 5, 60, 100, 0xFFFF0000);
    if (withBadSegments) {
      DrawLine({nan, 0, 100, 0xFF00FF00, 0}, {30, 40, 100, 0xFF00FF00, 0});
      DrawLine({-30, -40, 100, 0xFF00FF00, 0}, {0, nan, 100, 0xFF00FF00, 0});
      DrawLine({-30, -40, infinity, 0xFF00FF00, 0}, {30, 40, 100, 0xFF00FF00, 0});
      DrawLine({nan, nan, nan, 0xFF00FF00, 0}, {nan, nan, nan, 0xFF00FF00, 0});
    }
    DrawBand(true, 2, 40, 150, 0xFF0000FF);
    Device->EndScene();
    return device->ReadBackBuffer();
  };
  EXPECT_TRUE(draw(true) == draw(false));
}

// Gathered segments share the vertex where one ends and the next begins and
// go to the driver in a few indexed draws; the picture must not change.
TEST_F(GlDeviceTest, FramesArePixelForPixelThoseOfOneDrawCallPerSegment) {
  struct Case {
    const char* name;
    int verticalAngle;
    Extended bubblePosition;
    const char* xStep;
    const char* yStep;
    bool blank;  // nothing the fog leaves visible
  };
  const Case cases[] = {
      {"defaults", 135, 0, "100", "100", false},
      {"bubble at 30", 135, 30, "100", "100", false},
      {"no steps along x: every x is not a number", 135, 0, "0", "100", true},
      {"a negative count: no surface", 135, 0, "-5", "100", true},
      {"a long beam", 135, 5000, "100", "100", false},
      {"looking straight down", 180, 0, "100", "100", false},
      {"a grid that needs several draws", 180, 0, "300", "250", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.SetSlider(FrameSlider::ScrollBar1, c.verticalAngle);
    window.SetField(FrameField::XStep, c.xStep);
    window.SetField(FrameField::YStep, c.yStep);
    const QImage plain = RenderPlainly(c.bubblePosition);
    RenderFrame(*Device, DisplayMode, c.bubblePosition, window, clock);
    const QImage gathered = device->ReadBackBuffer();
    EXPECT_EQ(LitPixels(gathered) == 0, c.blank);
    EXPECT_TRUE(gathered == plain) << Difference(gathered, plain);
  }
}

// A random walk of short segments in every direction at a few depths, so
// lines cross and tie: most start where the one before ended (some in
// another colour there), some jump,
// some have a non-finite end, some have no length, some go twice, several
// come in one call, the fog colour changes part way and there are more
// than one draw can take.
TEST_F(GlDeviceTest, ChainedSegmentsDrawAsTheSameSegmentsSentOneByOne) {
  const auto draw = [&](bool gathering) {
    device->SetGathering(gathering);
    UseViewSpace(true);
    const float density = 0.004f;
    DWORD densityBits;
    std::memcpy(&densityBits, &density, sizeof densityBits);
    Device->SetRenderState(D3DRS_FOGDENSITY, densityBits);
    Device->SetRenderState(D3DRS_FOGCOLOR, 0x00404040);
    std::mt19937 random(7);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const D3DCOLOR colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    const float depths[] = {100, 100, 120, 150};
    LineVertex at{0, 0, 100, colours[0], 0};
    std::vector<LineVertex> call;
    Device->BeginScene();
    for (int segment = 0; segment < 70000; ++segment) {
      if (segment % 20000 == 10000)
        Device->SetRenderState(D3DRS_FOGCOLOR, 0x00202020u * static_cast<DWORD>(segment / 20000));
      if (pick(10) == 0) at = {static_cast<float>(pick(161) - 80) / 4, static_cast<float>(pick(121) - 60) / 4,
                               depths[pick(4)], colours[pick(4)], 0};
      if (pick(8) == 0) at.Diffuse = colours[pick(4)];  // a new colour where the last line ended
      LineVertex next = at;
      next.X = std::clamp(at.X + static_cast<float>(pick(9) - 4) / 4, -20.0f, 20.0f);
      next.Y = std::clamp(at.Y + static_cast<float>(pick(9) - 4) / 4, -15.0f, 15.0f);
      next.Z = pick(3) == 0 ? depths[pick(4)] : at.Z;
      next.Diffuse = colours[pick(4)];
      next.Specular = static_cast<D3DCOLOR>(pick(2));  // not drawn: equal ends may differ here
      if (pick(200) == 0) next.Y = std::numeric_limits<float>::quiet_NaN();
      call.insert(call.end(), {at, next});
      if (pick(50) == 0) call.insert(call.end(), {at, next});
      if (pick(3) == 0) {
        Device->DrawPrimitiveUP(D3DPT_LINELIST, static_cast<UINT>(call.size() / 2), call.data(), kLineVertexStride);
        call.clear();
      }
      if (!std::isnan(next.Y)) at = next;
    }
    Device->DrawPrimitiveUP(D3DPT_LINELIST, static_cast<UINT>(call.size() / 2), call.data(), kLineVertexStride);
    Device->EndScene();
    return device->ReadBackBuffer();
  };
  const QImage plain = draw(false);
  const QImage gathered = draw(true);
  EXPECT_GT(LitPixels(gathered), 3000);
  EXPECT_TRUE(gathered == plain) << Difference(gathered, plain);
}

TEST_F(GlDeviceTest, ClearAndDrawingStayInsideTheViewport) {
  const D3DVIEWPORT8 leftHalf{0, 0, 251, 453, 0.0f, 1.0f};
  UseViewSpace(false);
  ASSERT_EQ(Device->SetViewport(&leftHalf), D3D_OK);
  Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00FF0000, 1.0f, 0);
  const QImage picture = device->ReadBackBuffer();
  EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(picture.pixel(250, 452), qRgb(255, 0, 0));
  EXPECT_EQ(picture.pixel(251, 0), qRgb(0, 0, 0));
  const D3DVIEWPORT8 tooWide{0, 0, 504, 453, 0.0f, 1.0f};
  EXPECT_EQ(Device->SetViewport(&tooWide), D3DERR_INVALIDCALL);
}

// Each frame is read back into the memory of the picture shown before it.
TEST_F(GlDeviceTest, PresentShowsTheBackBufferOverThePanelFrameAfterFrame) {
  panel.show();
  QImage earlier;
  for (const int verticalAngle : {180, 135, 160}) {
    SCOPED_TRACE(verticalAngle);
    window.SetSlider(FrameSlider::ScrollBar1, verticalAngle);
    const QImage picture = RenderScene();
    QApplication::processEvents();
    EXPECT_TRUE(panel.grab().toImage().convertToFormat(QImage::Format_RGB32) == picture);
    EXPECT_FALSE(picture == earlier);
    earlier = picture;
  }
}

TEST_F(GlDeviceTest, TheBackBufferAndAFullViewportFollowThePanelsSize) {
  panel.show();
  panel.resize(640, 480);
  QApplication::processEvents();
  // Until the next frame the old picture is stretched over the larger panel.
  EXPECT_EQ(panel.grab().size(), QSize(640, 480));
  Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00FF0000, 1.0f, 0);
  const QImage picture = device->ReadBackBuffer();
  ASSERT_EQ(picture.size(), QSize(640, 480));
  EXPECT_EQ(picture.pixel(639, 479), qRgb(255, 0, 0));
}

TEST_F(GlDeviceTest, APartialViewportStaysAsItIsWhereItFitsAndIsCutWhereItDoesNot) {
  const D3DVIEWPORT8 leftHalf{0, 0, 251, 453, 0.0f, 1.0f};
  ASSERT_EQ(Device->SetViewport(&leftHalf), D3D_OK);
  panel.show();
  panel.resize(640, 480);
  QApplication::processEvents();
  Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00FF0000, 1.0f, 0);
  QImage picture = device->ReadBackBuffer();
  EXPECT_EQ(picture.pixel(250, 452), qRgb(255, 0, 0));
  EXPECT_EQ(picture.pixel(251, 0), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(0, 453), qRgb(0, 0, 0));

  panel.resize(200, 100);
  QApplication::processEvents();
  Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x000000FF, 1.0f, 0);
  picture = device->ReadBackBuffer();
  ASSERT_EQ(picture.size(), QSize(200, 100));
  EXPECT_EQ(picture.pixel(199, 99), qRgb(0, 0, 255));
}

// Taking the surface away from under the device makes its context unusable,
// as a lost context is.
TEST_F(GlDeviceTest, AContextThatCanNoLongerBeUsedIsMadeAgainAndTheNextFrameLooksTheSame) {
  window.SetSlider(FrameSlider::ScrollBar1, 180);
  const QImage before = RenderScene();
  QOpenGLContext* context = QOpenGLContext::currentContext();
  ASSERT_NE(context, nullptr);
  auto* surface = dynamic_cast<QOffscreenSurface*>(context->surface());
  ASSERT_NE(surface, nullptr);
  surface->destroy();
  EXPECT_EQ(Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00FF0000, 1.0f, 0), D3D_OK);
  EXPECT_EQ(device->ReadBackBuffer().pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_TRUE(RenderScene() == before);
}

TEST_F(GlDeviceTest, ReleaseTakesTheDevicesViewOffThePanelAndTwiceIsHarmless) {
  ASSERT_EQ(panel.findChildren<GlPanelView*>().size(), 1);
  ReleaseDevice();
  ReleaseDevice();
  EXPECT_TRUE(panel.findChildren<GlPanelView*>().isEmpty());
  EXPECT_EQ(Direct3D, nullptr);
}

TEST_F(GlDeviceTest, ABackBufferBeyondTheDriversLimitIsRefusedAsAnInvalidCall) {
  ReleaseDevice();
  devicePanel.width = 1u << 20;
  EXPECT_EQ(RunSetup(), "Cannot create D3D device:The method call is invalid. For example, a method's parameter may "
                     "have an invalid value.");
  EXPECT_NE(Direct3D, nullptr);
  EXPECT_EQ(Device, nullptr);
  EXPECT_TRUE(panel.findChildren<GlPanelView*>().isEmpty());
}

TEST(GlDirect3D8Test, RefusesWhatItCannotHonourWithTheNearestCode) {
  IDirect3D8* object = CreateOpenGLDirect3D8(D3D_SDK_VERSION);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(CreateOpenGLDirect3D8(D3D_SDK_VERSION - 1), nullptr);
  QWidget panel;
  panel.resize(64, 48);
  const auto create = [&](D3DDEVTYPE type, HWND window, D3DPRESENT_PARAMETERS presentation) {
    IDirect3DDevice8* device = nullptr;
    const HRESULT result = object->CreateDevice(D3DADAPTER_DEFAULT, type, window, 0, &presentation, &device);
    EXPECT_EQ(result == D3D_OK, device != nullptr);
    if (result == D3D_OK) ReleaseReference(device);
    return result;
  };
  D3DPRESENT_PARAMETERS good{};
  good.BackBufferFormat = D3DFMT_X8R8G8B8;
  good.Windowed = -1;
  HWND window = static_cast<QWidget*>(&panel);
  D3DPRESENT_PARAMETERS fullScreen = good;
  fullScreen.Windowed = 0;
  D3DPRESENT_PARAMETERS otherFormat = good;
  otherFormat.BackBufferFormat = D3DFMT_D16;
  EXPECT_EQ(create(D3DDEVTYPE_HAL, window, good), D3D_OK);
  EXPECT_EQ(create(D3DDEVTYPE_REF, window, good), D3DERR_INVALIDDEVICE);
  EXPECT_EQ(create(D3DDEVTYPE_HAL, nullptr, good), D3DERR_INVALIDCALL);
  EXPECT_EQ(create(D3DDEVTYPE_HAL, window, fullScreen), D3DERR_NOTAVAILABLE);
  EXPECT_EQ(create(D3DDEVTYPE_HAL, window, otherFormat), D3DERR_INVALIDCALL);
  D3DDISPLAYMODE mode{};
  EXPECT_EQ(object->GetAdapterDisplayMode(1, &mode), D3DERR_INVALIDCALL);
  EXPECT_EQ(object->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, nullptr), D3DERR_INVALIDCALL);
  ReleaseReference(object);
}

}  // namespace
