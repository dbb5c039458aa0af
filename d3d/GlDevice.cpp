#include "d3d/GlDevice.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "d3d/GlLineShaders.h"
#include "d3d/GlPanelView.h"

namespace {

// Bounds the batch kept between draw calls; its indices fit 16 bits.
constexpr std::size_t kVerticesPerFlush = std::size_t{1} << 16;

QSurfaceFormat WantedFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(2, 1);
  // Lets the platform tell us when the context has been lost.
  format.setOption(QSurfaceFormat::ResetNotification);
  return format;
}

bool Suitable(const QOpenGLContext& context) {
  const QSurfaceFormat format = context.format();
  return !context.isOpenGLES() && format.version() >= qMakePair(2, 1);
}

// A context of the wanted kind made current on a new offscreen surface, or false.
bool MakeContext(std::unique_ptr<QOffscreenSurface>& surface, std::unique_ptr<QOpenGLContext>& context) {
  context = std::make_unique<QOpenGLContext>();
  context->setFormat(WantedFormat());
  if (!context->create() || !Suitable(*context)) return false;
  surface = std::make_unique<QOffscreenSurface>();
  surface->setFormat(context->format());
  surface->create();
  if (!surface->isValid() || !context->makeCurrent(surface.get())) return false;
  const QOpenGLFunctions* gl = context->functions();
  return gl->hasOpenGLFeature(QOpenGLFunctions::Shaders) && gl->hasOpenGLFeature(QOpenGLFunctions::Framebuffers);
}

HRESULT FromGlError(GLenum error) {
  if (error == GL_NO_ERROR) return D3D_OK;
  return error == GL_OUT_OF_MEMORY ? D3DERR_OUTOFVIDEOMEMORY : D3DERR_DRIVERINTERNALERROR;
}

float Channel(D3DCOLOR colour, int shift) { return static_cast<float>((colour >> shift) & 0xFFu) / 255.0f; }

// One vertex of the 0xC2 layout as the shaders take it; false when its
// position is not a finite point.
bool ReadVertex(const unsigned char* record, GlDevice::GlVertex& vertex) {
  float position[3];
  D3DCOLOR diffuse;
  std::memcpy(position, record, sizeof position);
  std::memcpy(&diffuse, record + offsetof(LineVertex, Diffuse), sizeof diffuse);
  vertex = {position[0], position[1], position[2],
            {static_cast<unsigned char>(diffuse >> 16), static_cast<unsigned char>(diffuse >> 8),
             static_cast<unsigned char>(diffuse), static_cast<unsigned char>(diffuse >> 24)}};
  return std::isfinite(position[0]) && std::isfinite(position[1]) && std::isfinite(position[2]);
}

}  // namespace

bool GlDevice::OpenGLAvailable() {
  std::unique_ptr<QOffscreenSurface> surface;
  std::unique_ptr<QOpenGLContext> context;
  const bool available = MakeContext(surface, context);
  if (context) context->doneCurrent();
  return available;
}

HRESULT GlDevice::Create(QWidget* panel, const D3DPRESENT_PARAMETERS& presentation, GlDevice** device) {
  *device = nullptr;
  QSize size(static_cast<int>(std::min<UINT>(presentation.BackBufferWidth, 1u << 30)),
             static_cast<int>(std::min<UINT>(presentation.BackBufferHeight, 1u << 30)));
  if (size.width() == 0) size.setWidth(std::max(PixelSize(*panel).width(), 1));
  if (size.height() == 0) size.setHeight(std::max(PixelSize(*panel).height(), 1));
  auto* created = new GlDevice(panel, size, presentation.EnableAutoDepthStencil != 0);
  const HRESULT result = created->BuildGl();
  if (result != D3D_OK) {
    created->Release();
    return result;
  }
  *device = created;
  return D3D_OK;
}

GlDevice::GlDevice(QWidget* panel, QSize backBufferSize, bool depthBuffer)
    : backBufferSize_(backBufferSize), hasDepthBuffer_(depthBuffer) {
  viewport_ = FullViewport();
  view_ = new GlPanelView(panel, [this](QSize size) { pendingSize_ = size; });
}

GlDevice::~GlDevice() {
  DropGl();
  delete view_.data();
}

ULONG GlDevice::AddRef() { return ++references_; }

ULONG GlDevice::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT GlDevice::BuildGl() {
  if (!MakeContext(surface_, context_)) return D3DERR_NOTAVAILABLE;
  gl_ = context_->functions();
  GLint largest = 0;
  gl_->glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  if (backBufferSize_.width() > largest || backBufferSize_.height() > largest) return D3DERR_INVALIDCALL;
  if (const HRESULT result = BuildProgram(); result != D3D_OK) return result;
  if (const HRESULT result = BuildFramebuffer(backBufferSize_); result != D3D_OK) return result;
  gl_->glGenBuffers(1, &objects_.vertexBuffer);
  gl_->glGenBuffers(1, &objects_.indexBuffer);
  ApplyFixedState();
  return FromGlError(gl_->glGetError());
}

HRESULT GlDevice::BuildProgram() {
  const GLuint program = gl_->glCreateProgram();
  objects_.program = program;
  for (const auto& [type, text] : {std::pair{GL_VERTEX_SHADER, kLineVertexShader},
                                   std::pair{GL_FRAGMENT_SHADER, kLineFragmentShader}}) {
    const GLuint shader = gl_->glCreateShader(static_cast<GLenum>(type));
    const char* source = text;
    gl_->glShaderSource(shader, 1, &source, nullptr);
    gl_->glCompileShader(shader);
    gl_->glAttachShader(program, shader);
    gl_->glDeleteShader(shader);  // kept alive by the program it is attached to
  }
  gl_->glBindAttribLocation(program, kPositionAttribute, "position");
  gl_->glBindAttribLocation(program, kColourAttribute, "colour");
  gl_->glLinkProgram(program);
  GLint linked = GL_FALSE;
  gl_->glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) return D3DERR_DRIVERINTERNALERROR;
  objects_.transform = gl_->glGetUniformLocation(program, "transform");
  objects_.pixelOffset = gl_->glGetUniformLocation(program, "pixelOffset");
  objects_.lit = gl_->glGetUniformLocation(program, "lit");
  objects_.fogged = gl_->glGetUniformLocation(program, "fogged");
  objects_.fogDensity = gl_->glGetUniformLocation(program, "fogDensity");
  objects_.fogColour = gl_->glGetUniformLocation(program, "fogColour");
  return D3D_OK;
}

HRESULT GlDevice::BuildFramebuffer(QSize size) {
  if (objects_.framebuffer == 0) {
    gl_->glGenFramebuffers(1, &objects_.framebuffer);
    gl_->glGenRenderbuffers(1, &objects_.colourBuffer);
    if (hasDepthBuffer_) gl_->glGenRenderbuffers(1, &objects_.depthBuffer);
  }
  gl_->glGetError();
  gl_->glBindFramebuffer(GL_FRAMEBUFFER, objects_.framebuffer);
  gl_->glBindRenderbuffer(GL_RENDERBUFFER, objects_.colourBuffer);
  gl_->glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size.width(), size.height());
  gl_->glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, objects_.colourBuffer);
  if (hasDepthBuffer_) {
    // 24 bits where a 16-bit buffer was asked for: fewer lines fight over depth.
    gl_->glBindRenderbuffer(GL_RENDERBUFFER, objects_.depthBuffer);
    gl_->glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size.width(), size.height());
    gl_->glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, objects_.depthBuffer);
  }
  if (const HRESULT result = FromGlError(gl_->glGetError()); result != D3D_OK) return result;
  if (gl_->glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return D3DERR_NOTAVAILABLE;
  return D3D_OK;
}

void GlDevice::ApplyFixedState() {
  if (hasDepthBuffer_) gl_->glEnable(GL_DEPTH_TEST);
  else gl_->glDisable(GL_DEPTH_TEST);
  gl_->glDepthFunc(GL_LEQUAL);
  gl_->glDepthMask(GL_TRUE);
  gl_->glDisable(GL_BLEND);
  gl_->glDisable(GL_CULL_FACE);
  gl_->glDisable(GL_DITHER);
  gl_->glEnable(GL_SCISSOR_TEST);  // nothing is drawn or cleared outside the viewport
  gl_->glLineWidth(1.0f);
  gl_->glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl_->glPixelStorei(GL_PACK_ALIGNMENT, 4);
  ApplyViewport();
  statesChanged_ = true;
}

void GlDevice::DropGl() {
  if (context_ && context_->isValid() && context_->makeCurrent(surface_.get())) {
    gl_->glDeleteBuffers(1, &objects_.vertexBuffer);
    gl_->glDeleteBuffers(1, &objects_.indexBuffer);
    gl_->glDeleteRenderbuffers(1, &objects_.colourBuffer);
    gl_->glDeleteRenderbuffers(1, &objects_.depthBuffer);
    gl_->glDeleteFramebuffers(1, &objects_.framebuffer);
    gl_->glDeleteProgram(objects_.program);
    context_->doneCurrent();
  }
  objects_ = GlObjects{};
  gl_ = nullptr;
  context_.reset();
  surface_.reset();
}

// The context current with everything built, making a lost one anew. A
// loss shows when the context is made current, so a frame's start always
// does that; other calls skip it while the context is still current.
bool GlDevice::MakeReady(bool frameStart) {
  if (context_ && context_->isValid()) {
    if (!frameStart && QOpenGLContext::currentContext() == context_.get()) return true;
    if (context_->makeCurrent(surface_.get()) && context_->isValid()) return true;
  }
  DropGl();
  if (BuildGl() == D3D_OK) return true;
  DropGl();
  return false;
}

void GlDevice::ApplyPendingResize() {
  if (!pendingSize_) return;
  const QSize size = pendingSize_->expandedTo(QSize(1, 1));
  pendingSize_.reset();
  if (size != backBufferSize_ && MakeReady()) ResizeBackBuffer(size);
}

// The viewport follows when it covered the whole back buffer, and is cut to
// the new size otherwise; its depth range stays.
void GlDevice::ResizeBackBuffer(QSize size) {
  Flush();
  GLint largest = 0;
  gl_->glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  size = size.boundedTo(QSize(largest, largest));
  const D3DVIEWPORT8 previousFull = FullViewport();
  const bool viewportWasFull = viewport_.X == 0 && viewport_.Y == 0 && viewport_.Width == previousFull.Width &&
                               viewport_.Height == previousFull.Height;
  if (BuildFramebuffer(size) != D3D_OK) {
    BuildFramebuffer(backBufferSize_);
    return;
  }
  backBufferSize_ = size;
  const D3DVIEWPORT8 full = FullViewport();
  viewport_.X = viewportWasFull ? 0 : std::min(viewport_.X, full.Width - 1);
  viewport_.Y = viewportWasFull ? 0 : std::min(viewport_.Y, full.Height - 1);
  viewport_.Width = viewportWasFull ? full.Width : std::min(viewport_.Width, full.Width - viewport_.X);
  viewport_.Height = viewportWasFull ? full.Height : std::min(viewport_.Height, full.Height - viewport_.Y);
  ApplyViewport();
}

D3DVIEWPORT8 GlDevice::FullViewport() const {
  return {0, 0, static_cast<DWORD>(backBufferSize_.width()), static_cast<DWORD>(backBufferSize_.height()), 0.0f,
          1.0f};
}

bool GlDevice::FitsBackBuffer(const D3DVIEWPORT8& viewport) const {
  const auto width = static_cast<std::uint64_t>(backBufferSize_.width());
  const auto height = static_cast<std::uint64_t>(backBufferSize_.height());
  return viewport.Width > 0 && viewport.Height > 0 && std::uint64_t{viewport.X} + viewport.Width <= width &&
         std::uint64_t{viewport.Y} + viewport.Height <= height && viewport.MinZ >= 0.0f &&
         viewport.MaxZ <= 1.0f && viewport.MinZ <= viewport.MaxZ;
}

// The framebuffer's first row is the picture's top row, so the viewport's
// top-left origin carries over unchanged.
void GlDevice::ApplyViewport() {
  if (gl_ == nullptr) return;
  const auto x = static_cast<GLint>(viewport_.X), y = static_cast<GLint>(viewport_.Y);
  const auto width = static_cast<GLsizei>(viewport_.Width), height = static_cast<GLsizei>(viewport_.Height);
  gl_->glViewport(x, y, width, height);
  gl_->glScissor(x, y, width, height);
  gl_->glDepthRangef(viewport_.MinZ, viewport_.MaxZ);
  statesChanged_ = true;
}

HRESULT GlDevice::SetViewport(const D3DVIEWPORT8* viewport) {
  if (viewport == nullptr) return D3DERR_INVALIDCALL;
  ApplyPendingResize();
  if (!FitsBackBuffer(*viewport)) return D3DERR_INVALIDCALL;
  if (!MakeReady()) return D3DERR_DEVICELOST;
  Flush();
  viewport_ = *viewport;
  ApplyViewport();
  return D3D_OK;
}

void GlDevice::ClearArea(const D3DRECT& area, GLbitfield buffers) {
  const auto left = std::max<std::int64_t>(area.x1, viewport_.X);
  const auto top = std::max<std::int64_t>(area.y1, viewport_.Y);
  const auto right = std::min<std::int64_t>(area.x2, std::int64_t{viewport_.X} + viewport_.Width);
  const auto bottom = std::min<std::int64_t>(area.y2, std::int64_t{viewport_.Y} + viewport_.Height);
  if (right <= left || bottom <= top) return;
  gl_->glScissor(static_cast<GLint>(left), static_cast<GLint>(top), static_cast<GLsizei>(right - left),
                 static_cast<GLsizei>(bottom - top));
  gl_->glClear(buffers);
}

HRESULT GlDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD) {
  const bool wantsDepth = (flags & D3DCLEAR_ZBUFFER) != 0;
  if ((flags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER)) != 0 || (wantsDepth && !hasDepthBuffer_) ||
      (count > 0 && rects == nullptr) || !(z >= 0.0f && z <= 1.0f))
    return D3DERR_INVALIDCALL;
  ApplyPendingResize();
  if (!MakeReady(true)) return D3DERR_DEVICELOST;
  Flush();
  // The back buffer has no alpha to keep: it is always opaque.
  gl_->glClearColor(Channel(color, 16), Channel(color, 8), Channel(color, 0), 1.0f);
  gl_->glClearDepthf(z);
  const GLbitfield buffers =
      ((flags & D3DCLEAR_TARGET) != 0 ? GL_COLOR_BUFFER_BIT : 0u) | (wantsDepth ? GL_DEPTH_BUFFER_BIT : 0u);
  const D3DRECT whole{0, 0, backBufferSize_.width(), backBufferSize_.height()};
  if (rects == nullptr || count == 0) ClearArea(whole, buffers);
  for (DWORD i = 0; rects != nullptr && i < count; ++i) ClearArea(rects[i], buffers);
  ApplyViewport();
  return D3D_OK;
}

HRESULT GlDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (matrix == nullptr) return D3DERR_INVALIDCALL;
  Flush();
  statesChanged_ = true;
  return transforms_.Set(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (matrix == nullptr) return D3DERR_INVALIDCALL;
  Flush();
  statesChanged_ = true;
  return transforms_.Multiply(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  return matrix != nullptr && transforms_.Get(state, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  Flush();
  statesChanged_ = true;
  switch (state) {
    case D3DRS_LIGHTING: lighting_ = value != 0; return D3D_OK;
    case D3DRS_FOGENABLE: fogEnable_ = value != 0; return D3D_OK;
    case D3DRS_FOGTABLEMODE: fogTableMode_ = value; return D3D_OK;
    case D3DRS_FOGDENSITY: std::memcpy(&fogDensity_, &value, sizeof fogDensity_); return D3D_OK;
    case D3DRS_FOGCOLOR: fogColour_ = value; return D3D_OK;
  }
  return D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetVertexShader(DWORD handle) {
  if (handle != kLineVertexFormat) return D3DERR_INVALIDCALL;
  vertexFormat_ = handle;
  return D3D_OK;
}

HRESULT GlDevice::BeginScene() {
  if (inScene_) return D3DERR_INVALIDCALL;
  ApplyPendingResize();
  inScene_ = true;
  return D3D_OK;
}

HRESULT GlDevice::EndScene() {
  if (!inScene_) return D3DERR_INVALIDCALL;
  Flush();
  inScene_ = false;
  return D3D_OK;
}

// Lines are gathered and drawn together when a state changes, the scene
// ends or the picture is needed: one draw call per segment is what the
// renderer sends, far more than a driver takes well. A segment with an end
// that is not a finite point is left out, so it cannot reach the rasteriser.
HRESULT GlDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride) {
  if (type != D3DPT_LINELIST || vertexData == nullptr || stride < kLineVertexStride ||
      vertexFormat_ != kLineVertexFormat || !inScene_)
    return D3DERR_INVALIDCALL;
  const auto* record = static_cast<const unsigned char*>(vertexData);
  for (UINT line = 0; line < primitiveCount; ++line, record += std::size_t{2} * stride) {
    GlVertex from, to;
    if (!ReadVertex(record, from) || !ReadVertex(record + stride, to)) continue;
    AddSegment(from, to);
    if (!gathering_ || pendingVertices_.size() + 2 > kVerticesPerFlush) Flush();
  }
  return D3D_OK;
}

// Still a line list, never a strip: each segment is rasterised on its own,
// as if its ends had not been shared. Sharing needs the same bytes, so the
// shared vertex is exactly the one the segment would have brought.
void GlDevice::AddSegment(const GlVertex& from, const GlVertex& to) {
  const bool chained =
      !pendingVertices_.empty() && std::memcmp(&pendingVertices_.back(), &from, sizeof from) == 0;
  if (!chained) pendingVertices_.push_back(from);
  pendingIndices_.push_back(static_cast<GLushort>(pendingVertices_.size() - 1));
  pendingVertices_.push_back(to);
  pendingIndices_.push_back(static_cast<GLushort>(pendingVertices_.size() - 1));
}

void GlDevice::SetGathering(bool on) {
  Flush();
  gathering_ = on;
}

void GlDevice::UploadStates() {
  const D3DMATRIX transform =
      MatrixMultiply(MatrixMultiply(transforms_.World(), transforms_.View()), transforms_.Projection());
  gl_->glUniformMatrix4fv(objects_.transform, 1, GL_FALSE, &transform.m[0][0]);
  gl_->glUniform2f(objects_.pixelOffset, 1.0f / static_cast<float>(viewport_.Width),
                   1.0f / static_cast<float>(viewport_.Height));
  gl_->glUniform1i(objects_.lit, lighting_ ? 1 : 0);
  gl_->glUniform1i(objects_.fogged, fogEnable_ && fogTableMode_ == D3DFOG_EXP ? 1 : 0);
  gl_->glUniform1f(objects_.fogDensity, fogDensity_);
  gl_->glUniform3f(objects_.fogColour, Channel(fogColour_, 16), Channel(fogColour_, 8), Channel(fogColour_, 0));
  statesChanged_ = false;
}

void GlDevice::Flush() {
  if (pendingVertices_.empty()) return;
  if (MakeReady()) {
    gl_->glUseProgram(objects_.program);
    if (statesChanged_) UploadStates();
    gl_->glBindBuffer(GL_ARRAY_BUFFER, objects_.vertexBuffer);
    gl_->glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(pendingVertices_.size() * sizeof(GlVertex)),
                      pendingVertices_.data(), GL_STREAM_DRAW);
    gl_->glEnableVertexAttribArray(kPositionAttribute);
    gl_->glEnableVertexAttribArray(kColourAttribute);
    gl_->glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(GlVertex), nullptr);
    gl_->glVertexAttribPointer(kColourAttribute, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(GlVertex),
                               reinterpret_cast<const void*>(offsetof(GlVertex, colour)));
    DrawPending();
  }
  pendingVertices_.clear();
  pendingIndices_.clear();
}

void GlDevice::DrawPending() {
  if (!gathering_) {
    gl_->glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(pendingVertices_.size()));
    return;
  }
  gl_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, objects_.indexBuffer);
  gl_->glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(pendingIndices_.size() * sizeof(GLushort)),
                    pendingIndices_.data(), GL_STREAM_DRAW);
  gl_->glDrawElements(GL_LINES, static_cast<GLsizei>(pendingIndices_.size()), GL_UNSIGNED_SHORT, nullptr);
}

QImage GlDevice::ReadBackBuffer() {
  QImage picture;
  if (!ReadBackInto(picture)) return {};
  return picture;
}

// Into `picture`'s own memory where it has the back buffer's size and no
// one else holds it, so presenting a steady stream of frames allocates
// nothing; false, with `picture` untouched, while the context is lost.
bool GlDevice::ReadBackInto(QImage& picture) {
  Flush();
  if (!MakeReady()) return false;
  if (picture.size() != backBufferSize_ || picture.format() != QImage::Format_RGB32)
    picture = QImage(backBufferSize_, QImage::Format_RGB32);
  gl_->glBindFramebuffer(GL_FRAMEBUFFER, objects_.framebuffer);
  // Packed as 0xAARRGGBB in the machine's own byte order, which is what RGB32 holds.
  gl_->glReadPixels(0, 0, backBufferSize_.width(), backBufferSize_.height(), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                    picture.bits());
  return true;
}

// Only the whole back buffer over the whole panel is offered, as a discarding
// swap allows no rectangles.
HRESULT GlDevice::Present(const void* sourceRect, const void* destRect, HWND destWindowOverride,
                          const void* dirtyRegion) {
  if (sourceRect != nullptr || destRect != nullptr || destWindowOverride != nullptr || dirtyRegion != nullptr ||
      view_.isNull())
    return D3DERR_INVALIDCALL;
  QImage picture = view_->TakePicture();
  const bool read = ReadBackInto(picture);
  view_->Show(std::move(picture));  // the last picture again when none could be read
  return read ? D3D_OK : D3DERR_DEVICELOST;
}
