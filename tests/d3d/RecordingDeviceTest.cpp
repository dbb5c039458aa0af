#include "d3d/RecordingDevice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

D3DMATRIX Scale(float s) {
  D3DMATRIX m = IdentityMatrix();
  m.m[0][0] = s;
  return m;
}

D3DMATRIX Translate(float x) {
  D3DMATRIX m = IdentityMatrix();
  m.m[3][0] = x;
  return m;
}

TEST(RecordingDeviceTest, MultiplyTransformPutsTheGivenMatrixFirst) {
  auto log = std::make_shared<DeviceLog>();
  RecordingDevice device(log);
  const D3DMATRIX translate = Translate(5), scale = Scale(2);
  device.SetTransform(D3DTS_VIEW, &translate);
  device.MultiplyTransform(D3DTS_VIEW, &scale);  // view = scale × translate: scale, then move
  D3DMATRIX view{};
  ASSERT_EQ(device.GetTransform(D3DTS_VIEW, &view), D3D_OK);
  EXPECT_EQ(view.m[0][0], 2.0f);
  EXPECT_EQ(view.m[3][0], 5.0f);
  EXPECT_EQ(log->back().matrix.m[3][0], 5.0f);  // the out value is recorded
}

TEST(RecordingDeviceTest, DrawRecordsBothVerticesInTheFrameDumpFormat) {
  auto log = std::make_shared<DeviceLog>();
  RecordingDevice device(log);
  const LineVertex pair[2] = {{1.5f, -2, 0, 0xFF0000FF, 0x00FFFFFF}, {NAN, INFINITY, -INFINITY, 0xFF00FF00, 0}};
  device.DrawPrimitiveUP(D3DPT_LINELIST, 1, pair, 20);
  EXPECT_EQ(FormatDeviceCall(log->back()),
            "DrawPrimitiveUP 2 1 1.5 -2 0 0xFF0000FF 0x00FFFFFF nan inf -inf 0xFF00FF00 0x00000000 20");
}

TEST(RecordingDeviceTest, CreatedDevicesCarryInjectedResultsAndFreeThemselves) {
  auto log = std::make_shared<DeviceLog>();
  auto* direct3D = new RecordingDirect3D8(log, true);
  D3DPRESENT_PARAMETERS parameters{};
  IDirect3DDevice8* device = nullptr;
  direct3D->createDeviceResult = D3DERR_INVALIDCALL;
  EXPECT_EQ(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0x20, &parameters, &device), D3DERR_INVALIDCALL);
  EXPECT_EQ(device, nullptr);
  direct3D->createDeviceResult = D3D_OK;
  direct3D->viewportResult = E_FAIL;
  ASSERT_EQ(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0x20, &parameters, &device), D3D_OK);
  const D3DVIEWPORT8 viewport{0, 0, 503, 453, 0, 1};
  EXPECT_EQ(device->SetViewport(&viewport), E_FAIL);
  ReleaseReference(device);
  ReleaseReference(device);  // twice: nothing more happens
  direct3D->Release();       // the sanitizers catch a leak or a double free here
  ASSERT_EQ(log->size(), 5u);
  EXPECT_EQ(FormatDeviceCall((*log)[3]), "Release IDirect3DDevice8");
  EXPECT_EQ(FormatDeviceCall((*log)[4]), "Release IDirect3D8");
}

}  // namespace
