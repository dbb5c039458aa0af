// Linux: the second field of /proc/self/statm is the resident size in pages.

#include <unistd.h>

#include <fstream>

#include "ResidentSize.h"

std::optional<std::size_t> ResidentSizeBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t totalPages = 0, residentPages = 0;
  if (!(statm >> totalPages >> residentPages)) return std::nullopt;
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pageSize <= 0) return std::nullopt;
  return residentPages * static_cast<std::size_t>(pageSize);
}
