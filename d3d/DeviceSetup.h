#pragma once
// The rendering device bound to the view panel: created once when the main
// window is created, released when it is destroyed and once more at the end.

#include "d3d/IDirect3D8.h"

extern IDirect3D8* Direct3D;       // one reference while set
extern IDirect3DDevice8* Device;   // one reference while set; frames draw through it
extern D3DDISPLAYMODE DisplayMode;  // of the default adapter, read at setup

// The view panel as the device setup sees it.
class DevicePanel {
 public:
  virtual HWND NativeWindow() = 0;  // the panel's QWidget*, created if need be
  virtual UINT Width() const = 0;   // in pixels
  virtual UINT Height() const = 0;

 protected:
  ~DevicePanel() = default;
};

// Creates Direct3D, reads DisplayMode, creates Device on the panel and sets
// its viewport. Throws std::runtime_error with "Direct3DCreate - DirectX8
// required.", "Cannot create D3D device:<text>" or "SetViewPort failed:<text>";
// whatever was created before the failing step stays held.
void SetupDevice(DevicePanel& panel);

// Another device from Direct3D on another panel, set up as Device is: for
// pictures drawn away from the view. The caller holds its one reference.
// Throws as SetupDevice does.
IDirect3DDevice8* CreatePanelDevice(DevicePanel& panel);

// Empties Device, then Direct3D, releasing each after emptying it; twice is harmless.
void ReleaseDevice();
