#pragma once
// Files written whole or not at all: into a temporary file beside the
// target, renamed over it only once everything is written. A failure (no
// permission, a full disk, a folder in the way) leaves an earlier file as it
// was and throws std::runtime_error naming the file and the system's reason.

#include <QByteArrayView>
#include <QString>

#include <string>

class QImage;

void SaveFileSafely(const QString& path, QByteArrayView contents);

// The picture as PNG, every pixel as it is.
void SavePngSafely(const QString& path, const QImage& picture);

// "Cannot save "<path>": <reason>", as the error box shows it.
std::string CannotSaveMessage(const QString& path, const QString& reason);
