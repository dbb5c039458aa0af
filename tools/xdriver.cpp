// tessaran-xdriver: waits for Tessaran's window on $DISPLAY, lets it draw for
// a few seconds, saves a screenshot of it and closes it as a user would.
//   tessaran-xdriver SCREENSHOT.png [SECONDS]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <thread>

#include "tools/X11Driver.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s SCREENSHOT.png [SECONDS]\n", argv[0]);
    return 2;
  }
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 3;
  try {
    X11Driver driver;
    const auto window = driver.FindWindow("Tessaran", 30000);
    if (!window) {
      std::fprintf(stderr, "No Tessaran window appeared\n");
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const bool saved = driver.Grab(*window).save(QString::fromLocal8Bit(argv[1]));
    driver.Close(*window);
    if (!saved) {
      std::fprintf(stderr, "Cannot write %s\n", argv[1]);
      return 1;
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
