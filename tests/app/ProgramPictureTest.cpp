// tessaran --picture on the X display that make test provides: pictures of
// the asked size in the surface's colours, the same for a scene file as for
// the same settings given one by one, frames that follow a running
// animation's ticks, and failures that say why, end with status 1 and leave
// no picture.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct ProgramRun {
  int status = -1;
  QString errors;
};

ProgramRun Tessaran(const QStringList& arguments, const QString& glIntegration = {}) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  if (!glIntegration.isEmpty()) environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), glIntegration);
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(TESSARAN_PROGRAM), arguments);
  if (!program.waitForStarted(10000) || !program.waitForFinished(60000)) return {};
  return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
          QString::fromLocal8Bit(program.readAllStandardError())};
}

struct Colours {
  int red = 0, blue = 0, green = 0, black = 0;
};

Colours CountColours(const QImage& picture) {
  Colours colours;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
      colours.red += r > 120 && g < 60 && b < 60;
      colours.blue += b > 120 && r < 60 && g < 60;
      colours.green += g > 120 && r < 60 && b < 60;
      colours.black += r < 16 && g < 16 && b < 16;
    }
  }
  return colours;
}

class ProgramPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "needs an X display (make test runs it under xvfb-run)";
    ASSERT_TRUE(folder.isValid());
  }

  QString Path(const QString& name) const { return folder.filePath(name); }
  QImage Picture(const QString& name) const { return QImage(Path(name)).convertToFormat(QImage::Format_RGB32); }

  // The picture of these arguments, written to `name`.
  QImage Drawn(const QString& name, const QStringList& arguments) {
    const ProgramRun run = Tessaran(QStringList{QStringLiteral("--picture"), Path(name)} + arguments);
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    return Picture(name);
  }

  QTemporaryDir folder;
};

TEST_F(ProgramPictureTest, APictureOfTheAskedSizeInTheSurfacesColoursOnBlack) {
  for (const auto& [size, arguments] : {std::pair{QSize(320, 200), QStringList{"--size", "320x200"}},
                                        std::pair{QSize(503, 453), QStringList{}}}) {
    SCOPED_TRACE(size.width());
    const QImage picture = Drawn(QStringLiteral("p%1.png").arg(size.width()), arguments);
    ASSERT_EQ(picture.size(), size);
    const Colours colours = CountColours(picture);
    EXPECT_GT(colours.red, 500);
    EXPECT_GT(colours.blue, 500);
    EXPECT_GT(colours.green, 100);
    EXPECT_GT(colours.black, size.width() * size.height() / 4);
  }
}

TEST_F(ProgramPictureTest, ASceneFileAndTheSameSettingsGiveTheSamePixels) {
  const QStringList settings = {"ScrollBar2=200", "ScrollBar1=100", "XStep=60", "RangeXPlus=200",
                                "AlphaPhoton=45", "BubblePosition=0x8p+2", "VsValue=shown, not drawn"};
  QFile scene(Path(QStringLiteral("view.scene")));
  ASSERT_TRUE(scene.open(QIODevice::WriteOnly));
  scene.write(("# the same state\n" + settings.join(u'\n') + "\n").toUtf8());
  scene.close();
  const QImage fromFile = Drawn(QStringLiteral("file.png"), {scene.fileName()});
  const QImage fromSettings = Drawn(QStringLiteral("settings.png"), settings);
  ASSERT_FALSE(fromFile.isNull());
  EXPECT_EQ(fromFile, fromSettings);
  EXPECT_NE(fromFile, Drawn(QStringLiteral("default.png"), {}));
}

// The k-th picture is the frame drawn after k - 1 ticks of the running
// animation: the bubble moves by the step after each.
TEST_F(ProgramPictureTest, FramesFollowARunningAnimationsTicks) {
  const ProgramRun run = Tessaran({"--picture", Path(QStringLiteral("f.png")), "--frames", "3", "TimeStep=0x8p-1"});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
            QStringList({"f-0001.png", "f-0002.png", "f-0003.png"}));
  const QImage frames[] = {Picture("f-0001.png"), Picture("f-0002.png"), Picture("f-0003.png")};
  EXPECT_NE(frames[0], frames[1]);
  EXPECT_NE(frames[1], frames[2]);
  EXPECT_NE(frames[0], frames[2]);
  EXPECT_EQ(frames[2], Drawn(QStringLiteral("third.png"), {"BubblePosition=8"}));
}

TEST_F(ProgramPictureTest, FailuresSayWhyEndWithStatusOneAndLeaveNoPicture) {
  const struct {
    QStringList arguments;
    const char* message;
    const char* glIntegration;
  } cases[] = {
      {{"XStep=abc"}, "'abc' is not a valid integer value.\n", ""},
      {{"--frames", "2", "YPhoton=1.5"}, "'1.5' is not a valid integer value.\n", ""},
      {{"Colour=red"}, "Cannot apply \"Colour=red\": no control or value is named \"Colour\"\n", ""},
      {{"TimeIntervalValue=soon"}, "'soon' is not a valid floating point value.\n", ""},
      {{"--size", "0x9"}, "Bad --size \"0x9\": give WIDTHxHEIGHT in device pixels, each from 1 to 16384\n", ""},
      {{"missing.scene"}, "Cannot open the scene \"missing.scene\": ", ""},
      {{}, "Direct3DCreate - DirectX8 required.\n", "none"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(u' ').toStdString());
    const ProgramRun run = Tessaran(QStringList{"--picture", Path(QStringLiteral("bad.png"))} + c.arguments,
                             QString::fromLatin1(c.glIntegration));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << run.errors.toStdString();
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
  }
  const ProgramRun unwritable = Tessaran({"--picture", Path(QStringLiteral("no/such/folder.png"))});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_TRUE(unwritable.errors.contains("Cannot save \"" + QDir::toNativeSeparators(Path("no/such/folder.png")) + "\": "))
      << unwritable.errors.toStdString();
}

}  // namespace
