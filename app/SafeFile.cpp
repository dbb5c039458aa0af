#include "app/SafeFile.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <stdexcept>

namespace {

// Unbuffered, and every byte accounted for: a buffered file that the system
// cuts short (a full disk, a size limit) could otherwise still be committed.
// A short write is tried again, and the system then says why it stopped.
QString WriteAll(QSaveFile& file, QByteArrayView contents) {
  qint64 written = 0;
  while (written < contents.size()) {
    const qint64 now = file.write(contents.data() + written, contents.size() - written);
    if (now <= 0) return file.errorString();
    written += now;
  }
  return {};
}

}  // namespace

std::string CannotSaveMessage(const QString& path, const QString& reason) {
  return "Cannot save \"" + QDir::toNativeSeparators(path).toStdString() + "\": " + reason.toStdString();
}

void SaveFileSafely(const QString& path, QByteArrayView contents) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    throw std::runtime_error(CannotSaveMessage(path, file.errorString()));
  if (const QString problem = WriteAll(file, contents); !problem.isEmpty()) {
    file.cancelWriting();
    throw std::runtime_error(CannotSaveMessage(path, problem));
  }
  if (!file.commit()) throw std::runtime_error(CannotSaveMessage(path, file.errorString()));
}

// Encoded in memory first, so that only the file's own failures remain.
void SavePngSafely(const QString& path, const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(picture)) throw std::runtime_error(CannotSaveMessage(path, writer.errorString()));
  SaveFileSafely(path, png);
}
