// The main of the OpenGL tests: they need a QApplication on a display that
// offers OpenGL. ctest names the platform for them (QT_QPA_PLATFORM), and
// there a missing display is a failure; someone running them by hand without
// a display and without naming a platform gets them skipped instead.

#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

bool DisplayReachable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

class NoDisplay final : public ::testing::Environment {
 public:
  void SetUp() override { GTEST_SKIP() << "no display: the OpenGL tests are skipped"; }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  if (!DisplayReachable()) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      std::fputs("No display for the OpenGL tests: run them under xvfb-run.\n", stderr);
      return 1;
    }
    ::testing::AddGlobalTestEnvironment(new NoDisplay);
    return RUN_ALL_TESTS();
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
