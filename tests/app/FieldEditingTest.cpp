#include "app/FieldEditing.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "FormFixture.h"
#include "anim/AnimationClock.h"

namespace {

// The real window, active, with a frame drawn between keystrokes as a running
// program draws them.
class FieldEditingTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    CreateActiveForm();
    form->XStep->setText(QStringLiteral("4"));  // small frames keep the many ticks quick
    form->YStep->setText(QStringLiteral("4"));
  }

  void TypeWithTicks(QLineEdit* field, const QString& text) {
    form->OptionsPages->setCurrentWidget(field->parentWidget());
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    form->Timer1Timer();
    for (const QChar c : text) {
      QTest::keyClicks(field, QString(c));
      form->Timer1Timer();
    }
  }

  int Presented() const { return Count(DeviceOp::Present); }
};

struct TypedCase {
  QLineEdit* TForm1::*field;
  QScrollBar* TForm1::*slider;  // null for the fields that only frames read
  const char* typed;
};

// Every negative number that fits a validated field can be typed into it key
// by key; the field keeps it when left and its slider or the frame follows.
TEST_F(FieldEditingTest, NegativeNumbersTypeIntoEveryValidatedField) {
  const TypedCase cases[] = {
      {&TForm1::VerticalAngleValue, &TForm1::ScrollBar1, "-45"},
      {&TForm1::VerticalAngleValue, &TForm1::ScrollBar1, "-90"},
      {&TForm1::RangeXMinus, nullptr, "-200"}, {&TForm1::RangeXPlus, nullptr, "-45"},
      {&TForm1::RangeYMinus, nullptr, "-90"},  {&TForm1::RangeYPlus, nullptr, "-200"},
      {&TForm1::AlphaPhoton, nullptr, "-90"},  {&TForm1::BetaPhoton, nullptr, "-45"},
  };
  for (const TypedCase& c : cases) {
    QLineEdit* field = form.get()->*c.field;
    SCOPED_TRACE(field->objectName().toStdString() + " " + c.typed);
    TypeWithTicks(field, QString::fromLatin1(c.typed));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(field->text(), c.typed);
    if (c.slider != nullptr) {
      EXPECT_EQ((form.get()->*c.slider)->value(), QString::fromLatin1(c.typed).toInt());
    }
    const int presented = Presented();
    form->Timer1Timer();
    EXPECT_EQ(Presented(), presented + 1);
  }
  EXPECT_TRUE(errors.empty());
}

// Ctrl+A, Backspace and new digits: the empty field in between waits for
// them. Left empty, or with a lone sign, the field gets its default back.
TEST_F(FieldEditingTest, EmptiedFieldTakesNewDigitsAndFallsBackOnlyWhenLeft) {
  const struct {
    QLineEdit* TForm1::*field;
    const char* defaultText;
  } fields[] = {
      {&TForm1::VerticalAngleValue, "120"}, {&TForm1::HorizontalAngleValue, "240"}, {&TForm1::ZoomValue, "36"},
      {&TForm1::RangeXMinus, "-150"},       {&TForm1::RangeXPlus, "150"},            {&TForm1::RangeYMinus, "-150"},
      {&TForm1::RangeYPlus, "150"},         {&TForm1::AlphaPhoton, "30"},            {&TForm1::BetaPhoton, "0"},
  };
  for (const auto& f : fields) {
    QLineEdit* field = form.get()->*f.field;
    SCOPED_TRACE(field->objectName().toStdString());
    TypeWithTicks(field, QString());
    QTest::keyClick(field, Qt::Key_Backspace);
    form->Timer1Timer();
    EXPECT_EQ(field->text(), "");
    TypeWithTicks(field, QStringLiteral("90"));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(field->text(), "90");

    for (const char* unfinished : {"", "-", "+"}) {
      TypeWithTicks(field, QString::fromLatin1(unfinished));
      if (*unfinished == '\0') QTest::keyClick(field, Qt::Key_Backspace);
      EXPECT_EQ(field->text(), unfinished);
      QTest::keyClick(field, Qt::Key_Tab);
      EXPECT_EQ(field->text(), f.defaultText) << "left as '" << unfinished << "'";
    }
  }
  EXPECT_EQ(form->ScrollBar3->value(), 36);
  EXPECT_TRUE(errors.empty());
}

// Only the user's own typing waits: the same text written by the program
// falls back at once, even into the field that has the focus.
TEST_F(FieldEditingTest, TextsTheProgramWritesAreJudgedAtOnce) {
  TypeWithTicks(form->RangeXMinus, QStringLiteral("-"));
  EXPECT_EQ(form->RangeXMinus->text(), "-");
  form->RangeXMinus->setText(QStringLiteral("+"));
  EXPECT_EQ(form->RangeXMinus->text(), "-150");
  form->ScrollBar1->setValue(-7);
  EXPECT_EQ(form->VerticalAngleValue->text(), "-7");
}

// "1.5" typed into Laser X: no box while typing and no key lost; leaving the
// field gives the box once, then leads back to the field with its text
// selected and marked until a number replaces it.
TEST_F(FieldEditingTest, FailingFieldWaitsWhileTypedThenLeadsBackToItself) {
  TypeWithTicks(form->XPhoton, QStringLiteral("1.5"));
  const int presented = Presented();  // "1" drew; "1." and "1.5" failed silently
  EXPECT_EQ(form->XPhoton->text(), "1.5");
  EXPECT_TRUE(errors.empty());
  EXPECT_FALSE(FieldEditing::Marked(*form->XPhoton));

  QTest::keyClick(form->XPhoton, Qt::Key_Tab);
  form->Timer1Timer();
  form->Timer1Timer();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'1.5' is not a valid integer value.");
  EXPECT_EQ(form->OptionsPages->currentWidget(), form->TabSheet4);
  EXPECT_TRUE(form->XPhoton->hasFocus());
  EXPECT_EQ(form->XPhoton->selectedText(), "1.5");
  EXPECT_TRUE(FieldEditing::Marked(*form->XPhoton));
  EXPECT_EQ(Presented(), presented);

  QTest::keyClicks(form->XPhoton, QStringLiteral("15"));
  EXPECT_FALSE(FieldEditing::Marked(*form->XPhoton));
  form->Timer1Timer();
  EXPECT_EQ(Presented(), presented + 1);
  EXPECT_EQ(errors.size(), 1u);
}

// Enter on the same failing text again is a new commit and gets its box again.
TEST_F(FieldEditingTest, EnterOnAFailingTextShowsItsBoxEachTime) {
  TypeWithTicks(form->XStep, QStringLiteral("-"));
  EXPECT_TRUE(errors.empty());
  QTest::keyClick(form->XStep, Qt::Key_Return);
  form->Timer1Timer();
  form->Timer1Timer();
  QTest::keyClick(form->XStep, Qt::Key_Return);
  form->Timer1Timer();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "'-' is not a valid integer value.");
  EXPECT_EQ(form->OptionsPages->currentWidget(), form->TabSheet2);
}

// A grid too large to draw fails its frames with one box, which leads to the
// step field; the window keeps answering.
TEST_F(FieldEditingTest, GridTooLargeIsShownOnceAndLeadsToTheStepField) {
  form->YStep->setText(QStringLiteral("100000"));
  form->OptionsPages->setCurrentWidget(form->TabSheet2);
  form->XStep->setFocus();
  QTest::keyClick(form->XStep, Qt::Key_A, Qt::ControlModifier);
  QGuiApplication::clipboard()->setText(QStringLiteral("100000"));
  QTest::keyClick(form->XStep, Qt::Key_V, Qt::ControlModifier);
  form->Timer1Timer();  // still being typed: no box
  EXPECT_TRUE(errors.empty());
  QTest::keyClick(form->XStep, Qt::Key_Tab);
  for (int tick = 0; tick < 3; ++tick) form->Timer1Timer();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Grid too large: 100000 x 100000 intervals (at most 8388608 segments)");
  EXPECT_TRUE(form->XStep->hasFocus());
  EXPECT_EQ(form->XStep->selectedText(), "100000");
}

// The time step's box leads back to its field the same way.
TEST_F(FieldEditingTest, TimeStepErrorLeadsBackToItsField) {
  TypeWithTicks(form->TimeIntervalValue, QStringLiteral("2x"));
  EXPECT_TRUE(errors.empty());
  form->Button1->setFocus();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'2x' is not a valid floating point value.");
  EXPECT_TRUE(form->TimeIntervalValue->hasFocus());
  EXPECT_EQ(form->TimeIntervalValue->selectedText(), "2x");
  EXPECT_TRUE(FieldEditing::Marked(*form->TimeIntervalValue));
  QTest::keyClicks(form->TimeIntervalValue, QStringLiteral("3"));
  EXPECT_FALSE(FieldEditing::Marked(*form->TimeIntervalValue));
}

// Found by the random user: a field's undo history held every paste, so long
// texts pasted again and again grew memory without end. Committing ends it,
// keeping the text, caret and selection.
TEST_F(FieldEditingTest, CommittingAFieldEndsItsUndoHistory) {
  const QString longSeven = QString(9999, u'0') + u'7';  // a valid integer, kept by every rule
  for (QLineEdit* field : {form->XPhoton, form->RangeXMinus, form->R2Value}) {
    SCOPED_TRACE(field->objectName().toStdString());
    form->OptionsPages->setCurrentWidget(field->parentWidget());
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(longSeven);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_TRUE(field->isUndoAvailable());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(field->isUndoAvailable());
    EXPECT_EQ(field->text(), longSeven);
    EXPECT_EQ(field->selectionStart(), 9998);
    EXPECT_EQ(field->cursorPosition(), 9998);
  }
}

// However small the window is made, the control panel shows whole.
TEST_F(FieldEditingTest, WindowKeepsItsControlPanelWhole) {
  form->resize(100, 100);
  QTest::qWait(10);
  EXPECT_EQ(form->size(), form->minimumSize());
  EXPECT_EQ(form->Panel1->width(), 185);
  EXPECT_TRUE(form->Panel1->rect().contains(form->Button2->geometry()));
  EXPECT_GE(form->PanelViewPort->width(), 160);
}

// Home on the view, or its context menu, brings the bubble back to x = 0 and
// changes nothing else.
TEST_F(FieldEditingTest, HomeOnTheViewBringsTheBubbleBack) {
  BubblePosition = 57;
  form->Button1->click();
  QTest::mouseClick(form->PanelViewPort, Qt::LeftButton);
  ASSERT_TRUE(form->PanelViewPort->hasFocus());
  QTest::keyClick(form->PanelViewPort, Qt::Key_Home);
  EXPECT_EQ(BubblePosition, 0);
  EXPECT_EQ(form->Button1->text(), "Stop Drawing");

  BubblePosition = 9;
  const QList<QAction*> actions = form->PanelViewPort->actions();
  ASSERT_FALSE(actions.empty());
  EXPECT_EQ(actions[0]->text(), "Bubble to Start");  // first of the view's menu
  EXPECT_EQ(form->PanelViewPort->contextMenuPolicy(), Qt::ActionsContextMenu);
  actions[0]->trigger();
  EXPECT_EQ(BubblePosition, 0);
}

}  // namespace
