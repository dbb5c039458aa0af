#include "app/HelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString HelpText() {
  QFile file(QStringLiteral(":/help/help.html"));
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("The help text is missing from this build.");
  return QString::fromUtf8(file.readAll());
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Tessaran Help"));
  auto* text = new QTextBrowser(this);
  text->setObjectName(QStringLiteral("HelpText"));
  text->setOpenLinks(false);
  text->setHtml(HelpText());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text);
  resize(560, 620);
}

QString HelpWindow::PlainText() const { return findChild<QTextBrowser*>()->toPlainText(); }
