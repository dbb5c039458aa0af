#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <string>

#include "FormFixture.h"

namespace {

// How a text reaches a field: pasted over the whole selection by the user,
// or set by the program. Both go through the same handler.
enum class Entry { Pasted, SetByProgram };

class ParameterFieldsTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    CreateActiveForm();
  }

  // The page that holds the field is brought up and the field given the focus, as a user would.
  void Focus(QLineEdit* field) {
    form->OptionsPages->setCurrentWidget(field->parentWidget());
    field->setFocus();
  }

  // Ctrl+A, then Ctrl+V with the text on the clipboard, or Backspace for an
  // empty text; then Enter, since an empty text or a lone sign waits for it.
  void Paste(QLineEdit* field, const QString& text) {
    Focus(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
      QTest::keyClick(field, Qt::Key_Backspace);
    } else {
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
    QTest::keyClick(field, Qt::Key_Return);
  }

  // Ctrl+A, then the text key by key over the selection.
  void Type(QLineEdit* field, const QString& text) {
    Focus(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
  }

  void Enter(Entry entry, QLineEdit* field, const QString& text) {
    if (entry == Entry::Pasted) {
      Paste(field, text);
    } else {
      field->setText(text);
    }
  }
};

const Entry kEntries[] = {Entry::Pasted, Entry::SetByProgram};

const char* EntryName(Entry entry) { return entry == Entry::Pasted ? "pasted" : "set by the program"; }

// ---------------------------------------------------------------------------
// The view fields and their sliders

enum class Pair { VerticalAngle, HorizontalAngle, Zoom };

struct SettleCase {
  const char* name;
  Pair pair;
  int start;  // the slider's position before the text is entered
  const char* entered;
  int slider;         // afterwards
  const char* field;  // afterwards
};

class ViewPairSettleTest : public ParameterFieldsTest, public ::testing::WithParamInterface<SettleCase> {
 protected:
  QLineEdit* FieldOf(Pair pair) const {
    switch (pair) {
      case Pair::VerticalAngle: return form->VerticalAngleValue;
      case Pair::HorizontalAngle: return form->HorizontalAngleValue;
      case Pair::Zoom: return form->ZoomValue;
    }
    return nullptr;
  }

  QScrollBar* SliderOf(Pair pair) const {
    switch (pair) {
      case Pair::VerticalAngle: return form->ScrollBar1;
      case Pair::HorizontalAngle: return form->ScrollBar2;
      case Pair::Zoom: return form->ScrollBar3;
    }
    return nullptr;
  }
};

// Ranges: vertical angle -180..180 (default 120), horizontal angle 0..360
// (default 240), zoom 1..100 (default 36).
TEST_P(ViewPairSettleTest, FieldAndSliderSettle) {
  const SettleCase& c = GetParam();
  QLineEdit* field = FieldOf(c.pair);
  QScrollBar* slider = SliderOf(c.pair);
  for (Entry entry : kEntries) {
    SCOPED_TRACE(EntryName(entry));
    slider->setValue(c.start);
    field->setText(QString::number(c.start));
    ASSERT_EQ(slider->value(), c.start);

    Enter(entry, field, QString::fromLatin1(c.entered));
    EXPECT_EQ(slider->value(), c.slider);
    EXPECT_EQ(field->text(), QString::fromLatin1(c.field));
  }
  EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ViewPairSettleTest,
    ::testing::Values(
        // An integer in range, in the slider's own decimal form.
        SettleCase{"VerticalInRange", Pair::VerticalAngle, 120, "45", 45, "45"},
        SettleCase{"VerticalNegative", Pair::VerticalAngle, 120, "-180", -180, "-180"},
        SettleCase{"HorizontalInRange", Pair::HorizontalAngle, 240, "360", 360, "360"},
        SettleCase{"ZoomInRange", Pair::Zoom, 36, "1", 1, "1"},
        // In range but written otherwise: rewritten when the slider moved, kept when it did not.
        SettleCase{"VerticalLeadingZerosMove", Pair::VerticalAngle, 120, "0045", 45, "45"},
        SettleCase{"VerticalPlusSignStays", Pair::VerticalAngle, 120, "+120", 120, "+120"},
        SettleCase{"VerticalHexMinusOne", Pair::VerticalAngle, 120, "$FFFFFFFF", -1, "-1"},
        SettleCase{"HorizontalLeadingBlanksMove", Pair::HorizontalAngle, 240, "  300", 300, "300"},
        SettleCase{"HorizontalHexStays", Pair::HorizontalAngle, 240, "$F0", 240, "$F0"},
        SettleCase{"ZoomHexMoves", Pair::Zoom, 36, "0x10", 16, "16"},
        SettleCase{"ZoomLeadingZeroStays", Pair::Zoom, 36, "036", 36, "036"},
        // Beyond the range: the nearer end, written back only if the slider moved.
        SettleCase{"VerticalAboveMoves", Pair::VerticalAngle, 120, "500", 180, "180"},
        SettleCase{"VerticalAboveAtEndStays", Pair::VerticalAngle, 180, "500", 180, "500"},
        SettleCase{"VerticalBelowMoves", Pair::VerticalAngle, 120, "-500", -180, "-180"},
        SettleCase{"VerticalLargestInteger", Pair::VerticalAngle, 120, "2147483647", 180, "180"},
        SettleCase{"HorizontalNegativeMoves", Pair::HorizontalAngle, 240, "-10", 0, "0"},
        SettleCase{"HorizontalAboveAtEndStays", Pair::HorizontalAngle, 360, "361", 360, "361"},
        SettleCase{"ZoomZeroMoves", Pair::Zoom, 36, "0", 1, "1"},
        SettleCase{"ZoomNegativeAtEndStays", Pair::Zoom, 1, "-7", 1, "-7"},
        SettleCase{"ZoomSmallestInteger", Pair::Zoom, 36, "-2147483648", 1, "1"},
        // Not an integer: the default text and the default position.
        SettleCase{"VerticalEmpty", Pair::VerticalAngle, 50, "", 120, "120"},
        SettleCase{"VerticalLoneMinus", Pair::VerticalAngle, 50, "-", 120, "120"},
        SettleCase{"VerticalTooLarge", Pair::VerticalAngle, 50, "2147483648", 120, "120"},
        SettleCase{"HorizontalLetterAmongDigits", Pair::HorizontalAngle, 50, "1a2", 240, "240"},
        SettleCase{"HorizontalEmptyAtDefault", Pair::HorizontalAngle, 240, "", 240, "240"},
        SettleCase{"ZoomTrailingBlank", Pair::Zoom, 50, "50 ", 36, "36"},
        SettleCase{"ZoomWord", Pair::Zoom, 50, "far", 36, "36"}),
    [](const ::testing::TestParamInfo<SettleCase>& param) { return std::string(param.param.name); });

// Pasted whole, 500 moves the slider to its end and is rewritten; pasted
// again over the slider standing there already, it stays as entered.
// Typed key by key it passes through 5 and 50, which move the slider, so
// the second time ends like the first.
TEST_F(ParameterFieldsTest, FiveHundredEnteredTwiceInTheVerticalAngle) {
  Paste(form->VerticalAngleValue, QStringLiteral("500"));
  EXPECT_EQ(form->ScrollBar1->value(), 180);
  EXPECT_EQ(form->VerticalAngleValue->text(), "180");
  EXPECT_EQ(form->VerticalAngleValue->cursorPosition(), 3);
  Paste(form->VerticalAngleValue, QStringLiteral("500"));
  EXPECT_EQ(form->ScrollBar1->value(), 180);
  EXPECT_EQ(form->VerticalAngleValue->text(), "500");

  for (int time = 0; time < 2; ++time) {
    Type(form->VerticalAngleValue, QStringLiteral("500"));
    EXPECT_EQ(form->ScrollBar1->value(), 180);
    EXPECT_EQ(form->VerticalAngleValue->text(), "180");
    EXPECT_EQ(form->VerticalAngleValue->cursorPosition(), 3);
  }
  EXPECT_TRUE(errors.empty());
}

// Each keystroke moves the slider; emptying the field or a lone "-" waits
// while the user types and brings the default back, caret at its end, on Enter.
TEST_F(ParameterFieldsTest, TypingInAViewFieldMovesTheSliderKeyByKey) {
  Type(form->ZoomValue, QStringLiteral("8"));
  EXPECT_EQ(form->ScrollBar3->value(), 8);
  QTest::keyClick(form->ZoomValue, Qt::Key_0);
  EXPECT_EQ(form->ScrollBar3->value(), 80);
  QTest::keyClick(form->ZoomValue, Qt::Key_0);  // 800 clamps to 100 and is written back
  EXPECT_EQ(form->ScrollBar3->value(), 100);
  EXPECT_EQ(form->ZoomValue->text(), "100");

  QTest::keyClick(form->ZoomValue, Qt::Key_Backspace);  // "10"
  EXPECT_EQ(form->ScrollBar3->value(), 10);
  QTest::keyClick(form->ZoomValue, Qt::Key_Backspace);
  QTest::keyClick(form->ZoomValue, Qt::Key_Backspace);  // empty: waits, the slider stays at 1
  EXPECT_EQ(form->ZoomValue->text(), "");
  EXPECT_EQ(form->ScrollBar3->value(), 1);
  QTest::keyClick(form->ZoomValue, Qt::Key_Return);  // committed empty: the default
  EXPECT_EQ(form->ZoomValue->text(), "36");
  EXPECT_EQ(form->ScrollBar3->value(), 36);
  EXPECT_EQ(form->ZoomValue->cursorPosition(), 2);

  // Editing in the middle: the slider writes back the same text, which
  // leaves the caret where the user put it.
  QTest::keyClick(form->ZoomValue, Qt::Key_Home);
  QTest::keyClick(form->ZoomValue, Qt::Key_Delete);  // "6"
  EXPECT_EQ(form->ScrollBar3->value(), 6);
  EXPECT_EQ(form->ZoomValue->cursorPosition(), 0);
  QTest::keyClick(form->ZoomValue, Qt::Key_2);
  EXPECT_EQ(form->ZoomValue->text(), "26");
  EXPECT_EQ(form->ScrollBar3->value(), 26);

  form->ScrollBar1->setValue(-20);
  Type(form->VerticalAngleValue, QStringLiteral("-"));
  EXPECT_EQ(form->VerticalAngleValue->text(), "-");
  EXPECT_EQ(form->ScrollBar1->value(), -20);
  QTest::keyClick(form->VerticalAngleValue, Qt::Key_Return);
  EXPECT_EQ(form->VerticalAngleValue->text(), "120");
  EXPECT_EQ(form->ScrollBar1->value(), 120);
  EXPECT_EQ(form->VerticalAngleValue->cursorPosition(), 3);

  // A negative number: digits first, then the sign before them.
  Type(form->HorizontalAngleValue, QStringLiteral("15"));
  QTest::keyClick(form->HorizontalAngleValue, Qt::Key_Home);
  QTest::keyClick(form->HorizontalAngleValue, Qt::Key_Minus);
  EXPECT_EQ(form->ScrollBar2->value(), 0);
  EXPECT_EQ(form->HorizontalAngleValue->text(), "0");
  EXPECT_TRUE(errors.empty());
}

// A moved slider writes its position; the field's handler sets the same
// position again, which changes nothing. The slider clamps before comparing.
TEST_F(ParameterFieldsTest, MovingASliderWritesItsPositionIntoTheField) {
  form->OptionsPages->setCurrentWidget(form->TabSheet1);
  form->ScrollBar1->setFocus();
  QTest::keyClick(form->ScrollBar1, Qt::Key_Right);
  EXPECT_EQ(form->ScrollBar1->value(), 121);
  EXPECT_EQ(form->VerticalAngleValue->text(), "121");
  QTest::keyClick(form->ScrollBar1, Qt::Key_Left);
  QTest::keyClick(form->ScrollBar1, Qt::Key_Left);
  EXPECT_EQ(form->VerticalAngleValue->text(), "119");
  QTest::keyClick(form->ScrollBar1, Qt::Key_End);
  EXPECT_EQ(form->VerticalAngleValue->text(), "180");

  // A click on the track moves by one.
  form->ScrollBar2->setValue(180);
  QTest::mouseClick(form->ScrollBar2, Qt::LeftButton, {}, QPoint(form->ScrollBar2->width() - 20, 8));
  EXPECT_EQ(form->ScrollBar2->value(), 181);
  EXPECT_EQ(form->HorizontalAngleValue->text(), "181");

  Paste(form->ZoomValue, QStringLiteral("+36"));
  form->ScrollBar3->setValue(1000);
  EXPECT_EQ(form->ScrollBar3->value(), 100);
  EXPECT_EQ(form->ZoomValue->text(), "100");
  form->ScrollBar3->setValue(-5);
  EXPECT_EQ(form->ZoomValue->text(), "1");
  EXPECT_TRUE(errors.empty());
}

// ---------------------------------------------------------------------------
// Range fields and beam angles

struct RuleCase {
  const char* entered;
  bool passes;
};

// Any 32-bit integer, in any of its written forms.
const RuleCase kRangeCases[] = {
    {"200", true},         {"-2147483648", true}, {"2147483647", true}, {"  12", true},  {"$B4", true},
    {"0x7FFFFFFF", true},  {"2147483648", false}, {"", false},          {"-", false},    {"12 ", false},
    {"$", false},          {"-$B4", false},       {"1e3", false},       {"word", false}, {"１２", false},
};

// Integers from -180 to 180.
const RuleCase kAngleCases[] = {
    {"180", true},         {"-180", true},        {"$B4", true},   {"  45", true},  {"+0", true},
    {"181", false},        {"-181", false},       {"", false},     {"word", false}, {"-", false},
    {"2147483647", false}, {"2147483648", false}, {"45 ", false},
    {"$FFFFFF4C", true},  // -180 as a two's-complement pattern
};

struct RuleField {
  QLineEdit* TForm1::*field;
  const char* defaultText;
  const RuleCase* cases;
  std::size_t count;
};

TEST_F(ParameterFieldsTest, RangeFieldsAndBeamAnglesFallBackToTheirDefaults) {
  const RuleField fields[] = {
      {&TForm1::RangeXMinus, "-150", kRangeCases, std::size(kRangeCases)},
      {&TForm1::RangeXPlus, "150", kRangeCases, std::size(kRangeCases)},
      {&TForm1::RangeYMinus, "-150", kRangeCases, std::size(kRangeCases)},
      {&TForm1::RangeYPlus, "150", kRangeCases, std::size(kRangeCases)},
      {&TForm1::AlphaPhoton, "30", kAngleCases, std::size(kAngleCases)},
      {&TForm1::BetaPhoton, "0", kAngleCases, std::size(kAngleCases)},
  };
  for (const RuleField& rule : fields) {
    QLineEdit* field = form.get()->*rule.field;
    SCOPED_TRACE(field->objectName().toStdString());
    for (std::size_t i = 0; i < rule.count; ++i) {
      const RuleCase& c = rule.cases[i];
      SCOPED_TRACE(c.entered);
      for (Entry entry : kEntries) {
        SCOPED_TRACE(EntryName(entry));
        field->setText(QStringLiteral("7"));
        Enter(entry, field, QString::fromUtf8(c.entered));
        const QString expected = QString::fromUtf8(c.passes ? c.entered : rule.defaultText);
        EXPECT_EQ(field->text(), expected);
        if (!c.passes) {
          EXPECT_EQ(field->cursorPosition(), expected.size());
        }
      }
    }
  }
  EXPECT_TRUE(errors.empty());
}

// Typed over the selection, "-" alone waits for the digits; left alone it is
// no integer and the default comes back when the field is left. One end of a
// range is never checked against the other.
TEST_F(ParameterFieldsTest, TypingInARangeOrAngleField) {
  Type(form->AlphaPhoton, QStringLiteral("-"));
  EXPECT_EQ(form->AlphaPhoton->text(), "-");
  QTest::keyClick(form->AlphaPhoton, Qt::Key_5);
  EXPECT_EQ(form->AlphaPhoton->text(), "-5");
  QTest::keyClick(form->AlphaPhoton, Qt::Key_0);
  QTest::keyClick(form->AlphaPhoton, Qt::Key_0);  // "-500" is out of range
  EXPECT_EQ(form->AlphaPhoton->text(), "30");
  Type(form->AlphaPhoton, QStringLiteral("-"));
  QTest::keyClick(form->AlphaPhoton, Qt::Key_Tab);
  EXPECT_EQ(form->AlphaPhoton->text(), "30");

  Type(form->BetaPhoton, QStringLiteral("45"));
  QTest::keyClick(form->BetaPhoton, Qt::Key_Home);
  QTest::keyClick(form->BetaPhoton, Qt::Key_Minus);
  EXPECT_EQ(form->BetaPhoton->text(), "-45");
  QTest::keyClick(form->BetaPhoton, Qt::Key_End);
  QTest::keyClick(form->BetaPhoton, Qt::Key_Space);
  EXPECT_EQ(form->BetaPhoton->text(), "0");

  Type(form->RangeXMinus, QStringLiteral("200"));
  Type(form->RangeXPlus, QStringLiteral("150"));
  EXPECT_EQ(form->RangeXMinus->text(), "200");
  EXPECT_EQ(form->RangeXPlus->text(), "150");
  EXPECT_TRUE(errors.empty());
}

// A field without a rule keeps any text; the next frame fails with the
// conversion error naming it, and frames draw again once it is mended.
TEST_F(ParameterFieldsTest, AWordInXPhotonMakesTheNextFrameFail) {
  Type(form->XPhoton, QStringLiteral("abc"));
  EXPECT_EQ(form->XPhoton->text(), "abc");
  const int presented = Count(DeviceOp::Present);
  form->Timer1Timer();  // still being typed: no box
  EXPECT_TRUE(errors.empty());
  QTest::keyClick(form->XPhoton, Qt::Key_Return);
  form->Timer1Timer();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'abc' is not a valid integer value.");
  EXPECT_EQ(Count(DeviceOp::Present), presented);
  EXPECT_EQ(form->XPhoton->text(), "abc");

  Type(form->XPhoton, QStringLiteral("5"));
  form->Timer1Timer();
  EXPECT_EQ(Count(DeviceOp::Present), presented + 1);
  EXPECT_EQ(errors.size(), 1u);
}

}  // namespace
