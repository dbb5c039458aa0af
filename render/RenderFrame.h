#pragma once
// One complete frame: camera and projection from the sliders, fog and vertex
// format, the warp-field surface and the laser beam inside one scene, then
// presentation and the frame-rate caption.

#include <cstdint>
#include <string>

#include "d3d/IDirect3DDevice8.h"
#include "render/FloatingPoint.h"
#include "render/FrameClock.h"
#include "render/FrameWindow.h"
#include "render/WarpSurface.h"

constexpr float kDepthFactor = 1.0005002f;  // Q, bits 0x3F801064: near plane 50, far plane about 100,000
constexpr float kFogDensity = 0.004f;       // bits 0x3B83126F
constexpr D3DCOLOR kBackgroundColor = 0x00000000;  // clear and fog colour: black, alpha 0

// 5000 ÷ zoom position: 138.88889 at the default 36.
float CameraDistance(int zoomPosition);

// The view's rotation: turn (about z by h) × tilt (about x by v), as the device multiplies them.
D3DMATRIX TiltMatrix(float verticalAngle);
D3DMATRIX TurnMatrix(float horizontalAngle);
// Translation by the third column of the rotation scaled by the camera distance.
D3DMATRIX CameraTranslation(const D3DMATRIX& rotation, float distance);

// A 90° vertical field of view; the horizontal scale follows the panel's and
// the display's aspect ratios.
D3DMATRIX ProjectionMatrix(int panelWidth, int panelHeight, const D3DDISPLAYMODE& displayMode);

// Draws one frame or throws FieldError for the first field that is not
// an integer (camera and beam fields before anything is cleared; range and
// step fields after BeginScene, which is then closed by EndScene). A failed
// frame presents nothing and leaves the caption alone. The surface stage can
// be swapped for the benchmarks' straightforward one.
// A grid whose surface alone passes the frame's bound fails like a bad field
// (FieldError naming XStep, after BeginScene); a beam longer than the rest of
// the bound allows is drawn in part, and the frame says how much it left out.
using SurfaceStage = void (*)(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX,
                              SegmentPair& pair);
struct FrameReport {
  std::int64_t beamSegmentsLeftOut = 0;
};
FrameReport RenderFrame(IDirect3DDevice8& device, const D3DDISPLAYMODE& displayMode, Extended bubblePosition,
                        FrameWindow& window, FrameClock& clock, SurfaceStage drawSurface = DrawSurfaceGrid);

// What the user is told, once, while frames leave part of the beam out.
std::string BeamCutMessage(std::int64_t leftOut);
