#include "app/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const QString kSceneFilter = QStringLiteral("Tessaran scenes (*.scene);;All files (*)");
const QString kPictureFilter = QStringLiteral("PNG pictures (*.png)");

FileChooser& InstalledChooser() {
  static FileChooser chooser;
  return chooser;
}

// Only for this run of the program: nothing is stored between runs.
QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

QString AskUser(QWidget* parent, FileDialog dialog) {
  const QString folder = LastFolder();
  switch (dialog) {
    case FileDialog::OpenScene:
      return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Scene"), folder, kSceneFilter);
    case FileDialog::SaveScene:
      return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Scene"), folder + QStringLiteral("/view.scene"),
                                          kSceneFilter);
    case FileDialog::SavePicture:
      return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Picture"),
                                          folder + QStringLiteral("/view.png"), kPictureFilter);
  }
  return {};
}

}  // namespace

void SetFileChooser(FileChooser chooser) { InstalledChooser() = std::move(chooser); }

QString ChooseFile(QWidget* parent, FileDialog dialog) {
  const QString path = InstalledChooser() ? InstalledChooser()(dialog) : AskUser(parent, dialog);
  if (!path.isEmpty()) LastFolder() = QFileInfo(path).absolutePath();
  return path;
}
