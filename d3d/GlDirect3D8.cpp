#include "d3d/GlDirect3D8.h"

#include <QApplication>
#include <QScreen>
#include <QThread>

#include "d3d/GlDevice.h"

namespace {

bool OnUserInterfaceThread() {
  const QCoreApplication* application = QCoreApplication::instance();
  return application != nullptr && application->thread() == QThread::currentThread();
}

// The nearest code for a presentation this device cannot honour, or D3D_OK.
HRESULT CheckPresentation(const D3DPRESENT_PARAMETERS& presentation) {
  if (presentation.Windowed == 0 || presentation.MultiSampleType != D3DMULTISAMPLE_NONE)
    return D3DERR_NOTAVAILABLE;
  const bool formatKnown =
      presentation.BackBufferFormat == D3DFMT_X8R8G8B8 || presentation.BackBufferFormat == D3DFMT_UNKNOWN;
  const bool depthKnown =
      presentation.EnableAutoDepthStencil == 0 || presentation.AutoDepthStencilFormat == D3DFMT_D16;
  if (!formatKnown || !depthKnown || presentation.BackBufferCount > 3) return D3DERR_INVALIDCALL;
  return D3D_OK;
}

}  // namespace

IDirect3D8* CreateOpenGLDirect3D8(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION || !OnUserInterfaceThread()) return nullptr;
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
  if (!GlDevice::OpenGLAvailable()) return nullptr;
  return new GlDirect3D8();
}

ULONG GlDirect3D8::AddRef() { return ++references_; }

ULONG GlDirect3D8::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT GlDirect3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
  if (adapter != D3DADAPTER_DEFAULT || mode == nullptr) return D3DERR_INVALIDCALL;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return D3DERR_NOTAVAILABLE;
  const QSize pixels = screen->size() * screen->devicePixelRatio();
  mode->Width = static_cast<UINT>(pixels.width());
  mode->Height = static_cast<UINT>(pixels.height());
  mode->RefreshRate = static_cast<UINT>(qRound(screen->refreshRate()));
  mode->Format = D3DFMT_X8R8G8B8;
  return D3D_OK;
}

HRESULT GlDirect3D8::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD,
                                  D3DPRESENT_PARAMETERS* presentationParameters, IDirect3DDevice8** device) {
  if (device == nullptr) return D3DERR_INVALIDCALL;
  *device = nullptr;
  if (presentationParameters == nullptr || adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
  if (deviceType != D3DDEVTYPE_HAL) return D3DERR_INVALIDDEVICE;
  const D3DPRESENT_PARAMETERS& presentation = *presentationParameters;
  const HWND window = presentation.hDeviceWindow != nullptr ? presentation.hDeviceWindow : focusWindow;
  if (window == nullptr) return D3DERR_INVALIDCALL;
  if (const HRESULT result = CheckPresentation(presentation); result != D3D_OK) return result;
  GlDevice* created = nullptr;
  const HRESULT result = GlDevice::Create(static_cast<QWidget*>(window), presentation, &created);
  *device = created;
  return result;
}
