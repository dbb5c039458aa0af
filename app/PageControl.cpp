#include "app/PageControl.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QToolButton>

// Measures hidden tabs too, and steps with the arrow keys to tabs outside the
// run, which a plain tab bar skips.
class PageTabBar : public QTabBar {
 public:
  explicit PageTabBar(PageControl* pages) : pages_(pages) {}
  using QTabBar::tabSizeHint;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool mirrored = layoutDirection() == Qt::RightToLeft;
    if (event->key() == Qt::Key_Left) return pages_->StepPage(mirrored ? 1 : -1);
    if (event->key() == Qt::Key_Right) return pages_->StepPage(mirrored ? -1 : 1);
    QTabBar::keyPressEvent(event);
  }

 private:
  PageControl* pages_;
};

namespace {

// Half the style's space beside a tab's caption, so that two tabs and the
// arrows fit the page control's narrow row.
class NarrowTabStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? value / 2 : value;
  }
};

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);  // the tab row itself takes the keys
  button->setFixedWidth(button->style()->pixelMetric(QStyle::PM_TabBarScrollButtonWidth, nullptr, button));
  return button;
}

}  // namespace

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
  auto* tabBar = new PageTabBar(this);
  tabBar->setObjectName(QStringLiteral("qt_tabwidget_tabbar"));
  auto* style = new NarrowTabStyle(QStyleFactory::create(QApplication::style()->name()));
  style->setParent(tabBar);
  tabBar->setStyle(style);
  setTabBar(tabBar);
  setUsesScrollButtons(false);
  setElideMode(Qt::ElideNone);

  auto* arrows = new QWidget(this);
  auto* layout = new QHBoxLayout(arrows);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  previous_ = MakeArrow(arrows, Qt::LeftArrow);
  next_ = MakeArrow(arrows, Qt::RightArrow);
  layout->addWidget(previous_);
  layout->addWidget(next_);
  setCornerWidget(arrows, Qt::TopRightCorner);
  connect(previous_, &QToolButton::clicked, this, [this] { StepPage(-1); });
  connect(next_, &QToolButton::clicked, this, [this] { StepPage(1); });
  connect(this, &QTabWidget::currentChanged, this, [this](int page) { ShowRunAround(page); });
}

// Ctrl+Tab and Ctrl+Page Up/Down reach pages outside the run as well.
void PageControl::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    switch (event->key()) {
      case Qt::Key_Tab: case Qt::Key_PageDown: return StepPage(1);
      case Qt::Key_Backtab: case Qt::Key_PageUp: return StepPage(-1);
      default: break;
    }
  }
  QTabWidget::keyPressEvent(event);
}

void PageControl::resizeEvent(QResizeEvent* event) {
  QTabWidget::resizeEvent(event);
  ShowRunAround(currentIndex());
}

void PageControl::showEvent(QShowEvent* event) {
  ShowRunAround(currentIndex());
  QTabWidget::showEvent(event);
}

void PageControl::tabInserted(int index) {
  QTabWidget::tabInserted(index);
  ShowRunAround(currentIndex());
}

// The page's tab is shown first: a tab bar will not make a hidden tab current.
void PageControl::StepPage(int offset) {
  const int page = currentIndex() + offset;
  if (page < 0 || page >= count()) return;
  tabBar()->setTabVisible(page, true);
  setCurrentIndex(page);
}

int PageControl::TabWidth(int tab) const { return static_cast<PageTabBar*>(tabBar())->tabSizeHint(tab).width(); }

int PageControl::Room() const { return width() - cornerWidget(Qt::TopRightCorner)->sizeHint().width(); }

// The run keeps its first tab while the page is in it and grows to the right
// as far as the room allows, then back to the left once it reaches the last
// tab. Only tabs other than the current page's are ever hidden, since hiding
// the current tab would make the tab bar choose another page.
void PageControl::ShowRunAround(int page) {
  if (page < 0) return;
  const int room = Room();
  if (page < first_) first_ = page;
  int used = 0;
  for (int tab = first_; tab <= page; ++tab) used += TabWidth(tab);
  while (first_ < page && used > room) used -= TabWidth(first_++);
  int last = page;
  while (last + 1 < count() && used + TabWidth(last + 1) <= room) used += TabWidth(++last);
  while (first_ > 0 && used + TabWidth(first_ - 1) <= room) used += TabWidth(--first_);

  for (int tab = 0; tab < count(); ++tab) tabBar()->setTabVisible(tab, tab >= first_ && tab <= last);
  previous_->setEnabled(page > 0);
  next_->setEnabled(page + 1 < count());
}
