#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "d3d/Direct3DLoader.h"
#include "d3d/RecordingDevice.h"

namespace {

class Direct3DLoaderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ReleaseReference(direct3D);
    SetDirect3DCreateFunction({});
  }

  // An object that deletes itself on its last release and records it.
  IDirect3D8* NewObject() { return new RecordingDirect3D8(log, true); }

  std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
  IDirect3D8* direct3D = nullptr;
};

TEST_F(Direct3DLoaderTest, WithoutAnEntryPointTheReferenceIsLeftEmptyAfterReleasingWhatItHeld) {
  direct3D = NewObject();
  CreateDirect3D8(D3D_SDK_VERSION, direct3D);
  EXPECT_EQ(direct3D, nullptr);
  ASSERT_EQ(log->size(), 1u);
  EXPECT_EQ(log->front().op, DeviceOp::ReleaseDirect3D);
}

TEST_F(Direct3DLoaderTest, TheEntryPointGetsTheVersionAndItsObjectIsTakenWithoutAnExtraReference) {
  UINT askedVersion = 0;
  auto* object = new RecordingDirect3D8(log, true);
  SetDirect3DCreateFunction([&](UINT version) -> IDirect3D8* {
    askedVersion = version;
    return object;
  });
  CreateDirect3D8(D3D_SDK_VERSION, direct3D);
  EXPECT_EQ(askedVersion, 120u);
  EXPECT_EQ(direct3D, object);
  // One release is the last one: the loader added no reference of its own.
  EXPECT_EQ(object->AddRef(), 2u);
  object->Release();
}

TEST_F(Direct3DLoaderTest, AFailingOrThrowingEntryPointLeavesTheReferenceEmptyAndNeverThrows) {
  SetDirect3DCreateFunction([](UINT) -> IDirect3D8* { return nullptr; });
  direct3D = NewObject();
  CreateDirect3D8(D3D_SDK_VERSION, direct3D);
  EXPECT_EQ(direct3D, nullptr);

  SetDirect3DCreateFunction([](UINT) -> IDirect3D8* { throw std::bad_alloc(); });
  EXPECT_NO_THROW(CreateDirect3D8(D3D_SDK_VERSION, direct3D));
  EXPECT_EQ(direct3D, nullptr);
}

TEST_F(Direct3DLoaderTest, UnloadForgetsTheEntryPointAndIsHarmlessTwice) {
  SetDirect3DCreateFunction([this](UINT) { return NewObject(); });
  CreateDirect3D8(D3D_SDK_VERSION, direct3D);
  EXPECT_NE(direct3D, nullptr);
  ReleaseReference(direct3D);

  UnloadDirect3D8();
  UnloadDirect3D8();
  CreateDirect3D8(D3D_SDK_VERSION, direct3D);
  EXPECT_EQ(direct3D, nullptr);
}

}  // namespace
