#include "render/WarpSurface.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "render/ParseFieldInteger.h"

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

struct SurfaceGrid {
  int xMin, yMin, nx, ny;
  Extended dx, dy;
  Extended X(std::int64_t i) const { return static_cast<Extended>(i) * dx + xMin; }  // from the index: no running sum
  Extended Y(std::int64_t j) const { return static_cast<Extended>(j) * dy + yMin; }
  // Lattice points when both counts are ≥ 0.
  std::uint64_t Points() const { return (static_cast<std::uint64_t>(nx) + 1) * (static_cast<std::uint64_t>(ny) + 1); }
};

SurfaceGrid ReadGrid(const FrameWindow& window) {
  const int xMin = ParseFieldInteger(window.FieldText(FrameField::RangeXMinus));
  const int xMax = ParseFieldInteger(window.FieldText(FrameField::RangeXPlus));
  const int yMin = ParseFieldInteger(window.FieldText(FrameField::RangeYMinus));
  const int yMax = ParseFieldInteger(window.FieldText(FrameField::RangeYPlus));
  const int nx = ParseFieldInteger(window.FieldText(FrameField::XStep));
  const int ny = ParseFieldInteger(window.FieldText(FrameField::YStep));
  return {xMin, yMin, nx, ny, GridStep(xMin, xMax, nx), GridStep(yMin, yMax, ny)};
}

LineVertex SurfaceVertex(Extended x, Extended y, Extended bubbleX) {
  LineVertex vertex;
  vertex.X = static_cast<float>(x);
  vertex.Y = static_cast<float>(y);
  vertex.Z = static_cast<float>(SurfaceHeight(x, y, bubbleX));
  vertex.Diffuse = SurfaceColor(vertex.Z);
  vertex.Specular = kSpecularWhite;
  return vertex;
}

// Both families, in order, with the vertex of lattice point (i, j) from vertexAt.
template <class VertexAt>
void DrawFamilies(IDirect3DDevice8& device, const SurfaceGrid& grid, SegmentPair& pair, VertexAt vertexAt) {
  if (grid.nx >= 0)  // lines of constant x, drawn along y
    for (std::int64_t i = 0; i <= grid.nx; ++i)
      for (std::int64_t j = 0; j < grid.ny; ++j) {
        pair[0] = vertexAt(i, j);
        pair[1] = vertexAt(i, j + 1);
        DrawSegment(device, pair);
      }
  if (grid.ny >= 0)  // lines of constant y, drawn along x
    for (std::int64_t k = 0; k <= grid.ny; ++k)
      for (std::int64_t m = 0; m < grid.nx; ++m) {
        pair[0] = vertexAt(m, k);
        pair[1] = vertexAt(m + 1, k);
        DrawSegment(device, pair);
      }
}

// The vertex of every lattice point, row by row; kept between frames so a
// steady grid allocates nothing. Used from the UI thread only.
std::vector<LineVertex> latticeVertices;
std::vector<Extended> latticeXs;

void FillLattice(const SurfaceGrid& grid, Extended bubbleX) {
  const std::size_t columns = static_cast<std::size_t>(grid.nx) + 1;
  latticeXs.resize(columns);
  for (std::size_t i = 0; i < columns; ++i) latticeXs[i] = grid.X(static_cast<std::int64_t>(i));
  latticeVertices.resize(grid.Points());
  LineVertex* vertex = latticeVertices.data();
  for (std::int64_t j = 0; j <= grid.ny; ++j) {
    const Extended y = grid.Y(j);
    for (const Extended x : latticeXs) *vertex++ = SurfaceVertex(x, y, bubbleX);
  }
}

}  // namespace

Extended WarpShape(Extended rs) {
  const Extended p = IntegerPower(rs / kBubbleRadius, kShapeExponent);
  return 1 / (1 + p);  // p = ∞ gives exactly 0
}

// Worked in double: the stored height is a float, and the far field's
// overflow is handled below rather than by a wider exponent range.
Extended SurfaceHeight(Extended x, Extended y, Extended bubbleX) {
  const double s = static_cast<double>(x - bubbleX);
  const double yy = static_cast<double>(y);
  const double rs = std::sqrt(s * s + yy * yy);
  const double p = IntegerPower(rs / static_cast<double>(kBubbleRadius), kShapeExponent);
  // Where p overflows the quotient below would be ∞/∞; its limit is a zero of
  // the sign opposite to s, which is also what a wider type would give.
  if (std::isinf(p)) return std::copysign(0.0, -s);
  const double numerator = p * -kShapeExponent;
  const double denominator = (p + 1) * (p + 1) * rs;  // 0 at the centre: 0/0 gives NaN there
  return numerator / denominator * s;
}

D3DCOLOR SurfaceColor(float storedZ) {
  D3DCOLOR color = 0;
  if (!(storedZ >= 0)) color = kSurfaceBlue;  // below zero, or NaN
  if (storedZ > 0) color = kSurfaceRed;
  if (storedZ == 0 || std::isnan(storedZ)) color = kSurfaceGreen;
  return color;
}

void DrawSegment(IDirect3DDevice8& device, const SegmentPair& pair) {
  device.DrawPrimitiveUP(D3DPT_LINELIST, 1, pair.data(), kLineVertexStride);
}

Extended GridStep(int low, int high, int count) {
  const std::int64_t difference = static_cast<std::int64_t>(high) - low;  // may exceed the 32-bit range
  return static_cast<Extended>(difference) / static_cast<Extended>(count);
}

void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair& pair,
                     std::size_t cachedPointLimit) {
  const SurfaceGrid grid = ReadGrid(window);
  if (grid.nx < 0 || grid.ny < 0) return;  // one family is skipped, the other's lines have no segments
  if (grid.Points() > cachedPointLimit) {
    DrawFamilies(device, grid, pair, [&](std::int64_t i, std::int64_t j) {
      return SurfaceVertex(grid.X(i), grid.Y(j), bubbleX);
    });
    return;
  }
  FillLattice(grid, bubbleX);
  const std::size_t columns = static_cast<std::size_t>(grid.nx) + 1;
  DrawFamilies(device, grid, pair, [&](std::int64_t i, std::int64_t j) {
    return latticeVertices[static_cast<std::size_t>(j) * columns + static_cast<std::size_t>(i)];
  });
}

void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair& pair) {
  DrawSurfaceGrid(device, window, bubbleX, pair, kSurfaceCachedPointLimit);
}
