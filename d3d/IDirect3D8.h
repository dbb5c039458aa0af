#pragma once
// The rendering layer's root object: reads the display mode and creates devices.

#include "d3d/D3D8Types.h"
#include "d3d/IDirect3DDevice8.h"

class IDirect3D8 {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;  // the last release destroys the object

  virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) = 0;
  // On D3D_OK *device holds a new device carrying one reference; otherwise it is left null.
  virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                               D3DPRESENT_PARAMETERS* presentationParameters,
                               IDirect3DDevice8** device) = 0;

 protected:
  virtual ~IDirect3D8() = default;
};

// Empties the reference first, then releases what it held; an empty reference
// is skipped, so releasing twice is harmless.
template <class Interface>
void ReleaseReference(Interface*& reference) {
  Interface* held = reference;
  reference = nullptr;
  if (held != nullptr) held->Release();
}
