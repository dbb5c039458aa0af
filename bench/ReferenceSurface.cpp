#include "ReferenceSurface.h"

namespace {

LineVertex SurfaceVertex(const SurfaceGrid& grid, std::int64_t i, std::int64_t j, Extended bubbleX) {
  const Extended x = grid.X(i), y = grid.Y(j);
  LineVertex vertex;
  vertex.X = static_cast<float>(x);
  vertex.Y = static_cast<float>(y);
  vertex.Z = static_cast<float>(SurfaceHeight(x, y, bubbleX));
  vertex.Diffuse = SurfaceColor(vertex.Z);
  vertex.Specular = kSpecularWhite;
  return vertex;
}

}  // namespace

// Each segment computes both endpoints into the pair; nothing is kept from
// one segment to the next.
void DrawSurfaceGridReference(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX,
                              SegmentPair& pair) {
  const SurfaceGrid grid = ReadSurfaceGrid(window);
  if (grid.nx < 0 || grid.ny < 0) return;
  for (std::int64_t i = 0; i <= grid.nx; ++i)  // lines of constant x, drawn along y
    for (std::int64_t j = 0; j < grid.ny; ++j) {
      pair[0] = SurfaceVertex(grid, i, j, bubbleX);
      pair[1] = SurfaceVertex(grid, i, j + 1, bubbleX);
      DrawSegment(device, pair);
    }
  for (std::int64_t k = 0; k <= grid.ny; ++k)  // lines of constant y, drawn along x
    for (std::int64_t m = 0; m < grid.nx; ++m) {
      pair[0] = SurfaceVertex(grid, m, k, bubbleX);
      pair[1] = SurfaceVertex(grid, m + 1, k, bubbleX);
      DrawSegment(device, pair);
    }
}
