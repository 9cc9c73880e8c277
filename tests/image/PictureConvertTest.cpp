#include "image/DibMemory.h"
#include "image/DibPalette.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "tests/image/DibBuilder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Picture = std::unique_ptr<CPictureInfo>;

Picture Numbered(int width, int height) {
    DibBuilder dib(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            dib.SetPixel(x, y, static_cast<unsigned>(x << 16 | y << 8 | 1));
    }
    return Picture(PictureOf(dib));
}

bool SameBlock(const CPictureInfo& a, const CPictureInfo& b) {
    return a.GetLength() == b.GetLength() && std::memcmp(a.GetHeader(), b.GetHeader(), a.GetLength()) == 0;
}

TEST(ConvertPicture, TwentyFourBitsAreCopiedOrRedrawn) {
    Picture source = Numbered(5, 3);
    source->GetHeader()->biXPelsPerMeter = 2835;
    const Picture copy(source->ConvertTo24Bit());
    EXPECT_TRUE(SameBlock(*copy, *source)) << "a byte copy";

    const Picture redrawn(source->CopyTo24Bit());
    EXPECT_EQ(redrawn->GetHeader()->biXPelsPerMeter, 0);
    EXPECT_EQ(redrawn->GetHeader()->biClrUsed, 0u);
    EXPECT_EQ(AllPixelsOf(*redrawn), AllPixelsOf(*source));
}

TEST(ConvertPicture, PalettedPicturesBecomeTheirColours) {
    DibBuilder dib(3, 1, 4, {Rgb(0x000000), Rgb(0xFF8000), Rgb(0x0080FF)});
    dib.Pixels({2, 1, 0});
    const Picture source(PictureOf(dib));
    for (const Picture& converted : {Picture(source->ConvertTo24Bit()), Picture(source->CopyTo24Bit())}) {
        ASSERT_TRUE(converted);
        EXPECT_TRUE(converted->Is24Bit());
        EXPECT_EQ(AllPixelsOf(*converted), (std::vector<unsigned>{0x0080FF, 0xFF8000, 0x000000}));
        EXPECT_EQ(converted->GetLength(), 40u + 12);
    }
}

TEST(ConvertPicture, ScalingStepsLikeTheDrawingLayer) {
    const Picture source = Numbered(3, 1);
    const Picture wider(source->ScaleTo24Bit(6, 2));
    ASSERT_TRUE(wider);
    EXPECT_EQ(AllPixelsOf(*wider),
              (std::vector<unsigned>{0x000001, 0x000001, 0x010001, 0x010001, 0x020001, 0x020001, 0x000001,
                                     0x000001, 0x010001, 0x010001, 0x020001, 0x020001}));
    const Picture same(source->ScaleTo24Bit(CRect(10, 10, 13, 11)));
    EXPECT_EQ(AllPixelsOf(*same), AllPixelsOf(*source));
    for (const auto& [w, h] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{-3, 2}, std::pair{70000, 1}})
        EXPECT_EQ(source->ScaleTo24Bit(w, h), nullptr) << w << "x" << h;
    EXPECT_EQ(Picture(new CPictureInfo)->ScaleTo24Bit(2, 2), nullptr);
}

TEST(ConvertPicture, CropCountsFromTheTopAndIsClamped) {
    const Picture source = Numbered(5, 4);
    const Picture inner(source->Crop24(CRect(1, 1, 3, 4)));
    ASSERT_TRUE(inner);
    EXPECT_EQ(AllPixelsOf(*inner),
              (std::vector<unsigned>{0x010101, 0x020101, 0x010201, 0x020201, 0x010301, 0x020301}));
    EXPECT_EQ(inner->GetHeader()->biSizeImage, 3u * 8);

    const Picture clamped(source->Crop24(CRect(3, -5, 50, 1)));
    ASSERT_TRUE(clamped);
    EXPECT_EQ(AllPixelsOf(*clamped), (std::vector<unsigned>{0x030001, 0x040001}));
    EXPECT_EQ(source->Crop24(CRect(6, 0, 9, 2)), nullptr) << "outside";
    EXPECT_EQ(source->Crop24(CRect(2, 2, 2, 3)), nullptr) << "empty";

    DibBuilder indexed(2, 2, 8, std::vector<RGBQUAD>(256));
    EXPECT_EQ(Picture(PictureOf(indexed))->Crop24(CRect(0, 0, 1, 1)), nullptr) << "not 24-bit";
}

TEST(ConvertPicture, ScaleToFitNeverEnlarges) {
    struct Case {
        int width, height;
        CRect bounds;
        int wantWidth, wantHeight;
    };
    for (const Case& c :
         {Case{40, 20, CRect(0, 0, 100, 100), 40, 20}, Case{200, 100, CRect(0, 0, 50, 50), 50, 25},
          Case{100, 300, CRect(0, 0, 60, 60), 20, 60}}) {
        const Picture source = FilledPicture(c.width, c.height, 0x204060);
        HGLOBAL block = source->ScaleToFitHGlobal(c.bounds, 0, 0xFFFFFF);
        ASSERT_NE(block, nullptr);
        {
            CGlobalLock lock(block);
            const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(lock.Bytes());
            EXPECT_EQ(h->biWidth, c.wantWidth);
            EXPECT_EQ(h->biHeight, c.wantHeight);
            EXPECT_EQ(h->biBitCount, 24);
            EXPECT_EQ(PixelsOf(h, c.wantHeight)[0], 0x204060u);
        }
        GlobalFree(block);
    }
    EXPECT_EQ(FilledPicture(10, 10, 0)->ScaleToFitHGlobal(CRect(0, 0, 0, 0), 0, 0), nullptr);
}

TEST(ConvertPicture, SwapRedBlue) {
    Picture picture = FilledPicture(3, 2, 0x112233);
    picture->SwapRedBlue();
    EXPECT_EQ(AllPixelsOf(*picture), std::vector<unsigned>(6, 0x332211));
}

TEST(MergePicture, AddsBytesAroundMidGrey) {
    const Picture base = Numbered(4, 2);
    const Picture grey = FilledPicture(2, 2, 0x7F7F7F);
    const Picture same(base->Merge(grey.get()));
    ASSERT_TRUE(same);
    EXPECT_EQ(AllPixelsOf(*same), AllPixelsOf(*base));

    const Picture white = FilledPicture(4, 2, 0xFFFFFF);
    const Picture stillWhite(white->Merge(white.get()));
    EXPECT_EQ(AllPixelsOf(*stillWhite), std::vector<unsigned>(8, 0xFFFFFF));

    const Picture dark = FilledPicture(4, 2, 0x102030);
    const Picture darker(dark->Merge(dark.get()));
    EXPECT_EQ(AllPixelsOf(*darker), std::vector<unsigned>(8, 0x000000)) << "clamped at 0";

    EXPECT_EQ(base->Merge(nullptr), nullptr);
    EXPECT_EQ(base->Merge(Picture(new CPictureInfo).get()), nullptr);
}

TEST(DibPalette, PaletteFromTheColourTable) {
    DibBuilder dib(1, 1, 8, {Rgb(0x102030), Rgb(0x405060), Rgb(0x708090)});
    const std::unique_ptr<CPalette> palette(CreateDibPalette(dib.Header(), PC_NOCOLLAPSE));
    ASSERT_TRUE(palette);
    ASSERT_EQ(palette->GetEntryCount(), 3);
    PALETTEENTRY entry{};
    palette->GetPaletteEntries(1, 1, &entry);
    EXPECT_EQ(entry.peRed, 0x40);
    EXPECT_EQ(entry.peBlue, 0x60);
    EXPECT_EQ(entry.peFlags, PC_NOCOLLAPSE);
    DibBuilder trueColour(1, 1, 24);
    EXPECT_EQ(CreateDibPalette(trueColour.Header(), 0), nullptr);
}

TEST(DibPalette, ColourTableFilledFromAPalette) {
    BITMAPINFOHEADER* dib = CreateBlankDib(8, 4, 4);
    ASSERT_NE(dib, nullptr);
    ASSERT_TRUE(FillDibColorTable(dib, nullptr, DIB_PAL_COLORS));
    const auto* indexes = reinterpret_cast<const WORD*>(DibColorTablePtr(dib));
    EXPECT_EQ(indexes[0], 0);
    EXPECT_EQ(indexes[255], 255);

    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 2;
    logical->palPalEntry[0] = {1, 2, 3, 0};
    logical->palPalEntry[1] = {4, 5, 6, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(logical));
    ASSERT_TRUE(FillDibColorTable(dib, static_cast<HPALETTE>(palette.GetSafeHandle()), DIB_RGB_COLORS));
    const auto* table = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(dib));
    EXPECT_EQ(table[1].rgbRed, 4);
    EXPECT_EQ(table[1].rgbBlue, 6);
    EXPECT_EQ(table[2].rgbRed + table[2].rgbGreen + table[2].rgbBlue, 0) << "black beyond the palette";

    dib->biClrUsed = 100000; // a bogus count cannot write past the table
    EXPECT_TRUE(FillDibColorTable(dib, nullptr, DIB_RGB_COLORS));
    EXPECT_FALSE(FillDibColorTable(nullptr, nullptr, DIB_RGB_COLORS));
    GlobalFree(GlobalHandle(dib));
}

TEST(DibMemory, BlankDibsCarryTheStandardColours) {
    BITMAPINFOHEADER* dib = CreateBlankDib(8, 5, 3);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->biClrUsed, 256u);
    EXPECT_EQ(dib->biSizeImage, 3u * 8);
    EXPECT_GE(GlobalSize(GlobalHandle(dib)), 40u + 1024 + 24);
    const auto* table = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(dib));
    EXPECT_EQ(table[1].rgbRed, 0x80); // maroon
    EXPECT_EQ(table[15].rgbBlue, 0xFF);
    EXPECT_EQ(table[17].rgbRed, 0x80) << "the sixteen repeat";
    GlobalFree(GlobalHandle(dib));

    BITMAPINFOHEADER* nibbles = CreateBlankDib(4, 2, 2);
    EXPECT_EQ(nibbles->biClrUsed, 16u);
    GlobalFree(GlobalHandle(nibbles));

    for (const auto& [bpp, w, h] : {std::tuple{8, 0, 3}, std::tuple{8, 3, -1}, std::tuple{7, 3, 3},
                                    std::tuple{24, 70000, 2}, std::tuple{32, 30000, 30000}})
        EXPECT_EQ(CreateBlankDib(bpp, w, h), nullptr) << bpp << " " << w << "x" << h;
}

TEST(DibMemory, AllocDibRefusesBadSizes) {
    HGLOBAL band = AllocDib(10, 100, 24, 0, 20, 5);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(GlobalSize(band), 40u + 5 * 32);
    GlobalFree(band);
    EXPECT_EQ(AllocDib(0, 10, 24, 0, 0, 1), nullptr);
    EXPECT_EQ(AllocDib(10, 10, 24, 0, 0, 0), nullptr);
    EXPECT_EQ(AllocDib(10, 10, 8, 300, 0, 10), nullptr);
    EXPECT_EQ(AllocDib(65536, 10, 8, 0, 0, 10), nullptr);
}

} // namespace
