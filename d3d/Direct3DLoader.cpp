#include "d3d/Direct3DLoader.h"

#include <utility>

namespace {

// The rendering layer is linked in, not loaded: the installed entry point
// stands where a loaded library's export would.
Direct3DCreateFunction& EntryPoint() {
  static Direct3DCreateFunction entryPoint;
  return entryPoint;
}

}  // namespace

void CreateDirect3D8(UINT sdkVersion, IDirect3D8*& direct3D) {
  ReleaseReference(direct3D);
  const Direct3DCreateFunction& create = EntryPoint();
  if (!create) return;
  // The new object already carries the one reference the caller now owns.
  try {
    direct3D = create(sdkVersion);
  } catch (...) {
    direct3D = nullptr;
  }
}

void UnloadDirect3D8() { EntryPoint() = nullptr; }

void SetDirect3DCreateFunction(Direct3DCreateFunction create) { EntryPoint() = std::move(create); }
