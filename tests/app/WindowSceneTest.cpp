#include "app/WindowScene.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <limits>

#include "FileSizeLimit.h"
#include "FormFixture.h"
#include "SameBits.h"
#include "anim/AnimationClock.h"

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

class WindowSceneTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    ASSERT_TRUE(folder.isValid());
    CreateForm();
  }

  QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

  // As the user enters a text: the field's handler settles it with its slider.
  static void Enter(QLineEdit* field, const QString& text) { field->setText(text); }

  QTemporaryDir folder;
};

// A view field may keep a text other than its slider's position; these are
// the ways the settling rules leave one, each with the slider where it ends.
struct PairState {
  QScrollBar* TForm1::*slider;
  QLineEdit* TForm1::*field;
  int position;
  const char* text;
};

const PairState kPairRounds[][3] = {
    {{&TForm1::ScrollBar1, &TForm1::VerticalAngleValue, 180, "500"},
     {&TForm1::ScrollBar2, &TForm1::HorizontalAngleValue, 240, "$F0"},
     {&TForm1::ScrollBar3, &TForm1::ZoomValue, 1, "-7"}},
    {{&TForm1::ScrollBar1, &TForm1::VerticalAngleValue, 120, "+120"},
     {&TForm1::ScrollBar2, &TForm1::HorizontalAngleValue, 360, "361"},
     {&TForm1::ScrollBar3, &TForm1::ZoomValue, 36, "036"}},
    {{&TForm1::ScrollBar1, &TForm1::VerticalAngleValue, -180, "-2147483648"},
     {&TForm1::ScrollBar2, &TForm1::HorizontalAngleValue, 7, "  7"},
     {&TForm1::ScrollBar3, &TForm1::ZoomValue, 100, "0x64"}},
};

// Every text, position, choice and both numbers come back exactly, whatever
// the texts hold and however the view fields and their sliders settled.
TEST_F(WindowSceneTest, SaveThenOpenRestoresEveryTextPositionAndBit) {
  const QString awkward[] = {
      QStringLiteral("1,5 = 2 # not a comment"), QStringLiteral("  blanks at both ends  "),
      QString::fromUtf8("\xCE\xB1\xCE\xB2 \xE2\x88\x9E \xF0\x9F\x9A\x80 \xC3\xA9"), QString(10000, QLatin1Char('9')),
      QStringLiteral("="), QStringLiteral("#"), QString()};
  volatile Extended infinity = std::numeric_limits<Extended>::infinity();
  const Extended numbers[][2] = {{0.1L, -0.0L}, {-infinity, 1e-4000L}, {infinity - infinity, 3.0L}};
  int round = 0;
  for (const auto& pairs : kPairRounds) {
    SCOPED_TRACE(round);
    for (const PairState& pair : pairs) {
      (form.get()->*pair.slider)->setValue(pair.position);
      Enter(form.get()->*pair.field, QString::fromLatin1(pair.text));
      Enter(form.get()->*pair.field, QString::fromLatin1(pair.text));  // once more: a slider at its end keeps it
      ASSERT_EQ((form.get()->*pair.field)->text(), pair.text);
      ASSERT_EQ((form.get()->*pair.slider)->value(), pair.position);
    }
    const QList<QLineEdit*> freeFields = {form->XCamera, form->YCamera, form->ZCamera, form->XStep, form->YStep,
                                          form->XPhoton, form->YPhoton, form->ZPhoton, form->TimeIntervalValue,
                                          form->VsValue, form->RhoValue, form->WarpRadiusValue,
                                          form->DuvizavireValue, form->Shield1Radius, form->Shield2Radius,
                                          form->Shield3Radius, form->R2Value};
    for (int i = 0; i < freeFields.size(); ++i) Enter(freeFields[i], awkward[(i + round) % std::size(awkward)]);
    Enter(form->TimeIntervalValue, QStringLiteral("0.25"));
    Enter(form->RangeXMinus, QStringLiteral("  -0"));
    Enter(form->AlphaPhoton, QStringLiteral("$B4"));
    (round % 2 == 0 ? form->OVRAZESMetric : form->AlcubierreMetric)->click();
    if (round == 1) form->RemoteFrame->click();
    BubblePosition = numbers[round][0];
    TimeStep = numbers[round][1];
    const std::vector<SceneSetting> saved = ReadWindowScene(*form);

    chosenPath = Path("round.scene");
    form->SaveSceneTriggered();
    form.reset();
    BubblePosition = 12;
    TimeStep = 34;
    CreateForm();
    form->OpenSceneTriggered();

    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(ReadWindowScene(*form), saved);
    for (const PairState& pair : pairs) {
      EXPECT_EQ((form.get()->*pair.field)->text(), pair.text);
      EXPECT_EQ((form.get()->*pair.slider)->value(), pair.position);
    }
    EXPECT_TRUE(SameBits(BubblePosition, numbers[round][0]));
    EXPECT_TRUE(SameBits(TimeStep, numbers[round][1]));
    ++round;
  }
  EXPECT_EQ(dialogs, std::vector<FileDialog>({FileDialog::SaveScene, FileDialog::OpenScene, FileDialog::SaveScene,
                                              FileDialog::OpenScene, FileDialog::SaveScene, FileDialog::OpenScene}));
}

// The scene names every edit field the user can type into, every scroll bar
// and every radio button of the window.
TEST_F(WindowSceneTest, EveryInputOfTheWindowIsInTheScene) {
  QSet<QString> inputs;
  for (const QWidget* widget : form->findChildren<QWidget*>()) {
    const bool input = qobject_cast<const QScrollBar*>(widget) != nullptr ||
                       qobject_cast<const QRadioButton*>(widget) != nullptr ||
                       (qobject_cast<const QLineEdit*>(widget) != nullptr && widget != form->gij);
    const QString name = widget->objectName();
    if (input && !name.isEmpty() && !name.startsWith(QStringLiteral("qt_"))) inputs.insert(name);
  }
  QSet<QString> named;
  for (const SceneName& name : SceneNames())
    if (name.kind != SceneKind::Number) named.insert(QString::fromLatin1(name.name.data(), name.name.size()));
  EXPECT_EQ(inputs, named);
}

// Each setting goes through the field's rule or the slider's handler, as a
// paste or a slide would; the animation runs or stands as it did.
TEST_F(WindowSceneTest, OpeningGoesThroughTheControlsOwnRules) {
  for (const bool running : {false, true}) {
    SCOPED_TRACE(running);
    CreateForm();
    if (running) form->Button1->click();
    const QString caption = form->Button1->text();
    Write(Path("rules.scene"), "VerticalAngleValue=500\n"
                               "AlphaPhoton=181\n"
                               "HorizontalAngleValue=\n"
                               "ScrollBar3=500\n"
                               "RangeYPlus=word\n"
                               "TimeIntervalValue=0.5\n"
                               "ShipFrame=1\n");
    form->OpenSceneFile(Path("rules.scene"));
    EXPECT_EQ(form->ScrollBar1->value(), 180);
    EXPECT_EQ(form->VerticalAngleValue->text(), "180");
    EXPECT_EQ(form->AlphaPhoton->text(), "30");
    EXPECT_EQ(form->HorizontalAngleValue->text(), "240");
    EXPECT_EQ(form->ScrollBar3->value(), 100);
    EXPECT_EQ(form->ZoomValue->text(), "100");
    EXPECT_EQ(form->RangeYPlus->text(), "150");
    EXPECT_EQ(TimeStep, 0.5L);
    EXPECT_TRUE(form->ShipFrame->isChecked());
    EXPECT_EQ(form->Button1->text(), caption);
    EXPECT_TRUE(errors.empty());
  }
}

// A time interval that does not convert is reported once the scene is in,
// as when the user leaves the field; the scene's own step stands.
TEST_F(WindowSceneTest, ATimeIntervalThatDoesNotConvertIsReported) {
  Write(Path("interval.scene"), "TimeIntervalValue=soon\nTimeStep=0x8p-4\n");
  form->OpenSceneFile(Path("interval.scene"));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'soon' is not a valid floating point value.");
  EXPECT_EQ(form->TimeIntervalValue->text(), "soon");
  EXPECT_EQ(TimeStep, 0.5L);
}

// One box names the file, the line's number and the line; no control changes.
TEST_F(WindowSceneTest, ABadFileChangesNothingAndNamesItsLine) {
  form->XStep->setText(QStringLiteral("7"));
  BubblePosition = 5;
  const std::vector<SceneSetting> before = ReadWindowScene(*form);
  const struct {
    const char* contents;
    const char* shownLine;
  } cases[] = {
      {"XStep=9\nScrollBar1=0\nColour=red\nYStep=9\n", "line 3, \"Colour=red\": no control or value is named \"Colour\""},
      {"# scene\r\nXStep=9\r\nzoom 50\r\n", "line 3, \"zoom 50\": it is not NAME=VALUE."},
      {"XStep=9\nBubblePosition=far\n", "line 2, \"BubblePosition=far\": BubblePosition takes a number such as 0x8p-2, 2.5 or inf."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contents);
    errors.clear();
    Write(Path("bad.scene"), c.contents);
    form->OpenSceneFile(Path("bad.scene"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Cannot open the scene \"" + QDir::toNativeSeparators(Path("bad.scene")) + "\": " + c.shownLine);
    EXPECT_EQ(ReadWindowScene(*form), before);
  }
  errors.clear();
  form->OpenSceneFile(Path("missing.scene"));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith("Cannot open the scene \"" + QDir::toNativeSeparators(Path("missing.scene")) + "\": "));
  EXPECT_EQ(ReadWindowScene(*form), before);
}

// A save that fails shows the file and the system's reason and leaves an
// earlier file whole; nothing in the window changes.
TEST_F(WindowSceneTest, AFailingSaveLeavesTheEarlierFileWhole) {
  const QString target = Path("kept.scene");
  Write(target, "XStep=1\n");
  form->XStep->setText(QStringLiteral("typed"));
  {
    FileSizeLimit limit(64);  // the scene is far longer: the disk is "full" part way
    if (!limit.Active()) GTEST_SKIP() << "no file-size limit on this platform";
    chosenPath = target;
    form->SaveSceneTriggered();
  }
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith("Cannot save \"" + QDir::toNativeSeparators(target) + "\": ")) << errors[0].toStdString();
  EXPECT_FALSE(errors[0].contains("Unknown error")) << errors[0].toStdString();  // the system's own reason
  EXPECT_EQ(Contents(target), "XStep=1\n");
  EXPECT_EQ(form->XStep->text(), "typed");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"kept.scene"});  // no temporary left behind

  // A folder in the way, and a text no line can carry.
  errors.clear();
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.scene")));
  chosenPath = Path("folder.scene");
  form->SaveSceneTriggered();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith("Cannot save \"" + QDir::toNativeSeparators(chosenPath) + "\": "));
  errors.clear();
  form->VsValue->setText(QStringLiteral("two\nlines"));
  chosenPath = target;
  form->SaveSceneTriggered();
  EXPECT_EQ(errors, std::vector<QString>{"The text of VsValue holds a line break, which a scene file cannot keep."});
  EXPECT_EQ(Contents(target), "XStep=1\n");
}

TEST_F(WindowSceneTest, CommandLineSettingsApplyInOrderOrNotAtAll) {
  form->ApplySettings({"ScrollBar1=10", "VerticalAngleValue=0020", "XStep==5=", "TimeStep=-0x8p-2"});
  EXPECT_EQ(form->ScrollBar1->value(), 20);
  EXPECT_EQ(form->VerticalAngleValue->text(), "20");
  EXPECT_EQ(form->XStep->text(), "=5=");
  EXPECT_EQ(TimeStep, -2.0L);
  EXPECT_TRUE(errors.empty());
  form->ApplySettings({"YStep=5", "Foo=1", "ZoomValue"});
  EXPECT_EQ(errors, std::vector<QString>{"Cannot apply \"Foo=1\": no control or value is named \"Foo\""});
  EXPECT_EQ(form->YStep->text(), "100");
}

TEST_F(WindowSceneTest, ASceneFileDroppedOnTheWindowIsOpened) {
  Write(Path("dropped.scene"), "XStep=17\n");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Path("dropped.scene"))});
  QDragEnterEvent enter(QPoint(300, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(300, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &drop);
  QTRY_COMPARE(form->XStep->text(), QStringLiteral("17"));

  QMimeData two;
  two.setUrls({QUrl::fromLocalFile(Path("dropped.scene")), QUrl::fromLocalFile(Path("dropped.scene"))});
  QDragEnterEvent refused(QPoint(300, 100), Qt::CopyAction, &two, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &refused);
  EXPECT_FALSE(refused.isAccepted());
  EXPECT_TRUE(errors.empty());
}

// The view's menu, after Home's action, and the window's shortcuts, wherever the focus is.
TEST_F(WindowSceneTest, TheViewsMenuAndTheWindowsShortcuts) {
  QStringList menu;
  for (const QAction* action : form->PanelViewPort->actions())
    menu << (action->isSeparator() ? QStringLiteral("-") : action->text() + " " + action->shortcut().toString());
  EXPECT_EQ(menu, QStringList({"Bubble to Start Home", "-", "Save Picture\u2026 Ctrl+S", "Copy Picture Ctrl+Shift+C",
                               "-", "Open Scene\u2026 Ctrl+O", "Save Scene\u2026 Ctrl+Shift+S"}));
  CreateActiveForm();
  form->OptionsPages->setCurrentWidget(form->TabSheet2);
  form->XStep->setFocus();
  QTest::keyClick(form->XStep, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(form->XStep, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(dialogs, std::vector<FileDialog>({FileDialog::SaveScene, FileDialog::OpenScene}));
  EXPECT_EQ(form->XStep->text(), "100");  // the keys reached no field
}

}  // namespace
