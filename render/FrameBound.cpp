#include "render/FrameBound.h"

#include <string>

#include "render/FieldError.h"
#include "render/ParseFieldInteger.h"

std::int64_t GridSegments(std::int32_t nx, std::int32_t ny) {
  const std::int64_t x = nx, y = ny;
  const std::int64_t alongY = x >= 0 && y >= 1 ? (x + 1) * y : 0;  // below 2^62 each, so the sum fits
  const std::int64_t alongX = y >= 0 && x >= 1 ? (y + 1) * x : 0;
  return alongY + alongX;
}

std::int64_t BoundedGridSegments(const FrameWindow& window) {
  for (const FrameField field : {FrameField::RangeXMinus, FrameField::RangeXPlus, FrameField::RangeYMinus,
                                 FrameField::RangeYPlus}) {
    if (!TryParseFieldInteger(window.FieldText(field))) return 0;
  }
  const auto nx = TryParseFieldInteger(window.FieldText(FrameField::XStep));
  const auto ny = TryParseFieldInteger(window.FieldText(FrameField::YStep));
  if (!nx || !ny) return 0;
  const std::int64_t segments = GridSegments(*nx, *ny);
  if (segments > kFrameSegmentBound) {
    throw FieldError(FrameField::XStep, "Grid too large: " + std::to_string(*nx) + " x " + std::to_string(*ny) +
                                            " intervals (at most " + std::to_string(kFrameSegmentBound) +
                                            " segments)");
  }
  return segments;
}
