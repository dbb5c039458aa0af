#include "app/SceneFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "SameBits.h"

namespace {

TEST(SceneFileTest, ReadsEveryValueUpToItsLineEnd) {
  const std::string text =
      "\xEF\xBB\xBF# a comment, skipped\r\n"
      "XStep=12\r\n"
      "\n"
      "   \t\n"
      "VsValue=a=b # not a comment, 1,5\n"
      "RhoValue=  blanks at both ends  \r\r\n"
      "XCamera=\n"
      "#XStep=99\n"
      "ShipFrame=1\n"
      "ScrollBar2=  $F0\n"
      "BubblePosition=-0x8p-2";
  const SceneRead read = ReadScene(text);
  ASSERT_FALSE(read.error);
  const std::vector<SceneSetting> expected = {
      {"XStep", "12"},      {"VsValue", "a=b # not a comment, 1,5"}, {"RhoValue", "  blanks at both ends  \r"},
      {"XCamera", ""},      {"ShipFrame", "1"},                      {"ScrollBar2", "  $F0"},
      {"BubblePosition", "-0x8p-2"}};
  EXPECT_EQ(read.settings, expected);
}

// The first line that cannot be applied is named with its number; nothing of the file is taken.
TEST(SceneFileTest, ALineThatCannotBeAppliedIsNamedAndNothingIsTaken) {
  const struct {
    const char* line;
    const char* problem;
  } cases[] = {
      {"no equals sign", "it is not NAME=VALUE"},
      {"Nonsense=1", "no control or value is named \"Nonsense\""},
      {"XStep =5", "no control or value is named \"XStep \""},
      {"gij=1", "no control or value is named \"gij\""},
      {"ScrollBar1=ten", "ScrollBar1 takes a whole number"},
      {"ScrollBar3=5 ", "ScrollBar3 takes a whole number"},
      {"RemoteFrame=yes", "RemoteFrame takes 1 (chosen) or 0 (not chosen)"},
      {"TimeStep=2,5", "TimeStep takes a number such as 0x8p-2, 2.5 or inf"},
      {"XPhoton=\xC3(", "XPhoton takes UTF-8 text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const SceneRead read = ReadScene(std::string("XStep=4\n# note\n\n") + c.line + "\r\nYStep=4\n");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->lineNumber, 4u);
    EXPECT_EQ(read.error->line, c.line);
    EXPECT_EQ(read.error->problem, c.problem);
    EXPECT_TRUE(read.settings.empty());
  }
}

TEST(SceneFileTest, WrittenSettingsReadBackUnchanged) {
  const std::vector<SceneSetting> settings = {
      {"XStep", "1,2=3#4"},
      {"VsValue", "  both ends  "},
      {"RhoValue", "\xCE\xB1\xCE\xB2 \xE2\x88\x9E \xF0\x9F\x9A\x80"},
      {"XCamera", ""},
      {"YCamera", "#"},
      {"ZCamera", "="},
      {"R2Value", std::string(10000, 'x')},
      {"TimeStep", NumberText(0.1L)},
  };
  const std::string text = WriteScene(settings);
  EXPECT_TRUE(text.starts_with("# "));
  const SceneRead read = ReadScene(text);
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.settings, settings);
}

TEST(SceneFileTest, LineBreaksDoNotFitOnALine) {
  EXPECT_TRUE(FitsOnOneLine("a = b, c # d"));
  EXPECT_FALSE(FitsOnOneLine("a\nb"));
  EXPECT_FALSE(FitsOnOneLine("ends in a return\r"));
}

TEST(SceneFileTest, NumbersReadBackToTheSameBits) {
  volatile Extended infinity = std::numeric_limits<Extended>::infinity();
  const Extended values[] = {
      0.0L, -0.0L, 2.0L, 0.1L, -6.0L, 1e4000L, std::numeric_limits<Extended>::denorm_min(),
      std::numeric_limits<Extended>::min(), std::numeric_limits<Extended>::max(),
      std::numeric_limits<Extended>::lowest(), std::numeric_limits<Extended>::epsilon(), infinity, -infinity,
      std::numeric_limits<Extended>::quiet_NaN(), infinity - infinity,  // the processor's own NaN, negative on x87
  };
  for (const Extended value : values) {
    const std::string text = NumberText(value);
    SCOPED_TRACE(text);
    const std::optional<Extended> back = ParseNumberText(text);
    ASSERT_TRUE(back);
    EXPECT_TRUE(SameBits(*back, value));
  }
  EXPECT_EQ(NumberText(2.0L), "0x8p-2");
  EXPECT_EQ(NumberText(-0.0L), "-0x0p+0");
}

TEST(SceneFileTest, NumberTextsTakeDecimalAndHexadecimalFormsWhole) {
  const struct {
    const char* text;
    std::optional<Extended> value;
  } cases[] = {
      {"2.5", 2.5L},        {"+1e3", 1000.0L},   {"-0x1p-1", -0.5L}, {"0X.8p+1", 1.0L},
      {"", std::nullopt},   {"+", std::nullopt}, {"0x", std::nullopt}, {"0x-1", std::nullopt},
      {"--1", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt}, {"1.5x", std::nullopt},
      {"0xinf", std::nullopt}, {"1e99999", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseNumberText(c.text), c.value);
  }
  EXPECT_EQ(ParseNumberText("-infinity"), -std::numeric_limits<Extended>::infinity());
}

TEST(SceneFileTest, MessagesNameTheFileTheLineAndWhatIsWrong) {
  EXPECT_EQ(SceneFileErrorMessage("/tmp/a.scene", {7, "Foo=1", "no control or value is named \"Foo\""}),
            "Cannot open the scene \"/tmp/a.scene\": line 7, \"Foo=1\": no control or value is named \"Foo\"");
  EXPECT_EQ(SceneArgumentErrorMessage("ShipFrame=2", "ShipFrame takes 1 (chosen) or 0 (not chosen)"),
            "Cannot apply \"ShipFrame=2\": ShipFrame takes 1 (chosen) or 0 (not chosen)");
  // A long line is cut after 80 characters, between two of them.
  const std::string line = "VsValue=" + std::string(10000, 'y');
  const std::string message = SceneFileErrorMessage("f", {1, "\xCE\xB1" + line, "p"});
  EXPECT_EQ(message, "Cannot open the scene \"f\": line 1, \"\xCE\xB1" + line.substr(0, 79) + "\xE2\x80\xA6\": p");
}

}  // namespace
