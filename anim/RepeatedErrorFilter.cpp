#include "anim/RepeatedErrorFilter.h"

bool RepeatedErrorFilter::ShouldShow(const std::string& message) {
  if (showing_ && message == lastShown_) return false;
  lastShown_ = message;
  showing_ = true;
  return true;
}

void RepeatedErrorFilter::Succeeded() {
  showing_ = false;
  lastShown_.clear();
}
