// POSIX: the soft file-size limit of the process. Writing past it fails with
// EFBIG instead of stopping the process, since SIGXFSZ is ignored meanwhile.
#include "FileSizeLimit.h"

#include <csignal>
#include <sys/resource.h>

namespace {
void (*previousHandler)(int) = SIG_DFL;
}

FileSizeLimit::FileSizeLimit(std::int64_t bytes) {
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
  previous_ = static_cast<std::int64_t>(limit.rlim_cur);
  previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  if (!active_) std::signal(SIGXFSZ, previousHandler);
}

FileSizeLimit::~FileSizeLimit() {
  if (!active_) return;
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(previous_);
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previousHandler);
}
