#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "FormFixture.h"
#include "app/MetricFormulas.h"

namespace {

using Table = const char* const[4][4];

const Table kAlcubierre = {
    {"1-Vs^2*f(rs)^2", "-Vs*f(rs)", "0", "0"},
    {"-Vs*f(rs)", "-1", "0", "0"},
    {"0", "0", "-1", "0"},
    {"0", "0", "0", "-1"},
};

const Table kOVRAZES = {
    {"A^2-Vs^2*f(rs)^2", "-B*Vs*f(rs)/A", "0", "0"},
    {"-B*Vs*f(rs)/A", "-B", "0", "0"},
    {"0", "0", "-1", "0"},
    {"0", "0", "0", "-1"},
};

class MetricInspectorTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    CreateForm();
    form->OptionsPages->setCurrentWidget(form->TabSheet3);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  QPoint CellCentre(int row, int column) const {
    return form->Metric->visualRect(form->Metric->model()->index(row, column)).center();
  }

  void ClickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(form->Metric->viewport(), Qt::LeftButton, modifiers, CellCentre(row, column));
  }

  void Choose(QRadioButton* metric) {
    QTest::mouseClick(metric, Qt::LeftButton, {}, QPoint(6, metric->height() / 2));
    ASSERT_TRUE(metric->isChecked());
  }

  QString Gij() const { return form->gij->text(); }

  QPoint CurrentCell() const { return {form->Metric->currentColumn(), form->Metric->currentRow()}; }
};

// Every cell, clicked row by row, for each metric in turn; the first click of
// each round lands on the cell that is already current.
TEST_F(MetricInspectorTest, EveryCellShowsItsFormulaForTheCheckedMetric) {
  EXPECT_EQ(Gij(), "1-Vs^2*f(rs)^2");
  EXPECT_TRUE(form->AlcubierreMetric->isChecked());
  form->VsValue->setText(QStringLiteral("0.5"));  // the formulas are symbols: nothing is substituted
  struct Round {
    QRadioButton* metric;
    const Table& formulas;
  };
  for (const Round& round : {Round{form->AlcubierreMetric, kAlcubierre}, Round{form->OVRAZESMetric, kOVRAZES}}) {
    SCOPED_TRACE(round.metric->objectName().toStdString());
    Choose(round.metric);
    form->Metric->setCurrentCell(0, 0);
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 4; ++column) {
        SCOPED_TRACE(form->Metric->item(row, column)->text().toStdString());
        form->gij->setText(QStringLiteral("stale"));
        ClickCell(row, column);
        EXPECT_EQ(CurrentCell(), QPoint(column, row));
        EXPECT_EQ(Gij(), QString::fromLatin1(round.formulas[row][column]));
      }
    }
  }
  EXPECT_TRUE(errors.empty());
}

// Switching the metric shows nothing by itself; clicking the current cell
// again is a selection and shows the new metric's entry.
TEST_F(MetricInspectorTest, SwitchingTheMetricWaitsForTheNextSelection) {
  Choose(form->OVRAZESMetric);
  EXPECT_EQ(Gij(), "1-Vs^2*f(rs)^2");
  form->Metric->setFocus();  // the first focus selects nothing: g00 is current from the start
  EXPECT_EQ(Gij(), "1-Vs^2*f(rs)^2");
  ClickCell(0, 0);
  EXPECT_EQ(Gij(), "A^2-Vs^2*f(rs)^2");

  ClickCell(1, 1);
  EXPECT_EQ(Gij(), "-B");
  Choose(form->AlcubierreMetric);
  EXPECT_EQ(Gij(), "-B");
  ClickCell(1, 1);
  EXPECT_EQ(Gij(), "-1");
  Choose(form->OVRAZESMetric);
  QTest::mouseDClick(form->Metric->viewport(), Qt::LeftButton, {}, CellCentre(1, 1));
  EXPECT_EQ(Gij(), "-B");
}

TEST_F(MetricInspectorTest, CursorKeysAndDraggingSelectCells) {
  form->Metric->setFocus();
  QTest::keyClick(form->Metric, Qt::Key_Right);
  EXPECT_EQ(CurrentCell(), QPoint(1, 0));
  EXPECT_EQ(Gij(), "-Vs*f(rs)");
  QTest::keyClick(form->Metric, Qt::Key_Down);
  EXPECT_EQ(Gij(), "-1");
  Choose(form->OVRAZESMetric);
  form->Metric->setFocus();
  QTest::keyClick(form->Metric, Qt::Key_Left);
  EXPECT_EQ(CurrentCell(), QPoint(0, 1));
  EXPECT_EQ(Gij(), "-B*Vs*f(rs)/A");

  // Pressed on g33 and dragged to g01: the cell under the pointer is selected on the way.
  QWidget* viewport = form->Metric->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, CellCentre(3, 3));
  EXPECT_EQ(Gij(), "-1");
  QTest::mouseMove(viewport, CellCentre(0, 1));
  EXPECT_EQ(CurrentCell(), QPoint(1, 0));
  EXPECT_EQ(Gij(), "-B*Vs*f(rs)/A");
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, CellCentre(0, 1));
  EXPECT_EQ(form->Metric->selectedItems().size(), 1);
  EXPECT_TRUE(errors.empty());
}

// One cell at a time, never a range or a row, never an editor; Tab moves on
// to gij rather than to the next cell.
TEST_F(MetricInspectorTest, TheGridSelectsSingleCellsOnly) {
  ClickCell(1, 1);
  ClickCell(2, 3, Qt::ShiftModifier);
  ASSERT_EQ(form->Metric->selectedItems().size(), 1);
  EXPECT_EQ(form->Metric->selectedItems()[0]->text(), "g23");
  QTest::keyClick(form->Metric, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(form->Metric->selectedItems().size(), 1);

  QTest::mouseDClick(form->Metric->viewport(), Qt::LeftButton, {}, CellCentre(2, 2));
  QTest::keyClicks(form->Metric, QStringLiteral("7"));
  EXPECT_EQ(form->Metric->findChild<QLineEdit*>(), nullptr);  // no cell editor was opened
  EXPECT_EQ(form->Metric->item(2, 2)->text(), "g22");

  form->Metric->setFocus();
  QTest::keyClick(form->Metric, Qt::Key_Tab);
  EXPECT_TRUE(form->gij->hasFocus());
}

// The 16 cells fill the grid exactly: no headers and no scroll bars. The grid
// keeps left-to-right columns even in a right-to-left window.
TEST_F(MetricInspectorTest, GridLayoutIsFixedAndNeverMirrored) {
  QTableWidget* grid = form->Metric;
  EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
  EXPECT_EQ(grid->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
  EXPECT_GE(grid->viewport()->width(), 4 * 30);
  EXPECT_GE(grid->viewport()->height(), 4 * 25);

  form->setLayoutDirection(Qt::RightToLeft);
  EXPECT_EQ(grid->layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(grid->columnViewportPosition(0), 0);
  EXPECT_LT(CellCentre(0, 0).x(), CellCentre(0, 3).x());
  EXPECT_EQ(form->ScrollBar1->layoutDirection(), Qt::RightToLeft);  // the rest of the window does follow
}

// gij takes no typing but its text can be selected and copied.
TEST_F(MetricInspectorTest, FormulaCanBeCopiedButNotEdited) {
  form->gij->setFocus();
  QTest::keyClick(form->gij, Qt::Key_End);
  QTest::keyClicks(form->gij, QStringLiteral("+1"));
  QTest::keyClick(form->gij, Qt::Key_Backspace);
  EXPECT_EQ(Gij(), "1-Vs^2*f(rs)^2");
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(form->gij, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(form->gij, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "1-Vs^2*f(rs)^2");
}

// A current cell outside the tensor (none at all) writes nothing.
TEST_F(MetricInspectorTest, NoCellMeansNoFormula) {
  ClickCell(1, 0);
  form->Metric->setCurrentCell(-1, -1);
  EXPECT_EQ(Gij(), "-Vs*f(rs)");
  EXPECT_FALSE(MetricFormula(WarpMetric::OVRAZES, 4, 0));
  EXPECT_FALSE(MetricFormula(WarpMetric::Alcubierre, 0, -1));
}

}  // namespace
