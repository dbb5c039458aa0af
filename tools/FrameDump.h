#pragma once
// One frame on the recording device, written out call by call: the heart of
// tools/framedump, kept apart so the tests can compare two runs.

#include <string>
#include <vector>

struct FrameDumpResult {
  std::string text;  // one line per device call, then "caption: …" or "error: …"
  int status = 0;    // 0 completed, 1 the frame failed, 2 an argument could not be applied
};

// Arguments as on framedump's command line: NAME=VALUE settings, and
// --reference for the benchmarks' straightforward surface.
FrameDumpResult DumpFrame(const std::vector<std::string>& arguments);
