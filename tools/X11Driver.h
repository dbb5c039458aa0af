#pragma once
// Drives a program's top-level window on an X11 display from outside: finds
// it by title, grabs its picture, clicks into it, unmaps it and asks it to
// close, as a user would. Used to run Tessaran unattended under Xvfb
// (screenshots, the end-to-end and exposure tests); the program itself never
// uses it.

#include <QImage>
#include <QPoint>

#include <memory>
#include <optional>
#include <string>

class X11Driver {
 public:
  // Connects to $DISPLAY; throws std::runtime_error when that fails.
  X11Driver();
  ~X11Driver();
  X11Driver(const X11Driver&) = delete;
  X11Driver& operator=(const X11Driver&) = delete;

  // The first mapped top-level window titled `title`, waiting up to `timeoutMs`.
  std::optional<unsigned long> FindWindow(const std::string& title, int timeoutMs);
  // The window's content as it is on the screen now.
  QImage Grab(unsigned long window);
  // A left click at a point inside the window, through the XTEST extension.
  void Click(unsigned long window, QPoint point);
  // Takes the window off the screen and puts it back, as switching to another
  // desktop and back does.
  void Unmap(unsigned long window);
  void Map(unsigned long window);
  // Sends the window manager's close request, as the window's close button does.
  void Close(unsigned long window);

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;
};
