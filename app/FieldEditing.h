#pragma once
// What the user is typing, for every field of the window, in one place.
//
// A field is being typed into from the user's first change of its text until
// they commit it: Enter, or the focus moving to another control of the
// window. Texts the program writes never start an edit. Meanwhile a
// validated field leaves a text it cannot judge yet (empty, a lone sign) as
// typed, and a frame that fails on the field shows no box; on commit the
// field's own rule runs on the text as it then stands.
//
// A field whose text failed is marked with a red frame until its text converts.
// A committed field's undo history ends, so that memory does not grow with
// every edit ever made.

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

class FieldEditing : public QObject {
  Q_OBJECT

 public:
  explicit FieldEditing(QWidget* window);

  // Follows the field's edits. `commit` runs when the user commits it, while
  // the window is active; `converts` says whether a text would be taken.
  void Watch(QLineEdit* field, std::function<void()> commit, std::function<bool(const QString&)> converts);

  // A field no rule or frame reads: only its undo history ends on commit.
  void WatchPlain(QLineEdit* field);

  // True while the user is typing into the field and it has the window's focus.
  bool BeingTyped(const QLineEdit& field) const;

  // True when the change now being handled was the user's own keystroke,
  // paste or deletion in this field, and left a text that is not yet a number.
  bool WaitsForMore(const QLineEdit& field) const;

  // Marks the field until its text converts.
  void Mark(QLineEdit& field);
  static bool Marked(const QLineEdit& field);

 private:
  QWidget* window_;
  QLineEdit* typing_ = nullptr;       // the field the user is typing into
  QLineEdit* lastTyped_ = nullptr;    // the field whose text the user's last keystroke changed,
  QString lastTypedText_;             // and the text it left
};

// Empty, or a lone sign: every user passes through these on the way to a number.
bool IsUnfinishedNumber(const QString& text);
