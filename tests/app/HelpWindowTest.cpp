#include "app/HelpWindow.h"

#include <QPushButton>
#include <QTest>

#include "FormFixture.h"

namespace {

using HelpWindowTest = FormFixture;

// Help! opens one window beside the main one, never modal, and brings the
// same one back; the frames it leaves alone are checked with the other inert controls.
TEST_F(HelpWindowTest, HelpOpensOneNonModalWindowAndRaisesIt) {
  CreateForm();
  form->show();
  form->Button2->click();
  const QList<HelpWindow*> opened = form->findChildren<HelpWindow*>();
  ASSERT_EQ(opened.size(), 1);
  HelpWindow* help = opened.front();
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->isWindow());
  EXPECT_EQ(help->windowModality(), Qt::NonModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  help->close();
  form->Button2->click();
  EXPECT_EQ(form->findChildren<HelpWindow*>(), QList<HelpWindow*>{help});
  EXPECT_TRUE(help->isVisible());
  form->Button2->click();
  EXPECT_EQ(form->findChildren<HelpWindow*>().size(), 1);
  EXPECT_TRUE(errors.empty());
}

// The topics a user comes to the help for.
TEST_F(HelpWindowTest, TheHelpCoversThePagesColoursViewShortcutsScenesAndCommandLine) {
  CreateForm();
  form->Button2->click();
  const QString text = form->findChild<HelpWindow*>()->PlainText();
  for (const char* topic : {"Graph Controls", "Laser Beam", "Camera Placement", "Metric Values", "Frame choice",
                            "do not change the picture", "Red", "Blue", "Green", "Pale gold", "Drag", "Wheel",
                            "Page Up", "Ctrl+S", "Ctrl+Shift+C", "Ctrl+O", "Ctrl+Shift+S", "NAME=VALUE",
                            "BubblePosition", "--picture", "--frames"}) {
    EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
  }
}

}  // namespace
