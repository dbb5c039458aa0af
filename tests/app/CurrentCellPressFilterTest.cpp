// The filter on a grid of its own: it reports a press on the cell that is
// already current and nothing else, and it stays quiet while the grid is
// destroyed, when the viewport still gets events from a grid that is no longer
// whole (the instrumented build of make test would stop on any call into it).

#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

#include "app/CurrentCellPressFilter.h"

namespace {

TEST(CurrentCellPressFilterTest, ReportsPressesOnTheCurrentCellOnlyAndOutlivesNothing) {
  auto grid = std::make_unique<QTableWidget>(2, 2);
  auto* filter = new CurrentCellPressFilter(grid.get());
  std::vector<std::pair<int, int>> reported;
  QObject::connect(filter, &CurrentCellPressFilter::currentCellPressed,
                   [&](int row, int column) { reported.emplace_back(row, column); });
  grid->resize(300, 200);
  grid->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
  const auto centre = [&](int row, int column) { return grid->visualRect(grid->model()->index(row, column)).center(); };

  grid->setCurrentCell(0, 0);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(1, 1));  // becomes current: the grid reports that
  EXPECT_TRUE(reported.empty());
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(1, 1));
  const QPoint belowTheCells(5, grid->viewport()->height() - 5);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, belowTheCells);
  EXPECT_EQ(reported, (std::vector<std::pair<int, int>>{{1, 1}}));

  grid.reset();
}

}  // namespace
