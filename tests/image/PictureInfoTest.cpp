#include "image/PictureInfo.h"

#include "DibFixtures.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// A 256-colour picture with a 40-byte header and biClrUsed 0, as the program keeps it.
CPictureInfo* MakePaletted8(int width, int height) {
    DibSpec layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = 8;
    layout.table.resize(256, RGBQUAD{1, 2, 3, 0});
    layout.bits.assign(static_cast<std::size_t>((width + 3) / 4 * 4 * height), 7);
    const std::vector<BYTE> dib = BuildDib(layout);
    auto* picture = new CPictureInfo;
    std::memcpy(picture->Allocate(static_cast<DWORD>(dib.size())), dib.data(), dib.size());
    return picture;
}

TEST(PictureInfoTest, NewPictureIsEmptyAndItsFirstReleaseDeletesIt) {
    auto* picture = new CPictureInfo;
    EXPECT_FALSE(picture->IsValid());
    EXPECT_EQ(picture->GetWidth(), 0);
    EXPECT_EQ(picture->GetHeight(), 0);
    EXPECT_EQ(picture->GetHeader(), nullptr);
    EXPECT_EQ(picture->Release(), 0); // a leak here would fail the leak checker
}

TEST(PictureInfoTest, SharedPictureLivesUntilTheLastRelease) {
    CPictureInfo* picture = MakePaletted8(2, 2);
    EXPECT_EQ(picture->AddRef(), 2);
    EXPECT_EQ(picture->Release(), 1);
    EXPECT_TRUE(picture->IsValid()); // still alive: the address sanitizer would catch a use after free
    EXPECT_EQ(picture->Release(), 0);
}

// Checked by the leak checker of the test build: a Destroy that kept the counted picture leaks it.
TEST(PictureInfoTest, DestroyIgnoresTheCount) {
    CPictureInfo* picture = MakePaletted8(2, 2);
    picture->AddRef();
    picture->Destroy();
}

TEST(PictureInfoTest, BitsFollowHeaderAndFullColourTable) {
    CPictureInfo* picture = MakePaletted8(5, 3);
    EXPECT_EQ(picture->GetWidth(), 5);
    EXPECT_EQ(picture->GetHeight(), 3);
    EXPECT_FALSE(picture->Is24Bit());
    EXPECT_EQ(picture->GetBits(), reinterpret_cast<BYTE*>(picture->GetHeader()) + 40 + 1024);
    EXPECT_EQ(picture->GetBitsSize(), 8u * 3u);
    picture->Release();
}

TEST(PictureInfoTest, CloneHasAnIndependentBlock) {
    CPictureInfo* source = MakePaletted8(4, 4);
    CPictureInfo* copy = source->Clone();
    ASSERT_TRUE(copy->IsValid());
    EXPECT_EQ(copy->GetLength(), source->GetLength());
    EXPECT_EQ(0, std::memcmp(copy->GetHeader(), source->GetHeader(), source->GetLength()));
    copy->GetBits()[0] = 99;
    EXPECT_EQ(source->GetBits()[0], 7);
    EXPECT_EQ(copy->Release(), 0);
    EXPECT_EQ(source->Release(), 0);
}

TEST(PictureInfoTest, LoadFileOfAPictureWithDataIsItsBlock) {
    CPictureInfo* picture = MakePaletted8(1, 1);
    EXPECT_EQ(picture->LoadFile(""), reinterpret_cast<BYTE*>(picture->GetHeader()));
    picture->Release();
}

TEST(PictureInfoTest, FreeEmptiesThePicture) {
    CPictureInfo* picture = MakePaletted8(1, 1);
    picture->Free();
    EXPECT_FALSE(picture->IsValid());
    EXPECT_EQ(picture->GetLength(), 0u);
    EXPECT_EQ(picture->GetBits(), nullptr);
    picture->Release();
}

TEST(PictureInfoTest, ExternalDibIsNormalisedOrRefusedLeavingThePictureEmpty) {
    DibSpec topDown;
    topDown.width = 1;
    topDown.height = -2;
    topDown.bits = {1, 2, 3, 0, 4, 5, 6, 0};
    const std::vector<BYTE> good = BuildDib(topDown);
    CPictureInfo picture;
    ASSERT_TRUE(picture.SetExternalDib(good.data(), good.size()));
    EXPECT_EQ(picture.GetHeight(), 2);
    EXPECT_EQ(PixelAt(picture.LoadFile(""), 0, 0), 0x030201u);

    std::vector<BYTE> bad = good;
    bad.pop_back();
    EXPECT_FALSE(picture.SetExternalDib(bad.data(), bad.size()));
    EXPECT_FALSE(picture.IsValid());
    EXPECT_EQ(picture.GetLength(), 0u);
}

} // namespace
