#pragma once
// Decides whether a failure that may repeat on every tick is worth showing:
// the same message is shown once, and again only after a success or after the
// message has changed, so the user can mend the field that causes it instead
// of dismissing a box every few milliseconds.

#include <string>

class RepeatedErrorFilter {
 public:
  // True when the message differs from the last one shown since the last success.
  bool ShouldShow(const std::string& message);
  void Succeeded();

 private:
  std::string lastShown_;
  bool showing_ = false;
};
