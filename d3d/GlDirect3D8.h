#pragma once
// The OpenGL rendering layer's root object, and its entry point, which the
// program installs with SetDirect3DCreateFunction.

#include "d3d/IDirect3D8.h"

// A new object holding one reference, or null: for any SDK version but the
// one this layer implements, off the user-interface thread, without a
// QApplication, or when no suitable OpenGL context can be made.
IDirect3D8* CreateOpenGLDirect3D8(UINT sdkVersion);

class GlDirect3D8 final : public IDirect3D8 {
 public:
  GlDirect3D8() = default;
  GlDirect3D8(const GlDirect3D8&) = delete;
  GlDirect3D8& operator=(const GlDirect3D8&) = delete;

  ULONG AddRef() override;
  ULONG Release() override;
  // The primary screen: its size in device pixels, its refresh rate, X8R8G8B8.
  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
  // `hDeviceWindow` (or, without one, the focus window) is the QWidget the
  // device shows its pictures in.
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                       D3DPRESENT_PARAMETERS* presentationParameters, IDirect3DDevice8** device) override;

 private:
  ~GlDirect3D8() override = default;
  ULONG references_ = 1;
};
