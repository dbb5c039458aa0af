// Runs one frame on the recording device and prints every device call, one
// per line, then "caption: TEXT" (the frame time forced to 10 ms) or
// "error: MESSAGE" with exit status 1.
//
//   framedump [--reference] [NAME=VALUE ...]
// NAME is a field (XStep, AlphaPhoton, ...) or slider (ScrollBar1..3) of the
// main window, BubblePosition (any text strtold reads), PanelWidth,
// PanelHeight, DisplayWidth or DisplayHeight. --reference draws the surface
// the benchmarks' straightforward way; the output must not change.

#include <cstdio>

#include "FrameDump.h"

int main(int argc, char** argv) {
  const FrameDumpResult result = DumpFrame(std::vector<std::string>(argv + 1, argv + argc));
  std::fputs(result.text.c_str(), result.status == 2 ? stderr : stdout);
  return result.status;
}
