#include "render/RenderFrame.h"

#include <gtest/gtest.h>

#include <cmath>

#include "FrameFixture.h"
#include "d3d/D3DMatrix.h"

namespace {

using Op = DeviceOp;

struct Vec3 {
  double x, y, z;
};

// The camera in world space from a view matrix [R 0; t 1]: position −t·Rᵀ,
// looking along R's third column, up along its second.
struct Camera {
  Vec3 position, look, up;
};

Camera CameraOf(const D3DMATRIX& v) {
  Camera c{};
  const double t[3] = {v.m[3][0], v.m[3][1], v.m[3][2]};
  double p[3];
  for (int row = 0; row < 3; ++row) p[row] = -(t[0] * v.m[row][0] + t[1] * v.m[row][1] + t[2] * v.m[row][2]);
  c.position = {p[0], p[1], p[2]};
  c.look = {v.m[0][2], v.m[1][2], v.m[2][2]};
  c.up = {v.m[0][1], v.m[1][1], v.m[2][1]};
  return c;
}

void ExpectNear(const Vec3& actual, const Vec3& expected, double tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The view the device holds at the end of the frame.
D3DMATRIX FinalView(const FrameRun& run) {
  TransformState state;
  for (const DeviceCall& call : run.log) {
    if (call.op == Op::SetTransform) state.Set(static_cast<D3DTRANSFORMSTATETYPE>(call.args[0]), call.matrix);
    if (call.op == Op::MultiplyTransform) state.Multiply(static_cast<D3DTRANSFORMSTATETYPE>(call.args[0]), call.matrix);
  }
  return state.View();
}

TEST(RenderFrameTest, DefaultFrameIssuesTheCallsInOrder) {
  const FrameRun run = RunFrame({});
  ASSERT_EQ(run.error, "");
  const std::vector<Op> ops = run.Ops();
  ASSERT_EQ(ops.size(), 14u + 20200u + 1u + 2u);
  const std::vector<Op> head(ops.begin(), ops.begin() + 14);
  EXPECT_EQ(head, (std::vector<Op>{Op::Clear, Op::SetTransform, Op::SetTransform, Op::MultiplyTransform,
                                   Op::GetTransform, Op::MultiplyTransform, Op::SetTransform, Op::SetRenderState,
                                   Op::SetRenderState, Op::SetRenderState, Op::SetRenderState, Op::SetRenderState,
                                   Op::SetVertexShader, Op::BeginScene}));
  for (std::size_t i = 14; i < 14 + 20201; ++i) ASSERT_EQ(ops[i], Op::DrawPrimitiveUP) << i;
  EXPECT_EQ(ops[ops.size() - 2], Op::EndScene);
  EXPECT_EQ(ops.back(), Op::Present);
  EXPECT_EQ(run.caption, "1E2 FPS");

  EXPECT_EQ(run.Draws().back()->vertices[0].Diffuse, 0xFFFCE098u);  // the beam comes last
  EXPECT_EQ(FormatDeviceCall(run.log[0]), "Clear 0 null 0x00000003 0x00000000 1 0");
  EXPECT_EQ(FormatDeviceCall(run.log.back()), "Present null null null null");
  EXPECT_EQ(FormatDeviceCall(run.log[12]), "SetVertexShader 0x000000C2");
}

TEST(RenderFrameTest, TransformsAreSetInOrderWithTheWorldIdentity) {
  const FrameRun run = RunFrame({});
  EXPECT_EQ(run.log[1].args[0], D3DTS_WORLD);
  EXPECT_EQ(FormatDeviceCall(run.log[1]), "SetTransform 256 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1");
  EXPECT_EQ(run.log[2].args[0], D3DTS_VIEW);
  EXPECT_EQ(run.log[3].args[0], D3DTS_VIEW);
  EXPECT_EQ(run.log[4].args[0], D3DTS_VIEW);
  EXPECT_EQ(run.log[5].args[0], D3DTS_VIEW);
  EXPECT_EQ(run.log[6].args[0], D3DTS_PROJECTION);
  // The translation is built from the product the device handed back.
  const D3DMATRIX& rotation = run.log[4].matrix;
  const D3DMATRIX& translation = run.log[5].matrix;
  const float distance = CameraDistance(36);
  EXPECT_EQ(translation.m[3][0], rotation.m[0][2] * distance);
  EXPECT_EQ(translation.m[3][1], rotation.m[1][2] * distance);
  EXPECT_EQ(translation.m[3][2], rotation.m[2][2] * distance);
}

TEST(RenderFrameTest, CameraAtTheDefaultsStandsAboveThePlaneLookingAtTheOrigin) {
  EXPECT_FLOAT_EQ(CameraDistance(36), 138.88889f);
  const Camera camera = CameraOf(FinalView(RunFrame({})));
  ExpectNear(camera.position, {-104.17, -60.14, 69.44}, 0.01);
  ExpectNear(camera.look, {0.75, 0.433, -0.5}, 0.001);
  ExpectNear(camera.up, {0.433, 0.25, 0.866}, 0.001);
}

TEST(RenderFrameTest, VerticalAngleAndZoomPlaceTheCamera) {
  const struct {
    int vertical, zoom;
    Vec3 position;
  } cases[] = {
      {0, 36, {0, 0, -138.889}}, {180, 36, {0, 0, 138.889}}, {-180, 36, {0, 0, 138.889}},
      {180, 100, {0, 0, 50}},    {180, 1, {0, 0, 5000}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.vertical);
    ControlSnapshot window;
    window.SetSlider(FrameSlider::ScrollBar1, c.vertical);
    window.SetSlider(FrameSlider::ScrollBar3, c.zoom);
    ExpectNear(CameraOf(FinalView(RunFrame(window))).position, c.position, 0.01);
  }
}

TEST(RenderFrameTest, ProjectionFollowsThePanelAndTheDisplay) {
  const struct {
    int panelWidth, panelHeight;
    UINT displayWidth, displayHeight;
    float horizontal;
  } cases[] = {
      {503, 453, 1024, 768, 0.9005964f}, {503, 453, 1280, 1024, 0.8443092f}, {453, 453, 1024, 768, 1.0f},
  };
  for (const auto& c : cases) {
    const D3DMATRIX p = ProjectionMatrix(c.panelWidth, c.panelHeight, {c.displayWidth, c.displayHeight, 60, D3DFMT_X8R8G8B8});
    EXPECT_FLOAT_EQ(p.m[0][0], c.horizontal);
    EXPECT_EQ(p.m[1][1], 1.0f);
    EXPECT_EQ(p.m[2][2], 1.0005002f);
    EXPECT_EQ(p.m[2][3], 1.0f);
    EXPECT_FLOAT_EQ(p.m[3][2], -50.025009f);
    EXPECT_EQ(p.m[3][3], 0.0f);
  }
  ControlSnapshot resized;
  resized.panelWidth = 1006;  // the projection follows the panel in every frame
  EXPECT_FLOAT_EQ(RunFrame(resized).log[6].matrix.m[0][0], 0.9005964f / 2);
}

TEST(RenderFrameTest, RenderStatesSetLightingOffAndExponentialBlackFog) {
  const FrameRun run = RunFrame({});
  const char* expected[] = {"SetRenderState 137 0x00000000", "SetRenderState 28 0x00000001",
                            "SetRenderState 35 0x00000001", "SetRenderState 38 0x3B83126F",
                            "SetRenderState 34 0x00000000"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(FormatDeviceCall(run.log[7 + i]), expected[i]);
}

TEST(RenderFrameTest, BadCameraOrBeamFieldFailsBeforeAnyDeviceCall) {
  const FrameField fields[] = {FrameField::XCamera, FrameField::YCamera, FrameField::ZCamera, FrameField::XPhoton,
                               FrameField::YPhoton, FrameField::ZPhoton, FrameField::AlphaPhoton,
                               FrameField::BetaPhoton};
  for (const FrameField field : fields) {
    SCOPED_TRACE(ControlName(field));
    const FrameRun run = RunFrame(WithField(field, "abc"));
    EXPECT_EQ(run.error, "'abc' is not a valid integer value");
    EXPECT_EQ(run.errorField, field);
    EXPECT_TRUE(run.log.empty());
    EXPECT_EQ(run.caption, "FPS");
  }
}

TEST(RenderFrameTest, BadGridFieldClosesTheSceneAndPresentsNothing) {
  const FrameRun run = RunFrame(WithField(FrameField::XStep, "ten"));
  EXPECT_EQ(run.error, "'ten' is not a valid integer value");
  EXPECT_EQ(run.errorField, FrameField::XStep);
  const std::vector<Op> ops = run.Ops();
  ASSERT_EQ(ops.size(), 15u);
  EXPECT_EQ(ops[13], Op::BeginScene);
  EXPECT_EQ(ops[14], Op::EndScene);
  EXPECT_EQ(run.caption, "FPS");
}

TEST(RenderFrameTest, FirstBadFieldInReadingOrderWins) {
  const struct {
    std::vector<std::pair<FrameField, const char*>> texts;
    const char* winner;
  } cases[] = {
      {{{FrameField::ZCamera, "z"}, {FrameField::XCamera, "x"}}, "x"},
      {{{FrameField::XPhoton, "p"}, {FrameField::ZCamera, "z"}}, "z"},
      {{{FrameField::BetaPhoton, "b"}, {FrameField::AlphaPhoton, "a"}}, "a"},
      {{{FrameField::XStep, "s"}, {FrameField::BetaPhoton, "b"}}, "b"},
      {{{FrameField::YStep, "t"}, {FrameField::XStep, "s"}}, "s"},
      {{{FrameField::XStep, "s"}, {FrameField::RangeYPlus, "r"}}, "r"},
  };
  for (const auto& c : cases) {
    ControlSnapshot window;
    for (const auto& [field, text] : c.texts) window.SetField(field, text);
    const FrameRun run = RunFrame(window);
    EXPECT_EQ(run.error, std::string("'").append(c.winner).append("' is not a valid integer value"));
    EXPECT_EQ(run.errorField, c.texts.back().first);  // each case lists its winner last
  }
}

TEST(RenderFrameTest, CaptionUsesTheWindowsSeparatorAndTheMeasuredTime) {
  ControlSnapshot window;
  window.decimalSeparator = ",";
  EXPECT_EQ(RunFrame(window, 0, {1024, 768, 60, D3DFMT_X8R8G8B8}, 105).caption, "9,5 FPS");
  EXPECT_EQ(RunFrame({}, 0, {1024, 768, 60, D3DFMT_X8R8G8B8}, 0).caption, "INF FPS");
  EXPECT_EQ(RunFrame({}, 0, {1024, 768, 60, D3DFMT_X8R8G8B8}, 0.37).caption, "2.7E3 FPS");
}

TEST(RenderFrameTest, BeamLengthFollowsTheBubble) {
  EXPECT_EQ(RunFrame({}, 6).Draws().size(), 20200u + 7u);
  EXPECT_EQ(RunFrame({}, -1).Draws().size(), 20200u);
}

}  // namespace
