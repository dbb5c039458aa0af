#pragma once
// The warp bubble's shape function and the wireframe surface drawn over the
// x-y plane, whose height is the shape's derivative along x.

#include <cstddef>
#include <cstdint>

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

// The lattice the range and step fields describe. Coordinates come from the
// index, never from a running sum, so a grid point has the same coordinates
// in every segment that touches it.
struct SurfaceGrid {
  int xMin, yMin, nx, ny;
  Extended dx, dy;
  Extended X(std::int64_t i) const { return static_cast<Extended>(i) * dx + xMin; }
  Extended Y(std::int64_t j) const { return static_cast<Extended>(j) * dy + yMin; }
};

// Reads the range and step fields in the frame's order; throws FieldError
// on the first text that is not an integer.
SurfaceGrid ReadSurfaceGrid(const FrameWindow& window);

// Reads the grid (failing before any segment), then draws the lines of
// constant x along y and the lines of constant y along x, one segment per
// lattice edge.
//
// Each family computes the vertices of its own lines, a stretch of at most
// kSurfaceStretchSegments segments at a time, into buffers made on the first
// frame and kept: the surface holds kSurfaceBufferBytes (about 0.5 MiB)
// whatever the grid, its cost per segment does not grow with the grid, and
// no later frame allocates. The vertices go to the device from those
// buffers, so the frame's pair is left as it is.
constexpr std::size_t kSurfaceStretchSegments = 16384;
constexpr std::size_t kSurfaceBufferBytes =
    (kSurfaceStretchSegments + 1) * (sizeof(double) + sizeof(float) + sizeof(LineVertex));
void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair& pair);
