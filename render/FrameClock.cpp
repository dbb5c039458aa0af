#include "render/FrameClock.h"

#include <chrono>

double SteadyFrameClock::NowMilliseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double, std::milli>(now).count();
}
