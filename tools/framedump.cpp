// Runs one frame on the recording device and prints every device call, one
// per line, then "caption: TEXT" (the frame time forced to 10 ms) or
// "error: MESSAGE" with exit status 1.
//
//   framedump [NAME=VALUE ...]
// NAME is a field (XStep, AlphaPhoton, ...) or slider (ScrollBar1..3) of the
// main window, BubblePosition (any text strtold reads), PanelWidth,
// PanelHeight, DisplayWidth or DisplayHeight.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "d3d/RecordingDevice.h"
#include "render/ControlSnapshot.h"
#include "render/ParseFieldInteger.h"
#include "render/RenderFrame.h"

namespace {

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

}  // namespace

int main(int argc, char** argv) {
  Setup setup;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto equals = argument.find('=');
    if (equals == std::string::npos || !Apply(setup, argument.substr(0, equals), argument.substr(equals + 1))) {
      std::fprintf(stderr, "framedump: cannot apply '%s' (NAME=VALUE with a field, slider or BubblePosition)\n",
                   argv[i]);
      return 2;
    }
  }
  auto log = std::make_shared<DeviceLog>();
  RecordingDevice device(log);
  TenMillisecondClock clock;
  int status = 0;
  std::string last;
  try {
    RenderFrame(device, setup.displayMode, setup.bubblePosition, setup.window, clock);
    last = "caption: " + setup.window.caption;
  } catch (const std::exception& error) {
    last = std::string("error: ") + error.what();
    status = 1;
  }
  for (const DeviceCall& call : *log) std::puts(FormatDeviceCall(call).c_str());
  std::puts(last.c_str());
  return status;
}
