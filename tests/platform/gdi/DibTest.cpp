#include "GdiTestSupport.h"
#include "platform/gdi/QtInterop.h"
#include "platform/gdi/Stretch.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

RGBQUAD Quad(COLORREF c) {
    return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
}

BITMAPINFO SectionInfo(int width, int height, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader =
        BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, bitCount, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

TEST(DibSection, PixelsWrittenThroughTheContextLandInBottomUpRows) {
    const BITMAPINFO info = SectionInfo(5, 3, 24);
    void* bits = nullptr;
    CBitmap section;
    ASSERT_TRUE(section.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    ASSERT_NE(bits, nullptr);
    const auto* bytes = static_cast<const BYTE*>(bits);
    EXPECT_EQ(std::count(bytes, bytes + 48, 0), 48) << "a new section is zero-filled";

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(&section);
    dc.SetPixel(1, 0, RGB(10, 20, 30));
    dc.SelectObject(previous);

    // Rows are 16 bytes (15 padded to 4); the top row is the last one in memory.
    const BYTE* top = bytes + 2 * 16 + 3 * 1;
    EXPECT_EQ(top[0], 30);
    EXPECT_EQ(top[1], 20);
    EXPECT_EQ(top[2], 10);
    const QImage memory = BitmapMemoryImage(section);
    EXPECT_EQ(memory.constBits(), bytes);
    EXPECT_EQ(memory.pixel(1, 2), qRgb(10, 20, 30));
    EXPECT_EQ(BitmapToImage(section).pixel(1, 0), qRgb(10, 20, 30));
}

TEST(DibSection, TopDownSectionKeepsTheTopRowFirst) {
    const BITMAPINFO info = SectionInfo(2, -2, 32);
    void* bits = nullptr;
    CBitmap section;
    ASSERT_TRUE(section.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(&section);
    dc.SetPixel(1, 0, RGB(1, 2, 3));
    dc.SelectObject(previous);
    const auto* bytes = static_cast<const BYTE*>(bits);
    EXPECT_EQ(bytes[4], 3);
    EXPECT_EQ(bytes[5], 2);
    EXPECT_EQ(bytes[6], 1);
}

TEST(DibSection, DescribesItselfLikeTheSystem) {
    const BITMAPINFO info = SectionInfo(5, 3, 24);
    void* bits = nullptr;
    CBitmap section;
    section.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    DIBSECTION description{};
    ASSERT_EQ(section.GetObject(sizeof description, &description), static_cast<int>(sizeof description));
    EXPECT_EQ(description.dsBm.bmBits, bits);
    EXPECT_EQ(description.dsBm.bmWidth, 5);
    EXPECT_EQ(description.dsBm.bmHeight, 3);
    EXPECT_EQ(description.dsBm.bmWidthBytes, 16);
    EXPECT_EQ(description.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(description.dsBmih.biSizeImage, 48u);
    BITMAP plain{};
    ASSERT_EQ(section.GetBitmap(&plain), static_cast<int>(sizeof plain));
    EXPECT_EQ(plain.bmBits, bits);
}

TEST(DibSection, RefusesFormatsItDoesNotDraw) {
    for (WORD bitCount : {1, 4, 8, 16}) {
        const BITMAPINFO info = SectionInfo(4, 4, bitCount);
        void* bits = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << bitCount;
        EXPECT_EQ(bits, nullptr);
    }
    const BITMAPINFO huge = SectionInfo(100000, 100000, 24);
    void* bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, &huge, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

// One DIB of each stored format, with the top-down colours it must show. Widths leave row padding.
struct FormatCase {
    const char* name;
    PackedDib dib;
    std::vector<std::vector<COLORREF>> shown;
};

std::vector<FormatCase> FormatCases() {
    const std::vector<RGBQUAD> two{Quad(kBlack), Quad(kRed)};
    const std::vector<RGBQUAD> four{Quad(kRed), Quad(kGreen), Quad(kBlue), Quad(kGrey)};
    std::vector<FormatCase> cases;
    cases.push_back({"OneBit",
                     PackedDib::Make(1, 9, {{1, 0, 1, 1, 0, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 0, 0, 1, 0}}, two),
                     {{kRed, kBlack, kRed, kRed, kBlack, kBlack, kBlack, kBlack, kRed},
                      {kBlack, kRed, kBlack, kBlack, kBlack, kBlack, kBlack, kRed, kBlack}}});
    cases.push_back({"FourBit",
                     PackedDib::Make(4, 3, {{0, 1, 2}, {3, 2, 1}}, four),
                     {{kRed, kGreen, kBlue}, {kGrey, kBlue, kGreen}}});
    cases.push_back({"EightBit",
                     PackedDib::Make(8, 3, {{2, 3, 0}, {1, 1, 2}}, four),
                     {{kBlue, kGrey, kRed}, {kGreen, kGreen, kBlue}}});
    cases.push_back({"EightBitTopDown",
                     PackedDib::Make(8, 3, {{2, 3, 0}, {1, 1, 2}}, four, BI_RGB, {}, true),
                     {{kBlue, kGrey, kRed}, {kGreen, kGreen, kBlue}}});
    cases.push_back({"SixteenBit555",
                     PackedDib::Make(16, 3, {{0x7C00, 0x03E0, 0x001F}, {0x7FFF, 0x4210, 0}}),
                     {{kRed, kGreen, kBlue}, {kWhite, RGB(132, 132, 132), kBlack}}});
    cases.push_back({"SixteenBit565",
                     PackedDib::Make(16, 2, {{0xF800, 0x07E0}, {0x001F, 0xFFFF}}, {}, BI_BITFIELDS,
                                     {0xF800, 0x07E0, 0x001F}),
                     {{kRed, kGreen}, {kBlue, kWhite}}});
    cases.push_back({"TwentyFourBit",
                     PackedDib::Make(24, 3, {{Bgr(kRed), Bgr(kGreen), Bgr(RGB(1, 2, 3))}}),
                     {{kRed, kGreen, RGB(1, 2, 3)}}});
    cases.push_back({"ThirtyTwoBit",
                     PackedDib::Make(32, 2, {{Bgr(kBlue), 0xFF000000 | Bgr(RGB(7, 8, 9))}}),
                     {{kBlue, RGB(7, 8, 9)}}});
    cases.push_back({"ThirtyTwoBitFields",
                     PackedDib::Make(32, 2, {{0x000000FF, 0x0000FF00}}, {}, BI_BITFIELDS,
                                     {0x000000FF, 0x0000FF00, 0x00FF0000}),
                     {{kRed, kGreen}}});
    // Indexes past biClrUsed have no colour and read black.
    cases.push_back({"IndexPastTheTable", PackedDib::Make(8, 2, {{1, 200}}, two), {{kRed, kBlack}}});
    return cases;
}

class StretchDIBitsFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(StretchDIBitsFormatTest, DrawsEveryPixelOneToOne) {
    const FormatCase& c = GetParam();
    const int width = static_cast<int>(c.shown[0].size()), height = static_cast<int>(c.shown.size());
    DibCanvas canvas(width + 2, height + 2, kWhite);
    canvas.dc.SetStretchBltMode(COLORONCOLOR);
    ASSERT_EQ(StretchDIBits(canvas.dc, 1, 1, width, height, 0, 0, width, height, c.dib.Bits(), c.dib.Info(),
                            DIB_RGB_COLORS, SRCCOPY),
              height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(canvas.At(x + 1, y + 1), c.shown[y][x]) << x << ", " << y;
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(canvas.At(width + 1, height + 1), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Formats, StretchDIBitsFormatTest, testing::ValuesIn(FormatCases()),
                         [](const auto& info) { return info.param.name; });

TEST(StretchDIBits, CoreHeaderDibWithThreeByteColourTable) {
    std::vector<BYTE> dib(sizeof(BITMAPCOREHEADER));
    const BITMAPCOREHEADER header{sizeof(BITMAPCOREHEADER), 2, 1, 1, 1};
    std::memcpy(dib.data(), &header, sizeof header);
    dib.insert(dib.end(), {0, 0, 255, 255, 0, 0}); // red, then blue, as blue-green-red triples
    dib.insert(dib.end(), {0x40, 0, 0, 0});        // pixel 0 index 0, pixel 1 index 1
    DibCanvas canvas(2, 1);
    ASSERT_EQ(StretchDIBits(canvas.dc, 0, 0, 2, 1, 0, 0, 2, 1, dib.data() + 18,
                            reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS, SRCCOPY),
              1);
    EXPECT_EQ(canvas.Row(0), (std::vector<COLORREF>{kRed, kBlue}));
}

TEST(StretchDIBits, RefusesCompressedAndOddFormats) {
    DibCanvas canvas(4, 4);
    PackedDib rle = PackedDib::Make(8, 2, {{0, 0}}, {Quad(kRed)});
    reinterpret_cast<BITMAPINFOHEADER*>(rle.bytes.data())->biCompression = BI_RLE8;
    EXPECT_EQ(
        StretchDIBits(canvas.dc, 0, 0, 2, 1, 0, 0, 2, 1, rle.Bits(), rle.Info(), DIB_RGB_COLORS, SRCCOPY),
        GDI_ERROR);
    PackedDib twoBit = PackedDib::Make(8, 2, {{0, 0}}, {Quad(kRed)});
    reinterpret_cast<BITMAPINFOHEADER*>(twoBit.bytes.data())->biBitCount = 2;
    EXPECT_EQ(StretchDIBits(canvas.dc, 0, 0, 2, 1, 0, 0, 2, 1, twoBit.Bits(), twoBit.Info(), DIB_RGB_COLORS,
                            SRCCOPY),
              GDI_ERROR);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
}

TEST(StretchDIBits, PaletteColoursResolveThroughTheSelectedPalette) {
    // The colour table holds palette indexes as 16-bit words.
    PackedDib dib = PackedDib::Make(8, 3, {{0, 1, 2}});
    const std::vector<BYTE> indexes{2, 0, 0, 0, 1, 0};
    dib.bytes.insert(dib.bytes.begin() + sizeof(BITMAPINFOHEADER), indexes.begin(), indexes.end());
    dib.bitsOffset += indexes.size();
    reinterpret_cast<BITMAPINFOHEADER*>(dib.bytes.data())->biClrUsed = 3;

    DibCanvas canvas(3, 1);
    // Without a palette of our own the default palette maps: entry 2 dark green, 0 black, 1 dark red.
    StretchDIBits(canvas.dc, 0, 0, 3, 1, 0, 0, 3, 1, dib.Bits(), dib.Info(), DIB_PAL_COLORS, SRCCOPY);
    EXPECT_EQ(canvas.Row(0), (std::vector<COLORREF>{RGB(0, 128, 0), kBlack, RGB(128, 0, 0)}));

    alignas(LOGPALETTE) BYTE storage[sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY)];
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage);
    logical->palVersion = 0x300;
    logical->palNumEntries = 3;
    logical->palPalEntry[0] = PALETTEENTRY{10, 20, 30, 0};
    logical->palPalEntry[1] = PALETTEENTRY{40, 50, 60, PC_NOCOLLAPSE};
    logical->palPalEntry[2] = PALETTEENTRY{70, 80, 90, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(logical));
    CPalette* previous = canvas.dc.SelectPalette(&palette, FALSE);
    canvas.dc.RealizePalette();
    StretchDIBits(canvas.dc, 0, 0, 3, 1, 0, 0, 3, 1, dib.Bits(), dib.Info(), DIB_PAL_COLORS, SRCCOPY);
    canvas.dc.SelectPalette(previous, FALSE);
    EXPECT_EQ(canvas.Row(0), (std::vector<COLORREF>{RGB(70, 80, 90), RGB(10, 20, 30), RGB(40, 50, 60)}));
}

// A 10 x 1 source of distinct colours, so that each destination pixel names the source pixel it took.
PackedDib NumberedRow(int width) {
    std::vector<DWORD> row;
    for (int i = 0; i < width; ++i)
        row.push_back(Bgr(RGB(i * 10, 0, 0)));
    return PackedDib::Make(24, width, {row});
}

std::vector<int> SourceColumns(const DibCanvas& canvas, int width, int y = 0) {
    std::vector<int> columns;
    for (int x = 0; x < width; ++x)
        columns.push_back(GetRValue(canvas.At(x, y)) / 10);
    return columns;
}

TEST(StretchDIBits, ColorOnColorTakesTheSharedSteppingColumns) {
    const PackedDib dib = NumberedRow(10);
    for (int width : {1, 3, 4, 7, 10, 13, 25}) {
        DibCanvas canvas(width, 1);
        canvas.dc.SetStretchBltMode(COLORONCOLOR);
        StretchDIBits(canvas.dc, 0, 0, width, 1, 0, 0, 10, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS,
                      SRCCOPY);
        std::vector<int> expected(width);
        ColorOnColorSteps(10, width, 0, width, expected.data());
        EXPECT_EQ(SourceColumns(canvas, width), expected) << width;
    }
}

TEST(StretchDIBits, ClippingDoesNotMoveTheStepping) {
    const PackedDib dib = NumberedRow(10);
    DibCanvas whole(7, 1), clipped(7, 1);
    for (DibCanvas* canvas : {&whole, &clipped})
        canvas->dc.SetStretchBltMode(COLORONCOLOR);
    clipped.dc.IntersectClipRect(3, 0, 6, 1);
    for (DibCanvas* canvas : {&whole, &clipped})
        StretchDIBits(canvas->dc, 0, 0, 7, 1, 0, 0, 10, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(clipped.At(x, 0), x >= 3 && x < 6 ? whole.At(x, 0) : kWhite) << x;
}

TEST(StretchDIBits, SourceRowsCountFromTheBottomOfTheDib) {
    // Rows top to bottom: red, green, blue. Source y 1, height 1 is the middle row; y 0 the bottom row.
    const PackedDib dib = PackedDib::Make(24, 1, {{Bgr(kRed)}, {Bgr(kGreen)}, {Bgr(kBlue)}});
    DibCanvas canvas(2, 1);
    StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 1, 1, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    StretchDIBits(canvas.dc, 1, 0, 1, 1, 0, 0, 1, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(canvas.Row(0), (std::vector<COLORREF>{kGreen, kBlue}));
}

TEST(StretchDIBits, NegativeExtentsMirror) {
    const PackedDib dib = NumberedRow(4);
    DibCanvas canvas(4, 1);
    StretchDIBits(canvas.dc, 3, 0, -4, 1, 0, 0, 4, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(SourceColumns(canvas, 4), (std::vector<int>{3, 2, 1, 0}));
    const PackedDib column = PackedDib::Make(24, 1, {{Bgr(kRed)}, {Bgr(kGreen)}});
    DibCanvas flipped(1, 2);
    StretchDIBits(flipped.dc, 0, 1, 1, -2, 0, 0, 1, 2, column.Bits(), column.Info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(flipped.At(0, 0), kGreen);
    EXPECT_EQ(flipped.At(0, 1), kRed);
}

struct ShrinkCase {
    const char* name;
    int mode;
    COLORREF expected;
};

class ShrinkModeTest : public testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkModeTest, CombinesTheEliminatedPixels) {
    // Two pixels onto one: the AND mode keeps black, the OR mode white, the deleting mode the first.
    const PackedDib dib = PackedDib::Make(24, 2, {{Bgr(kWhite), Bgr(kBlack)}});
    DibCanvas canvas(1, 1, kRed);
    canvas.dc.SetStretchBltMode(GetParam().mode);
    StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 0, 2, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(canvas.At(0, 0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, ShrinkModeTest,
                         testing::Values(ShrinkCase{"BlackOnWhite", BLACKONWHITE, kBlack},
                                         ShrinkCase{"WhiteOnBlack", WHITEONBLACK, kWhite},
                                         ShrinkCase{"ColorOnColor", COLORONCOLOR, kWhite}),
                         [](const auto& info) { return info.param.name; });

TEST(StretchDIBits, HalftoneBlendsWhereColorOnColorPicks) {
    const PackedDib dib = PackedDib::Make(24, 4, {{Bgr(kWhite), Bgr(kBlack), Bgr(kWhite), Bgr(kBlack)}});
    DibCanvas canvas(2, 1, kRed);
    canvas.dc.SetStretchBltMode(HALFTONE);
    StretchDIBits(canvas.dc, 0, 0, 2, 1, 0, 0, 4, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    for (int x = 0; x < 2; ++x) {
        const int level = GetRValue(canvas.At(x, 0));
        EXPECT_GT(level, 40) << x;
        EXPECT_LT(level, 215) << x;
        EXPECT_EQ(GetGValue(canvas.At(x, 0)), level);
    }
}

TEST(StretchDIBits, InjectedFailuresReportGdiErrorAndDrawNothing) {
    const PackedDib dib = PackedDib::Make(24, 1, {{Bgr(kRed)}});
    DibCanvas canvas(1, 1);
    DibCanvas source(1, 1, kBlue);
    canvas.dc.FailNextTransfers(3);
    EXPECT_EQ(
        StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 0, 1, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY),
        GDI_ERROR);
    EXPECT_FALSE(canvas.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(SetDIBitsToDevice(canvas.dc, 0, 0, 1, 1, 0, 0, 0, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS),
              0);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(
        StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 0, 1, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(canvas.At(0, 0), kRed);
}

TEST(StretchDIBits, InjectedFailuresCanStartAfterSomeTransfersWentThrough) {
    const PackedDib dib = PackedDib::Make(24, 1, {{Bgr(kRed)}});
    DibCanvas canvas(4, 1);
    canvas.dc.FailNextTransfers(2, 1);
    std::vector<int> results;
    for (int x = 0; x < 4; ++x)
        results.push_back(StretchDIBits(canvas.dc, x, 0, 1, 1, 0, 0, 1, 1, dib.Bits(), dib.Info(),
                                        DIB_RGB_COLORS, SRCCOPY));
    EXPECT_EQ(results, (std::vector<int>{1, GDI_ERROR, GDI_ERROR, 1}));
    EXPECT_EQ(canvas.Row(0), (std::vector<COLORREF>{kRed, kWhite, kWhite, kRed}));
}

TEST(SetDIBitsToDevice, DrawsOnlyTheBandOfRowsItIsGiven) {
    // Rows top to bottom: red, green, blue, white. The caller holds DIB rows 1 and 2 (from the bottom):
    // blue and green.
    const PackedDib dib = PackedDib::Make(24, 1, {{Bgr(kRed)}, {Bgr(kGreen)}, {Bgr(kBlue)}, {Bgr(kWhite)}});
    DibCanvas canvas(1, 4, kBlack);
    const auto* band = static_cast<const BYTE*>(dib.Bits()) + 4;
    EXPECT_EQ(SetDIBitsToDevice(canvas.dc, 0, 0, 1, 4, 0, 0, 1, 2, band, dib.Info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(canvas.At(0, 0), kBlack);
    EXPECT_EQ(canvas.At(0, 1), kGreen);
    EXPECT_EQ(canvas.At(0, 2), kBlue);
    EXPECT_EQ(canvas.At(0, 3), kBlack);
}

TEST(SetDIBitsToDevice, ScanLinesBeyondTheDibAreIgnored) {
    const PackedDib dib = PackedDib::Make(24, 1, {{Bgr(kRed)}, {Bgr(kGreen)}});
    DibCanvas canvas(1, 3, kBlack);
    EXPECT_EQ(SetDIBitsToDevice(canvas.dc, 0, 0, 1, 3, 0, 0, 0, 40, dib.Bits(), dib.Info(), DIB_RGB_COLORS),
              40);
    EXPECT_EQ(canvas.At(0, 0), kBlack) << "the DIB has no third row to give";
    EXPECT_EQ(canvas.At(0, 1), kRed);
    EXPECT_EQ(canvas.At(0, 2), kGreen);
}

TEST(CreateDIBitmap, MakesADeviceBitmapFromAPalettedDib) {
    const PackedDib dib = PackedDib::Make(4, 3, {{0, 1, 2}}, {Quad(kRed), Quad(kGreen), Quad(kBlue)});
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(
        CreateDIBitmap(nullptr, &dib.Info()->bmiHeader, CBM_INIT, dib.Bits(), dib.Info(), DIB_RGB_COLORS)));
    BITMAP description{};
    bitmap.GetBitmap(&description);
    EXPECT_EQ(description.bmWidth, 3);
    EXPECT_EQ(description.bmHeight, 1);
    EXPECT_EQ(description.bmBits, nullptr);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* previous = memory.SelectObject(&bitmap);
    DibCanvas canvas(3, 1);
    canvas.dc.BitBlt(0, 0, 3, 1, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    EXPECT_EQ(canvas.Row(0), (std::vector<COLORREF>{kRed, kGreen, kBlue}));
}

TEST(StretchBlt, CopiesBetweenContextsAndWithinOne) {
    DibCanvas canvas(6, 1);
    for (int x = 0; x < 3; ++x)
        canvas.Set(x, 0, RGB(x * 10, 0, 0));
    canvas.dc.SetStretchBltMode(COLORONCOLOR);
    // An overlapping copy inside one surface reads the pixels as they were before it.
    canvas.dc.StretchBlt(1, 0, 5, 1, &canvas.dc, 0, 0, 3, 1, SRCCOPY);
    std::vector<int> expected(5);
    ColorOnColorSteps(3, 5, 0, 5, expected.data());
    expected.insert(expected.begin(), 0);
    EXPECT_EQ(SourceColumns(canvas, 6), expected);
}

} // namespace
