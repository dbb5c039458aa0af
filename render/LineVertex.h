#pragma once
// The vertex of every line the program draws (declared with the device
// types, d3d/D3D8Types.h): its layout is part of the vertex format, so it is
// checked here field by field.

#include <array>
#include <cstddef>

#include "d3d/D3D8Types.h"

static_assert(offsetof(LineVertex, X) == 0);
static_assert(offsetof(LineVertex, Y) == 4);
static_assert(offsetof(LineVertex, Z) == 8);
static_assert(offsetof(LineVertex, Diffuse) == 12);
static_assert(offsetof(LineVertex, Specular) == 16);
static_assert(sizeof(LineVertex) == 20);
static_assert(kLineVertexStride == 20);

// Element 0 and element 1 of the segment being drawn; every line is one pair.
using SegmentPair = std::array<LineVertex, 2>;
