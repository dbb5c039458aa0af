#pragma once
// The vertex of every line the program draws, in the device's 0xC2 layout
// (position, diffuse, specular); the layout is part of the vertex format.

#include <array>
#include <cstddef>

#include "d3d/D3D8Types.h"

struct LineVertex {
  float X;
  float Y;
  float Z;           // for the surface, the height
  D3DCOLOR Diffuse;  // the line's colour at this vertex
  D3DCOLOR Specular;
};

static_assert(offsetof(LineVertex, X) == 0);
static_assert(offsetof(LineVertex, Y) == 4);
static_assert(offsetof(LineVertex, Z) == 8);
static_assert(offsetof(LineVertex, Diffuse) == 12);
static_assert(offsetof(LineVertex, Specular) == 16);
static_assert(sizeof(LineVertex) == 20);

constexpr UINT kLineVertexStride = sizeof(LineVertex);
constexpr DWORD kLineVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_SPECULAR;  // 0xC2

// Element 0 and element 1 of the segment being drawn; every line is one pair.
using SegmentPair = std::array<LineVertex, 2>;
