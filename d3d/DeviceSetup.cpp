#include "d3d/DeviceSetup.h"

#include <stdexcept>
#include <string>

#include "d3d/Direct3DLoader.h"

IDirect3D8* Direct3D = nullptr;
IDirect3DDevice8* Device = nullptr;
D3DDISPLAYMODE DisplayMode{};

namespace {

constexpr BOOL kAllBitsSet = -1;  // true as Windowed and EnableAutoDepthStencil are given: all bits set

void CreateDirect3DObject() {
  // A device left from an earlier setup was made by the object about to be
  // replaced, so it goes first: the device is always released before its object.
  ReleaseReference(Device);
  CreateDirect3D8(D3D_SDK_VERSION, Direct3D);
  if (Direct3D == nullptr) throw std::runtime_error("Direct3DCreate - DirectX8 required.");
}

D3DPRESENT_PARAMETERS PresentationFor(DevicePanel& panel) {
  D3DPRESENT_PARAMETERS presentation{};
  const HWND window = panel.NativeWindow();
  presentation.BackBufferWidth = panel.Width();
  presentation.BackBufferHeight = panel.Height();
  presentation.BackBufferFormat = DisplayMode.Format;
  presentation.BackBufferCount = 1;
  presentation.MultiSampleType = D3DMULTISAMPLE_NONE;
  presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
  presentation.hDeviceWindow = window;
  presentation.Windowed = kAllBitsSet;
  presentation.EnableAutoDepthStencil = kAllBitsSet;
  presentation.AutoDepthStencilFormat = D3DFMT_D16;
  return presentation;
}

// A failing creation hands back nothing we own, whatever it left in `device`.
IDirect3DDevice8* CreateDeviceOn(DevicePanel& panel) {
  D3DPRESENT_PARAMETERS presentation = PresentationFor(panel);
  IDirect3DDevice8* device = nullptr;
  const HRESULT result = Direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, presentation.hDeviceWindow,
                                                D3DCREATE_SOFTWARE_VERTEXPROCESSING, &presentation, &device);
  if (result != D3D_OK) throw std::runtime_error("Cannot create D3D device:" + ResultText(result));
  return device;
}

void SetPanelViewport(IDirect3DDevice8& device, DevicePanel& panel) {
  D3DVIEWPORT8 viewport{0, 0, panel.Width(), panel.Height(), 0.0f, 1.0f};
  const HRESULT result = device.SetViewport(&viewport);
  if (result != D3D_OK) throw std::runtime_error("SetViewPort failed:" + ResultText(result));
}

}  // namespace

void SetupDevice(DevicePanel& panel) {
  CreateDirect3DObject();
  Direct3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &DisplayMode);
  Device = CreateDeviceOn(panel);
  SetPanelViewport(*Device, panel);
}

IDirect3DDevice8* CreatePanelDevice(DevicePanel& panel) {
  if (Direct3D == nullptr) throw std::runtime_error("Direct3DCreate - DirectX8 required.");
  IDirect3DDevice8* device = CreateDeviceOn(panel);
  try {
    SetPanelViewport(*device, panel);
  } catch (...) {
    device->Release();
    throw;
  }
  return device;
}

void ReleaseDevice() {
  ReleaseReference(Device);
  ReleaseReference(Direct3D);
}
