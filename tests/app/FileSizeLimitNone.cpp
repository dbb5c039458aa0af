// Platforms without a per-process file-size limit: the tests that need one are skipped.
#include "FileSizeLimit.h"

FileSizeLimit::FileSizeLimit(std::int64_t) {}
FileSizeLimit::~FileSizeLimit() = default;
