// The main window drawing through the OpenGL device on the X display that
// make test provides.

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vector>

#include "app/ErrorDisplay.h"
#include "app/FileDialogs.h"
#include "app/TForm1.h"
#include "d3d/DeviceSetup.h"
#include "d3d/Direct3DLoader.h"
#include "d3d/GlDevice.h"
#include "d3d/GlDirect3D8.h"

namespace {

class WindowOpenGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    SetDirect3DCreateFunction(CreateOpenGLDirect3D8);
    SetErrorBox([this](const QString& text) { errors.push_back(text); });
    SetFileChooser([this](FileDialog) { return chosenPath; });
  }

  void TearDown() override {
    ReleaseDevice();
    SetDirect3DCreateFunction({});
    SetErrorBox({});
    SetFileChooser({});
  }

  QTemporaryDir folder;
  QString chosenPath;
  std::vector<QString> errors;
};

// What the panel shows is what the device last presented, at the panel's
// size in device pixels, and Save Picture writes exactly those pixels.
TEST_F(WindowOpenGLTest, SavePictureWritesExactlyThePixelsPresented) {
  TForm1 form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.Timer1->stop();  // the test draws its own frames
  ASSERT_NE(Device, nullptr);
  form.Timer1Timer();
  form.Timer1Timer();
  const QImage presented = form.PresentedPicture();
  const qreal scale = form.PanelViewPort->devicePixelRatioF();
  ASSERT_EQ(presented.size(), (QSizeF(form.PanelViewPort->size()) * scale).toSize());
  EXPECT_EQ(presented, static_cast<GlDevice*>(Device)->ReadBackBuffer());

  chosenPath = folder.filePath(QStringLiteral("view.png"));
  form.SavePictureTriggered();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(QImage(chosenPath).convertToFormat(QImage::Format_RGB32), presented);
}

}  // namespace
