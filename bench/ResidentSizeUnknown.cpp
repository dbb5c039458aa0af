// Platforms without a resident-size query here: the benchmarks report none.

#include "ResidentSize.h"

std::optional<std::size_t> ResidentSizeBytes() { return std::nullopt; }
