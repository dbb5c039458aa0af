#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QScreen>
#include <QTest>

#include "FormFixture.h"

namespace {

const QPoint kDesignPosition(200, 184);
const QSize kDesignClient(688, 453), kFrame(8, 27), kMinimum(345, 453);

TEST(WindowPlacementTest, DesignPlaceWhereItFitsThenMovedThenShrunk) {
  const struct {
    const char* name;
    QRect available;
    QPoint position;
    QSize client;
  } cases[] = {
      {"roomy screen", {0, 0, 1920, 1080}, {200, 184}, {688, 453}},
      {"exactly enough", {0, 0, 896, 664}, {200, 184}, {688, 453}},
      {"narrow: moved left", {0, 0, 800, 1080}, {104, 184}, {688, 453}},
      {"short: moved up", {0, 0, 1920, 600}, {200, 120}, {688, 453}},
      {"panel at the top", {0, 40, 1920, 700}, {200, 184}, {688, 453}},
      {"screen to the right", {1920, 0, 1280, 1024}, {1920, 184}, {688, 453}},
      {"too narrow: shrunk", {0, 0, 600, 1080}, {0, 184}, {592, 453}},
      {"scale 2 on 1600 x 1000", {0, 0, 800, 472}, {104, 0}, {688, 453}},
      {"smaller than the minimum", {0, 0, 300, 300}, {0, 0}, {345, 453}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const WindowPlacement placement = PlaceWindow(c.available, kDesignPosition, kDesignClient, kFrame, kMinimum);
    EXPECT_EQ(placement.position, c.position);
    EXPECT_EQ(placement.client, c.client);
  }
}

using WindowOnScreenTest = FormFixture;

// On the screen it opens on, the whole window lies inside the available area
// whenever that area can hold its minimum.
TEST_F(WindowOnScreenTest, WindowOpensInsideTheAvailableArea) {
  CreateForm();
  const QRect available = form->screen()->availableGeometry();
  const QRect outer(form->pos(), form->size() + kFrame);
  if (available.width() >= kMinimum.width() + kFrame.width() && available.height() >= kMinimum.height() + kFrame.height()) {
    EXPECT_TRUE(available.contains(outer)) << available.width() << "x" << available.height();
  }
  EXPECT_EQ(form->Panel1->width(), 185);
}

}  // namespace
