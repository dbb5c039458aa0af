#include "app/FieldRules.h"

#include <QLineEdit>
#include <QScrollBar>

#include <optional>

#include "render/ParseFieldInteger.h"

namespace {

std::optional<std::int32_t> FieldInteger(const QLineEdit& field) {
  return TryParseFieldInteger(field.text().toStdString());
}

}  // namespace

void RewriteField(QLineEdit& field, const QString& text) noexcept {
  try {
    if (field.text() == text) return;
    field.setText(text);
    field.setCursorPosition(static_cast<int>(field.text().size()));
  } catch (...) {
    // Out of memory at worst: the field keeps what it had, and no error may leave a change handler.
  }
}

// The slider's own report runs nested inside setValue and writes the clamped
// position back, so the field reads the slider's value before this returns.
void FieldMovesSlider(QLineEdit& field, QScrollBar& slider, const QString& defaultText) noexcept {
  try {
    if (const std::optional<std::int32_t> value = FieldInteger(field)) {
      slider.setValue(*value);
      return;
    }
  } catch (...) {
    // A failure while the slider follows counts as a text that cannot be taken.
  }
  RewriteField(field, defaultText);
}

void SliderWritesField(const QScrollBar& slider, QLineEdit& field) noexcept {
  try {
    RewriteField(field, QString::number(slider.value()));
  } catch (...) {
    // QString::number can only fail for want of memory; the field keeps its text.
  }
}

void KeepFieldWithin(QLineEdit& field, const QString& defaultText, IntegerRange range) noexcept {
  try {
    const std::optional<std::int32_t> value = FieldInteger(field);
    if (value && *value >= range.lowest && *value <= range.highest) return;
  } catch (...) {
    // Treated like a text that is not an integer.
  }
  RewriteField(field, defaultText);
}
