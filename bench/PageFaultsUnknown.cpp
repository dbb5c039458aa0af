// Platforms without getrusage: the benchmarks report no faults.

#include "PageFaults.h"

std::optional<long> MinorPageFaults() { return std::nullopt; }
