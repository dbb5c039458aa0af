#pragma once
// How much of the process's memory is resident, for the benchmarks that
// check a steady frame loop does not grow.

#include <cstddef>
#include <optional>

// Bytes resident now, or nothing where the platform does not say.
std::optional<std::size_t> ResidentSizeBytes();
