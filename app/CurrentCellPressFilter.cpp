#include "app/CurrentCellPressFilter.h"

#include <QMouseEvent>
#include <QTableWidget>

CurrentCellPressFilter::CurrentCellPressFilter(QTableWidget* grid) : QObject(grid), grid_(grid) {
  grid->viewport()->installEventFilter(this);
}

// The second press of a double click arrives as a double-click event; it
// selects the cell again like any other press.
bool CurrentCellPressFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == grid_->viewport() && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
    const QModelIndex cell = grid_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (cell.isValid() && cell == grid_->currentIndex()) emit currentCellPressed(cell.row(), cell.column());
  }
  return false;  // the grid still handles the press
}
