// The real program on the X display that make test provides: it starts,
// draws the warp field on the black view panel, animates after a click on
// "Draw Graph" and ends with status 0 when its window is closed.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <chrono>
#include <functional>
#include <thread>

#include "tools/X11Driver.h"

namespace {

constexpr int kPanel1Width = 185;

struct Colours {
  int red = 0, blue = 0, black = 0, total = 0;
};

// The view panel's pixels by colour: the surface lines behind the bubble are
// red, those ahead of it blue, the background black.
Colours CountColours(const QImage& window) {
  Colours colours;
  for (int y = 0; y < window.height(); ++y) {
    for (int x = kPanel1Width; x < window.width(); ++x) {
      const QRgb pixel = window.pixel(x, y);
      const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
      if (r > 120 && g < 60 && b < 60) ++colours.red;
      if (b > 120 && r < 60 && g < 60) ++colours.blue;
      if (r < 16 && g < 16 && b < 16) ++colours.black;
      ++colours.total;
    }
  }
  return colours;
}

QImage ViewPanel(const QImage& window) {
  return window.copy(kPanel1Width, 0, window.width() - kPanel1Width, window.height());
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

TEST(ProgramEndToEndTest, DrawsAnimatesAndEndsWithStatusZero) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "needs an X display (make test runs it under xvfb-run)";
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  program.setProcessEnvironment(environment);
  // Kept apart from the test's own output, so that nothing but this test
  // holds ctest's pipe; QProcess ends the program if the test stops early.
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(QStringLiteral(TESSARAN_PROGRAM), {});
  ASSERT_TRUE(program.waitForStarted(10000));

  X11Driver driver;
  const auto window = driver.FindWindow("Tessaran", 30000);
  ASSERT_TRUE(window.has_value());

  Colours colours;
  const bool drawn = WaitFor(
      [&] {
        colours = CountColours(driver.Grab(*window));
        return colours.red > 1000 && colours.blue > 1000;
      },
      30000);
  EXPECT_TRUE(drawn) << "red " << colours.red << ", blue " << colours.blue;
  EXPECT_GT(colours.black, colours.total / 4);

  // Standing still, the picture stays the same; running, it changes.
  const QImage still = ViewPanel(driver.Grab(*window));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(ViewPanel(driver.Grab(*window)), still);
  driver.Click(*window, QPoint(60, 45));  // "Draw Graph" on the Animation page
  EXPECT_TRUE(WaitFor([&] { return ViewPanel(driver.Grab(*window)) != still; }, 10000));

  driver.Close(*window);
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << program.readAll().toStdString();
}

}  // namespace
