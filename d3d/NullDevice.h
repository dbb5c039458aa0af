#pragma once
// A device that draws nothing and keeps only its transforms, so a frame can be
// timed without a window or a GPU.

#include "d3d/D3DMatrix.h"
#include "d3d/IDirect3DDevice8.h"

class NullDevice final : public IDirect3DDevice8 {
 public:
  ~NullDevice() override = default;
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT SetViewport(const D3DVIEWPORT8*) override { return D3D_OK; }
  HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override {
    return matrix != nullptr && transforms_.Set(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
  }
  HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override {
    return matrix != nullptr && transforms_.Multiply(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
  }
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override {
    return matrix != nullptr && transforms_.Get(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
  }
  HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
  HRESULT SetVertexShader(DWORD) override { return D3D_OK; }
  HRESULT BeginScene() override { return D3D_OK; }
  HRESULT EndScene() override { return D3D_OK; }
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT primitiveCount, const void*, UINT) override {
    segments += primitiveCount;
    return D3D_OK;
  }
  HRESULT Present(const void*, const void*, HWND, const void*) override { return D3D_OK; }

  unsigned long long segments = 0;  // lines handed over so far, so the work cannot be optimised away

 private:
  TransformState transforms_;
};
