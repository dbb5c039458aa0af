#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "FormFixture.h"
#include "anim/AnimationClock.h"
#include "app/ErrorDisplay.h"

namespace {

class AnimationHandlersTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    CreateForm();
  }

  void Ticks(int count) {
    for (int tick = 0; tick < count; ++tick) form->Timer1Timer();
  }
};

TEST_F(AnimationHandlersTest, ClickStartsTheBubbleAndASecondClickStopsIt) {
  Ticks(2);
  EXPECT_EQ(BubblePosition, 0);
  EXPECT_EQ(Count(DeviceOp::Present), 2);

  form->Button1->click();
  EXPECT_EQ(form->Button1->text(), "Stop Drawing");
  Ticks(3);
  EXPECT_EQ(BubblePosition, 6);

  form->Button1->click();
  EXPECT_EQ(form->Button1->text(), "Draw Graph");
  Ticks(3);
  EXPECT_EQ(BubblePosition, 6);
  EXPECT_EQ(Count(DeviceOp::Present), 8);

  form->Button1->setText(QStringLiteral("Paused"));  // any other caption stands still
  Ticks(1);
  EXPECT_EQ(BubblePosition, 6);
  form->Button1->click();
  EXPECT_EQ(form->Button1->text(), "Draw Graph");
}

// A window nobody can see draws nothing and its bubble stands still; shown
// again, both go on.
TEST_F(AnimationHandlersTest, TicksPauseWhileTheWindowCannotBeSeen) {
  struct Case {
    const char* name;
    void (*away)(QWidget&);
    void (*back)(QWidget&);
  };
  const Case cases[] = {
      {"hidden", [](QWidget& window) { window.hide(); }, [](QWidget& window) { window.show(); }},
      {"minimised", [](QWidget& window) { window.showMinimized(); }, [](QWidget& window) { window.showNormal(); }},
  };
  form->Button1->click();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(TimerDraws(2));
    c.away(*form);
    const int frames = Count(DeviceOp::Present);
    const Extended position = BubblePosition;
    QTest::qWait(10 * form->Timer1->interval());
    EXPECT_EQ(Count(DeviceOp::Present), frames);
    EXPECT_EQ(BubblePosition, position);

    c.back(*form);
    EXPECT_TRUE(TimerDraws(2));
    EXPECT_GT(BubblePosition, position);
  }
}

// The frame draws where the bubble stood before the tick's advance.
TEST_F(AnimationHandlersTest, EachFrameSeesTheBubbleBeforeItsAdvance) {
  form->Button1->click();
  Ticks(2);
  form->Button1->click();
  log->clear();
  form->XPhoton->setText(QStringLiteral("0"));
  Ticks(1);
  // The beam has one segment per unit of travel and one more: 5 at position 4.
  int beamSegments = 0;
  for (const DeviceCall& call : *log)
    if (call.op == DeviceOp::DrawPrimitiveUP && call.vertices.size() == 2 && call.vertices[0].Diffuse == 0xFFFCE098u)
      ++beamSegments;
  EXPECT_EQ(beamSegments, 5);
}

TEST_F(AnimationHandlersTest, FailingFrameFreezesTheBubbleAndIsShownOnce) {
  form->Button1->click();
  form->XStep->setText(QStringLiteral("abc"));
  Ticks(5);
  EXPECT_EQ(BubblePosition, 0);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'abc' is not a valid integer value.");

  form->XStep->setText(QStringLiteral("abcd"));  // a changed message is shown at once
  Ticks(3);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "'abcd' is not a valid integer value.");

  form->XStep->setText(QStringLiteral("100"));
  Ticks(2);
  EXPECT_EQ(BubblePosition, 4);
  form->XStep->setText(QStringLiteral("abcd"));  // after a good frame the same failure is news again
  Ticks(2);
  EXPECT_EQ(errors.size(), 3u);
  EXPECT_EQ(BubblePosition, 4);
}

// While a box is open the ticks that the box's own event loop delivers draw
// nothing and open no second box.
TEST_F(AnimationHandlersTest, NoFramesAndNoSecondBoxWhileABoxIsOpen) {
  form->Button1->click();
  form->XStep->setText(QStringLiteral("abc"));
  std::size_t callsDuringBox = 0;
  int boxes = 0;
  SetErrorBox([&](const QString&) {
    ++boxes;
    const std::size_t before = log->size();
    form->XStep->setText(QStringLiteral("100"));
    Ticks(3);
    form->XStep->setText(QStringLiteral("xyz"));
    Ticks(3);
    callsDuringBox = log->size() - before;
  });
  Ticks(1);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(callsDuringBox, 0u);
  EXPECT_EQ(BubblePosition, 0);
}

struct StepCase {
  const char* locale;
  const char* text;
  Extended step;  // what the step becomes; 2 where the text does not convert
};

class TimeStepTest : public AnimationHandlersTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(TimeStepTest, FieldSetsTheStepInTheLocalesNotation) {
  const StepCase& c = GetParam();
  QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
  form->TimeIntervalValue->setText(QString::fromLatin1(c.text));
  EXPECT_EQ(TimeStep, c.step);
  form->Button1->click();
  Ticks(2);
  EXPECT_EQ(BubblePosition, 2 * c.step);
  EXPECT_TRUE(errors.empty());  // nothing is reported while the text is being edited
}

INSTANTIATE_TEST_SUITE_P(Texts, TimeStepTest,
                         ::testing::Values(StepCase{"C", "0.5", 0.5L}, StepCase{"de_DE", "0,5", 0.5L},
                                           StepCase{"de_DE", "0.5", 2}, StepCase{"C", "-1.5", -1.5L},
                                           StepCase{"C", " 1e1 ", 10}, StepCase{"C", "", 2}, StepCase{"C", "0", 0}));

// "-1.5" typed key by key passes through "-", which is no number: the step
// stays until the text converts, and no box interrupts the typing.
TEST_F(AnimationHandlersTest, TypingANegativeStepKeyByKey) {
  ShowActive();
  form->TimeIntervalValue->setFocus();
  form->TimeIntervalValue->selectAll();
  QTest::keyClick(form->TimeIntervalValue, Qt::Key_Minus);
  EXPECT_EQ(TimeStep, 2);
  QTest::keyClicks(form->TimeIntervalValue, QStringLiteral("1.5"));
  EXPECT_EQ(TimeStep, -1.5L);
  QTest::keyClick(form->TimeIntervalValue, Qt::Key_Return);
  EXPECT_TRUE(errors.empty());
}

TEST_F(AnimationHandlersTest, ClearedStepIsReportedOnEnterAndKeepsTheOldValue) {
  ShowActive();
  form->TimeIntervalValue->setText(QStringLiteral("3"));
  form->TimeIntervalValue->setFocus();
  form->TimeIntervalValue->clear();
  EXPECT_TRUE(errors.empty());
  QTest::keyClick(form->TimeIntervalValue, Qt::Key_Return);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'' is not a valid floating point value.");
  EXPECT_EQ(TimeStep, 3);
}

TEST_F(AnimationHandlersTest, LeavingTheFieldWithAWordReportsIt) {
  ShowActive();
  form->OptionsPages->setCurrentWidget(form->TabSheet5);
  form->TimeIntervalValue->setFocus();
  QTest::keyClick(form->TimeIntervalValue, Qt::Key_End);
  QTest::keyClicks(form->TimeIntervalValue, QStringLiteral("x"));
  form->Button1->setFocus();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'2x' is not a valid floating point value.");
  EXPECT_EQ(TimeStep, 2);
}

// Closing the window takes the focus from the field too, but that is not the
// user finishing it: no box may pop up over a window that is going away.
TEST_F(AnimationHandlersTest, ClosingTheWindowWithAWordInTheFieldShowsNothing) {
  ShowActive();
  form->TimeIntervalValue->setFocus();
  QTest::keyClicks(form->TimeIntervalValue, QStringLiteral("x"));
  form->close();
  QTest::qWait(20);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
