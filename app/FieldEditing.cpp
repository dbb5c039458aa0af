#include "app/FieldEditing.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

#include <utility>

namespace {

const char kMarkedProperty[] = "tessaranMarked";
const QString kMarkStyle = QStringLiteral("QLineEdit { border: 1px solid #d00000; }");

// A field's undo history keeps every edit, a few bytes a character, until the
// program next writes its text: pasting long texts again and again would grow
// memory without end. Committing a field ends its history; its text, caret and
// selection stay as they are.
void ForgetUndoHistory(QLineEdit& field) {
  if (!field.isUndoAvailable() && !field.isRedoAvailable()) return;
  const int caret = field.cursorPosition();
  const int start = field.selectionStart();
  const int length = static_cast<int>(field.selectedText().size());
  const QSignalBlocker quiet(field);  // the same text: nothing to tell the handlers
  field.setText(field.text());
  if (start < 0) {
    field.setCursorPosition(caret);
  } else if (caret == start) {
    field.setSelection(start + length, -length);
  } else {
    field.setSelection(start, length);
  }
}

void Unmark(QLineEdit& field) {
  field.setProperty(kMarkedProperty, false);
  field.setStyleSheet(QString());
}

}  // namespace

bool IsUnfinishedNumber(const QString& text) { return text.isEmpty() || text == u"-" || text == u"+"; }

FieldEditing::FieldEditing(QWidget* window) : QObject(window), window_(window) {}

// The user's edit signal comes just before the change signal that the field's
// own handler hears; a text the program writes afterwards differs from the one
// typed, so the handler can tell the user's change from the program's.
void FieldEditing::Watch(QLineEdit* field, std::function<void()> commit,
                         std::function<bool(const QString&)> converts) {
  connect(field, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    typing_ = lastTyped_ = field;
    lastTypedText_ = text;
  });
  connect(field, &QLineEdit::textChanged, this, [field, converts = std::move(converts)](const QString& text) {
    if (Marked(*field) && converts(text)) Unmark(*field);
  });
  // Focus taken by another program, or by a closing or blocked window, is
  // not the user finishing the field.
  connect(field, &QLineEdit::editingFinished, this, [this, field, commit = std::move(commit)] {
    if (!window_->isActiveWindow()) return;
    if (typing_ == field) typing_ = nullptr;
    if (lastTyped_ == field) lastTyped_ = nullptr;  // the rule now judges the text as it stands
    commit();
    ForgetUndoHistory(*field);
  });
}

void FieldEditing::WatchPlain(QLineEdit* field) {
  connect(field, &QLineEdit::editingFinished, this, [this, field] {
    if (window_->isActiveWindow()) ForgetUndoHistory(*field);
  });
}

bool FieldEditing::BeingTyped(const QLineEdit& field) const {
  return typing_ == &field && window_->focusWidget() == &field;
}

bool FieldEditing::WaitsForMore(const QLineEdit& field) const {
  return lastTyped_ == &field && field.text() == lastTypedText_ && window_->focusWidget() == &field &&
         IsUnfinishedNumber(lastTypedText_);
}

void FieldEditing::Mark(QLineEdit& field) {
  if (Marked(field)) return;
  field.setProperty(kMarkedProperty, true);
  field.setStyleSheet(kMarkStyle);
}

bool FieldEditing::Marked(const QLineEdit& field) { return field.property(kMarkedProperty).toBool(); }
