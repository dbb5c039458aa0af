#include "app/ErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void ShowModalErrorBox(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

ErrorBox& CurrentBox() {
  static ErrorBox box;
  return box;
}

bool boxOpen = false;

}  // namespace

QString ErrorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
  return message;
}

void SetErrorBox(ErrorBox box) { CurrentBox() = std::move(box); }

bool ErrorBoxOpen() { return boxOpen; }

void ShowError(const std::string& message) noexcept {
  if (boxOpen) return;
  boxOpen = true;
  try {
    const QString text = ErrorBoxText(QString::fromStdString(message));
    if (CurrentBox()) CurrentBox()(text);
    else ShowModalErrorBox(text);
  } catch (...) {
    // The error display has nowhere further to report its own failure.
  }
  boxOpen = false;
}
