#pragma once
// Plain types and constants of the rendering-device interface. The layout of
// each record is fixed: framedump and the tests print and compare them field
// by field, and the OpenGL device reads them directly.

#include <cstdint>

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;
using D3DCOLOR = std::uint32_t;  // ARGB: alpha in the top byte, then red, green, blue
using HWND = void*;              // the native window the device draws into (a QWidget* here)

constexpr HRESULT ResultCode(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

constexpr HRESULT D3D_OK = 0;
constexpr HRESULT E_FAIL = ResultCode(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = ResultCode(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = ResultCode(0x80070057u);
constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = ResultCode(0x8876017Cu);
constexpr HRESULT D3DERR_WRONGTEXTUREFORMAT = ResultCode(0x88760818u);
constexpr HRESULT D3DERR_UNSUPPORTEDCOLOROPERATION = ResultCode(0x88760819u);
constexpr HRESULT D3DERR_UNSUPPORTEDCOLORARG = ResultCode(0x8876081Au);
constexpr HRESULT D3DERR_UNSUPPORTEDALPHAOPERATION = ResultCode(0x8876081Bu);
constexpr HRESULT D3DERR_UNSUPPORTEDALPHAARG = ResultCode(0x8876081Cu);
constexpr HRESULT D3DERR_TOOMANYOPERATIONS = ResultCode(0x8876081Du);
constexpr HRESULT D3DERR_CONFLICTINGTEXTUREFILTER = ResultCode(0x8876081Eu);
constexpr HRESULT D3DERR_UNSUPPORTEDFACTORVALUE = ResultCode(0x8876081Fu);
constexpr HRESULT D3DERR_CONFLICTINGRENDERSTATE = ResultCode(0x88760821u);
constexpr HRESULT D3DERR_UNSUPPORTEDTEXTUREFILTER = ResultCode(0x88760822u);
constexpr HRESULT D3DERR_CONFLICTINGTEXTUREPALETTE = ResultCode(0x88760826u);
constexpr HRESULT D3DERR_DRIVERINTERNALERROR = ResultCode(0x88760827u);
constexpr HRESULT D3DERR_NOTFOUND = ResultCode(0x88760866u);
constexpr HRESULT D3DERR_MOREDATA = ResultCode(0x88760867u);
constexpr HRESULT D3DERR_DEVICELOST = ResultCode(0x88760868u);
constexpr HRESULT D3DERR_DEVICENOTRESET = ResultCode(0x88760869u);
constexpr HRESULT D3DERR_NOTAVAILABLE = ResultCode(0x8876086Au);
constexpr HRESULT D3DERR_INVALIDDEVICE = ResultCode(0x8876086Bu);
constexpr HRESULT D3DERR_INVALIDCALL = ResultCode(0x8876086Cu);

constexpr UINT D3D_SDK_VERSION = 120;
constexpr UINT D3DADAPTER_DEFAULT = 0;

enum D3DDEVTYPE : std::uint32_t { D3DDEVTYPE_HAL = 1, D3DDEVTYPE_REF = 2, D3DDEVTYPE_SW = 3 };

constexpr DWORD D3DCREATE_FPU_PRESERVE = 0x02;
constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;

enum D3DFORMAT : std::uint32_t {
  D3DFMT_UNKNOWN = 0,
  D3DFMT_X8R8G8B8 = 22,
  D3DFMT_D16 = 80,
};

enum D3DMULTISAMPLE_TYPE : std::uint32_t { D3DMULTISAMPLE_NONE = 0 };
enum D3DSWAPEFFECT : std::uint32_t { D3DSWAPEFFECT_DISCARD = 1 };
constexpr UINT D3DPRESENT_INTERVAL_DEFAULT = 0;

enum D3DTRANSFORMSTATETYPE : std::uint32_t {
  D3DTS_VIEW = 2,
  D3DTS_PROJECTION = 3,
  D3DTS_WORLD = 256,
};

enum D3DRENDERSTATETYPE : std::uint32_t {
  D3DRS_FOGENABLE = 28,
  D3DRS_FOGCOLOR = 34,
  D3DRS_FOGTABLEMODE = 35,
  D3DRS_FOGDENSITY = 38,
  D3DRS_LIGHTING = 137,
};

enum D3DFOGMODE : std::uint32_t { D3DFOG_NONE = 0, D3DFOG_EXP = 1 };

constexpr DWORD D3DCLEAR_TARGET = 0x1;
constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;

constexpr DWORD D3DFVF_XYZ = 0x002;
constexpr DWORD D3DFVF_DIFFUSE = 0x040;
constexpr DWORD D3DFVF_SPECULAR = 0x080;

enum D3DPRIMITIVETYPE : std::uint32_t { D3DPT_LINELIST = 2 };

// The vertex of the one format the devices draw, D3DFVF_XYZ | D3DFVF_DIFFUSE
// | D3DFVF_SPECULAR (0xC2): position, then the two colours, 20 bytes in all.
// Every line the program draws is made of these.
struct LineVertex {
  float X;
  float Y;
  float Z;           // for the surface, the height
  D3DCOLOR Diffuse;  // the line's colour at this vertex
  D3DCOLOR Specular;
};

constexpr DWORD kLineVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_SPECULAR;  // 0xC2
constexpr UINT kLineVertexStride = sizeof(LineVertex);

// Sixteen floats, row by row; a point is a row vector on the left.
struct D3DMATRIX {
  float m[4][4];
};

struct D3DRECT {
  std::int32_t x1, y1, x2, y2;
};

struct D3DDISPLAYMODE {
  UINT Width;
  UINT Height;
  UINT RefreshRate;
  D3DFORMAT Format;
};

struct D3DVIEWPORT8 {
  DWORD X;
  DWORD Y;
  DWORD Width;
  DWORD Height;
  float MinZ;
  float MaxZ;
};

struct D3DPRESENT_PARAMETERS {
  UINT BackBufferWidth;
  UINT BackBufferHeight;
  D3DFORMAT BackBufferFormat;
  UINT BackBufferCount;
  D3DMULTISAMPLE_TYPE MultiSampleType;
  D3DSWAPEFFECT SwapEffect;
  HWND hDeviceWindow;
  BOOL Windowed;
  BOOL EnableAutoDepthStencil;
  D3DFORMAT AutoDepthStencilFormat;
  DWORD Flags;
  UINT FullScreen_RefreshRateInHz;
  UINT FullScreen_PresentationInterval;
};
