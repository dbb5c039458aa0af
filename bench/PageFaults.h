#pragma once
// Page faults of the whole process, for the benchmarks that show a steady
// frame faults no memory in: a fault per page that the allocator gave back
// to the system after one frame and the next frame touched again.

#include <benchmark/benchmark.h>

#include <optional>

// Faults served without reading from disk since the process started, or
// nothing where the platform does not say.
std::optional<long> MinorPageFaults();

// Puts faults per iteration since `before` beside the benchmark's time.
inline void ReportFaultsPerFrame(benchmark::State& state, std::optional<long> before) {
  const std::optional<long> after = MinorPageFaults();
  if (!before || !after || state.iterations() == 0) return;
  state.counters["faults/frame"] =
      static_cast<double>(*after - *before) / static_cast<double>(state.iterations());
}
