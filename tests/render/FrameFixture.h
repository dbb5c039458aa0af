#pragma once
// Runs renderer code on a recording device and gives back what it sent.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "d3d/RecordingDevice.h"
#include "render/ControlSnapshot.h"
#include "render/FieldError.h"
#include "render/RenderFrame.h"

// Every frame takes `step` milliseconds.
class SteppingClock final : public FrameClock {
 public:
  explicit SteppingClock(double step) : step_(step) {}
  double NowMilliseconds() override { return now_ += step_; }

 private:
  double step_;
  double now_ = 0;
};

struct FrameRun {
  DeviceLog log;
  std::string caption;
  std::string error;  // empty when the frame completed
  std::optional<FrameField> errorField;  // the field whose text failed

  std::vector<DeviceOp> Ops() const {
    std::vector<DeviceOp> ops;
    for (const DeviceCall& call : log) ops.push_back(call.op);
    return ops;
  }
  std::vector<const DeviceCall*> Draws() const {
    std::vector<const DeviceCall*> draws;
    for (const DeviceCall& call : log)
      if (call.op == DeviceOp::DrawPrimitiveUP) draws.push_back(&call);
    return draws;
  }
  const DeviceCall* Last(DeviceOp op) const {
    for (auto it = log.rbegin(); it != log.rend(); ++it)
      if (it->op == op) return &*it;
    return nullptr;
  }
};

inline FrameRun RunFrame(ControlSnapshot window, Extended bubblePosition = 0,
                         D3DDISPLAYMODE display = {1024, 768, 60, D3DFMT_X8R8G8B8}, double milliseconds = 10) {
  auto log = std::make_shared<DeviceLog>();
  RecordingDevice device(log);
  SteppingClock clock(milliseconds);
  FrameRun run;
  try {
    RenderFrame(device, display, bubblePosition, window, clock);
  } catch (const FieldError& error) {
    run.error = error.what();
    run.errorField = error.Field();
  } catch (const std::exception& error) {
    run.error = error.what();
  }
  run.caption = window.caption;
  run.log = *log;
  return run;
}

inline ControlSnapshot WithField(FrameField field, std::string text, ControlSnapshot window = {}) {
  window.SetField(field, std::move(text));
  return window;
}
