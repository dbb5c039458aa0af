#include "ReferenceSurface.h"

// The program keeps this way for grids too large to hold: each segment
// computes both endpoints, nothing is kept from one segment to the next.
void DrawSurfaceGridReference(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX,
                              SegmentPair& pair) {
  DrawSurfaceGrid(device, window, bubbleX, pair, 0);
}
