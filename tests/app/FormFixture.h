#pragma once
// A main window built on a recording device, with the error box replaced by
// a list of the texts it would have shown and the file dialogs by an answer
// given at once.

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <ostream>
#include <vector>

#include "app/FileDialogs.h"
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
  // Shows the window and waits until it is active, as a user finds it: typing
  // and Enter reach a field only in the active window.
  void ShowActive();
  void CreateActiveForm();  // both of the above
  int Count(DeviceOp op) const;
  // Waits for `frames` more frames from the timer, as the event loop delivers its ticks.
  bool TimerDraws(int frames);

  std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
  bool noDirect3D = false;
  HRESULT createDeviceResult = D3D_OK;
  HRESULT viewportResult = D3D_OK;
  bool logDraws = true;  // off: draw calls are counted, not logged
  std::vector<QString> errors;
  // File dialogs answer at once with `chosenPath` (empty: cancelled) and are listed.
  QString chosenPath;
  std::vector<FileDialog> dialogs;
  std::unique_ptr<TForm1> form;
};
