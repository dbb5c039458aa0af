#include "tools/X11Driver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

struct X11Driver::Connection {
  Display* display = nullptr;
};

namespace {

bool IsMappedWithTitle(Display* display, Window window, const std::string& title) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.map_state != IsViewable) return false;
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
  const bool matches = title == name;
  XFree(name);
  return matches;
}

std::optional<Window> FindTopLevel(Display* display, const std::string& title) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return std::nullopt;
  std::optional<Window> found;
  for (unsigned int i = 0; i < count && !found; ++i)
    if (IsMappedWithTitle(display, children[i], title)) found = children[i];
  if (children != nullptr) XFree(children);
  return found;
}

// One 8-bit channel of a pixel from its mask, whatever the visual's layout.
int Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  const unsigned long maximum = mask >> shift;
  return static_cast<int>(((pixel & mask) >> shift) * 255 / maximum);
}

// Other clients' windows come and go while the tree is walked; a request on
// one that has just gone fails with BadWindow, and Xlib's default handler
// would end the whole process. Failed requests return 0 to their callers,
// which treat the window as not there.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

X11Driver::X11Driver() : connection_(std::make_unique<Connection>()) {
  connection_->display = XOpenDisplay(nullptr);
  if (connection_->display == nullptr) throw std::runtime_error("Cannot open the X display");
  XSetErrorHandler(IgnoreError);
}

X11Driver::~X11Driver() { XCloseDisplay(connection_->display); }

std::optional<unsigned long> X11Driver::FindWindow(const std::string& title, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    if (const std::optional<Window> window = FindTopLevel(connection_->display, title)) return *window;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

QImage X11Driver::Grab(unsigned long window) {
  Display* display = connection_->display;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) return {};
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return {};
  QImage picture(attributes.width, attributes.height, QImage::Format_RGB32);
  for (int y = 0; y < attributes.height; ++y) {
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      picture.setPixel(x, y, qRgb(Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                                  Channel(pixel, image->blue_mask)));
    }
  }
  XDestroyImage(image);
  return picture;
}

void X11Driver::Click(unsigned long window, QPoint point) {
  Display* display = connection_->display;
  Window child = 0;
  int rootX = 0;
  int rootY = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), point.x(), point.y(), &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display, Button1, True, CurrentTime);
  XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  XFlush(display);
}

void X11Driver::Unmap(unsigned long window) {
  XUnmapWindow(connection_->display, window);
  XFlush(connection_->display);
}

void X11Driver::Map(unsigned long window) {
  XMapWindow(connection_->display, window);
  XFlush(connection_->display);
}

void X11Driver::Close(unsigned long window) {
  Display* display = connection_->display;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}
