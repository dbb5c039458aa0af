#pragma once
// Where the user picks a file to open or save. Tests install a chooser that
// answers at once, as they replace the error box, so that no test waits on a
// modal dialog.

#include <QString>

#include <functional>

class QWidget;

enum class FileDialog { OpenScene, SaveScene, SavePicture };

// The chosen path, or an empty text when the user cancelled.
using FileChooser = std::function<QString(FileDialog dialog)>;

// An empty function brings the program's own dialogs back.
void SetFileChooser(FileChooser chooser);

// Asks through the installed chooser, or a modal file dialog over `parent`
// that starts in the folder last chosen.
QString ChooseFile(QWidget* parent, FileDialog dialog);
