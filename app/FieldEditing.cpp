#include "app/FieldEditing.h"

#include <QLineEdit>
#include <QWidget>

#include <utility>

namespace {

const char kMarkedProperty[] = "tessaranMarked";
const QString kMarkStyle = QStringLiteral("QLineEdit { border: 1px solid #d00000; }");

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
