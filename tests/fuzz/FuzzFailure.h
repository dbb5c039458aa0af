#pragma once
// How a fuzz target reports a finding: the reason on the error stream, then an
// abort, which libFuzzer takes as a crash (it prints the input and keeps it
// as an artifact).

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

[[noreturn]] inline void FuzzFailure(const std::string& reason) {
  std::fprintf(stderr, "fuzz target failure: %s\n", reason.c_str());
  std::abort();
}

// An optional value for a failure message: the value, or "rejected".
template <class Value, class Format>
std::string Outcome(const std::optional<Value>& value, Format format) {
  return value ? format(*value) : std::string("rejected");
}
