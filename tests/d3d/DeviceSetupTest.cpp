#include "d3d/DeviceSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "d3d/Direct3DLoader.h"
#include "d3d/RecordingDevice.h"

namespace {

using ::testing::InSequence;
using ::testing::Return;

class FakePanel final : public DevicePanel {
 public:
  HWND NativeWindow() override { return &nativeWindow; }
  UINT Width() const override { return 503; }
  UINT Height() const override { return 453; }

  int nativeWindow = 0;
};

std::vector<std::string> Lines(const DeviceLog& log) {
  std::vector<std::string> lines;
  for (const DeviceCall& call : log) lines.push_back(FormatDeviceCall(call));
  return lines;
}

// Runs setup against recording objects that share one log, and always ends
// with the globals released and no entry point installed.
class DeviceSetupTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ReleaseDevice();
    SetDirect3DCreateFunction({});
  }

  void InstallRecordingObject(HRESULT createDeviceResult = D3D_OK, HRESULT viewportResult = D3D_OK) {
    SetDirect3DCreateFunction([=, this](UINT) {
      auto* object = new RecordingDirect3D8(log, true);
      object->displayMode = {1280, 1024, 75, D3DFMT_X8R8G8B8};
      object->createDeviceResult = createDeviceResult;
      object->viewportResult = viewportResult;
      return object;
    });
  }

  // The message of the setup's error, or none when it succeeded.
  std::optional<std::string> SetupMessage() {
    try {
      SetupDevice(panel);
    } catch (const std::runtime_error& error) {
      return std::string(error.what());
    }
    return std::nullopt;
  }

  std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
  FakePanel panel;
};

TEST_F(DeviceSetupTest, SetupReadsTheDisplayModeAndBindsADeviceToThePanelWithItsViewport) {
  InstallRecordingObject();
  EXPECT_EQ(SetupMessage(), std::nullopt);
  EXPECT_NE(Direct3D, nullptr);
  EXPECT_NE(Device, nullptr);
  EXPECT_EQ(DisplayMode.Width, 1280u);
  EXPECT_EQ(DisplayMode.Height, 1024u);
  EXPECT_THAT(Lines(*log),
              ::testing::ElementsAre("GetAdapterDisplayMode 0 1280 1024 75 22",
                                     "CreateDevice 0 1 set 0x00000020 503 453 22 1 0 1 set 0xFFFFFFFF 0xFFFFFFFF 80 "
                                     "0x00000000 0 0",
                                     "SetViewport 0 0 503 453 0 1"));
  EXPECT_EQ(log->at(1).presentation.hDeviceWindow, &panel.nativeWindow);
}

struct FailureCase {
  const char* name;
  bool objectMade;
  HRESULT createDeviceResult;
  HRESULT viewportResult;
  const char* message;
  bool direct3DKept;
  bool deviceKept;
};

const FailureCase kFailures[] = {
    {"no object", false, D3D_OK, D3D_OK, "Direct3DCreate - DirectX8 required.", false, false},
    {"device call invalid", true, D3DERR_INVALIDCALL, D3D_OK,
     "Cannot create D3D device:The method call is invalid. For example, a method's parameter may have an invalid "
     "value.",
     true, false},
    {"device code unknown", true, ResultCode(0x88760820u), D3D_OK, "Cannot create D3D device:Unrecognized Error",
     true, false},
    {"device not available", true, D3DERR_NOTAVAILABLE, D3D_OK,
     "Cannot create D3D device:This device does not support the queried technique.", true, false},
    {"viewport fails", true, D3D_OK, E_FAIL,
     "SetViewPort failed:An undetermined error occurred inside the Direct3D subsystem.", true, true},
};

TEST_F(DeviceSetupTest, EachFailingStepRaisesItsMessageAndKeepsWhatWasMadeBeforeIt) {
  for (const FailureCase& c : kFailures) {
    SCOPED_TRACE(c.name);
    if (c.objectMade) InstallRecordingObject(c.createDeviceResult, c.viewportResult);
    else SetDirect3DCreateFunction([](UINT) -> IDirect3D8* { return nullptr; });
    EXPECT_EQ(SetupMessage(), std::string(c.message));
    EXPECT_EQ(Direct3D != nullptr, c.direct3DKept);
    EXPECT_EQ(Device != nullptr, c.deviceKept);
    ReleaseDevice();
  }
}

TEST_F(DeviceSetupTest, WithNoEntryPointInstalledSetupAsksForTheRenderingLayer) {
  EXPECT_EQ(SetupMessage(), std::string("Direct3DCreate - DirectX8 required."));
  EXPECT_TRUE(log->empty());
}

TEST_F(DeviceSetupTest, ReleaseGoesDeviceFirstThenObjectAndTwiceDoesNothingMore) {
  InstallRecordingObject();
  ASSERT_EQ(SetupMessage(), std::nullopt);
  log->clear();
  ReleaseDevice();
  ReleaseDevice();
  EXPECT_THAT(Lines(*log), ::testing::ElementsAre("Release IDirect3DDevice8", "Release IDirect3D8"));
  EXPECT_EQ(Device, nullptr);
  EXPECT_EQ(Direct3D, nullptr);
}

TEST_F(DeviceSetupTest, ASecondSetupReleasesTheOldDeviceBeforeTheOldObject) {
  InstallRecordingObject();
  ASSERT_EQ(SetupMessage(), std::nullopt);
  log->clear();
  ASSERT_EQ(SetupMessage(), std::nullopt);
  const std::vector<std::string> lines = Lines(*log);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Release IDirect3DDevice8");
  EXPECT_EQ(lines[1], "Release IDirect3D8");
}

class MockDevice final : public IDirect3DDevice8 {
 public:
  MOCK_METHOD(ULONG, AddRef, (), (override));
  MOCK_METHOD(ULONG, Release, (), (override));
  MOCK_METHOD(HRESULT, SetViewport, (const D3DVIEWPORT8*), (override));
  MOCK_METHOD(HRESULT, Clear, (DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD), (override));
  MOCK_METHOD(HRESULT, SetTransform, (D3DTRANSFORMSTATETYPE, const D3DMATRIX*), (override));
  MOCK_METHOD(HRESULT, MultiplyTransform, (D3DTRANSFORMSTATETYPE, const D3DMATRIX*), (override));
  MOCK_METHOD(HRESULT, GetTransform, (D3DTRANSFORMSTATETYPE, D3DMATRIX*), (override));
  MOCK_METHOD(HRESULT, SetRenderState, (D3DRENDERSTATETYPE, DWORD), (override));
  MOCK_METHOD(HRESULT, SetVertexShader, (DWORD), (override));
  MOCK_METHOD(HRESULT, BeginScene, (), (override));
  MOCK_METHOD(HRESULT, EndScene, (), (override));
  MOCK_METHOD(HRESULT, DrawPrimitiveUP, (D3DPRIMITIVETYPE, UINT, const void*, UINT), (override));
  MOCK_METHOD(HRESULT, Present, (const void*, const void*, HWND, const void*), (override));
};

class MockDirect3D8 final : public IDirect3D8 {
 public:
  MOCK_METHOD(ULONG, AddRef, (), (override));
  MOCK_METHOD(ULONG, Release, (), (override));
  MOCK_METHOD(HRESULT, GetAdapterDisplayMode, (UINT, D3DDISPLAYMODE*), (override));
  MOCK_METHOD(HRESULT, CreateDevice,
              (UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*, IDirect3DDevice8**), (override));
};

TEST_F(DeviceSetupTest, EachReferenceIsEmptiedBeforeItsObjectIsReleased) {
  MockDevice device;
  MockDirect3D8 object;
  {
    InSequence order;
    EXPECT_CALL(device, Release()).WillOnce([&] {
      EXPECT_EQ(Device, nullptr);
      EXPECT_EQ(Direct3D, &object);
      return 0u;
    });
    EXPECT_CALL(object, Release()).WillOnce([&] {
      EXPECT_EQ(Direct3D, nullptr);
      return 0u;
    });
  }
  Device = &device;
  Direct3D = &object;
  ReleaseDevice();
  ReleaseDevice();
}

}  // namespace
