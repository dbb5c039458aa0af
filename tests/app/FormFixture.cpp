#include "FormFixture.h"

#include <QLocale>
#include <QTest>

#include <algorithm>

#include "anim/AnimationClock.h"
#include "app/ErrorDisplay.h"
#include "d3d/DeviceSetup.h"
#include "d3d/Direct3DLoader.h"

void FormFixture::SetUp() {
  QLocale::setDefault(QLocale::c());
  BubblePosition = 0;
  TimeStep = 0;
  SetErrorBox([this](const QString& text) { errors.push_back(text); });
  SetFileChooser([this](FileDialog dialog) {
    dialogs.push_back(dialog);
    return chosenPath;
  });
  SetDirect3DCreateFunction([this](UINT) -> IDirect3D8* {
    if (noDirect3D) return nullptr;
    auto* direct3D = new RecordingDirect3D8(log, true);
    direct3D->createDeviceResult = createDeviceResult;
    direct3D->viewportResult = viewportResult;
    direct3D->logDraws = logDraws;
    return direct3D;
  });
}

void FormFixture::TearDown() {
  form.reset();
  ReleaseDevice();
  SetDirect3DCreateFunction({});
  SetErrorBox({});
  SetFileChooser({});
  QLocale::setDefault(QLocale::c());
}

void FormFixture::CreateForm() { form = std::make_unique<TForm1>(); }

void FormFixture::ShowActive() {
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

void FormFixture::CreateActiveForm() {
  CreateForm();
  ShowActive();
}

int FormFixture::Count(DeviceOp op) const {
  return static_cast<int>(std::count_if(log->begin(), log->end(), [op](const DeviceCall& call) { return call.op == op; }));
}

bool FormFixture::TimerDraws(int frames) {
  const int target = Count(DeviceOp::Present) + frames;
  for (int wait = 0; wait < 200 && Count(DeviceOp::Present) < target; ++wait) QTest::qWait(10);
  return Count(DeviceOp::Present) >= target;
}
