#pragma once
// A main window built on a recording device, with the error box replaced by
// a list of the texts it would have shown.

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <ostream>
#include <vector>

#include "app/TForm1.h"
#include "d3d/RecordingDevice.h"

// Failure messages show texts rather than bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the window; the device objects it creates follow the fields below.
  void CreateForm();
  int Count(DeviceOp op) const;
  // Waits for `frames` more frames from the timer, as the event loop delivers its ticks.
  bool TimerDraws(int frames);

  std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
  bool noDirect3D = false;
  HRESULT createDeviceResult = D3D_OK;
  HRESULT viewportResult = D3D_OK;
  std::vector<QString> errors;
  std::unique_ptr<TForm1> form;
};
