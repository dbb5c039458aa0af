#include "render/FieldError.h"

#include "render/ParseFieldInteger.h"

int ReadFieldInteger(const FrameWindow& window, FrameField field) {
  try {
    return ParseFieldInteger(window.FieldText(field));
  } catch (const ConversionError& error) {
    throw FieldError(field, error.what());
  }
}
