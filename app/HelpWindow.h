#pragma once
// The window that "Help!" opens: what each page does, what the colours mean,
// the view's mouse and keys, the shortcuts, the scene file and the command
// line. A window of its own beside the main one, never modal; it only shows text.

#include <QWidget>

class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* owner);

  // The help's text as shown, without its markup.
  QString PlainText() const;
};
