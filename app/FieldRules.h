#pragma once
// What the validated fields of the option pages do when their text changes,
// and what a view slider does when it moves. Each function is complete in
// itself: whatever goes wrong inside ends in the field's default text, and
// nothing is ever shown to the user or thrown.
//
// The chains they start rely on two behaviours of Qt's controls: a field
// reports every change of its text, its own rewrites included, and a slider
// clamps a new value to its range and reports only a real change. Setting a
// text or a value that is already there reports nothing, so every chain ends.

#include <QString>

#include <cstdint>

class QLineEdit;
class QScrollBar;

// Replaces the field's text and leaves the caret at its end; a text that is
// already there is left alone, caret and undo history included.
void RewriteField(QLineEdit& field, const QString& text) noexcept;

// A view field moves its slider to the integer it holds (the slider clamps
// it to its range); a text that is not an integer brings the default back.
void FieldMovesSlider(QLineEdit& field, QScrollBar& slider, const QString& defaultText) noexcept;

// A slider writes its position into its field in plain decimal form.
void SliderWritesField(const QScrollBar& slider, QLineEdit& field) noexcept;

struct IntegerRange {
  std::int32_t lowest, highest;
};

// A field that must hold an integer within the range gets its default text
// back as soon as it holds anything else.
void KeepFieldWithin(QLineEdit& field, const QString& defaultText, IntegerRange range) noexcept;
