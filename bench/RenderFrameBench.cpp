// Frame generation without a GPU: the renderer's own cost on a device that
// discards everything, for the program's surface and, in the same run, the
// straightforward one it replaced.

#include <benchmark/benchmark.h>

#include <string>

#include "PageFaults.h"
#include "ReferenceSurface.h"
#include "app/MemoryAllocator.h"
#include "d3d/NullDevice.h"
#include "render/ControlSnapshot.h"
#include "render/LaserBeam.h"
#include "render/RenderFrame.h"

namespace {

const D3DDISPLAYMODE kDisplay{1024, 768, 60, D3DFMT_X8R8G8B8};

void RunFrames(benchmark::State& state, const char* steps, SurfaceStage surface) {
  ControlSnapshot window;
  window.SetField(FrameField::XStep, steps);
  window.SetField(FrameField::YStep, steps);
  NullDevice device;
  SteadyFrameClock clock;
  RenderFrame(device, kDisplay, 0, window, clock, surface);  // the first frame sizes what is kept
  device.segments = 0;
  const std::optional<long> faults = MinorPageFaults();
  for (auto _ : state) RenderFrame(device, kDisplay, 0, window, clock, surface);
  state.counters["segments/frame"] = static_cast<double>(device.segments) / static_cast<double>(state.iterations());
  ReportFaultsPerFrame(state, faults);
}

void BM_FrameDefaults(benchmark::State& state) { RunFrames(state, "100", DrawSurfaceGrid); }
void BM_FrameDefaultsReference(benchmark::State& state) { RunFrames(state, "100", DrawSurfaceGridReference); }
void BM_FrameGrid1000(benchmark::State& state) { RunFrames(state, "1000", DrawSurfaceGrid); }
void BM_FrameGrid1000Reference(benchmark::State& state) { RunFrames(state, "1000", DrawSurfaceGridReference); }
BENCHMARK(BM_FrameDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameDefaultsReference)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameGrid1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameGrid1000Reference)->Unit(benchmark::kMillisecond);

// The surface alone on an N × N grid: its cost per segment should not grow
// with the grid.
void BM_SurfaceGrid(benchmark::State& state) {
  const std::string steps = std::to_string(state.range(0));
  ControlSnapshot window;
  window.SetField(FrameField::XStep, steps);
  window.SetField(FrameField::YStep, steps);
  NullDevice device;
  SegmentPair pair{};
  DrawSurfaceGrid(device, window, 0, pair);
  device.segments = 0;
  for (auto _ : state) DrawSurfaceGrid(device, window, 0, pair);
  state.counters["time/segment"] = benchmark::Counter(static_cast<double>(device.segments),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SurfaceGrid)->Arg(100)->Arg(400)->Arg(1600)->Arg(3000)->Unit(benchmark::kMillisecond);

void BM_LaserBeamMillionSteps(benchmark::State& state) {
  NullDevice device;
  const BeamStart start{0, 0, 0, DegreesToRadians(30), DegreesToRadians(0)};
  for (auto _ : state) DrawLaserBeam(device, start, 1e6L);
  benchmark::DoNotOptimize(device.segments);
}
BENCHMARK(BM_LaserBeamMillionSteps)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  SetUpMemoryAllocator();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
