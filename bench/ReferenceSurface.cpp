#include "ReferenceSurface.h"

#include <cstdint>

#include "render/ParseFieldInteger.h"

namespace {

void WriteVertex(LineVertex& vertex, Extended x, Extended y, Extended bubbleX) {
  vertex.X = static_cast<float>(x);
  vertex.Y = static_cast<float>(y);
  vertex.Z = static_cast<float>(SurfaceHeight(x, y, bubbleX));
  vertex.Diffuse = SurfaceColor(vertex.Z);
  vertex.Specular = kSpecularWhite;
}

void DrawOne(IDirect3DDevice8& device, SegmentPair& pair, Extended xa, Extended ya, Extended xb, Extended yb,
             Extended bubbleX) {
  WriteVertex(pair[0], xa, ya, bubbleX);
  WriteVertex(pair[1], xb, yb, bubbleX);
  DrawSegment(device, pair);
}

}  // namespace

void DrawSurfaceGridReference(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX,
                              SegmentPair& pair) {
  const int xMin = ParseFieldInteger(window.FieldText(FrameField::RangeXMinus));
  const int xMax = ParseFieldInteger(window.FieldText(FrameField::RangeXPlus));
  const int yMin = ParseFieldInteger(window.FieldText(FrameField::RangeYMinus));
  const int yMax = ParseFieldInteger(window.FieldText(FrameField::RangeYPlus));
  const int nx = ParseFieldInteger(window.FieldText(FrameField::XStep));
  const int ny = ParseFieldInteger(window.FieldText(FrameField::YStep));
  const Extended dx = GridStep(xMin, xMax, nx), dy = GridStep(yMin, yMax, ny);
  const auto x = [&](std::int64_t i) { return static_cast<Extended>(i) * dx + xMin; };
  const auto y = [&](std::int64_t j) { return static_cast<Extended>(j) * dy + yMin; };
  if (nx >= 0)
    for (std::int64_t i = 0; i <= nx; ++i)
      for (std::int64_t j = 0; j < ny; ++j) DrawOne(device, pair, x(i), y(j), x(i), y(j + 1), bubbleX);
  if (ny >= 0)
    for (std::int64_t k = 0; k <= ny; ++k)
      for (std::int64_t m = 0; m < nx; ++m) DrawOne(device, pair, x(m), y(k), x(m + 1), y(k), bubbleX);
}
