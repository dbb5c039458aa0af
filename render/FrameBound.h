#pragma once
// How much one frame may draw. Everything runs on the one UI thread and a
// frame runs to its end, so a frame without bound would leave the user no way
// to correct the field that asked for it. Measured end to end on a software
// renderer, 2^23 segments take about 1.3 s as a square grid and under 6 s in
// the costliest shape (one interval wide); every grid up to 2000 × 2000 and
// every beam of some millions of steps fits.

#include <cstdint>

#include "render/FrameWindow.h"

inline constexpr std::int64_t kFrameSegmentBound = std::int64_t{1} << 23;

// The segments the surface draws for these step counts: (NX + 1) · NY lines
// of constant x and (NY + 1) · NX of constant y, none for a family whose
// count is negative or whose lines have no segment.
std::int64_t GridSegments(std::int32_t nx, std::int32_t ny);

// The surface's segments once every range and step field converts; 0 when
// one does not, since the surface then fails at its own reading. Throws
// FieldError naming XStep when the surface alone passes the bound.
std::int64_t BoundedGridSegments(const FrameWindow& window);
