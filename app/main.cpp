// Tessaran: sets up the memory allocator, starts the application with its
// title, installs the OpenGL rendering device, and either runs the main
// window until it is closed or writes the pictures the command line asks
// for; then releases the device once more before unloading it.

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <exception>

#include "app/CommandLine.h"
#include "app/ErrorDisplay.h"
#include "app/PictureFiles.h"
#include "app/MemoryAllocator.h"
#include "app/TForm1.h"
#include "d3d/DeviceSetup.h"
#include "d3d/Direct3DLoader.h"
#include "d3d/GlDirect3D8.h"

namespace {

void NameApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("tessaran"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TESSARAN_VERSION));
}

// The scene file and the settings once the window is up, so that an error
// box they raise stands over it.
int RunWindow(const ProgramOptions& options) {
  TForm1 window;
  window.show();
  QTimer::singleShot(0, &window, [&window, &options] {
    if (!options.sceneFile.isEmpty()) window.OpenSceneFile(options.sceneFile);
    if (!options.settings.isEmpty()) window.ApplySettings(options.settings);
  });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  SetUpMemoryAllocator();
  // The help and the version need no display, which a QApplication would.
  if (AsksForHelpOrVersion(QStringList(argv, argv + argc))) {
    QCoreApplication core(argc, argv);
    NameApplication();
    try {
      ParseCommandLine(QCoreApplication::arguments());  // prints and ends the program
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s\n", error.what());
    }
    return 1;
  }
  QApplication application(argc, argv);
  NameApplication();
  QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));  // before any error box
  ProgramOptions options;
  try {
    options = ParseCommandLine(QApplication::arguments());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  SetDirect3DCreateFunction(CreateOpenGLDirect3D8);
  const int status = options.picture.isEmpty() ? RunWindow(options) : WritePictures(options);
  ReleaseDevice();
  UnloadDirect3D8();
  return status;
}
