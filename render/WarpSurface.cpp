#include "render/WarpSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "render/FieldError.h"

namespace {

// r^exponent by repeated squaring: a plain power with an integral exponent.
template <class Real>
Real IntegerPower(Real r, unsigned exponent) {
  Real result = 1;
  while (exponent != 0) {
    if (exponent & 1u) result *= r;
    r *= r;
    exponent >>= 1;
  }
  return result;
}

// r^102 = r^2 · r^4 · r^32 · r^64: a plain power by squaring, unrolled for the
// surface's one exponent (the loop above costs more than the rest of a height).
double PowerOfShapeExponent(double r) {
  static_assert(kShapeExponent == 102);
  const double r2 = r * r, r4 = r2 * r2, r8 = r4 * r4, r16 = r8 * r8, r32 = r16 * r16, r64 = r32 * r32;
  return r2 * r4 * r32 * r64;
}

// The height from the point's offset s = x − B along the motion and its
// distance y across it, in double: the stored height is a float, and the far
// field's overflow is handled here rather than by a wider exponent range.
inline double HeightFromOffsets(double s, double y) {
  const double rs = std::sqrt(s * s + y * y);
  const double p = PowerOfShapeExponent(rs / static_cast<double>(kBubbleRadius));
  // Where p · 102 overflows the quotient below would be ∞/∞; its limit is a
  // zero of the sign opposite to s, which is also what a wider type would give.
  if (p > std::numeric_limits<double>::max() / kShapeExponent) return std::copysign(0.0, -s);
  const double numerator = p * -kShapeExponent;
  const double denominator = (p + 1) * (p + 1) * rs;  // 0 at the centre: 0/0 gives NaN there
  return numerator / denominator * s;
}

// |h| ≤ 102 · min(P, 1/P) with P = (rs/50)^102. Inside rs² < kNearZero
// (P < 6e-48) and beyond rs² > kFarZero (P > 1.7e47) that bound is below
// 6.2e-46, under half the smallest float (2^-150 ≈ 7.0e-46), so the stored
// height is a zero of the sign opposite to s: the formula need not run.
const double kNearZero = std::pow(50 * std::pow(6e-48, 1.0 / kShapeExponent), 2);
const double kFarZero = std::pow(50 * std::pow(1.7e47, 1.0 / kShapeExponent), 2);

float StoredHeight(double s, double y) {
  const double rs2 = s * s + y * y;
  if ((rs2 < kNearZero && rs2 != 0) || rs2 > kFarZero) return std::copysign(0.0f, static_cast<float>(-s));
  return static_cast<float>(HeightFromOffsets(s, y));
}

// The points of one stretch of a line, in buffers made once for the longest
// stretch and used from the UI thread only. Along the line each point has
// the offset its height is computed from (x − B along x, y along y) and the
// coordinate its vertex stores; the vertices lie side by side, so that every
// segment's two go to the device in place.
struct Stretch {
  std::vector<double> offsets;
  std::vector<float> coordinates;
  std::vector<LineVertex> vertices;
  std::int64_t first = -1;  // lattice index of the first point held; -1 for none
  std::size_t points = 0;
};
Stretch stretch;

struct AxisPoint {
  double offset;  // what the height is computed from
  float stored;   // what the vertex holds
};

// The points along the line, unless the previous line's stretch covered the
// very same indices: a line that fits in one stretch computes them once per family.
template <class Along>
void FillAlong(std::int64_t first, std::size_t points, Along along) {
  if (stretch.first == first && stretch.points == points) return;
  if (stretch.vertices.empty()) {
    stretch.offsets.resize(kSurfaceStretchSegments + 1);
    stretch.coordinates.resize(kSurfaceStretchSegments + 1);
    stretch.vertices.resize(kSurfaceStretchSegments + 1);
  }
  for (std::size_t n = 0; n < points; ++n) {
    const AxisPoint point = along(first + static_cast<std::int64_t>(n));
    stretch.offsets[n] = point.offset;
    stretch.coordinates[n] = point.stored;
  }
  stretch.first = first;
  stretch.points = points;
}

LineVertex SurfacePoint(float x, float y, double offsetX, double offsetY) {
  const float z = StoredHeight(offsetX, offsetY);
  return {x, y, z, SurfaceColor(z), kSpecularWhite};
}

// Point n of a line of constant x. The height depends on y only through y²,
// so a point whose |y| is that of the point at the mirrored place of the
// stretch, computed before it, takes that one's height and colour: the half
// of every line across the x axis when the y range is symmetric, as it is by
// default.
void PointAlongY(AxisPoint x, std::size_t n, std::size_t segments) {
  const std::size_t mirror = segments - n;
  const double y = stretch.offsets[n];
  if (mirror < n && std::abs(stretch.offsets[mirror]) == std::abs(y)) {
    const LineVertex& twin = stretch.vertices[mirror];
    stretch.vertices[n] = {x.stored, stretch.coordinates[n], twin.Z, twin.Diffuse, kSpecularWhite};
  } else {
    stretch.vertices[n] = SurfacePoint(x.stored, stretch.coordinates[n], x.offset, y);
  }
}

// Point n of a line of constant y.
void PointAlongX(AxisPoint y, std::size_t n, std::size_t) {
  stretch.vertices[n] = SurfacePoint(stretch.coordinates[n], y.stored, stretch.offsets[n], y.offset);
}

// A stretch's points and segments: each segment is drawn as soon as its
// second point is there, so that the processor works out the next heights
// while the device takes the segment.
template <class Point>
void DrawStretch(IDirect3DDevice8& device, AxisPoint fixed, std::size_t segments, Point point) {
  point(fixed, 0, segments);
  for (std::size_t n = 1; n <= segments; ++n) {
    point(fixed, n, segments);
    device.DrawPrimitiveUP(D3DPT_LINELIST, 1, &stretch.vertices[n - 1], kLineVertexStride);
  }
}

// One family: `lines` lines of `segments` segments each. `across(line)` is
// the line's own coordinate, `along(index)` a point's along it, and
// `point(across, n, segments)` computes the vertex of held point n.
template <class Across, class Along, class Point>
void DrawFamily(IDirect3DDevice8& device, std::int64_t lines, std::int64_t segments, Across across, Along along,
                Point point) {
  if (segments < 1) return;
  stretch.first = -1;  // held points belong to the other family or an earlier frame
  for (std::int64_t line = 0; line < lines; ++line) {
    const AxisPoint fixed = across(line);
    for (std::int64_t first = 0; first < segments; first += kSurfaceStretchSegments) {
      const auto count = static_cast<std::size_t>(std::min<std::int64_t>(kSurfaceStretchSegments, segments - first));
      FillAlong(first, count + 1, along);
      DrawStretch(device, fixed, count, point);
    }
  }
}

}  // namespace

Extended WarpShape(Extended rs) {
  const Extended p = IntegerPower(rs / kBubbleRadius, kShapeExponent);
  return 1 / (1 + p);  // p = ∞ gives exactly 0
}

Extended SurfaceHeight(Extended x, Extended y, Extended bubbleX) {
  return HeightFromOffsets(static_cast<double>(x - bubbleX), static_cast<double>(y));
}

// Three independent tests, a later hit overwriting an earlier one; written
// as selections, since the sign of neighbouring heights is hard to predict.
D3DCOLOR SurfaceColor(float storedZ) {
  D3DCOLOR color = 0;
  color = !(storedZ >= 0) ? kSurfaceBlue : color;  // below zero, or NaN
  color = storedZ > 0 ? kSurfaceRed : color;
  color = storedZ == 0 || std::isnan(storedZ) ? kSurfaceGreen : color;
  return color;
}

void DrawSegment(IDirect3DDevice8& device, const SegmentPair& pair) {
  device.DrawPrimitiveUP(D3DPT_LINELIST, 1, pair.data(), kLineVertexStride);
}

Extended GridStep(int low, int high, int count) {
  const std::int64_t difference = static_cast<std::int64_t>(high) - low;  // may exceed the 32-bit range
  return static_cast<Extended>(difference) / static_cast<Extended>(count);
}

SurfaceGrid ReadSurfaceGrid(const FrameWindow& window) {
  const int xMin = ReadFieldInteger(window, FrameField::RangeXMinus);
  const int xMax = ReadFieldInteger(window, FrameField::RangeXPlus);
  const int yMin = ReadFieldInteger(window, FrameField::RangeYMinus);
  const int yMax = ReadFieldInteger(window, FrameField::RangeYPlus);
  const int nx = ReadFieldInteger(window, FrameField::XStep);
  const int ny = ReadFieldInteger(window, FrameField::YStep);
  return {xMin, yMin, nx, ny, GridStep(xMin, xMax, nx), GridStep(yMin, yMax, ny)};
}

void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair&) {
  const SurfaceGrid grid = ReadSurfaceGrid(window);
  if (grid.nx < 0 || grid.ny < 0) return;  // one family is skipped, the other's lines have no segments
  const auto pointX = [&](std::int64_t i) {
    const Extended x = grid.X(i);
    return AxisPoint{static_cast<double>(x - bubbleX), static_cast<float>(x)};
  };
  const auto pointY = [&](std::int64_t j) {
    const Extended y = grid.Y(j);
    return AxisPoint{static_cast<double>(y), static_cast<float>(y)};
  };
  DrawFamily(device, std::int64_t{grid.nx} + 1, grid.ny, pointX, pointY, PointAlongY);  // lines of constant x
  DrawFamily(device, std::int64_t{grid.ny} + 1, grid.nx, pointY, pointX, PointAlongX);  // lines of constant y
}
