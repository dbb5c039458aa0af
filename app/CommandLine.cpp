#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kLargestSide = 16384;
constexpr int kMostFrames = 1000000;

std::runtime_error Bad(const QString& message) { return std::runtime_error(message.toStdString()); }

QSize ParseSize(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,9})x([0-9]{1,9})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
  const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
  if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide)
    throw Bad(QStringLiteral("Bad --size \"%1\": give WIDTHxHEIGHT in device pixels, each from 1 to %2")
                  .arg(text)
                  .arg(kLargestSide));
  return {width, height};
}

int ParseFrames(const QString& text) {
  bool number = false;
  const int frames = text.toInt(&number);
  if (!number || frames < 1 || frames > kMostFrames || !text.front().isDigit())
    throw Bad(QStringLiteral("Bad --frames \"%1\": give a count from 1 to %2").arg(text).arg(kMostFrames));
  return frames;
}

// The first argument is the scene file unless it is a setting: one with a
// "=" that names no existing file.
void TakePositional(const QStringList& positional, ProgramOptions& options) {
  qsizetype first = 0;
  if (!positional.isEmpty() && (!positional.front().contains(u'=') || QFileInfo(positional.front()).isFile())) {
    options.sceneFile = positional.front();
    first = 1;
  }
  options.settings = positional.mid(first);
}

}  // namespace

// As Qt's parser reads them: a long option by any of its names (--h and
// --help=x included), a short one alone or among others (-vh), but not the
// value of an option that takes one, nor anything after "--".
bool AsksForHelpOrVersion(const QStringList& arguments) {
  static const QStringList names = {QStringLiteral("h"),        QStringLiteral("help"), QStringLiteral("?"),
                                    QStringLiteral("help-all"), QStringLiteral("v"),    QStringLiteral("version")};
  static const QStringList takingValues = {QStringLiteral("--picture"), QStringLiteral("--size"),
                                           QStringLiteral("--frames")};
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == u"--") return false;
    if (takingValues.contains(argument)) {
      ++i;
    } else if (argument.startsWith(QStringLiteral("--"))) {
      if (names.contains(argument.mid(2).section(u'=', 0, 0))) return true;
    } else if (argument.startsWith(u'-') && argument.size() > 1) {
      if (argument.contains(u'h') || argument.contains(u'v') || argument.contains(u'?')) return true;
    }
  }
  return false;
}

ProgramOptions ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Tessaran draws a warp bubble's space-time surface and a laser beam through it.\n"
      "A scene file and NAME=VALUE settings (a field, slider or radio button of the window by its\n"
      "name, BubblePosition or TimeStep) are applied in that order, as Open Scene applies them."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption picture(QStringLiteral("picture"),
                                   QStringLiteral("Write the view as a PNG picture instead of opening the window."),
                                   QStringLiteral("FILE.png"));
  const QCommandLineOption size(QStringLiteral("size"),
                                QStringLiteral("The picture's size in device pixels (default 503x453)."),
                                QStringLiteral("WxH"));
  const QCommandLineOption frames(
      QStringLiteral("frames"),
      QStringLiteral("Write N pictures, FILE-0001.png and on, the bubble moving by the time step between them."),
      QStringLiteral("N"));
  parser.addOptions({picture, size, frames});
  parser.addPositionalArgument(QStringLiteral("SCENE_FILE"), QStringLiteral("A scene file to open."),
                               QStringLiteral("[SCENE_FILE]"));
  parser.addPositionalArgument(QStringLiteral("NAME=VALUE"), QStringLiteral("Settings applied after it."),
                               QStringLiteral("[NAME=VALUE ...]"));
  if (!parser.parse(arguments)) throw Bad(parser.errorText());
  if (parser.isSet(help)) parser.showHelp(0);
  if (parser.isSet(version)) parser.showVersion();

  ProgramOptions options;
  options.picture = parser.value(picture);
  if ((parser.isSet(size) || parser.isSet(frames)) && !parser.isSet(picture))
    throw Bad(QStringLiteral("--size and --frames go with --picture"));
  if (parser.isSet(picture) && options.picture.isEmpty()) throw Bad(QStringLiteral("--picture needs a file name"));
  if (parser.isSet(size)) options.size = ParseSize(parser.value(size));
  if (parser.isSet(frames)) options.frames = ParseFrames(parser.value(frames));
  TakePositional(parser.positionalArguments(), options);
  return options;
}

QString NumberedPictureName(const QString& path, int number, int count) {
  const int digits = std::max<int>(4, static_cast<int>(QString::number(count).size()));
  const QString numbered = QStringLiteral("-%1").arg(number, digits, 10, QLatin1Char('0'));
  if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return path.chopped(4) + numbered + path.right(4);
  return path + numbered;
}
