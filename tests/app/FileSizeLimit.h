#pragma once
// Makes writing a file beyond a size fail, as a full disk would, for as long
// as the object lives; the test process's own limit, whoever runs it.

#include <cstdint>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::int64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // False where the platform offers no such limit: the test is then skipped.
  bool Active() const { return active_; }

 private:
  bool active_ = false;
  std::int64_t previous_ = 0;
};
