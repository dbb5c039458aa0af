#pragma once
// A field's text that a frame could not convert. The message is the
// conversion's own, word for word; the field says which control the text came
// from, so the window can lead the user to it.

#include <string>

#include "render/FrameWindow.h"
#include "render/ParseFieldInteger.h"

class FieldConversionError : public ConversionError {
 public:
  FieldConversionError(FrameField field, const std::string& message) : ConversionError(message), field_(field) {}
  FrameField Field() const noexcept { return field_; }

 private:
  FrameField field_;
};

// The field's text as a whole number; throws FieldConversionError when it is not one.
int ReadFieldInteger(const FrameWindow& window, FrameField field);
