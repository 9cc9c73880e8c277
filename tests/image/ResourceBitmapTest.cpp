#include "image/FileHelpers.h"
#include "image/PictureInfo.h"
#include "platform/base/Module.h"
#include "platform/gdi/Dc.h"
#include "tests/support/FakeAppServices.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

class ResourceBitmapTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_module = LoadLibrary(VC_TEST_RESOURCE_MODULE); }
    static void TearDownTestSuite() { FreeLibrary(s_module); }
    void SetUp() override {
        ASSERT_NE(s_module, nullptr);
        m_services.SetResourceModule(s_module);
    }

    // The colour at (x, y), top-down, of a device bitmap.
    static COLORREF PixelOf(CBitmap& bitmap, int x, int y) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        const COLORREF colour = dc.GetPixel(x, y);
        dc.SelectObject(old);
        return colour;
    }

    static HMODULE s_module;
    FakeAppServices m_services;
};
HMODULE ResourceBitmapTest::s_module = nullptr;

TEST_F(ResourceBitmapTest, PictureTakesTheBitmapResourceAsItsFileHolds) {
    CPictureInfo fromFile;
    ASSERT_TRUE(fromFile.ReadBmpFile(VC_TEST_RESOURCE_DIR "/art/TINY24.bmp"));
    CPictureInfo picture;
    ASSERT_TRUE(picture.LoadResource("TINY24", s_module));
    ASSERT_EQ(picture.GetLength(), fromFile.GetLength());
    EXPECT_EQ(std::memcmp(picture.GetHeader(), fromFile.GetHeader(), picture.GetLength()), 0);

    ASSERT_TRUE(picture.LoadResource("tiny8", s_module)) << "names ignore letter case";
    EXPECT_EQ(picture.GetHeader()->biBitCount, 8);
    EXPECT_EQ(picture.GetWidth(), 2);
}

TEST_F(ResourceBitmapTest, PictureKeepsWhatItHeldWhenTheResourceIsMissing) {
    CPictureInfo picture;
    ASSERT_TRUE(picture.LoadResource("TINY24", s_module));
    const BITMAPINFOHEADER* held = picture.GetHeader();
    EXPECT_FALSE(picture.LoadResource("NO_SUCH_BITMAP", s_module));
    EXPECT_FALSE(picture.LoadResource("TINY24", nullptr));
    EXPECT_FALSE(picture.LoadResource("#1", s_module)) << "string 1 is no bitmap";
    EXPECT_EQ(picture.GetHeader(), held);
    EXPECT_EQ(picture.GetWidth(), 3);
}

TEST_F(ResourceBitmapTest, MakesADeviceBitmapFromAPalettedResource) {
    CDC screen;
    ASSERT_TRUE(screen.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(LoadResourceBitmapWithPalette(bitmap, "TINY8", &screen));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);
    // Rows are stored bottom-up: indices 0 1 on top, 1 2 below, of the table (10,20,30) (200,100,50)
    // (0,255,0).
    EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(PixelOf(bitmap, 1, 0), RGB(200, 100, 50));
    EXPECT_EQ(PixelOf(bitmap, 0, 1), RGB(200, 100, 50));
    EXPECT_EQ(PixelOf(bitmap, 1, 1), RGB(0, 255, 0));
}

TEST_F(ResourceBitmapTest, MakesADeviceBitmapFromATrueColourResourceWithoutAContext) {
    CBitmap bitmap;
    ASSERT_TRUE(LoadResourceBitmapWithPalette(bitmap, "TINY24", nullptr));
    EXPECT_EQ(PixelOf(bitmap, 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(bitmap, 2, 1), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(bitmap, 2, 0), RGB(128, 128, 128));
}

TEST_F(ResourceBitmapTest, AMissingResourceLeavesTheBitmapAsItWas) {
    CBitmap bitmap;
    ASSERT_TRUE(LoadResourceBitmapWithPalette(bitmap, "TINY24", nullptr));
    const HGDIOBJ held = bitmap.GetSafeHandle();
    EXPECT_FALSE(LoadResourceBitmapWithPalette(bitmap, "NO_SUCH_BITMAP", nullptr));
    EXPECT_FALSE(LoadResourceBitmapWithPalette(bitmap, nullptr, nullptr));
    EXPECT_EQ(bitmap.GetSafeHandle(), held);

    m_services.SetResourceModule(nullptr);
    EXPECT_FALSE(LoadResourceBitmapWithPalette(bitmap, "TINY24", nullptr)) << "no resource module";
    EXPECT_EQ(bitmap.GetSafeHandle(), held);
}

} // namespace
