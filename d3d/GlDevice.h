#pragma once
// The rendering device on OpenGL. It owns its context and an offscreen
// surface and draws into a framebuffer object of the back buffer's size, so
// it works before the view panel is shown; Present reads the picture back and
// hands it to a child widget of the panel that paints it. This is the one
// place that issues OpenGL calls.

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QtGui/qopengl.h>

#include <memory>
#include <optional>
#include <vector>

#include "d3d/D3DMatrix.h"
#include "d3d/IDirect3DDevice8.h"

class GlPanelView;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFunctions;
class QWidget;

class GlDevice final : public IDirect3DDevice8 {
 public:
  // True when this process can make a desktop OpenGL 2.1 context (or newer)
  // with shaders and framebuffer objects.
  static bool OpenGLAvailable();

  // Binds a new device, holding one reference, to `panel`: a back buffer of
  // the presentation's size (0: the panel's) with a depth buffer when asked.
  // D3D_OK, or the nearest failure code with *device left null.
  static HRESULT Create(QWidget* panel, const D3DPRESENT_PARAMETERS& presentation, GlDevice** device);

  GlDevice(const GlDevice&) = delete;
  GlDevice& operator=(const GlDevice&) = delete;

  // The back buffer as it stands, top row first; a null image while the
  // context is lost and cannot be made again.
  QImage ReadBackBuffer();
  QSize BackBufferSize() const { return backBufferSize_; }

  // On (the default), segments are gathered and drawn together. Off, every
  // segment reaches the driver as its own draw call with two line ends of its
  // own: the plain way, which the benchmarks measure against and the tests
  // compare pictures with.
  void SetGathering(bool on);

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

  // A line end as the shaders read it: position, then the colour as R, G, B, A bytes.
  struct GlVertex {
    float x, y, z;
    unsigned char colour[4];
  };
  static_assert(sizeof(GlVertex) == 16, "compared byte for byte");

 private:
  struct GlObjects {
    GLuint framebuffer = 0, colourBuffer = 0, depthBuffer = 0, program = 0, vertexBuffer = 0, indexBuffer = 0;
    GLint transform = -1, pixelOffset = -1, lit = -1, fogged = -1, fogDensity = -1, fogColour = -1;
  };

  GlDevice(QWidget* panel, QSize backBufferSize, bool depthBuffer);
  ~GlDevice() override;

  HRESULT BuildGl();
  HRESULT BuildProgram();
  HRESULT BuildFramebuffer(QSize size);
  void ApplyFixedState();
  void DropGl();
  bool MakeReady(bool frameStart = false);
  void ApplyPendingResize();
  void ResizeBackBuffer(QSize size);
  void ApplyViewport();
  void UploadStates();
  void AddSegment(const GlVertex& from, const GlVertex& to);
  void Flush();
  void DrawPending();
  bool ReadBackInto(QImage& picture);
  void ClearArea(const D3DRECT& area, GLbitfield buffers);
  bool FitsBackBuffer(const D3DVIEWPORT8& viewport) const;
  D3DVIEWPORT8 FullViewport() const;

  ULONG references_ = 1;
  QPointer<GlPanelView> view_;
  std::unique_ptr<QOffscreenSurface> surface_;
  std::unique_ptr<QOpenGLContext> context_;
  QOpenGLFunctions* gl_ = nullptr;
  GlObjects objects_;
  QSize backBufferSize_;
  std::optional<QSize> pendingSize_;
  bool hasDepthBuffer_;

  D3DVIEWPORT8 viewport_{};
  TransformState transforms_;
  bool lighting_ = true;  // the device's initial state, as on the platform
  bool fogEnable_ = false;
  DWORD fogTableMode_ = D3DFOG_NONE;
  float fogDensity_ = 1.0f;
  D3DCOLOR fogColour_ = 0;
  DWORD vertexFormat_ = 0;
  bool inScene_ = false;
  bool statesChanged_ = true;
  bool gathering_ = true;
  // The segments waiting to be drawn, in order, as an indexed line list. A
  // segment that starts on the vertex the one before it ended on (the next
  // step of a line drawn piece by piece) reuses that vertex, so the driver
  // transforms it once. Kept between frames: their capacity is reused.
  std::vector<GlVertex> pendingVertices_;
  std::vector<GLushort> pendingIndices_;
};
