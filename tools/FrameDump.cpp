#include "FrameDump.h"

#include <cstdlib>
#include <memory>

#include "ReferenceSurface.h"
#include "d3d/RecordingDevice.h"
#include "render/ControlSnapshot.h"
#include "render/ParseFieldInteger.h"
#include "render/RenderFrame.h"

namespace {

// Every frame takes 10 ms, so the caption is always "1E2 FPS".
class TenMillisecondClock final : public FrameClock {
 public:
  double NowMilliseconds() override {
    const double now = next_;
    next_ += 10;
    return now;
  }

 private:
  double next_ = 0;
};

struct Setup {
  ControlSnapshot window;
  D3DDISPLAYMODE displayMode{1024, 768, 60, D3DFMT_X8R8G8B8};
  Extended bubblePosition = 0;
  SurfaceStage surface = DrawSurfaceGrid;
};

bool Apply(Setup& setup, const std::string& name, const std::string& value) {
  if (name == "BubblePosition") {
    setup.bubblePosition = std::strtold(value.c_str(), nullptr);
    return true;
  }
  if (const auto field = FindField(name)) {
    setup.window.SetField(*field, value);
    return true;
  }
  const auto number = TryParseFieldInteger(value);
  if (!number) return false;
  if (const auto slider = FindSlider(name)) setup.window.SetSlider(*slider, *number);
  else if (name == "PanelWidth") setup.window.panelWidth = *number;
  else if (name == "PanelHeight") setup.window.panelHeight = *number;
  else if (name == "DisplayWidth") setup.displayMode.Width = static_cast<UINT>(*number);
  else if (name == "DisplayHeight") setup.displayMode.Height = static_cast<UINT>(*number);
  else return false;
  return true;
}

bool ApplyArgument(Setup& setup, const std::string& argument) {
  if (argument == "--reference") {
    setup.surface = DrawSurfaceGridReference;
    return true;
  }
  const auto equals = argument.find('=');
  return equals != std::string::npos && Apply(setup, argument.substr(0, equals), argument.substr(equals + 1));
}

}  // namespace

FrameDumpResult DumpFrame(const std::vector<std::string>& arguments) {
  Setup setup;
  for (const std::string& argument : arguments)
    if (!ApplyArgument(setup, argument))
      return {"cannot apply '" + argument +
                  "' (--reference, or NAME=VALUE where NAME is a field or slider of the window, BubblePosition, "
                  "PanelWidth, PanelHeight, DisplayWidth or DisplayHeight; sliders and the last four take a "
                  "whole number)\n",
              2};
  auto log = std::make_shared<DeviceLog>();
  RecordingDevice device(log);
  TenMillisecondClock clock;
  FrameDumpResult result;
  std::string last;
  try {
    const FrameReport report =
        RenderFrame(device, setup.displayMode, setup.bubblePosition, setup.window, clock, setup.surface);
    if (report.beamSegmentsLeftOut > 0) last = "beam: " + std::to_string(report.beamSegmentsLeftOut) + " left out\n";
    last += "caption: " + setup.window.caption;
  } catch (const std::exception& error) {
    last = std::string("error: ") + error.what();
    result.status = 1;
  }
  for (const DeviceCall& call : *log) result.text += FormatDeviceCall(call) + '\n';
  result.text += last + '\n';
  return result;
}
