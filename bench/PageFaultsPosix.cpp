// POSIX: getrusage counts the minor faults of every thread of the process.

#include <sys/resource.h>

#include "PageFaults.h"

std::optional<long> MinorPageFaults() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return std::nullopt;
  return usage.ru_minflt;
}
