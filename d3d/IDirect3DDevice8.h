#pragma once
// The rendering device: exactly the operations the renderer and the device
// setup use. Implemented by the OpenGL device, the recording device of the
// tests and the null device of the benchmarks.

#include "d3d/D3D8Types.h"

class IDirect3DDevice8 {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;  // the last release destroys the device

  virtual HRESULT SetViewport(const D3DVIEWPORT8* viewport) = 0;
  virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) = 0;
  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
  // The transform becomes matrix × current (matrix applies first).
  virtual HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
  virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) = 0;
  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT SetVertexShader(DWORD handle) = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  // Line lists only: 2 × primitiveCount vertices of `stride` bytes each.
  virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                  UINT stride) = 0;
  // All four null: the whole back buffer shown over the whole device window.
  virtual HRESULT Present(const void* sourceRect, const void* destRect, HWND destWindowOverride,
                          const void* dirtyRegion) = 0;

 protected:
  virtual ~IDirect3DDevice8() = default;
};
