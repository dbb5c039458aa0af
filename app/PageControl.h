#pragma once

#include <QTabWidget>

class QToolButton;

// A tab widget whose tab row never shows part of a tab. The row holds a run of
// whole tabs that includes the current page; the arrows at its end and the
// usual keys step to the previous and next page, and the run follows.
// It adds no signals or slots, and shows itself as the tab widget it is.
class PageControl : public QTabWidget {
 public:
  explicit PageControl(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void tabInserted(int index) override;

 private:
  friend class PageTabBar;

  void StepPage(int offset);
  void ShowRunAround(int page);
  int TabWidth(int tab) const;
  int Room() const;

  int first_ = 0;  // the first tab of the run shown
  QToolButton* previous_ = nullptr;
  QToolButton* next_ = nullptr;
};
