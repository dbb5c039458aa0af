#include "render/FieldConversionError.h"

int ReadFieldInteger(const FrameWindow& window, FrameField field) {
  try {
    return ParseFieldInteger(window.FieldText(field));
  } catch (const ConversionError& error) {
    throw FieldConversionError(field, error.what());
  }
}
