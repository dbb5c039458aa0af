#include "app/ViewNavigation.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kShiftedKeyStep = 10;

// Keeps what is left below a whole unit, with its sign; a turn of the wheel
// the other way starts afresh rather than first paying back the remainder.
int WholeUnits(int& carried, int delta, int unit) {
  if ((carried > 0 && delta < 0) || (carried < 0 && delta > 0)) carried = 0;
  carried += delta;
  const int units = carried / unit;
  carried -= units * unit;
  return units;
}

}  // namespace

int WrapPosition(long long position, int minimum, int maximum) {
  if (position >= minimum && position <= maximum) return static_cast<int>(position);
  const long long period = static_cast<long long>(maximum) - minimum;
  if (period <= 0) return minimum;
  long long offset = (position - minimum) % period;
  if (offset < 0) offset += period;
  return static_cast<int>(minimum + offset);
}

ViewNavigation::ViewNavigation(QWidget* view, QScrollBar* tilt, QScrollBar* turn, QScrollBar* zoom)
    : QObject(view), view_(view), tilt_(tilt), turn_(turn), zoom_(zoom) {
  view->setCursor(Qt::OpenHandCursor);
  view->installEventFilter(this);
}

// Held like the surface itself: its near edge follows the pointer. Downwards
// raises the vertical angle; to the right lowers the horizontal one, or
// raises it while the view is upside down (a vertical angle below zero).
void ViewNavigation::Drag(int right, int down) {
  const int tilt = tilt_->value();
  const bool upsideDown = tilt < 0 && tilt > tilt_->minimum();
  const long long turn = upsideDown ? right : -static_cast<long long>(right);
  const long long turned = static_cast<long long>(turn_->value()) + turn;
  turn_->setValue(WrapPosition(turned, turn_->minimum(), turn_->maximum()));
  tilt_->setValue(WrapPosition(static_cast<long long>(tilt) + down, tilt_->minimum(), tilt_->maximum()));
}

// A higher zoom position brings the camera closer; the slider clamps.
void ViewNavigation::Zoom(int notchesCloser) {
  zoom_->setValue(static_cast<int>(std::clamp<long long>(static_cast<long long>(zoom_->value()) + notchesCloser,
                                                         zoom_->minimum(), zoom_->maximum())));
}

bool ViewNavigation::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: return MousePress(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseMove: return MouseMove(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseButtonRelease: return MouseRelease(static_cast<const QMouseEvent&>(*event));
    case QEvent::Wheel: return Wheel(static_cast<const QWheelEvent&>(*event));
    case QEvent::KeyPress: return Key(static_cast<const QKeyEvent&>(*event));
    default: return false;
  }
}

bool ViewNavigation::MousePress(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) return false;
  dragging_ = true;
  dragOrigin_ = event.position();
  dragApplied_ = QPoint();
  view_->setCursor(Qt::ClosedHandCursor);
  return true;
}

// Whole pixels from where the drag started, so that no fraction of a pixel
// is lost or counted twice however the moves arrive.
bool ViewNavigation::MouseMove(const QMouseEvent& event) {
  if (!dragging_) return false;
  if (!(event.buttons() & Qt::LeftButton)) return MouseRelease(event);
  const QPointF moved = event.position() - dragOrigin_;
  const QPoint whole(static_cast<int>(std::lround(moved.x())), static_cast<int>(std::lround(moved.y())));
  const QPoint step = whole - dragApplied_;
  dragApplied_ = whole;
  if (!step.isNull()) Drag(step.x(), step.y());
  return true;
}

bool ViewNavigation::MouseRelease(const QMouseEvent& event) {
  if (!dragging_ || (event.type() == QEvent::MouseButtonRelease && event.button() != Qt::LeftButton)) return false;
  dragging_ = false;
  view_->setCursor(Qt::OpenHandCursor);
  return true;
}

// Wheel forward is a positive delta and brings the camera closer. A touchpad
// reports pixels where it can, and a fine wheel parts of a notch.
bool ViewNavigation::Wheel(const QWheelEvent& event) {
  const int pixels = event.pixelDelta().y();
  const int notches = pixels != 0 ? WholeUnits(wheelPixels_, pixels, kPixelsPerNotch)
                                  : WholeUnits(wheelAngle_, event.angleDelta().y(), kNotch);
  if (notches != 0) Zoom(notches);
  return true;
}

bool ViewNavigation::Key(const QKeyEvent& event) {
  const Qt::KeyboardModifiers others = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (others != Qt::NoModifier) return false;
  const int step = (event.modifiers() & Qt::ShiftModifier) ? kShiftedKeyStep : 1;
  switch (event.key()) {
    case Qt::Key_Left: Drag(-step, 0); return true;
    case Qt::Key_Right: Drag(step, 0); return true;
    case Qt::Key_Up: Drag(0, -step); return true;
    case Qt::Key_Down: Drag(0, step); return true;
    case Qt::Key_Plus: case Qt::Key_Equal: case Qt::Key_PageUp: Zoom(1); return true;
    case Qt::Key_Minus: case Qt::Key_PageDown: Zoom(-1); return true;
    default: return false;
  }
}
