#include <array>

#include "d3d/Direct3DLoader.h"

namespace {

struct ResultRow {
  HRESULT code;
  const char* text;
};

// Matched on the whole code: severity and facility bits take part.
constexpr std::array<ResultRow, 24> kResultTexts{{
    {D3D_OK, "No error occurred."},
    {E_FAIL, "An undetermined error occurred inside the Direct3D subsystem."},
    {E_OUTOFMEMORY, "Direct3D could not allocate sufficient memory to complete the call."},
    {E_INVALIDARG, "An invalid parameter was passed to the returning function"},
    {D3DERR_OUTOFVIDEOMEMORY, "Direct3D does not have enough display memory to perform the operation."},
    {D3DERR_WRONGTEXTUREFORMAT, "The pixel format of the texture surface is not valid."},
    {D3DERR_UNSUPPORTEDCOLOROPERATION,
     "The device does not support a specified texture-blending operation for color values."},
    {D3DERR_UNSUPPORTEDCOLORARG,
     "The device does not support a specified texture-blending argument for color values."},
    {D3DERR_UNSUPPORTEDALPHAOPERATION,
     "The device does not support a specified texture-blending operation for the alpha channel."},
    {D3DERR_UNSUPPORTEDALPHAARG,
     "The device does not support a specified texture-blending argument for the alpha channel."},
    {D3DERR_TOOMANYOPERATIONS, "The application is requesting more texture-filtering operations than the device"},
    {D3DERR_CONFLICTINGTEXTUREFILTER, "The current texture filters cannot be used together."},
    {D3DERR_UNSUPPORTEDFACTORVALUE, "The device does not support the specified texture factor value."},
    {D3DERR_CONFLICTINGRENDERSTATE, "The currently set render states cannot be used together."},
    {D3DERR_UNSUPPORTEDTEXTUREFILTER, "The device does not support the specified texture filter."},
    {D3DERR_CONFLICTINGTEXTUREPALETTE,
     "The current textures cannot be used simultaneously. This generally occurs when a multitexture device "
     "requires that all palletized textures simultaneously enabled also share the same palette."},
    {D3DERR_DRIVERINTERNALERROR, "Internal driver error."},
    {D3DERR_NOTFOUND, "The requested item was not found."},
    {D3DERR_MOREDATA, "There is more data available than the specified buffer size can hold."},
    {D3DERR_DEVICELOST, "The device is lost and cannot be restored at the current time, so rendering is not possible."},
    {D3DERR_DEVICENOTRESET, "The device cannot be reset."},
    {D3DERR_NOTAVAILABLE, "This device does not support the queried technique."},
    {D3DERR_INVALIDDEVICE, "The requested device type is not valid."},
    {D3DERR_INVALIDCALL, "The method call is invalid. For example, a method's parameter may have an invalid value."},
}};

}  // namespace

std::string ResultText(HRESULT result) {
  for (const ResultRow& row : kResultTexts)
    if (row.code == result) return row.text;
  return "Unrecognized Error";
}
