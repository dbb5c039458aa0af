#include "app/PictureFiles.h"

#include <QImage>
#include <QWidget>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "anim/AnimationClock.h"
#include "app/CommandLine.h"
#include "app/ErrorDisplay.h"
#include "app/SafeFile.h"
#include "app/TForm1.h"
#include "d3d/DeviceSetup.h"
#include "d3d/GlPanelView.h"
#include "render/RenderFrame.h"

namespace {

// A panel that is never shown, of the picture's size: the device draws into
// a back buffer of that size whatever the screen's scale.
class PicturePanel final : public DevicePanel {
 public:
  explicit PicturePanel(QSize size) : size_(size) { widget_.resize(size); }
  HWND NativeWindow() override { return static_cast<QWidget*>(&widget_); }
  UINT Width() const override { return static_cast<UINT>(size_.width()); }
  UINT Height() const override { return static_cast<UINT>(size_.height()); }
  QImage Presented() const { return GlPanelView::PresentedOn(widget_); }

 private:
  QWidget widget_;
  QSize size_;
};

// The window's sliders and fields, with the picture's size as the view's.
class PictureWindow final : public FrameWindow {
 public:
  PictureWindow(const TForm1& form, QSize size) : form_(form), size_(size) {}
  int SliderPosition(FrameSlider slider) const override { return form_.SliderPosition(slider); }
  std::string FieldText(FrameField field) const override { return form_.FieldText(field); }
  int PanelWidth() const override { return size_.width(); }
  int PanelHeight() const override { return size_.height(); }
  std::string DecimalSeparator() const override { return form_.DecimalSeparator(); }
  void SetFrameRateCaption(const std::string&) override {}

 private:
  const TForm1& form_;
  QSize size_;
};

class DeviceReference {
 public:
  explicit DeviceReference(IDirect3DDevice8* device) : device_(device) {}
  ~DeviceReference() { device_->Release(); }
  DeviceReference(const DeviceReference&) = delete;
  DeviceReference& operator=(const DeviceReference&) = delete;
  IDirect3DDevice8& operator*() const { return *device_; }

 private:
  IDirect3DDevice8* device_;
};

QString PictureName(const ProgramOptions& options, int number) {
  return options.frames == 0 ? options.picture : NumberedPictureName(options.picture, number, options.frames);
}

void DrawAndWrite(const TForm1& form, const ProgramOptions& options) {
  PicturePanel panel(options.size);
  const DeviceReference device(CreatePanelDevice(panel));
  PictureWindow window(form, options.size);
  SteadyFrameClock clock;
  for (int number = 1; number <= std::max(options.frames, 1); ++number) {
    RenderFrame(*device, DisplayMode, BubblePosition, window, clock);
    const QImage picture = panel.Presented();
    if (picture.size() != options.size) throw std::runtime_error("The OpenGL device could not draw the picture");
    SavePngSafely(PictureName(options, number), picture);
    AdvanceBubble(kStopDrawingCaption);
  }
}

// Each step goes on only while nothing has been reported.
bool SetUp(TForm1& form, const ProgramOptions& options, const std::vector<QString>& reported) {
  if (!reported.empty()) return false;
  if (!options.sceneFile.isEmpty()) form.OpenSceneFile(options.sceneFile);
  if (!reported.empty()) return false;
  if (!options.settings.isEmpty()) form.ApplySettings(options.settings);
  return reported.empty();
}

int Failed(const QString& message) {
  std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
  return 1;
}

}  // namespace

int WritePictures(const ProgramOptions& options) {
  std::vector<QString> reported;
  SetErrorBox([&reported](const QString& text) { reported.push_back(text); });
  int status = 0;
  {
    TForm1 form;
    if (!SetUp(form, options, reported)) {
      status = Failed(reported.front());
    } else {
      try {
        DrawAndWrite(form, options);
      } catch (const std::exception& error) {
        status = Failed(ErrorBoxText(QString::fromStdString(error.what())));
      }
    }
  }
  SetErrorBox({});
  return status;
}
