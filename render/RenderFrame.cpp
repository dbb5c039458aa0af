#include "render/RenderFrame.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "d3d/D3DMatrix.h"
#include "render/FrameRateText.h"
#include "render/LaserBeam.h"
#include "render/FieldError.h"
#include "render/FrameBound.h"
#include "render/WarpSurface.h"

namespace {

static_assert(std::bit_cast<DWORD>(kDepthFactor) == 0x3F801064u);
static_assert(std::bit_cast<DWORD>(kFogDensity) == 0x3B83126Fu);

struct FrameFields {
  BeamStart beam;
};

// The camera fields are converted for their errors only; their values take no part in the frame.
FrameFields ReadFrameFields(const FrameWindow& window) {
  ReadFieldInteger(window, FrameField::XCamera);
  ReadFieldInteger(window, FrameField::YCamera);
  ReadFieldInteger(window, FrameField::ZCamera);
  BeamStart beam{};
  beam.x = ReadFieldInteger(window, FrameField::XPhoton);
  beam.y = ReadFieldInteger(window, FrameField::YPhoton);
  beam.z = ReadFieldInteger(window, FrameField::ZPhoton);
  beam.alpha = DegreesToRadians(ReadFieldInteger(window, FrameField::AlphaPhoton));
  beam.beta = DegreesToRadians(ReadFieldInteger(window, FrameField::BetaPhoton));
  return {beam};
}

void SetCamera(IDirect3DDevice8& device, float horizontalAngle, float verticalAngle, float distance) {
  const D3DMATRIX world = IdentityMatrix();
  device.SetTransform(D3DTS_WORLD, &world);
  const D3DMATRIX tilt = TiltMatrix(verticalAngle);
  device.SetTransform(D3DTS_VIEW, &tilt);
  const D3DMATRIX turn = TurnMatrix(horizontalAngle);
  device.MultiplyTransform(D3DTS_VIEW, &turn);  // view = turn × tilt
  D3DMATRIX rotation = IdentityMatrix();
  device.GetTransform(D3DTS_VIEW, &rotation);
  const D3DMATRIX translation = CameraTranslation(rotation, distance);
  device.MultiplyTransform(D3DTS_VIEW, &translation);  // view = translation × turn × tilt
}

void SetFogAndFormat(IDirect3DDevice8& device) {
  device.SetRenderState(D3DRS_LIGHTING, 0);
  device.SetRenderState(D3DRS_FOGENABLE, 1);
  device.SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
  device.SetRenderState(D3DRS_FOGDENSITY, std::bit_cast<DWORD>(kFogDensity));
  device.SetRenderState(D3DRS_FOGCOLOR, kBackgroundColor);
  device.SetVertexShader(kLineVertexFormat);
}

// Nothing farther than this from the camera is inside the view: the far
// corners of the projection's frustum, with room for rounding and for a
// segment's middle passing closer than its ends. Infinite when the
// projection is degenerate, which leaves every step to be drawn.
Extended OutOfSightDistance(const D3DMATRIX& projection) {
  const Extended far = -static_cast<Extended>(projection.m[3][2]) / (static_cast<Extended>(projection.m[2][2]) - 1);
  const Extended sx = projection.m[0][0], sy = projection.m[1][1];
  const Extended corner = far * std::sqrt(1 + 1 / (sx * sx) + 1 / (sy * sy));
  if (!(far > 0) || !std::isfinite(corner)) return std::numeric_limits<Extended>::infinity();
  return corner * 1.001L + 2;
}

// The surface is checked against the frame's bound before its first segment;
// the beam gets what the surface leaves.
std::int64_t DrawScene(IDirect3DDevice8& device, const FrameWindow& window, Extended bubblePosition,
                       const BeamStart& beam, SurfaceStage drawSurface, const D3DMATRIX& projection,
                       float cameraDistance) {
  SegmentPair pair{};
  device.BeginScene();
  std::int64_t leftOut = 0;
  try {
    const std::int64_t surface = BoundedGridSegments(window);
    drawSurface(device, window, bubblePosition, pair);
    const Extended reach = std::fabs(static_cast<Extended>(cameraDistance));
    const BeamBudget budget{kFrameSegmentBound - surface, OutOfSightDistance(projection) + reach, reach};
    leftOut = DrawLaserBeam(device, beam, bubblePosition, budget);
  } catch (...) {
    device.EndScene();  // the scene is closed even when a field fails inside it
    throw;
  }
  device.EndScene();
  return leftOut;
}

}  // namespace

float CameraDistance(int zoomPosition) { return static_cast<float>(5000.0L / zoomPosition); }

D3DMATRIX TiltMatrix(float v) {
  D3DMATRIX tilt = IdentityMatrix();
  tilt.m[1][1] = std::cos(v);
  tilt.m[1][2] = -std::sin(v);
  tilt.m[2][1] = std::sin(v);
  tilt.m[2][2] = std::cos(v);
  return tilt;
}

D3DMATRIX TurnMatrix(float h) {
  D3DMATRIX turn = IdentityMatrix();
  turn.m[0][0] = std::cos(h);
  turn.m[0][1] = std::sin(h);
  turn.m[1][0] = -std::sin(h);
  turn.m[1][1] = std::cos(h);
  return turn;
}

D3DMATRIX CameraTranslation(const D3DMATRIX& rotation, float distance) {
  D3DMATRIX translation = IdentityMatrix();
  translation.m[3][0] = rotation.m[0][2] * distance;
  translation.m[3][1] = rotation.m[1][2] * distance;
  translation.m[3][2] = rotation.m[2][2] * distance;
  return translation;
}

D3DMATRIX ProjectionMatrix(int panelWidth, int panelHeight, const D3DDISPLAYMODE& displayMode) {
  const float vertical = static_cast<float>(std::cos(kPiExtended / 4) / std::sin(kPiExtended / 4));
  const Extended displayAspect = static_cast<Extended>(displayMode.Width) / displayMode.Height;
  const float horizontal =
      static_cast<float>(vertical / static_cast<Extended>(panelWidth) * panelHeight * (displayAspect / (4.0L / 3)));
  D3DMATRIX projection{};
  projection.m[0][0] = horizontal;
  projection.m[1][1] = vertical;
  projection.m[2][2] = kDepthFactor;
  projection.m[2][3] = 1.0f;
  projection.m[3][2] = -kDepthFactor * 50.0f;
  return projection;
}

FrameReport RenderFrame(IDirect3DDevice8& device, const D3DDISPLAYMODE& displayMode, Extended bubblePosition,
                        FrameWindow& window, FrameClock& clock, SurfaceStage drawSurface) {
  const double start = clock.NowMilliseconds();
  const float horizontalAngle = DegreesToRadians(window.SliderPosition(FrameSlider::ScrollBar2));
  const float verticalAngle = DegreesToRadians(window.SliderPosition(FrameSlider::ScrollBar1));
  const FrameFields fields = ReadFrameFields(window);
  const float distance = CameraDistance(window.SliderPosition(FrameSlider::ScrollBar3));

  device.Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackgroundColor, 1.0f, 0);
  SetCamera(device, horizontalAngle, verticalAngle, distance);
  const D3DMATRIX projection = ProjectionMatrix(window.PanelWidth(), window.PanelHeight(), displayMode);
  device.SetTransform(D3DTS_PROJECTION, &projection);
  SetFogAndFormat(device);
  FrameReport report;
  report.beamSegmentsLeftOut =
      DrawScene(device, window, bubblePosition, fields.beam, drawSurface, projection, distance);
  device.Present(nullptr, nullptr, nullptr, nullptr);

  const double elapsed = clock.NowMilliseconds() - start;
  window.SetFrameRateCaption(FrameRateText(elapsed < 0 ? 0 : elapsed, window.DecimalSeparator()));
  return report;
}

std::string BeamCutMessage(std::int64_t leftOut) {
  return "Beam drawn in part: " + std::to_string(leftOut) + " of its steps are left out, since a frame draws at most " +
         std::to_string(kFrameSegmentBound) +
         " segments. Lower the Time Interval, or bring the bubble back with Home on the view";
}
