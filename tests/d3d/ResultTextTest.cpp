#include <gtest/gtest.h>

#include <string>

#include "d3d/Direct3DLoader.h"

namespace {

struct ResultCase {
  std::uint32_t code;
  const char* text;
};

// The whole table as the error messages must read, plus codes next to and
// between listed ones, which must not borrow a neighbour's text.
constexpr ResultCase kCases[] = {
    {0x00000000u, "No error occurred."},
    {0x80004005u, "An undetermined error occurred inside the Direct3D subsystem."},
    {0x8007000Eu, "Direct3D could not allocate sufficient memory to complete the call."},
    {0x80070057u, "An invalid parameter was passed to the returning function"},
    {0x8876017Cu, "Direct3D does not have enough display memory to perform the operation."},
    {0x88760818u, "The pixel format of the texture surface is not valid."},
    {0x88760819u, "The device does not support a specified texture-blending operation for color values."},
    {0x8876081Au, "The device does not support a specified texture-blending argument for color values."},
    {0x8876081Bu, "The device does not support a specified texture-blending operation for the alpha channel."},
    {0x8876081Cu, "The device does not support a specified texture-blending argument for the alpha channel."},
    {0x8876081Du, "The application is requesting more texture-filtering operations than the device"},
    {0x8876081Eu, "The current texture filters cannot be used together."},
    {0x8876081Fu, "The device does not support the specified texture factor value."},
    {0x88760821u, "The currently set render states cannot be used together."},
    {0x88760822u, "The device does not support the specified texture filter."},
    {0x88760826u,
     "The current textures cannot be used simultaneously. This generally occurs when a multitexture device "
     "requires that all palletized textures simultaneously enabled also share the same palette."},
    {0x88760827u, "Internal driver error."},
    {0x88760866u, "The requested item was not found."},
    {0x88760867u, "There is more data available than the specified buffer size can hold."},
    {0x88760868u, "The device is lost and cannot be restored at the current time, so rendering is not possible."},
    {0x88760869u, "The device cannot be reset."},
    {0x8876086Au, "This device does not support the queried technique."},
    {0x8876086Bu, "The requested device type is not valid."},
    {0x8876086Cu, "The method call is invalid. For example, a method's parameter may have an invalid value."},
    {0x00000001u, "Unrecognized Error"},  // a success code other than 0
    {0x88760820u, "Unrecognized Error"},  // between two listed codes
    {0x0876086Cu, "Unrecognized Error"},  // a listed code without its severity bit
    {0x00004005u, "Unrecognized Error"},  // E_FAIL's low half alone
    {0x8876086Du, "Unrecognized Error"},
    {0xFFFFFFFFu, "Unrecognized Error"},
};

TEST(ResultTextTest, EveryCodeGivesItsSentenceComparedOnAllBits) {
  for (const ResultCase& c : kCases)
    EXPECT_EQ(ResultText(ResultCode(c.code)), std::string(c.text)) << std::hex << c.code;
}

}  // namespace
