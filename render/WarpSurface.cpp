#include "render/WarpSurface.h"

#include <cmath>
#include <cstdint>

#include "render/ParseFieldInteger.h"

namespace {

// r^exponent by repeated squaring: a plain power with an integral exponent.
Extended IntegerPower(Extended r, unsigned exponent) {
  Extended result = 1;
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

void WriteSurfaceVertex(LineVertex& vertex, Extended x, Extended y, Extended bubbleX) {
  vertex.X = static_cast<float>(x);
  vertex.Y = static_cast<float>(y);
  vertex.Z = static_cast<float>(SurfaceHeight(x, y, bubbleX));
  vertex.Diffuse = SurfaceColor(vertex.Z);
  vertex.Specular = kSpecularWhite;
}

void DrawSurfaceSegment(IDirect3DDevice8& device, SegmentPair& pair, Extended xa, Extended ya, Extended xb,
                        Extended yb, Extended bubbleX) {
  WriteSurfaceVertex(pair[0], xa, ya, bubbleX);
  WriteSurfaceVertex(pair[1], xb, yb, bubbleX);
  DrawSegment(device, pair);
}

}  // namespace

Extended WarpShape(Extended rs) {
  const Extended p = IntegerPower(rs / kBubbleRadius, kShapeExponent);
  return 1 / (1 + p);  // p = ∞ gives exactly 0
}

Extended SurfaceHeight(Extended x, Extended y, Extended bubbleX) {
  const Extended s = x - bubbleX;
  const Extended rs = std::sqrt(s * s + y * y);
  const Extended p = IntegerPower(rs / kBubbleRadius, kShapeExponent);
  // Where p overflows the quotient below would be ∞/∞; its limit is a zero of
  // the sign opposite to s, which is also what a wider type would give.
  if (std::isinf(p)) return std::copysign(Extended(0), -s);
  const Extended numerator = p * -kShapeExponent;
  const Extended denominator = (p + 1) * (p + 1) * rs;  // 0 at the centre: 0/0 gives NaN there
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

void DrawSurfaceGrid(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX, SegmentPair& pair) {
  const SurfaceGrid grid = ReadGrid(window);
  if (grid.nx >= 0)  // lines of constant x, drawn along y
    for (std::int64_t i = 0; i <= grid.nx; ++i)
      for (std::int64_t j = 0; j < grid.ny; ++j)
        DrawSurfaceSegment(device, pair, grid.X(i), grid.Y(j), grid.X(i), grid.Y(j + 1), bubbleX);
  if (grid.ny >= 0)  // lines of constant y, drawn along x
    for (std::int64_t k = 0; k <= grid.ny; ++k)
      for (std::int64_t m = 0; m < grid.nx; ++m)
        DrawSurfaceSegment(device, pair, grid.X(m), grid.Y(k), grid.X(m + 1), grid.Y(k), bubbleX);
}
