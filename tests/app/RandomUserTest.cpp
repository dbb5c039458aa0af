// A seeded random user on the real window: key clicks, pastes, slider moves,
// page switches, grid clicks, Draw/Stop and time steps, with ticks between,
// checking after every action what must always hold. The seed and the action
// are in every failure, so any failure can be replayed with
//   TESSARAN_RANDOM_USER_SEED=<seed> TESSARAN_RANDOM_USER_ACTIONS=<n>
// and a longer run is one environment variable away.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>

#include "FormFixture.h"
#include "ResidentSize.h"
#include "anim/AnimationClock.h"
#include "app/ErrorDisplay.h"

namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

// Every text a box may show: the design's conversion errors, the frame bound
// and the beam drawn in part, each with the box's full stop rule applied.
bool IsDesignMessage(const QString& text) {
  static const QRegularExpression patterns[] = {
      QRegularExpression(QStringLiteral("^'[\\s\\S]*' is not a valid integer value\\.$")),
      QRegularExpression(QStringLiteral("^'[\\s\\S]*' is not a valid floating point value\\.$")),
      QRegularExpression(QStringLiteral("^Grid too large: -?\\d+ x -?\\d+ intervals \\(at most 8388608 segments\\)$")),
      QRegularExpression(QStringLiteral("^Beam drawn in part: \\d+ of its steps are left out, .*\\.$")),
  };
  return std::any_of(std::begin(patterns), std::end(patterns),
                     [&](const QRegularExpression& pattern) { return pattern.match(text).hasMatch(); });
}

class RandomUserTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    logDraws = false;  // frames may be large; the scene's bracket and Present are what is checked
    SetErrorBox([this](const QString& text) {
      ++boxesOpen;
      EXPECT_TRUE(ErrorBoxOpen()) << Where();
      EXPECT_EQ(boxesOpen, 1) << Where();
      EXPECT_TRUE(IsDesignMessage(text)) << Where() << " box: " << text.left(200).toStdString();
      ++boxes;
      --boxesOpen;
    });
    CreateForm();
    ShowActive();
    fields = form->findChildren<QLineEdit*>();
    radios = form->findChildren<QRadioButton*>();
  }

  std::string Where() const {
    std::string where = "seed " + std::to_string(seed) + ", action " + std::to_string(step) + ", last actions:";
    for (const std::string& action : recent) where += "\n  " + action;
    return where;
  }

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random); }

  // Numbers a user would type, now and then huge, with every notation the
  // fields take and some they do not.
  QString RandomNumber() {
    const int magnitude[] = {3, 100, 250, 2000, 100000, 2147483647};
    const long long limit = magnitude[Pick(Chance(0.9) ? 3 : 6)];
    const long long value = std::uniform_int_distribution<long long>(-limit, limit)(random);
    switch (Pick(6)) {
      case 0: return QStringLiteral("$%1").arg(static_cast<qulonglong>(value & 0xFFFFFFFF), 0, 16);
      case 1: return QStringLiteral("  %1").arg(value);
      case 2: return QStringLiteral("+%1").arg(std::llabs(value));
      case 3: return QStringLiteral("%1.5").arg(value);
      default: return QString::number(value);
    }
  }

  QString RandomText() {
    switch (Pick(10)) {
      case 0: return QString();
      case 1: return QStringLiteral("-");
      case 2: return QStringLiteral("+");
      case 3: return QStringLiteral("word");
      case 4: return QString::fromUtf8("\xC3\xBC\xEF\xBC\x91\xEF\xBC\x92");  // ü１２
      case 5: return QString(Chance(0.5) ? 10000 : 300, QChar(u'0' + Pick(10)));
      case 6: return QStringLiteral("1e6");
      case 7: return QStringLiteral(" 7 ");
      default: return RandomNumber();
    }
  }

  QLineEdit* RandomField() { return fields[Pick(static_cast<int>(fields.size()))]; }

  void FocusField(QLineEdit* field) {
    for (int page = 0; page < form->OptionsPages->count(); ++page)
      if (form->OptionsPages->widget(page)->isAncestorOf(field)) form->OptionsPages->setCurrentIndex(page);
    field->setFocus();
  }

  void Note(std::string action) {
    recent.push_back(std::move(action));
    if (recent.size() > 8) recent.pop_front();
  }

  void KeyClick() {
    QLineEdit* field = RandomField();
    FocusField(field);
    const Qt::Key keys[] = {Qt::Key_0,      Qt::Key_5,     Qt::Key_9,    Qt::Key_Minus, Qt::Key_Plus,
                            Qt::Key_Dollar, Qt::Key_X,     Qt::Key_Space, Qt::Key_A,    Qt::Key_Period,
                            Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Left,
                            Qt::Key_Return, Qt::Key_Tab};
    const Qt::Key key = keys[Pick(static_cast<int>(std::size(keys)))];
    const bool selectAll = Chance(0.1);
    Note("key " + std::to_string(key) + (selectAll ? " after Ctrl+A" : "") + " in " + field->objectName().toStdString());
    if (selectAll) QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, key);
  }

  void Paste() {
    QLineEdit* field = RandomField();
    const QString text = RandomText();
    Note("paste '" + text.left(40).toStdString() + "' (" + std::to_string(text.size()) + " chars) into " +
         field->objectName().toStdString());
    FocusField(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    if (Chance(0.5)) QTest::keyClick(field, Chance(0.5) ? Qt::Key_Return : Qt::Key_Tab);
  }

  void MoveSlider() {
    QScrollBar* bars[] = {form->ScrollBar1, form->ScrollBar2, form->ScrollBar3};
    QScrollBar* bar = bars[Pick(3)];
    if (Chance(0.5)) {
      const int value = std::uniform_int_distribution<int>(-400, 400)(random);
      Note("slide " + bar->objectName().toStdString() + " to " + std::to_string(value));
      bar->setValue(value);
    } else {
      const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End};
      const Qt::Key key = keys[Pick(5)];
      Note("key " + std::to_string(key) + " on " + bar->objectName().toStdString());
      form->OptionsPages->setCurrentWidget(form->TabSheet1);
      bar->setFocus();
      QTest::keyClick(bar, key);
    }
  }

  void SwitchPage() {
    const int page = Pick(form->OptionsPages->count());
    Note("page " + std::to_string(page));
    form->OptionsPages->setCurrentIndex(page);
  }

  void ClickGrid() {
    const int row = Pick(4), column = Pick(4);
    Note("grid cell " + std::to_string(row) + "," + std::to_string(column));
    form->OptionsPages->setCurrentWidget(form->TabSheet3);
    const QRect cell = form->Metric->visualItemRect(form->Metric->item(row, column));
    QTest::mouseClick(form->Metric->viewport(), Qt::LeftButton, {}, cell.center());
  }

  void PressButtonOrRadio() {
    if (Chance(0.6)) {
      Note("Draw/Stop");
      form->Button1->click();
    } else if (Chance(0.8)) {
      QRadioButton* radio = radios[Pick(static_cast<int>(radios.size()))];
      Note("radio " + radio->objectName().toStdString());
      radio->click();
    } else {
      Note("bubble to start");
      form->BubbleToStart();
    }
  }

  void SetTimeStep() {
    const QString steps[] = {QStringLiteral("2"),   QStringLiteral("-3"),   QStringLiteral("0.5"),
                             QStringLiteral("1e6"), QStringLiteral("1e300"), QStringLiteral("-1e9"),
                             QStringLiteral("abc"), QString(),              QStringLiteral("1e5000")};
    const QString text = steps[Pick(static_cast<int>(std::size(steps)))];
    Note("time step '" + text.toStdString() + "'");
    FocusField(form->TimeIntervalValue);
    QTest::keyClick(form->TimeIntervalValue, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(form->TimeIntervalValue, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(form->TimeIntervalValue, Qt::Key_Return);
  }

  void Act() {
    switch (Pick(12)) {
      case 0: case 1: case 2: KeyClick(); break;
      case 3: case 4: Paste(); break;
      case 5: case 6: MoveSlider(); break;
      case 7: SwitchPage(); break;
      case 8: ClickGrid(); break;
      case 9: PressButtonOrRadio(); break;
      case 10: SetTimeStep(); break;
      default: Note("tick"); break;
    }
  }

  // Every scene begun is ended, and a frame presents at most once, after its scene.
  void CheckFrames() {
    int open = 0;
    for (const DeviceCall& call : *log) {
      if (call.op == DeviceOp::BeginScene) {
        EXPECT_EQ(open++, 0) << Where();
      } else if (call.op == DeviceOp::EndScene) {
        EXPECT_EQ(--open, 0) << Where();
      } else if (call.op == DeviceOp::Present) {
        EXPECT_EQ(open, 0) << Where();
      }
    }
    EXPECT_EQ(open, 0) << Where();
    log->clear();
  }

  std::uint64_t seed = FromEnvironment("TESSARAN_RANDOM_USER_SEED", 20261211);
  std::uint64_t actions = FromEnvironment("TESSARAN_RANDOM_USER_ACTIONS", 20000);
  std::mt19937_64 random{seed};
  std::uint64_t step = 0;
  std::deque<std::string> recent;
  int boxesOpen = 0;
  int boxes = 0;
  QList<QLineEdit*> fields;
  QList<QRadioButton*> radios;
};

TEST_F(RandomUserTest, ActionsFromAFixedSeedKeepTheWindowSound) {
  std::vector<std::size_t> resident;
  for (step = 0; step < actions; ++step) {
    Act();
    if (Chance(0.7)) form->Timer1Timer();
    QCoreApplication::processEvents();  // as the running program's loop would, between the user's actions
    ASSERT_FALSE(ErrorBoxOpen()) << Where();
    CheckFrames();
    if (HasFailure()) FAIL() << Where();
    if ((step + 1) % (actions / 4 + 1) == 0) resident.push_back(ResidentSizeBytes().value_or(0));
  }
  resident.push_back(ResidentSizeBytes().value_or(0));
  // A leak grows with the actions; the last reading stays near the largest earlier one.
  const std::size_t before = *std::max_element(resident.begin(), resident.end() - 1);
  EXPECT_LE(resident.back(), before + (std::size_t{48} << 20)) << "seed " << seed;
  EXPECT_GT(boxes, 0) << "seed " << seed << ": the run never met an error, so it checked too little";
}

}  // namespace
