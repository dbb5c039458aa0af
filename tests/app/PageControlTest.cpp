#include "app/PageControl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

class PageControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QWidget>();
    pages = new PageControl(window.get());
    pages->setGeometry(0, 0, 185, 200);
    for (const char* caption : {"View", "Graph Controls", "Metric ", "Laser Beam", "Animation", "Metric Values"})
      pages->addTab(new QLabel(QString::fromLatin1(caption)), QString::fromLatin1(caption));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const auto arrows = pages->cornerWidget(Qt::TopRightCorner)->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    previous = arrows[0];
    next = arrows[1];
  }

  QTabBar* Bar() const { return pages->tabBar(); }

  std::unique_ptr<QWidget> window;
  PageControl* pages = nullptr;
  QToolButton* previous = nullptr;
  QToolButton* next = nullptr;
};

// The arrows walk through every page, the run of tabs following, and stop at
// either end.
TEST_F(PageControlTest, ArrowsStepThroughEveryPageAndStopAtTheEnds) {
  pages->setCurrentIndex(0);
  EXPECT_FALSE(previous->isEnabled());
  for (int page = 1; page < pages->count(); ++page) {
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(pages->currentIndex(), page);
    EXPECT_TRUE(Bar()->isTabVisible(page));
  }
  EXPECT_FALSE(next->isEnabled());
  QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_EQ(pages->currentIndex(), pages->count() - 1);
  for (int page = pages->count() - 2; page >= 0; --page) {
    QTest::mouseClick(previous, Qt::LeftButton);
    EXPECT_EQ(pages->currentIndex(), page);
    EXPECT_TRUE(Bar()->isTabVisible(page));
  }
  EXPECT_FALSE(previous->isEnabled());
}

// A plain tab bar's keys skip hidden tabs; these reach them.
TEST_F(PageControlTest, KeysReachPagesOutsideTheRun) {
  pages->setCurrentIndex(4);
  ASSERT_FALSE(Bar()->isTabVisible(5));
  Bar()->setFocus();
  QTest::keyClick(Bar(), Qt::Key_Right);
  EXPECT_EQ(pages->currentIndex(), 5);
  QTest::keyClick(Bar(), Qt::Key_Left);
  EXPECT_EQ(pages->currentIndex(), 4);
  QTest::keyClick(pages->currentWidget(), Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(pages->currentIndex(), 3);
  QTest::keyClick(pages->currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pages->currentIndex(), 4);
  pages->setCurrentIndex(0);
  EXPECT_TRUE(Bar()->isTabVisible(0));
  EXPECT_FALSE(Bar()->isTabVisible(5));
}

}  // namespace
