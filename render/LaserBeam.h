#pragma once
// The path of a laser beam (a photon) through the warp field: unit steps in
// the direction of its two angles, carried along x by the shape function.

#include <cstdint>

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

// Draws the n + 1 segments of the path, one DrawPrimitiveUP each, in order.
void DrawLaserBeam(IDirect3DDevice8& device, const BeamStart& start, Extended bubblePosition);
