// Any bytes as framedump's arguments, one per line, each ending at its first
// NUL byte as a command-line argument would. Every input ends in a
// drawn frame, a failed frame with a conversion error, or a refused argument;
// and the program's surface and the straightforward one send the same calls.
//
// Frames are kept small so that each input takes a fraction of a millisecond:
// the grid starts at 4 × 4 intervals, a grid step above 8 is taken modulo 9
// and a bubble position whose beam has more than 64 steps modulo 64.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "FrameDump.h"
#include "render/LaserBeam.h"
#include "render/ParseFieldInteger.h"
#include "tests/fuzz/FuzzFailure.h"

namespace {

constexpr std::int32_t kMaxGridSteps = 8;
constexpr std::int32_t kMaxBeamSteps = 64;

std::string ExactText(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.21Lg", value);
  return buffer;
}

// The argument as given, or with a smaller value where it would make the frame large.
std::string Bounded(const std::string& argument) {
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) return argument;
  const std::string name = argument.substr(0, equals + 1);
  const std::string value = argument.substr(equals + 1);
  if (name == "XStep=" || name == "YStep=") {
    const std::optional<std::int32_t> steps = TryParseFieldInteger(value);
    if (steps && *steps > kMaxGridSteps) return name + std::to_string(*steps % (kMaxGridSteps + 1));
  }
  if (name == "BubblePosition=") {
    const long double position = std::strtold(value.c_str(), nullptr);  // as framedump reads it
    if (BeamLastStep(position) > kMaxBeamSteps) return name + ExactText(std::fmod(position, kMaxBeamSteps));
  }
  return argument;
}

std::vector<std::string> Arguments(const std::string& input) {
  std::vector<std::string> arguments = {"XStep=4", "YStep=4"};
  std::size_t start = 0;
  while (start <= input.size()) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    const std::string line = input.substr(start, end - start);
    arguments.push_back(Bounded(line.substr(0, line.find('\0'))));
    start = end + 1;
  }
  return arguments;
}

std::string LastLine(const std::string& text) {
  const std::size_t start = text.rfind('\n', text.size() - 2);
  return text.substr(start == std::string::npos ? 0 : start + 1);
}

void CheckEnding(const FrameDumpResult& result) {
  if (result.text.empty() || result.text.back() != '\n') FuzzFailure("output does not end a line");
  const std::string last = LastLine(result.text);
  const bool expected = (result.status == 0 && last == "caption: 1E2 FPS\n") ||
                        (result.status == 1 && last.starts_with("error: ") &&
                         last.ends_with("' is not a valid integer value\n")) ||
                        (result.status == 2 && last.starts_with("cannot apply '"));
  if (!expected) FuzzFailure("status " + std::to_string(result.status) + " with last line " + last);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments = Arguments(std::string(reinterpret_cast<const char*>(data), size));
  const FrameDumpResult frame = DumpFrame(arguments);
  CheckEnding(frame);
  arguments.push_back("--reference");
  const FrameDumpResult reference = DumpFrame(arguments);
  if (reference.status != frame.status || reference.text != frame.text)
    FuzzFailure("the straightforward surface sends another frame:\n" + reference.text);
  return 0;
}
