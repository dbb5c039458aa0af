#include "app/ErrorDisplay.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

TEST(ErrorBoxTextTest, FullStopFollowsCharactersAboveIt) {
  struct Row {
    QString message, shown;
  };
  const Row rows[] = {
      {"abc", "abc."},   {"abc.", "abc."}, {"value 5", "value 5."}, {"a/", "a/."},  {"(x)", "(x)"},
      {"it's-", "it's-"}, {"done!", "done!"}, {"", ""},             {"fin\u00E9", "fin\u00E9."},
  };
  for (const Row& row : rows) EXPECT_EQ(ErrorBoxText(row.message), row.shown) << row.message.toStdString();
}

class ErrorDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetErrorBox([this](const QString& text) {
      shown.push_back(text);
      EXPECT_TRUE(ErrorBoxOpen());
      ShowError("raised while the box is open");
    });
  }
  void TearDown() override { SetErrorBox({}); }
  std::vector<QString> shown;
};

TEST_F(ErrorDisplayTest, HandlerErrorsAreShownOneBoxAtATime) {
  RunHandler([] { throw std::runtime_error("Direct3DCreate - DirectX8 required."); });
  RunHandler([] { throw 42; });
  bool ranToTheEnd = false;
  RunHandler([&] { ranToTheEnd = true; });
  EXPECT_TRUE(ranToTheEnd);
  EXPECT_FALSE(ErrorBoxOpen());
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], "Direct3DCreate - DirectX8 required.");
  EXPECT_EQ(shown[1], "Unexpected error.");
}

TEST_F(ErrorDisplayTest, AFailingBoxDoesNotEscape) {
  SetErrorBox([](const QString&) { throw std::runtime_error("no box"); });
  ShowError("first");
  EXPECT_FALSE(ErrorBoxOpen());
}

}  // namespace
