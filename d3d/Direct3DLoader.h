#pragma once
// Creation of the rendering layer's root object, and the texts of its result codes.

#include <functional>
#include <string>

#include "d3d/IDirect3D8.h"

// The entry point that makes the root object for an SDK version, or returns null.
using Direct3DCreateFunction = std::function<IDirect3D8*(UINT sdkVersion)>;

// Empties (and releases) the reference, then fills it with a new object
// holding one reference, or leaves it empty when none can be made. Never throws.
void CreateDirect3D8(UINT sdkVersion, IDirect3D8*& direct3D);

// Forgets the entry point; harmless when nothing is held.
void UnloadDirect3D8();

// Installs the entry point: the program installs the OpenGL layer's
// (CreateOpenGLDirect3D8) before its window is created; tests install
// recording or failing ones. With none installed, as after an empty
// function, CreateDirect3D8 leaves the reference empty.
void SetDirect3DCreateFunction(Direct3DCreateFunction create);

// The English sentence of a result code, matched on all 32 bits;
// "Unrecognized Error" for any code not listed.
std::string ResultText(HRESULT result);
