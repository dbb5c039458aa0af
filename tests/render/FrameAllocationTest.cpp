// Counts every allocation the process makes, to show that a frame at a steady
// grid size allocates nothing: no memory per segment, none per frame.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "FrameFixture.h"
#include "d3d/NullDevice.h"

namespace {
std::atomic<long> allocations{0};
std::atomic<std::size_t> allocatedBytes{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  allocatedBytes += size;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

long AllocationsDuring(int frames, ControlSnapshot& window, Extended bubble) {
  NullDevice device;
  SteppingClock clock(0.37);
  const D3DDISPLAYMODE display{1024, 768, 60, D3DFMT_X8R8G8B8};
  const long before = allocations;
  for (int i = 0; i < frames; ++i) RenderFrame(device, display, bubble + i, window, clock);
  return allocations - before;
}

TEST(FrameAllocationTest, SteadyGridFramesAllocateNothing) {
  ControlSnapshot window;
  AllocationsDuring(1, window, 0);  // the first frame at this size may size the kept buffers
  EXPECT_EQ(AllocationsDuring(300, window, 0), 0);
  EXPECT_EQ(AllocationsDuring(3, window, 5000), 0);  // a long beam allocates nothing per step
}

// A window whose last frame drew a 300 × 100 grid, now set to a smaller one.
ControlSnapshot ShrunkFrom300By100(const char* nx, const char* ny) {
  ControlSnapshot window;
  window.SetField(FrameField::XStep, "300");
  AllocationsDuring(1, window, 0);
  window.SetField(FrameField::XStep, nx);
  window.SetField(FrameField::YStep, ny);
  return window;
}

TEST(FrameAllocationTest, ASomewhatSmallerGridKeepsTheBuffers) {
  ControlSnapshot window = ShrunkFrom300By100("200", "90");
  EXPECT_EQ(AllocationsDuring(50, window, 0), 0);
}

// The surface computes its lines a stretch at a time into buffers it makes
// once: lines many stretches long take no more, and after them no grid,
// however large or small, allocates.
TEST(FrameAllocationTest, TheSurfaceHoldsOneStretchWhateverTheGrid) {
  ControlSnapshot window;
  window.SetField(FrameField::XStep, "3");
  window.SetField(FrameField::YStep, "100000");
  const std::size_t before = allocatedBytes;
  AllocationsDuring(1, window, 0);  // the first frame of the process, run on its own as ctest runs it
  EXPECT_LE(allocatedBytes - before, kSurfaceBufferBytes);
  const std::pair<const char*, const char*> grids[] = {{"100000", "3"}, {"1", "1"}, {"1000", "1000"}, {"40", "7"}};
  for (const auto& [nx, ny] : grids) {
    window.SetField(FrameField::XStep, nx);
    window.SetField(FrameField::YStep, ny);
    EXPECT_EQ(AllocationsDuring(1, window, 0), 0) << nx << " × " << ny;
  }
}

}  // namespace
