// Tessaran: sets up the memory allocator, starts the application with its title, installs the OpenGL
// rendering device, runs the main window until it is closed and releases the
// device once more before unloading it.

#include <QApplication>

#include "app/ErrorDisplay.h"
#include "app/MemoryAllocator.h"
#include "app/TForm1.h"
#include "d3d/DeviceSetup.h"
#include "d3d/Direct3DLoader.h"
#include "d3d/GlDirect3D8.h"

int main(int argc, char* argv[]) {
  SetUpMemoryAllocator();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tessaran"));
  QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));  // before any error box
  SetDirect3DCreateFunction(CreateOpenGLDirect3D8);
  {
    TForm1 window;
    window.show();
    QApplication::exec();
  }
  ReleaseDevice();
  UnloadDirect3D8();
  return 0;
}
