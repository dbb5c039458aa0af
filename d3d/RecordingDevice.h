#pragma once
// A device that draws nothing and records every call with its arguments, in
// order, into a shared log. The tests and tools/framedump drive the renderer
// and the device setup through it. Results can be injected to make setup fail.

#include <memory>
#include <string>
#include <vector>

#include "d3d/D3DMatrix.h"
#include "d3d/IDirect3D8.h"

enum class DeviceOp {
  GetAdapterDisplayMode,
  CreateDevice,
  ReleaseDirect3D,
  SetViewport,
  Clear,
  SetTransform,
  MultiplyTransform,
  GetTransform,
  SetRenderState,
  SetVertexShader,
  BeginScene,
  EndScene,
  DrawPrimitiveUP,
  Present,
  ReleaseDevice,
};

struct DeviceCall {
  DeviceOp op{};
  DWORD args[4]{};       // integer, flag and state arguments, in the order of the call
  bool nullPointers = true;  // Clear's rectangles, Present's four arguments, CreateDevice's window
  float z = 0.0f;        // Clear's depth
  D3DMATRIX matrix{};    // SetTransform, MultiplyTransform; GetTransform: what was handed back
  D3DVIEWPORT8 viewport{};
  D3DDISPLAYMODE displayMode{};           // what GetAdapterDisplayMode handed back
  D3DPRESENT_PARAMETERS presentation{};  // what CreateDevice was given
  std::vector<LineVertex> vertices;  // DrawPrimitiveUP, every vertex
};

using DeviceLog = std::vector<DeviceCall>;

// One line: the operation's name and its arguments separated by single spaces
// (floats %.9g; colours, flags and state values 0x%08X).
std::string FormatDeviceCall(const DeviceCall& call);

class RecordingDevice final : public IDirect3DDevice8 {
 public:
  // A device made by RecordingDirect3D8 deletes itself on its last release;
  // one made directly by a test lives as long as the test's variable.
  explicit RecordingDevice(std::shared_ptr<DeviceLog> log, bool deleteOnFinalRelease = false);
  ~RecordingDevice() override = default;

  const DeviceLog& Log() const { return *log_; }
  HRESULT viewportResult = D3D_OK;
  // Off: draw calls are only counted, for long runs of large frames.
  bool logDraws = true;
  unsigned long long draws = 0;

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT SetVertexShader(DWORD handle) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride) override;
  HRESULT Present(const void* sourceRect, const void* destRect, HWND destWindowOverride,
                  const void* dirtyRegion) override;

 private:
  DeviceCall& Record(DeviceOp op);
  std::shared_ptr<DeviceLog> log_;
  TransformState transforms_;
  ULONG references_ = 1;
  bool deleteOnFinalRelease_;
};

class RecordingDirect3D8 final : public IDirect3D8 {
 public:
  explicit RecordingDirect3D8(std::shared_ptr<DeviceLog> log, bool deleteOnFinalRelease = false);
  ~RecordingDirect3D8() override = default;

  const DeviceLog& Log() const { return *log_; }
  D3DDISPLAYMODE displayMode{1024, 768, 60, D3DFMT_X8R8G8B8};  // handed back by GetAdapterDisplayMode
  HRESULT createDeviceResult = D3D_OK;  // anything else: CreateDevice fails with it
  HRESULT viewportResult = D3D_OK;      // given to the devices it creates
  bool logDraws = true;                 // likewise

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                       D3DPRESENT_PARAMETERS* presentationParameters, IDirect3DDevice8** device) override;

 private:
  std::shared_ptr<DeviceLog> log_;
  ULONG references_ = 1;
  bool deleteOnFinalRelease_;
};
