// glibc: whenever a free leaves more than the trim threshold unused at the
// top of a heap, that top goes back to the system. The OpenGL driver
// allocates and frees a few MiB every frame, so each frame gave them back and
// the next faulted every page in again: about 400 faults and almost half of
// a tick's CPU. A top pad keeps that much of each heap's top when trimming.
// It was measured against a high trim threshold with a fixed mmap threshold
// and came out the same, while leaving glibc's adaptive threshold for large
// blocks (which are mapped on their own) as it is.

#include <malloc.h>

#include "app/MemoryAllocator.h"

namespace {
// Above a default frame's few MiB, and a 3800 × 2100 panel's, with room to spare.
constexpr int kKeptHeapTop = 16 << 20;
}  // namespace

void SetUpMemoryAllocator() { mallopt(M_TOP_PAD, kKeptHeapTop); }
