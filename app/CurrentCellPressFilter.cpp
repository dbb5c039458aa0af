#include "app/CurrentCellPressFilter.h"

#include <QMouseEvent>
#include <QTableWidget>

CurrentCellPressFilter::CurrentCellPressFilter(QTableWidget* grid)
    : QObject(grid), grid_(grid), viewport_(grid->viewport()) {
  viewport_->installEventFilter(this);
}

// The second press of a double click arrives as a double-click event; it
// selects the cell again like any other press. The grid is asked nothing
// until the event is known to be a press: while the grid is being destroyed,
// its viewport still gets events, and by then the grid is no grid any more.
bool CurrentCellPressFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && watched == viewport_) {
    const QModelIndex cell = grid_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (cell.isValid() && cell == grid_->currentIndex()) emit currentCellPressed(cell.row(), cell.column());
  }
  return false;  // the grid still handles the press
}
