// The DIB image class: bottom-up rows, palettes that turn the colour table into indices, and the masked
// stretch of images with a transparent index.

#include "image/ImageImpl.h"

#include "DibFixtures.h"
#include "image/ConversionSurface.h"
#include "image/DibGeometry.h"
#include "image/ImagePalette.h"
#include "image/PictureInfo.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr DWORD kYellow = 0xFFFF00;
constexpr COLORREF kYellowFill = RGB(255, 255, 0);

// Entries: black, red, green, blue, white, grey (index 5).
void SetTestPalette(CImageImpl& image) {
    const BYTE red[] = {0, 255, 0, 0, 255, 128};
    const BYTE green[] = {0, 0, 255, 0, 255, 128};
    const BYTE blue[] = {0, 0, 0, 255, 255, 128};
    ASSERT_TRUE(image.SetPalette(6, red, green, blue));
}

std::vector<std::vector<DWORD>> SurfacePixels(const CConversionSurface& surface) {
    const std::unique_ptr<CPictureInfo> picture(surface.TakePicture());
    return AllPixels(reinterpret_cast<const BYTE*>(picture->GetHeader()));
}

TEST(ImageImplTest, CreateStoresSizesAndDefaultModes) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(5, 3, 8, -1));
    EXPECT_EQ(image.GetMode(), 0);
    EXPECT_EQ(image.GetStride(), 8);
    EXPECT_EQ(image.GetInfo()->biClrUsed, 256u);
    ASSERT_TRUE(image.Create(5, 3, 24, -1));
    EXPECT_EQ(image.GetMode(), 2);
    EXPECT_EQ(image.GetStride(), 16);
    EXPECT_EQ(image.GetBits(), DibBitsPtr(image.GetInfo()));
    EXPECT_FALSE(image.Create(70000, 1, 8, -1));
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_EQ(image.GetPixelIndex(0, 0), -1);
}

TEST(ImageImplTest, RowsAreBottomUp) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(3, 2, 8, -1));
    image.GetBits()[0] = 7; // first byte of the block: the last displayed row
    image.GetBits()[image.GetStride()] = 9;
    EXPECT_EQ(image.GetPixelIndex(0, 0), 7);
    EXPECT_EQ(image.GetPixelIndex(0, 1), 9);
    EXPECT_TRUE(image.SetPixelIndex(2, 1, 4));
    EXPECT_EQ(image.GetBits()[image.GetStride() + 2], 4);
}

TEST(ImageImplTest, PixelCallsOutsideChangeNothing) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(3, 2, 8, -1));
    BYTE red = 1, green = 2, blue = 3;
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
        EXPECT_EQ(image.GetPixelIndex(x, y), -1);
        EXPECT_FALSE(image.SetPixelIndex(x, y, 1));
        EXPECT_FALSE(image.GetPixelColor(x, y, red, green, blue));
        EXPECT_FALSE(image.SetPixelColor(x, y, 1, 2, 3));
    }
    EXPECT_EQ(red, 1);
}

TEST(ImageImplTest, TrueColourPixelsAreBlueGreenRed) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(2, 2, 24, -1));
    ASSERT_TRUE(image.SetPixelColor(1, 0, 10, 20, 30));
    const BYTE* pixel = image.GetBits() + 3;
    EXPECT_EQ(pixel[0], 30);
    EXPECT_EQ(pixel[2], 10);
    BYTE red = 0, green = 0, blue = 0;
    ASSERT_TRUE(image.GetPixelColor(1, 0, red, green, blue));
    EXPECT_EQ(red, 10);
    EXPECT_EQ(green, 20);
    EXPECT_EQ(blue, 30);
    // Index access reads whole bytes, so only 8-bit images have it.
    EXPECT_EQ(image.GetPixelIndex(0, 0), -1);
}

TEST(ImageImplTest, PaletteSetsModeAndFillsTableWithIndices) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(4, 1, 8, -1));
    SetTestPalette(image);
    EXPECT_EQ(image.GetMode(), 3);
    const auto* table = reinterpret_cast<const WORD*>(DibColorTablePtr(image.GetInfo()));
    for (WORD i = 0; i < 256; ++i)
        ASSERT_EQ(table[i], i);
    EXPECT_FALSE(image.SetPalette(nullptr));
}

TEST(ImageImplTest, ColourWritesOnIndexedImagesStoreTheNearestEntry) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(4, 1, 8, -1));
    SetTestPalette(image);
    ASSERT_TRUE(image.SetPixelColor(0, 0, 20, 240, 10));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 2);
    ASSERT_TRUE(image.SetPixelColor(1, 0, 140, 120, 130));
    EXPECT_EQ(image.GetPixelIndex(1, 0), 5);
    BYTE red = 0, green = 0, blue = 0;
    ASSERT_TRUE(image.GetPixelColor(1, 0, red, green, blue));
    EXPECT_EQ(red, 128);
}

TEST(ImageImplTest, PaletteFromTriplesAndQuadsKeepsTheirOrder) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(1, 1, 8, -1));
    const BYTE triples[] = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(image.SetPaletteFromTriples(2, triples));
    BYTE red = 0, green = 0, blue = 0;
    ASSERT_TRUE(image.GetPalette()->GetEntry(1, red, green, blue));
    EXPECT_EQ((std::array<BYTE, 3>{red, green, blue}), (std::array<BYTE, 3>{4, 5, 6}));
    const RGBQUAD quads[] = {{9, 8, 7, 0}};
    ASSERT_TRUE(image.SetPaletteFromQuads(1, quads));
    ASSERT_TRUE(image.GetPalette()->GetEntry(0, red, green, blue));
    EXPECT_EQ((std::array<BYTE, 3>{red, green, blue}), (std::array<BYTE, 3>{7, 8, 9}));
    EXPECT_FALSE(image.GetPalette()->GetEntry(256, red, green, blue));
}

TEST(ImageImplTest, DrawMapsIndicesThroughTheSelectedPalette) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(2, 1, 8, -1));
    SetTestPalette(image);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(1, 0, 3);
    CConversionSurface surface(3, 1);
    surface.Fill(kYellowFill);
    surface.Dc().SelectPalette(image.GetPalette(), FALSE);
    ASSERT_TRUE(image.Draw(&surface.Dc(), 1, 0));
    EXPECT_EQ(SurfacePixels(surface)[0], (std::vector<DWORD>{kYellow, 0xFF0000, 0x0000FF}));
}

TEST(ImageImplTest, StretchDrawLeavesTheDestinationWhereTheTransparentIndexIs) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(3, 1, 8, -1));
    SetTestPalette(image);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(1, 0, 5);
    image.SetPixelIndex(2, 0, 0);
    image.SetTransparentIndex(5);
    CConversionSurface surface(6, 2);
    surface.Fill(kYellowFill);
    surface.Dc().SelectPalette(image.GetPalette(), FALSE);
    ASSERT_TRUE(image.StretchDraw(&surface.Dc(), 0, 0, 6, 2));
    const std::vector<DWORD> row{0xFF0000, 0xFF0000, kYellow, kYellow, 0x000000, 0x000000};
    EXPECT_EQ(SurfacePixels(surface), (std::vector<std::vector<DWORD>>{row, row}));
    // The indices are back as they were.
    EXPECT_EQ(image.GetPixelIndex(1, 0), 5);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 0);
}

TEST(ImageImplTest, StretchDrawWithoutTransparencyCopiesAPart) {
    CImageImpl image;
    ASSERT_TRUE(image.Create(3, 1, 8, -1));
    SetTestPalette(image);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(1, 0, 2);
    image.SetPixelIndex(2, 0, 3);
    CConversionSurface surface(4, 1);
    surface.Fill(kYellowFill);
    surface.Dc().SelectPalette(image.GetPalette(), FALSE);
    ASSERT_TRUE(image.StretchDraw(&surface.Dc(), 0, 0, 4, 1, 1, 0));
    EXPECT_EQ(SurfacePixels(surface)[0], (std::vector<DWORD>{0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF}));
}

TEST(ImageImplTest, DrawsWithoutDibFail) {
    CImageImpl image;
    CConversionSurface surface(1, 1);
    EXPECT_FALSE(image.Draw(&surface.Dc(), 0, 0));
    EXPECT_FALSE(image.StretchDraw(&surface.Dc(), 0, 0));
}

TEST(ImageImplTest, TakeOverMovesEverything) {
    CImageImpl source;
    ASSERT_TRUE(source.Create(2, 2, 8, -1));
    SetTestPalette(source);
    source.SetTransparentIndex(4);
    source.SetPixelIndex(1, 1, 3);
    CImageImpl target;
    ASSERT_TRUE(target.Create(9, 9, 24, -1));
    target.TakeOver(source);
    EXPECT_EQ(target.GetWidth(), 2);
    EXPECT_EQ(target.GetMode(), 3);
    EXPECT_EQ(target.GetTransparentIndex(), 4);
    EXPECT_EQ(target.GetPixelIndex(1, 1), 3);
    ASSERT_NE(target.GetPalette(), nullptr);
    EXPECT_EQ(source.GetInfo(), nullptr);
    EXPECT_EQ(source.GetPalette(), nullptr);
}

} // namespace
