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

struct SurfaceGrid {
  int xMin, yMin, nx, ny;
  Extended dx, dy;
  Extended X(std::int64_t i) const { return static_cast<Extended>(i) * dx + xMin; }  // from the index: no running sum
  Extended Y(std::int64_t j) const { return static_cast<Extended>(j) * dy + yMin; }
  // Lattice points when both counts are ≥ 0.
  std::uint64_t Points() const { return (static_cast<std::uint64_t>(nx) + 1) * (static_cast<std::uint64_t>(ny) + 1); }
};

SurfaceGrid ReadGrid(const FrameWindow& window) {
  const int xMin = ReadFieldInteger(window, FrameField::RangeXMinus);
  const int xMax = ReadFieldInteger(window, FrameField::RangeXPlus);
  const int yMin = ReadFieldInteger(window, FrameField::RangeYMinus);
  const int yMax = ReadFieldInteger(window, FrameField::RangeYPlus);
  const int nx = ReadFieldInteger(window, FrameField::XStep);
  const int ny = ReadFieldInteger(window, FrameField::YStep);
  return {xMin, yMin, nx, ny, GridStep(xMin, xMax, nx), GridStep(yMin, yMax, ny)};
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

LineVertex SurfaceVertex(Extended x, Extended y, Extended bubbleX) {
  LineVertex vertex;
  vertex.X = static_cast<float>(x);
  vertex.Y = static_cast<float>(y);
  vertex.Z = static_cast<float>(SurfaceHeight(x, y, bubbleX));
  vertex.Diffuse = SurfaceColor(vertex.Z);
  vertex.Specular = kSpecularWhite;
  return vertex;
}

// Both families, in order, with the vertex of lattice point (i, j) from
// vertexAt, each segment written into the pair.
template <class VertexAt>
void DrawFamilies(IDirect3DDevice8& device, const SurfaceGrid& grid, SegmentPair& pair, VertexAt vertexAt) {
  for (std::int64_t i = 0; i <= grid.nx; ++i)  // lines of constant x, drawn along y
    for (std::int64_t j = 0; j < grid.ny; ++j) {
      pair[0] = vertexAt(i, j);
      pair[1] = vertexAt(i, j + 1);
      DrawSegment(device, pair);
    }
  for (std::int64_t k = 0; k <= grid.ny; ++k)  // lines of constant y, drawn along x
    for (std::int64_t m = 0; m < grid.nx; ++m) {
      pair[0] = vertexAt(m, k);
      pair[1] = vertexAt(m + 1, k);
      DrawSegment(device, pair);
    }
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

// Every lattice point's vertex, kept between frames so a steady grid
// allocates nothing; used from the UI thread only. Row by row for the lines
// along x and column by column for the lines along y, so that every
// segment's two vertices lie side by side and go to the device in place.
struct Lattice {
  std::vector<LineVertex> rows, columns;
  std::vector<double> offsets;  // x − B of each column
  std::vector<float> xs;
};
Lattice lattice;

// Sized for this frame's grid: a steady or slightly smaller grid reuses the
// memory; one under a quarter of what is held gives the rest back, so a
// single very large grid does not tie up its buffers for the rest of the run.
void KeepSize(std::vector<LineVertex>& buffer, std::size_t points) {
  buffer.resize(points);
  if (buffer.capacity() / 4 > points) buffer.shrink_to_fit();
}

void FillRows(const SurfaceGrid& grid, std::size_t columns, std::size_t rows) {
  for (std::size_t j = 0; j < rows; ++j) {
    const Extended y = grid.Y(static_cast<std::int64_t>(j));
    const float storedY = static_cast<float>(y);
    LineVertex* row = &lattice.rows[j * columns];
    // The height depends on y only through y², so a row mirroring an earlier
    // one across the x axis has the very same heights and colours.
    const std::size_t mirror = rows - 1 - j;
    if (mirror < j && grid.Y(static_cast<std::int64_t>(mirror)) == -y) {
      const LineVertex* mirrored = &lattice.rows[mirror * columns];
      for (std::size_t i = 0; i < columns; ++i)
        row[i] = {lattice.xs[i], storedY, mirrored[i].Z, mirrored[i].Diffuse, kSpecularWhite};
      continue;
    }
    for (std::size_t i = 0; i < columns; ++i) {
      const float z = StoredHeight(lattice.offsets[i], static_cast<double>(y));
      row[i] = {lattice.xs[i], storedY, z, SurfaceColor(z), kSpecularWhite};
    }
  }
}

// The columns are the rows transposed, a band of columns at a time so that
// both the reads and the writes stay on few cache lines at once.
void FillColumns(std::size_t columns, std::size_t rows) {
  constexpr std::size_t kBand = 8;
  for (std::size_t band = 0; band < columns; band += kBand) {
    const std::size_t end = std::min(band + kBand, columns);
    for (std::size_t j = 0; j < rows; ++j)
      for (std::size_t i = band; i < end; ++i) lattice.columns[i * rows + j] = lattice.rows[j * columns + i];
  }
}

void FillLattice(const SurfaceGrid& grid, Extended bubbleX) {
  const std::size_t columns = static_cast<std::size_t>(grid.nx) + 1, rows = static_cast<std::size_t>(grid.ny) + 1;
  lattice.offsets.resize(columns);
  lattice.xs.resize(columns);
  for (std::size_t i = 0; i < columns; ++i) {
    const Extended x = grid.X(static_cast<std::int64_t>(i));
    lattice.offsets[i] = static_cast<double>(x - bubbleX);
    lattice.xs[i] = static_cast<float>(x);
  }
  KeepSize(lattice.rows, grid.Points());
  KeepSize(lattice.columns, grid.Points());
  FillRows(grid, columns, rows);
  FillColumns(columns, rows);
}

void DrawLine(IDirect3DDevice8& device, const LineVertex* points, std::int64_t segments) {
  for (std::int64_t n = 0; n < segments; ++n) device.DrawPrimitiveUP(D3DPT_LINELIST, 1, points + n, kLineVertexStride);
}

void DrawLattice(IDirect3DDevice8& device, const SurfaceGrid& grid) {
  const std::size_t columns = static_cast<std::size_t>(grid.nx) + 1, rows = static_cast<std::size_t>(grid.ny) + 1;
  for (std::size_t i = 0; i < columns; ++i) DrawLine(device, &lattice.columns[i * rows], grid.ny);
  for (std::size_t k = 0; k < rows; ++k) DrawLine(device, &lattice.rows[k * columns], grid.nx);
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
  DrawLattice(device, grid);
}

void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair& pair) {
  DrawSurfaceGrid(device, window, bubbleX, pair, kSurfaceCachedPointLimit);
}
