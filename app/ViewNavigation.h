#pragma once
// The view panel taken in hand: a drag with the left button turns and tilts
// the view, the wheel zooms, and the arrow, plus, minus and page keys do the
// same while the panel has the focus. Everything goes through the three view
// sliders, whose own change handlers write the paired fields; nothing is drawn
// here, the next frame shows the new positions.

#include <QObject>
#include <QPointF>

class QKeyEvent;
class QMouseEvent;
class QScrollBar;
class QWheelEvent;
class QWidget;

// A position moved past either end of a circular range comes round from the
// other end: the two ends are the same angle, and each is kept as it is.
int WrapPosition(long long position, int minimum, int maximum);

class ViewNavigation final : public QObject {
 public:
  // One wheel notch, in the units of a wheel event's angle delta.
  static constexpr int kNotch = 120;
  // A touchpad's pixel deltas that add up to one notch.
  static constexpr int kPixelsPerNotch = 30;

  // Listens to `view`; `tilt` is the vertical angle's slider, `turn` the
  // horizontal angle's and `zoom` the zoom's.
  ViewNavigation(QWidget* view, QScrollBar* tilt, QScrollBar* turn, QScrollBar* zoom);

  // As a drag by that many logical pixels would: the surface follows the
  // pointer as if it were held.
  void Drag(int right, int down);
  void Zoom(int notchesCloser);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool MousePress(const QMouseEvent& event);
  bool MouseMove(const QMouseEvent& event);
  bool MouseRelease(const QMouseEvent& event);
  bool Wheel(const QWheelEvent& event);
  bool Key(const QKeyEvent& event);

  QWidget* view_;
  QScrollBar* tilt_;
  QScrollBar* turn_;
  QScrollBar* zoom_;
  bool dragging_ = false;
  QPointF dragOrigin_;  // where the drag started, in logical pixels
  QPoint dragApplied_;  // whole pixels of it already turned into degrees
  int wheelAngle_ = 0;  // angle delta not yet a whole notch
  int wheelPixels_ = 0;  // pixel delta not yet a whole notch
};
