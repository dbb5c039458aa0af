#include "app/ViewNavigation.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <climits>

#include "FormFixture.h"

namespace {

class ViewNavigationTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    CreateActiveForm();
    view = form->PanelViewPort;
  }

  void DragBy(QPoint by) {
    const QPoint start(200, 200);
    QTest::mousePress(view, Qt::LeftButton, {}, start);
    QTest::mouseMove(view, start + by);
    QTest::mouseRelease(view, Qt::LeftButton, {}, start + by);
  }

  void Wheel(QPoint angleDelta, QPoint pixelDelta = {}) {
    const QPointF at(100, 100);
    QWheelEvent event(at, view->mapToGlobal(at), pixelDelta, angleDelta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
  }

  QWidget* view = nullptr;
};

TEST(WrapPositionTest, ComesRoundFromTheOtherEndAndKeepsBothEnds) {
  const struct {
    long long position;
    int minimum, maximum, wrapped;
  } cases[] = {
      {240, 0, 360, 240}, {0, 0, 360, 0},       {360, 0, 360, 360},      {361, 0, 360, 1},
      {-1, 0, 360, 359},  {725, 0, 360, 5},     {-721, 0, 360, 359},     {181, -180, 180, -179},
      {-181, -180, 180, 179}, {180, -180, 180, 180}, {-180, -180, 180, -180},
      {static_cast<long long>(INT_MAX) + 30, 0, 360, 157}, {static_cast<long long>(INT_MIN) - 30, -180, 180, -158},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(WrapPosition(c.position, c.minimum, c.maximum), c.wrapped);
  }
}

// Held like the surface: right lowers the horizontal angle, down raises the
// vertical one, one degree per pixel, and the fields follow their sliders.
// Nothing is drawn until the next tick.
TEST_F(ViewNavigationTest, DragTurnsAndTiltsThroughTheSlidersWithoutDrawing) {
  const std::size_t calls = log->size();
  DragBy(QPoint(30, 0));
  EXPECT_EQ(form->ScrollBar2->value(), 210);
  EXPECT_EQ(form->HorizontalAngleValue->text(), "210");
  EXPECT_EQ(form->ScrollBar1->value(), 120);
  DragBy(QPoint(-5, 20));
  EXPECT_EQ(form->ScrollBar2->value(), 215);
  EXPECT_EQ(form->ScrollBar1->value(), 140);
  EXPECT_EQ(form->VerticalAngleValue->text(), "140");
  EXPECT_EQ(form->ScrollBar3->value(), 36);
  EXPECT_EQ(log->size(), calls);
  EXPECT_TRUE(errors.empty());
}

TEST_F(ViewNavigationTest, OpenHandOverTheViewClosedWhileDragging) {
  EXPECT_EQ(view->cursor().shape(), Qt::OpenHandCursor);
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(view->cursor().shape(), Qt::ClosedHandCursor);
  QTest::mouseMove(view, QPoint(52, 50));
  EXPECT_EQ(form->ScrollBar2->value(), 238);
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(52, 50));
  EXPECT_EQ(view->cursor().shape(), Qt::OpenHandCursor);
  QTest::mouseMove(view, QPoint(90, 90));  // no button held: nothing turns
  EXPECT_EQ(form->ScrollBar2->value(), 238);
}

// Both angles are circular: a drag past either end goes on from the other,
// and the field shows where the slider came round to.
TEST_F(ViewNavigationTest, DraggingPastEitherEndOfAnAngleComesRound) {
  const struct {
    QScrollBar* TForm1::*slider;
    int from;
    QPoint drag;
    int to;
  } cases[] = {
      {&TForm1::ScrollBar2, 5, {10, 0}, 355},    {&TForm1::ScrollBar2, 355, {-10, 0}, 5},
      {&TForm1::ScrollBar2, 350, {-10, 0}, 360}, {&TForm1::ScrollBar2, 0, {400, 0}, 320},
      {&TForm1::ScrollBar1, 175, {0, 10}, -175}, {&TForm1::ScrollBar1, -175, {0, -10}, 175},
      {&TForm1::ScrollBar1, 170, {0, 10}, 180},
  };
  for (const auto& c : cases) {
    QScrollBar* slider = form.get()->*c.slider;
    SCOPED_TRACE(slider->objectName().toStdString() + " from " + std::to_string(c.from));
    slider->setValue(c.from);
    DragBy(c.drag);
    EXPECT_EQ(slider->value(), c.to);
    const QLineEdit* field = slider == form->ScrollBar1 ? form->VerticalAngleValue : form->HorizontalAngleValue;
    EXPECT_EQ(field->text(), QString::number(c.to));
  }
}

// Upside down (a vertical angle below zero) the surface still follows the pointer.
TEST_F(ViewNavigationTest, UpsideDownARightwardDragRaisesTheHorizontalAngle) {
  form->ScrollBar1->setValue(-90);
  DragBy(QPoint(30, 0));
  EXPECT_EQ(form->ScrollBar2->value(), 270);
}

// One position per notch of 120, forward closer; parts of notches and a
// touchpad's pixels add up; the zoom stops at 1 and 100.
TEST_F(ViewNavigationTest, WheelZoomsByNotchesAndClampsAtBothEnds) {
  Wheel(QPoint(0, 120));
  EXPECT_EQ(form->ScrollBar3->value(), 37);
  EXPECT_EQ(form->ZoomValue->text(), "37");
  Wheel(QPoint(0, -240));
  EXPECT_EQ(form->ScrollBar3->value(), 35);
  Wheel(QPoint(0, 60));
  EXPECT_EQ(form->ScrollBar3->value(), 35);
  Wheel(QPoint(0, 60));
  EXPECT_EQ(form->ScrollBar3->value(), 36);
  for (int i = 0; i < 3; ++i) Wheel(QPoint(0, 4), QPoint(0, ViewNavigation::kPixelsPerNotch / 3));
  EXPECT_EQ(form->ScrollBar3->value(), 37);
  Wheel(QPoint(0, 120 * 500));
  EXPECT_EQ(form->ScrollBar3->value(), 100);
  Wheel(QPoint(0, 120));
  EXPECT_EQ(form->ScrollBar3->value(), 100);
  Wheel(QPoint(0, -120 * 500));
  EXPECT_EQ(form->ScrollBar3->value(), 1);
  EXPECT_EQ(form->ZoomValue->text(), "1");
  Wheel(QPoint(0, -120));
  EXPECT_EQ(form->ScrollBar3->value(), 1);
}

// The view takes the focus on a click; its keys move the view as a drag of
// one pixel (ten with Shift) in the arrow's direction would, and zoom.
TEST_F(ViewNavigationTest, KeysTurnTiltAndZoomOnceTheViewHasTheFocus) {
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_EQ(QApplication::focusWidget(), view);
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int vertical, horizontal, zoom;
  } cases[] = {
      {Qt::Key_Right, Qt::NoModifier, 120, 239, 36}, {Qt::Key_Left, Qt::NoModifier, 120, 241, 36},
      {Qt::Key_Right, Qt::ShiftModifier, 120, 230, 36}, {Qt::Key_Down, Qt::NoModifier, 121, 240, 36},
      {Qt::Key_Up, Qt::ShiftModifier, 110, 240, 36}, {Qt::Key_Plus, Qt::ShiftModifier, 120, 240, 37},
      {Qt::Key_Minus, Qt::NoModifier, 120, 240, 35}, {Qt::Key_PageUp, Qt::NoModifier, 120, 240, 37},
      {Qt::Key_PageDown, Qt::NoModifier, 120, 240, 35},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
    form->ScrollBar1->setValue(120);
    form->ScrollBar2->setValue(240);
    form->ScrollBar3->setValue(36);
    QTest::keyClick(view, c.key, c.modifiers);
    EXPECT_EQ(form->ScrollBar1->value(), c.vertical);
    EXPECT_EQ(form->ScrollBar2->value(), c.horizontal);
    EXPECT_EQ(form->ScrollBar3->value(), c.zoom);
    EXPECT_EQ(form->HorizontalAngleValue->text(), QString::number(c.horizontal));
  }
  form->ScrollBar2->setValue(360);
  QTest::keyClick(view, Qt::Key_Left);
  EXPECT_EQ(form->ScrollBar2->value(), 1);
}

}  // namespace
