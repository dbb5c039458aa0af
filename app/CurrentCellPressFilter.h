#pragma once
// Qt's grid reports a change of its current cell, but a press on the cell
// that is already current changes nothing and so reports nothing. This filter
// on the grid's viewport reports exactly those presses, before the grid
// handles them, so that every selection of a cell can be answered.

#include <QObject>

class QTableWidget;
class QWidget;

class CurrentCellPressFilter final : public QObject {
  Q_OBJECT

 public:
  // Watches the grid's viewport and lives as long as the grid.
  explicit CurrentCellPressFilter(QTableWidget* grid);

 signals:
  void currentCellPressed(int row, int column);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableWidget* grid_;
  QWidget* viewport_;  // kept: the grid cannot be asked for it while it is being destroyed
};
