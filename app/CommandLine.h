#pragma once
// The command line:
//   tessaran [--picture FILE.png [--size WxH] [--frames N]] [SCENE_FILE] [NAME=VALUE ...]
// Without --picture the window opens and then takes the scene file and the
// settings; with it, pictures are written and no window is shown.

#include <QSize>
#include <QString>
#include <QStringList>

// The view's design size in device pixels.
inline constexpr QSize kDesignPictureSize(503, 453);

struct ProgramOptions {
  QString picture;                   // empty: the window
  QSize size = kDesignPictureSize;   // of each picture, in device pixels
  int frames = 0;                    // 0: one picture named as given; N: N numbered pictures
  QString sceneFile;                 // empty: none
  QStringList settings;              // NAME=VALUE, in order
};

// True when the arguments ask only for the help or the version, which need
// no display.
bool AsksForHelpOrVersion(const QStringList& arguments);

// Arguments as QCoreApplication::arguments gives them, the program first.
// --help and --version print their text and end the program with status 0;
// anything else that cannot be taken throws std::runtime_error with the message.
ProgramOptions ParseCommandLine(const QStringList& arguments);

// FILE.png with the picture's number before ".png": FILE-0001.png, with more
// digits when `count` needs them.
QString NumberedPictureName(const QString& path, int number, int count);
