// The main window on a real X display, where only the native window knows
// that it has been unmapped: the widget itself stays visible.

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "FormFixture.h"
#include "anim/AnimationClock.h"
#include "tools/X11Driver.h"

namespace {

using WindowExposureTest = FormFixture;

TEST_F(WindowExposureTest, UnmappedWindowPausesTicksUntilMappedAgain) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "needs an X display (make test runs it under xvfb-run)";
  CreateForm();
  form->Button1->click();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  ASSERT_TRUE(TimerDraws(2));

  X11Driver driver;
  driver.Unmap(form->winId());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->windowHandle()->isExposed(); }, 5000));
  EXPECT_TRUE(form->isVisible());
  const int frames = Count(DeviceOp::Present);
  const Extended position = BubblePosition;
  QTest::qWait(10 * form->Timer1->interval());
  EXPECT_EQ(Count(DeviceOp::Present), frames);
  EXPECT_EQ(BubblePosition, position);

  driver.Map(form->winId());
  EXPECT_TRUE(TimerDraws(2));
  EXPECT_GT(BubblePosition, position);
}

}  // namespace
