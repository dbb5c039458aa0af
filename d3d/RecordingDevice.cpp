#include "d3d/RecordingDevice.h"

#include <cstdio>
#include <cstring>

namespace {

const char* OpName(DeviceOp op) {
  switch (op) {
    case DeviceOp::GetAdapterDisplayMode: return "GetAdapterDisplayMode";
    case DeviceOp::CreateDevice: return "CreateDevice";
    case DeviceOp::ReleaseDirect3D: return "Release IDirect3D8";
    case DeviceOp::SetViewport: return "SetViewport";
    case DeviceOp::Clear: return "Clear";
    case DeviceOp::SetTransform: return "SetTransform";
    case DeviceOp::MultiplyTransform: return "MultiplyTransform";
    case DeviceOp::GetTransform: return "GetTransform";
    case DeviceOp::SetRenderState: return "SetRenderState";
    case DeviceOp::SetVertexShader: return "SetVertexShader";
    case DeviceOp::BeginScene: return "BeginScene";
    case DeviceOp::EndScene: return "EndScene";
    case DeviceOp::DrawPrimitiveUP: return "DrawPrimitiveUP";
    case DeviceOp::Present: return "Present";
    case DeviceOp::ReleaseDevice: return "Release IDirect3DDevice8";
  }
  return "?";
}

class LineWriter {
 public:
  explicit LineWriter(const char* name) : text_(name) {}
  LineWriter& Float(float value) { return Append("%.9g", static_cast<double>(value)); }
  LineWriter& Hex(DWORD value) { return Append("0x%08X", static_cast<unsigned>(value)); }
  LineWriter& Unsigned(DWORD value) { return Append("%u", static_cast<unsigned>(value)); }
  LineWriter& Word(const char* word) { return Append("%s", word); }
  LineWriter& Pointer(bool isNull) { return Word(isNull ? "null" : "set"); }
  LineWriter& Matrix(const D3DMATRIX& matrix) {
    for (const auto& row : matrix.m)
      for (float entry : row) Float(entry);
    return *this;
  }
  LineWriter& Vertex(const LineVertex& vertex) {
    return Float(vertex.X).Float(vertex.Y).Float(vertex.Z).Hex(vertex.Diffuse).Hex(vertex.Specular);
  }
  std::string Text() const { return text_; }

 private:
  template <class Value>
  LineWriter& Append(const char* format, Value value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    text_ += ' ';
    text_ += buffer;
    return *this;
  }
  std::string text_;
};

DeviceCall& AppendCall(DeviceLog& log, DeviceOp op) {
  log.emplace_back();
  log.back().op = op;
  return log.back();
}

}  // namespace

std::string FormatDeviceCall(const DeviceCall& call) {
  LineWriter line(OpName(call.op));
  switch (call.op) {
    case DeviceOp::GetAdapterDisplayMode:
      line.Unsigned(call.args[0]).Unsigned(call.displayMode.Width).Unsigned(call.displayMode.Height);
      line.Unsigned(call.displayMode.RefreshRate).Unsigned(call.displayMode.Format);
      break;
    case DeviceOp::CreateDevice: {
      const D3DPRESENT_PARAMETERS& p = call.presentation;
      line.Unsigned(call.args[0]).Unsigned(call.args[1]).Pointer(call.nullPointers).Hex(call.args[2]);
      line.Unsigned(p.BackBufferWidth).Unsigned(p.BackBufferHeight).Unsigned(p.BackBufferFormat);
      line.Unsigned(p.BackBufferCount).Unsigned(p.MultiSampleType).Unsigned(p.SwapEffect);
      line.Pointer(p.hDeviceWindow == nullptr).Hex(static_cast<DWORD>(p.Windowed));
      line.Hex(static_cast<DWORD>(p.EnableAutoDepthStencil)).Unsigned(p.AutoDepthStencilFormat);
      line.Hex(p.Flags).Unsigned(p.FullScreen_RefreshRateInHz).Unsigned(p.FullScreen_PresentationInterval);
      break;
    }
    case DeviceOp::SetViewport: {
      const D3DVIEWPORT8& v = call.viewport;
      line.Unsigned(v.X).Unsigned(v.Y).Unsigned(v.Width).Unsigned(v.Height).Float(v.MinZ).Float(v.MaxZ);
      break;
    }
    case DeviceOp::Clear:
      line.Unsigned(call.args[0]).Pointer(call.nullPointers).Hex(call.args[1]).Hex(call.args[2]);
      line.Float(call.z).Unsigned(call.args[3]);
      break;
    case DeviceOp::SetTransform:
    case DeviceOp::MultiplyTransform:
    case DeviceOp::GetTransform:
      line.Unsigned(call.args[0]).Matrix(call.matrix);
      break;
    case DeviceOp::SetRenderState:
      line.Unsigned(call.args[0]).Hex(call.args[1]);
      break;
    case DeviceOp::SetVertexShader:
      line.Hex(call.args[0]);
      break;
    case DeviceOp::DrawPrimitiveUP:
      line.Unsigned(call.args[0]).Unsigned(call.args[1]);
      for (const LineVertex& vertex : call.vertices) line.Vertex(vertex);
      line.Unsigned(call.args[2]);
      break;
    case DeviceOp::Present:
      for (int i = 0; i < 4; ++i) line.Pointer(call.nullPointers);
      break;
    case DeviceOp::ReleaseDirect3D:
    case DeviceOp::BeginScene:
    case DeviceOp::EndScene:
    case DeviceOp::ReleaseDevice:
      break;
  }
  return line.Text();
}

RecordingDevice::RecordingDevice(std::shared_ptr<DeviceLog> log, bool deleteOnFinalRelease)
    : log_(std::move(log)), deleteOnFinalRelease_(deleteOnFinalRelease) {}

DeviceCall& RecordingDevice::Record(DeviceOp op) { return AppendCall(*log_, op); }

ULONG RecordingDevice::AddRef() { return ++references_; }

ULONG RecordingDevice::Release() {
  Record(DeviceOp::ReleaseDevice);
  const ULONG left = --references_;
  if (left == 0 && deleteOnFinalRelease_) delete this;
  return left;
}

HRESULT RecordingDevice::SetViewport(const D3DVIEWPORT8* viewport) {
  DeviceCall& call = Record(DeviceOp::SetViewport);
  if (viewport == nullptr) return D3DERR_INVALIDCALL;
  call.viewport = *viewport;
  return viewportResult;
}

HRESULT RecordingDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                               DWORD stencil) {
  DeviceCall& call = Record(DeviceOp::Clear);
  call.args[0] = count;
  call.nullPointers = rects == nullptr;
  call.args[1] = flags;
  call.args[2] = color;
  call.z = z;
  call.args[3] = stencil;
  return D3D_OK;
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  DeviceCall& call = Record(DeviceOp::SetTransform);
  call.args[0] = state;
  if (matrix == nullptr) return D3DERR_INVALIDCALL;
  call.matrix = *matrix;
  return transforms_.Set(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT RecordingDevice::MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  DeviceCall& call = Record(DeviceOp::MultiplyTransform);
  call.args[0] = state;
  if (matrix == nullptr) return D3DERR_INVALIDCALL;
  call.matrix = *matrix;
  return transforms_.Multiply(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  DeviceCall& call = Record(DeviceOp::GetTransform);
  call.args[0] = state;
  if (matrix == nullptr || !transforms_.Get(state, *matrix)) return D3DERR_INVALIDCALL;
  call.matrix = *matrix;
  return D3D_OK;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  DeviceCall& call = Record(DeviceOp::SetRenderState);
  call.args[0] = state;
  call.args[1] = value;
  return D3D_OK;
}

HRESULT RecordingDevice::SetVertexShader(DWORD handle) {
  Record(DeviceOp::SetVertexShader).args[0] = handle;
  return D3D_OK;
}

HRESULT RecordingDevice::BeginScene() {
  Record(DeviceOp::BeginScene);
  return D3D_OK;
}

HRESULT RecordingDevice::EndScene() {
  Record(DeviceOp::EndScene);
  return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                         UINT stride) {
  ++draws;
  const bool valid = vertexData != nullptr && stride >= sizeof(LineVertex) && type == D3DPT_LINELIST;
  if (!logDraws) return valid ? D3D_OK : D3DERR_INVALIDCALL;
  DeviceCall& call = Record(DeviceOp::DrawPrimitiveUP);
  call.args[0] = type;
  call.args[1] = primitiveCount;
  call.args[2] = stride;
  if (!valid) return D3DERR_INVALIDCALL;
  const auto* bytes = static_cast<const unsigned char*>(vertexData);
  call.vertices.resize(2 * static_cast<std::size_t>(primitiveCount));
  for (std::size_t i = 0; i < call.vertices.size(); ++i)
    std::memcpy(&call.vertices[i], bytes + i * stride, sizeof(LineVertex));
  return D3D_OK;
}

HRESULT RecordingDevice::Present(const void* sourceRect, const void* destRect, HWND destWindowOverride,
                                 const void* dirtyRegion) {
  Record(DeviceOp::Present).nullPointers =
      sourceRect == nullptr && destRect == nullptr && destWindowOverride == nullptr && dirtyRegion == nullptr;
  return D3D_OK;
}

RecordingDirect3D8::RecordingDirect3D8(std::shared_ptr<DeviceLog> log, bool deleteOnFinalRelease)
    : log_(std::move(log)), deleteOnFinalRelease_(deleteOnFinalRelease) {}

ULONG RecordingDirect3D8::AddRef() { return ++references_; }

ULONG RecordingDirect3D8::Release() {
  AppendCall(*log_, DeviceOp::ReleaseDirect3D);
  const ULONG left = --references_;
  if (left == 0 && deleteOnFinalRelease_) delete this;
  return left;
}

HRESULT RecordingDirect3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
  DeviceCall& call = AppendCall(*log_, DeviceOp::GetAdapterDisplayMode);
  call.args[0] = adapter;
  call.displayMode = displayMode;
  if (mode == nullptr) return D3DERR_INVALIDCALL;
  *mode = displayMode;
  return D3D_OK;
}

HRESULT RecordingDirect3D8::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow,
                                         DWORD behaviorFlags, D3DPRESENT_PARAMETERS* presentationParameters,
                                         IDirect3DDevice8** device) {
  DeviceCall& call = AppendCall(*log_, DeviceOp::CreateDevice);
  call.args[0] = adapter;
  call.args[1] = deviceType;
  call.args[2] = behaviorFlags;
  call.nullPointers = focusWindow == nullptr;
  if (presentationParameters != nullptr) call.presentation = *presentationParameters;
  if (device == nullptr || presentationParameters == nullptr) return D3DERR_INVALIDCALL;
  if (createDeviceResult != D3D_OK) return createDeviceResult;
  auto* created = new RecordingDevice(log_, true);
  created->viewportResult = viewportResult;
  created->logDraws = logDraws;
  *device = created;
  return D3D_OK;
}
