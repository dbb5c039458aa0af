// Frame generation without a GPU: the renderer's own cost on a device that
// discards everything.

#include <benchmark/benchmark.h>

#include "d3d/NullDevice.h"
#include "render/ControlSnapshot.h"
#include "render/LaserBeam.h"
#include "render/RenderFrame.h"

namespace {

const D3DDISPLAYMODE kDisplay{1024, 768, 60, D3DFMT_X8R8G8B8};

void RunFrames(benchmark::State& state, ControlSnapshot& window, Extended bubblePosition) {
  NullDevice device;
  SteadyFrameClock clock;
  for (auto _ : state) RenderFrame(device, kDisplay, bubblePosition, window, clock);
  state.counters["segments/frame"] = static_cast<double>(device.segments) / static_cast<double>(state.iterations());
}

void BM_RenderFrameDefaults(benchmark::State& state) {
  ControlSnapshot window;
  RunFrames(state, window, 0);
}
BENCHMARK(BM_RenderFrameDefaults)->Unit(benchmark::kMillisecond);

void BM_RenderFrameGrid1000(benchmark::State& state) {
  ControlSnapshot window;
  window.SetField(FrameField::XStep, "1000");
  window.SetField(FrameField::YStep, "1000");
  RunFrames(state, window, 0);
}
BENCHMARK(BM_RenderFrameGrid1000)->Unit(benchmark::kMillisecond);

void BM_LaserBeamMillionSteps(benchmark::State& state) {
  NullDevice device;
  SegmentPair pair{};
  const BeamStart start{0, 0, 0, DegreesToRadians(30), DegreesToRadians(0)};
  for (auto _ : state) DrawLaserBeam(device, start, 1e6L, pair);
  benchmark::DoNotOptimize(device.segments);
}
BENCHMARK(BM_LaserBeamMillionSteps)->Unit(benchmark::kMillisecond);

}  // namespace
