// Any bytes as the program's arguments, one per line: the command line either
// gives options within their limits or throws a message; it never crashes.
// Arguments that ask for the help or the version are left out, since those
// print their text and end the process, as they should.

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <exception>

#include "app/CommandLine.h"
#include "tests/fuzz/FuzzFailure.h"

namespace {

void CheckOptions(const ProgramOptions& options) {
  if (options.size.width() < 1 || options.size.height() < 1 || options.size.width() > 16384 ||
      options.size.height() > 16384)
    FuzzFailure("a picture size outside 1 to 16384 was taken");
  if (options.frames < 0 || options.frames > 1000000) FuzzFailure("a frame count outside 0 to 1000000 was taken");
  if (options.frames > 0 && options.picture.isEmpty()) FuzzFailure("frames were taken without a picture");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QStringList arguments{QStringLiteral("tessaran")};
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  arguments << text.split(u'\n');
  if (AsksForHelpOrVersion(arguments)) return 0;
  try {
    CheckOptions(ParseCommandLine(arguments));
  } catch (const std::exception&) {
    // A refused command line: the program prints the message and ends with status 1.
  }
  return 0;
}
