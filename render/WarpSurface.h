#pragma once
// The warp bubble's shape function and the wireframe surface drawn over the
// x-y plane, whose height is the shape's derivative along x.

#include <cstddef>

#include "d3d/IDirect3DDevice8.h"
#include "render/FloatingPoint.h"
#include "render/FrameWindow.h"
#include "render/LineVertex.h"

constexpr Extended kBubbleRadius = 50;
constexpr int kShapeExponent = 102;

constexpr D3DCOLOR kSurfaceBlue = 0xFF0000FF;   // stored height below zero
constexpr D3DCOLOR kSurfaceRed = 0xFFFF0000;    // above zero
constexpr D3DCOLOR kSurfaceGreen = 0xFF00FF00;  // zero or NaN
constexpr D3DCOLOR kSpecularWhite = 0x00FFFFFF;

// f(rs) = 1 / (1 + (rs / 50)^102): 1 at the centre, 1/2 at rs = 50, 0 far away.
Extended WarpShape(Extended rs);

// (x − B) · f′(rs) with rs the distance from (x, y) to (B, 0): negative ahead
// of the bubble, positive behind it, NaN at the centre, zero far away.
Extended SurfaceHeight(Extended x, Extended y, Extended bubbleX);

// The colour of a surface vertex, decided on its stored 32-bit height.
D3DCOLOR SurfaceColor(float storedZ);

// One line from element 0 to element 1 of the pair.
void DrawSegment(IDirect3DDevice8& device, const SegmentPair& pair);

// Step size (high − low) / count with the exact difference of the bounds:
// ±∞ for a zero count, NaN when the bounds are also equal.
Extended GridStep(int low, int high, int count);

// Reads the range and step fields (throws FieldError on the first bad
// text, before any segment), then draws the lines of constant x along y and
// the lines of constant y along x, one segment per lattice edge.
//
// Each grid point's vertex is computed once per frame into a buffer that is
// kept from frame to frame; a grid of more than `cachedPointLimit` points
// computes every segment's endpoints instead, with the same vertices.
constexpr std::size_t kSurfaceCachedPointLimit = std::size_t{1} << 21;  // 80 MiB of vertices, kept twice
void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair& pair,
                     std::size_t cachedPointLimit);
void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair& pair);
