#pragma once
// The path of a laser beam (a photon) through the warp field: unit steps in
// the direction of its two angles, carried along x by the shape function.

#include <cstdint>
#include <limits>

#include "d3d/IDirect3DDevice8.h"
#include "render/FloatingPoint.h"
#include "render/LineVertex.h"

constexpr D3DCOLOR kBeamColor = 0xFFFCE098;  // opaque pale gold

// n from the bubble position: rounded half to even into 64 bits, the low 32
// bits read as signed; values that do not fit (±∞, NaN, |v| ≥ 2^63) become
// −2^63, whose low bits are 0. The beam has n + 1 segments, none when n < 0.
std::int32_t BeamLastStep(Extended bubblePosition);

// +1 only when both angles equal π/2 in extended precision, which no
// whole-degree angle does; −1 otherwise, unordered comparisons included.
int BeamDirectionSign(float alpha, float beta);

struct BeamStart {
  std::int32_t x, y, z;
  float alpha, beta;  // radians
};

// What a frame lets the beam cost when its whole path would not fit: at most
// `segments` segments, and none after the photon has gone out of sight for
// good, farther than `hiddenRadius` from the origin and moving away from every
// point within `cameraReach` of it, where the camera stands.
struct BeamBudget {
  std::int64_t segments;
  Extended hiddenRadius;
  Extended cameraReach;
};

inline constexpr BeamBudget kUnboundedBeam{std::numeric_limits<std::int64_t>::max(), 0, 0};

// Draws the n + 1 segments of the path, one DrawPrimitiveUP each, in order.
// A path longer than the budget allows is drawn until it is out of sight for
// good, which leaves the picture as it would be, or until the budget is spent.
// Returns how many segments the spent budget left out (0 when none).
std::int64_t DrawLaserBeam(IDirect3DDevice8& device, const BeamStart& start, Extended bubblePosition,
                           const BeamBudget& budget = kUnboundedBeam);
