#pragma once
// The surface drawn the straightforward way, kept beside the benchmarks as
// the yardstick for the program's path: every segment computes both of its
// endpoints' heights (each interior grid point four times per frame).

#include "render/WarpSurface.h"

void DrawSurfaceGridReference(IDirect3DDevice8& device, const FrameWindow& window, Extended bubbleX,
                              SegmentPair& pair);
