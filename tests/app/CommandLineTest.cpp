#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <stdexcept>

namespace {

ProgramOptions Parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("tessaran"));
  return ParseCommandLine(arguments);
}

TEST(CommandLineTest, TakesPicturesSizesFramesASceneAndSettings) {
  const ProgramOptions none = Parse({});
  EXPECT_TRUE(none.picture.isEmpty());
  EXPECT_EQ(none.size, QSize(503, 453));
  EXPECT_EQ(none.frames, 0);

  const ProgramOptions all =
      Parse({"--picture", "out.png", "--size", "640x480", "--frames", "12", "view.scene", "XStep=5", "VsValue=a=b"});
  EXPECT_EQ(all.picture, "out.png");
  EXPECT_EQ(all.size, QSize(640, 480));
  EXPECT_EQ(all.frames, 12);
  EXPECT_EQ(all.sceneFile, "view.scene");
  EXPECT_EQ(all.settings, QStringList({"XStep=5", "VsValue=a=b"}));

  const ProgramOptions settingsOnly = Parse({"ScrollBar1=0", "Nonsense"});
  EXPECT_TRUE(settingsOnly.sceneFile.isEmpty());
  EXPECT_EQ(settingsOnly.settings, QStringList({"ScrollBar1=0", "Nonsense"}));  // the window names what it cannot apply

  // A scene file whose name holds "=" is taken as one when it exists.
  QTemporaryDir folder;
  const QString odd = folder.filePath(QStringLiteral("a=b.scene"));
  QFile(odd).open(QIODevice::WriteOnly);
  EXPECT_EQ(Parse({odd, "XStep=5"}).sceneFile, odd);
}

TEST(CommandLineTest, WhatCannotBeTakenIsSaid) {
  const struct {
    QStringList arguments;
    const char* message;
  } cases[] = {
      {{"--picture", "p.png", "--size", "0x10"}, "Bad --size \"0x10\": give WIDTHxHEIGHT in device pixels, each from 1 to 16384"},
      {{"--picture", "p.png", "--size", "640*480"}, "Bad --size \"640*480\": give WIDTHxHEIGHT in device pixels, each from 1 to 16384"},
      {{"--picture", "p.png", "--size", "16385x2"}, "Bad --size \"16385x2\": give WIDTHxHEIGHT in device pixels, each from 1 to 16384"},
      {{"--picture", "p.png", "--frames", "0"}, "Bad --frames \"0\": give a count from 1 to 1000000"},
      {{"--picture", "p.png", "--frames", "+3"}, "Bad --frames \"+3\": give a count from 1 to 1000000"},
      {{"--picture", "p.png", "--frames", "three"}, "Bad --frames \"three\": give a count from 1 to 1000000"},
      {{"--size", "10x10"}, "--size and --frames go with --picture"},
      {{"--picture", ""}, "--picture needs a file name"},
      {{"--picture"}, "Missing value after '--picture'."},
      {{"--colour", "red"}, "Unknown option 'colour'."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(u' ').toStdString());
    try {
      Parse(c.arguments);
      ADD_FAILURE() << "taken";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(CommandLineTest, HelpAndVersionAreSeenBeforeAnythingElse) {
  EXPECT_TRUE(AsksForHelpOrVersion({"tessaran", "--picture", "p.png", "--help"}));
  EXPECT_TRUE(AsksForHelpOrVersion({"tessaran", "-v"}));
  EXPECT_FALSE(AsksForHelpOrVersion({"tessaran", "XStep=--help"}));
  // Found by fuzzing: Qt's parser reads these as the help or the version (or
  // refuses them), which needs no display; without one the program failed.
  EXPECT_TRUE(AsksForHelpOrVersion({"tessaran", "--h"}));
  EXPECT_TRUE(AsksForHelpOrVersion({"tessaran", "--version=1"}));
  EXPECT_TRUE(AsksForHelpOrVersion({"tessaran", "-vh"}));
  EXPECT_FALSE(AsksForHelpOrVersion({"tessaran", "--picture", "-h.png"}));
  EXPECT_FALSE(AsksForHelpOrVersion({"tessaran", "--", "-h"}));
  EXPECT_FALSE(AsksForHelpOrVersion({"--help"}));  // the program's own name
}

TEST(CommandLineTest, NumberedPicturesKeepTheirExtensionAndWidenForLargeCounts) {
  EXPECT_EQ(NumberedPictureName("out.png", 1, 3), "out-0001.png");
  EXPECT_EQ(NumberedPictureName("dir/Out.PNG", 12, 99), "dir/Out-0012.PNG");
  EXPECT_EQ(NumberedPictureName("out.png", 7, 123456), "out-000007.png");
  EXPECT_EQ(NumberedPictureName("frames", 2, 10), "frames-0002");
}

}  // namespace
