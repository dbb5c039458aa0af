#pragma once
// A frame that failed because of a field: its text did not convert (the
// message is the conversion's own, word for word), or its value asks for more
// than a frame may draw. The field says which control to change, so the
// window can lead the user to it.

#include <stdexcept>
#include <string>

#include "render/FrameWindow.h"

class FieldError : public std::runtime_error {
 public:
  FieldError(FrameField field, const std::string& message) : std::runtime_error(message), field_(field) {}
  FrameField Field() const noexcept { return field_; }

 private:
  FrameField field_;
};

// The field's text as a whole number; throws FieldError when it is not one.
int ReadFieldInteger(const FrameWindow& window, FrameField field);
