// Save Picture and Copy Picture take the picture the device last presented
// on the view. Here a presentation widget stands in for the OpenGL device's;
// the OpenGL tests check the same with the real one.

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include "FormFixture.h"
#include "d3d/GlPanelView.h"

namespace {

class SavePictureTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    ASSERT_TRUE(folder.isValid());
    CreateForm();
  }

  // Every pixel different from its neighbours, so that any scaling or shift shows.
  static QImage Pattern(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x) picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * 7 + y * 13) & 0xFF));
    return picture;
  }

  QTemporaryDir folder;
};

TEST_F(SavePictureTest, WritesThePresentedPicturePixelForPixel) {
  auto* presentation = new GlPanelView(form->PanelViewPort, [](QSize) {});
  const QImage presented = Pattern(QSize(503, 453));
  presentation->Show(presented);
  chosenPath = folder.filePath(QStringLiteral("view.png"));
  form->SavePictureTriggered();
  EXPECT_TRUE(errors.empty());
  QImageReader reader(chosenPath);
  EXPECT_EQ(reader.format(), "png");
  const QImage saved = reader.read().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(saved, presented);

  form->CopyPictureTriggered();
  EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), presented);
  EXPECT_EQ(dialogs, std::vector<FileDialog>{FileDialog::SavePicture});
}

// Before any picture there is nothing to save: one box, no dialog, no file.
TEST_F(SavePictureTest, WithoutAPictureNothingIsAskedOrWritten) {
  chosenPath = folder.filePath(QStringLiteral("none.png"));
  form->SavePictureTriggered();
  form->CopyPictureTriggered();
  EXPECT_EQ(errors, std::vector<QString>(2, QStringLiteral("There is no picture yet: none has been drawn.")));
  EXPECT_TRUE(dialogs.empty());
  EXPECT_FALSE(QFile::exists(chosenPath));
}

TEST_F(SavePictureTest, CancellingTheDialogWritesNothing) {
  (new GlPanelView(form->PanelViewPort, [](QSize) {}))->Show(Pattern(QSize(4, 4)));
  form->SavePictureTriggered();
  EXPECT_EQ(dialogs, std::vector<FileDialog>{FileDialog::SavePicture});
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

}  // namespace
