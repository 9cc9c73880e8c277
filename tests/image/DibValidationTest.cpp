#include "image/DibValidation.h"

#include "DibFixtures.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

using Grid = std::vector<std::vector<DWORD>>;

constexpr DWORD kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// Five named colours first, then a grey ramp.
std::vector<RGBQUAD> Palette(int entries) {
    std::vector<RGBQUAD> table;
    const DWORD named[] = {kBlack, kRed, kGreen, kBlue, kWhite};
    for (int i = 0; i < entries; ++i) {
        const DWORD c = i < 5 ? named[i] : DWORD(i) * 0x010101;
        table.push_back(RGBQUAD{BYTE(c & 0xFF), BYTE(c >> 8 & 0xFF), BYTE(c >> 16 & 0xFF), 0});
    }
    return table;
}

DibSpec Spec24(const Grid& colors, bool topDown = false) {
    DibSpec layout;
    layout.width = LONG(colors[0].size());
    layout.height = topDown ? -LONG(colors.size()) : LONG(colors.size());
    layout.bits = Rows24(colors, topDown);
    return layout;
}

std::vector<BYTE> Words(std::initializer_list<WORD> values) {
    std::vector<BYTE> out(values.size() * 2);
    std::size_t at = 0;
    for (WORD v : values) {
        out[at++] = BYTE(v & 0xFF);
        out[at++] = BYTE(v >> 8);
    }
    return out;
}

const Grid kSmall24 = {{kRed, kGreen, kBlue}, {kWhite, 0x123456, kBlack}};

// ---- Refusals ----

struct RefusedCase {
    const char* name;
    std::function<std::vector<BYTE>()> make;
    bool fileForm;
    DibFault fault;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

DibSpec With(std::function<void(DibSpec&)> change, DibSpec layout = Spec24(kSmall24)) {
    change(layout);
    return layout;
}

std::vector<BYTE> Dib(std::function<void(DibSpec&)> change) {
    return BuildDib(With(std::move(change)));
}

std::vector<BYTE> Paletted8(std::function<void(DibSpec&)> change) {
    DibSpec layout;
    layout.width = 2;
    layout.height = 2;
    layout.bitCount = 8;
    layout.table = Palette(256);
    layout.bits = std::vector<BYTE>(8, 1);
    change(layout);
    return BuildDib(layout);
}

const RefusedCase kRefused[] = {
    {"BlockShorterThanSizeField",
     [] {
         return std::vector<BYTE>{40, 0, 0};
     },
     false, DibFault::HeaderOutside},
    {"BlockShorterThanHeader",
     [] {
         auto b = Dib([](DibSpec&) {});
         b.resize(30);
         return b;
     },
     false, DibFault::HeaderOutside},
    {"HeaderSize64", [] { return Dib([](DibSpec& s) { s.headerSize = 64; }); }, false, DibFault::HeaderSize},
    {"HeaderSize0", [] { return Dib([](DibSpec& s) { s.headerSize = 0; }); }, false, DibFault::HeaderSize},
    {"HeaderSize41", [] { return Dib([](DibSpec& s) { s.headerSize = 41; }); }, false, DibFault::HeaderSize},
    {"TwoPlanes", [] { return Dib([](DibSpec& s) { s.planes = 2; }); }, false, DibFault::Planes},
    {"ZeroPlanesInCoreHeader",
     [] {
         return Dib([](DibSpec& s) {
             s.headerSize = 12;
             s.planes = 0;
         });
     },
     false, DibFault::Planes},
    {"WidthZero", [] { return Dib([](DibSpec& s) { s.width = 0; }); }, false, DibFault::Width},
    {"WidthNegative", [] { return Dib([](DibSpec& s) { s.width = -3; }); }, false, DibFault::Width},
    {"HeightZero", [] { return Dib([](DibSpec& s) { s.height = 0; }); }, false, DibFault::Height},
    {"HeightZeroInCoreHeader",
     [] {
         return Dib([](DibSpec& s) {
             s.headerSize = 12;
             s.height = 0;
         });
     },
     false, DibFault::Height},
    {"TwoBitsPerPixel", [] { return Dib([](DibSpec& s) { s.bitCount = 2; }); }, false, DibFault::BitCount},
    {"ZeroBitsPerPixel", [] { return Dib([](DibSpec& s) { s.bitCount = 0; }); }, false, DibFault::BitCount},
    {"SixtyFourBitsPerPixel", [] { return Dib([](DibSpec& s) { s.bitCount = 64; }); }, false,
     DibFault::BitCount},
    {"Rle8AtFourBits",
     [] {
         return Dib([](DibSpec& s) {
             s.bitCount = 4;
             s.compression = BI_RLE8;
         });
     },
     false, DibFault::Compression},
    {"Rle4AtEightBits", [] { return Paletted8([](DibSpec& s) { s.compression = BI_RLE4; }); }, false,
     DibFault::Compression},
    {"TopDownRle8",
     [] {
         return Paletted8([](DibSpec& s) {
             s.compression = BI_RLE8;
             s.height = -2;
         });
     },
     false, DibFault::Compression},
    {"BitFieldsAt24Bits",
     [] {
         return Dib([](DibSpec& s) {
             s.compression = BI_BITFIELDS;
             s.masks = {0xFF0000, 0xFF00, 0xFF};
         });
     },
     false, DibFault::Compression},
    {"EmbeddedJpeg", [] { return Dib([](DibSpec& s) { s.compression = 4; }); }, false, DibFault::Compression},
    {"WiderThanMaximum",
     [] {
         return Dib([](DibSpec& s) {
             s.width = 65536;
             s.height = 1;
         });
     },
     false, DibFault::TooLarge},
    {"TallerThanMaximumTopDown",
     [] {
         return Dib([](DibSpec& s) {
             s.width = 1;
             s.height = -65536;
         });
     },
     false, DibFault::TooLarge},
    {"MostNegativeHeight", [] { return Dib([](DibSpec& s) { s.height = INT32_MIN; }); }, false,
     DibFault::TooLarge},
    {"MorePixelsThanMaximum",
     [] {
         return Dib([](DibSpec& s) {
             s.width = 20000;
             s.height = 20000;
         });
     },
     false, DibFault::TooLarge},
    {"ColorTableCutShort",
     [] {
         auto b = Paletted8([](DibSpec& s) { s.bits.clear(); });
         b.resize(40 + 1000);
         return b;
     },
     false, DibFault::ColorTableOutside},
    {"ColorsUsedFarPastBlock", [] { return Paletted8([](DibSpec& s) { s.colorsUsed = 0x40000000; }); }, false,
     DibFault::ColorTableOutside},
    {"OptimisationPaletteFarPastBlock", [] { return Dib([](DibSpec& s) { s.colorsUsed = 0xFFFFFFFF; }); },
     false, DibFault::ColorTableOutside},
    {"MasksCutShort",
     [] {
         auto b = Dib([](DibSpec& s) {
             s.bitCount = 16;
             s.compression = BI_BITFIELDS;
             s.bits.clear();
         });
         return b;
     },
     false, DibFault::ColorTableOutside},
    {"RowsCutShortByOneByte",
     [] {
         auto b = Dib([](DibSpec&) {});
         b.pop_back();
         return b;
     },
     false, DibFault::RowsOutside},
    {"RowsOfHugeWidthAndTinyBlock",
     [] {
         return Dib([](DibSpec& s) {
             s.width = 65535;
             s.height = 4096;
         });
     },
     false, DibFault::RowsOutside},
    {"FileRowsCutShort",
     [] {
         auto b = BuildBmpFile(Spec24(kSmall24));
         b.pop_back();
         return b;
     },
     true, DibFault::RowsOutside},
    {"FileOffsetPastEnd", [] { return BuildBmpFile(Spec24(kSmall24), 0, 5000u); }, true,
     DibFault::RowsOutside},
    {"FileOffsetIntoFileHeader", [] { return BuildBmpFile(Spec24(kSmall24), 0, 10u); }, true,
     DibFault::BitsOffset},
    {"FileOffsetIntoInfoHeader", [] { return BuildBmpFile(Spec24(kSmall24), 0, 14u + 20u); }, true,
     DibFault::BitsOffset},
    {"FileOffsetIntoColorTable",
     [] {
         DibSpec s;
         s.width = 2;
         s.height = 2;
         s.bitCount = 8;
         s.table = Palette(256);
         s.bits = std::vector<BYTE>(8, 1);
         return BuildBmpFile(s, 0, 14u + 40u + 512u);
     },
     true, DibFault::BitsOffset},
    {"FileOffsetIntoMasks",
     [] {
         DibSpec s = Spec24(kSmall24);
         s.bitCount = 16;
         s.compression = BI_BITFIELDS;
         s.masks = {0xF800, 0x07E0, 0x001F};
         return BuildBmpFile(s, 0, 14u + 40u + 4u);
     },
     true, DibFault::BitsOffset},
    {"FileShorterThanFileHeader",
     [] {
         return std::vector<BYTE>{'B', 'M', 0, 0};
     },
     true, DibFault::HeaderOutside},
};

class RefusedDibTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedDibTest, IsRefusedForItsFault) {
    const std::vector<BYTE> input = GetParam().make();
    const NormalizedDib result =
        GetParam().fileForm ? NormalizeBmpFileImage(input) : NormalizeExternalDib(input);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.length, 0u);
    EXPECT_EQ(int(result.fault), int(GetParam().fault));
}

INSTANTIATE_TEST_SUITE_P(Hostile, RefusedDibTest, testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Unusual pictures, normalised ----

struct AcceptedCase {
    const char* name;
    std::function<std::vector<BYTE>()> make;
    bool fileForm;
    int bitCount; // of the result
    Grid pixels;  // of the result, top row first
};

void PrintTo(const AcceptedCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<BYTE> Rle8Picture() {
    DibSpec s;
    s.width = 4;
    s.height = 3;
    s.bitCount = 8;
    s.compression = BI_RLE8;
    s.table = Palette(256);
    s.bits = {
        0x03, 0x01,                         // three red
        0x00, 0x03, 0x02, 0x03, 0x04, 0x00, // absolute run of three, padded; two fall past the row
        0x00, 0x00,                         // end of line
        0x00, 0x02, 0x02, 0x00,             // two to the right
        0x01, 0x03,                         // one blue
        0x00, 0x00,                         // end of line
        0x06, 0x04,                         // six white, two past the row
        0x00, 0x01,                         // end of bitmap
        0x05, 0x01,                         // ignored
    };
    return BuildDib(s);
}

std::vector<BYTE> Rle4Picture() {
    DibSpec s;
    s.width = 5;
    s.height = 3;
    s.bitCount = 4;
    s.compression = BI_RLE4;
    s.table = Palette(16);
    s.bits = {
        0x05, 0x12,             // red, green, red, green, red
        0x00, 0x00,             // end of line
        0x00, 0x03, 0x34, 0x10, // absolute: blue, white, red (odd count, padded)
        0x02, 0x44,             // white, white
        0x00, 0x02, 0x01, 0x05, // delta past the last row ends the picture
        0x05, 0x11,             // never reached
    };
    return BuildDib(s);
}

std::vector<BYTE> BitFields16(DWORD headerSize) {
    DibSpec s;
    s.headerSize = headerSize;
    s.width = 2;
    s.height = 2;
    s.bitCount = 16;
    s.compression = BI_BITFIELDS;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.bits = Words({0x001F, 0x8410, 0xF800, 0x07E0}); // bottom row first
    return BuildDib(s);
}

std::vector<BYTE> Rgb555() {
    DibSpec s;
    s.width = 2;
    s.height = -2;
    s.bitCount = 16;
    s.bits = Words({0x7C00, 0x03E0, 0x001F, 0x4210}); // top row first
    return BuildDib(s);
}

std::vector<BYTE> BitFields32(DWORD headerSize, std::vector<DWORD> masks, std::vector<BYTE> pixels) {
    DibSpec s;
    s.headerSize = headerSize;
    s.width = 2;
    s.height = 1;
    s.bitCount = 32;
    s.compression = BI_BITFIELDS;
    s.masks = std::move(masks);
    s.bits = std::move(pixels);
    return BuildDib(s);
}

std::vector<BYTE> CoreHeader8() {
    DibSpec s;
    s.headerSize = 12;
    s.width = 3;
    s.height = 1;
    s.bitCount = 8;
    s.table = Palette(256);
    s.bits = {4, 2, 200, 0};
    return BuildDib(s);
}

std::vector<BYTE> ColorsUsedAboveTable() {
    DibSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 4;
    s.colorsUsed = 20;
    s.table = Palette(20);
    s.bits = {0x1F, 0, 0, 0};
    return BuildDib(s);
}

std::vector<BYTE> IndexPastShortTable() {
    DibSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 8;
    s.colorsUsed = 2;
    s.table = Palette(2);
    s.bits = {1, 5, 0, 0};
    return BuildDib(s);
}

const AcceptedCase kAccepted[] = {
    {"TopDown24", [] { return BuildDib(Spec24(kSmall24, true)); }, false, 24, kSmall24},
    {"Rle8WithDeltaEndOfLineAndOddAbsoluteRun",
     Rle8Picture,
     false,
     8,
     {{kWhite, kWhite, kWhite, kWhite}, {kBlack, kBlack, kBlue, kBlack}, {kRed, kRed, kRed, kGreen}}},
    {"Rle4WithOddAbsoluteRunAndDeltaPastTheEnd",
     Rle4Picture,
     false,
     4,
     {{kBlack, kBlack, kBlack, kBlack, kBlack},
      {kBlue, kWhite, kRed, kWhite, kWhite},
      {kRed, kGreen, kRed, kGreen, kRed}}},
    {"BitFields565", [] { return BitFields16(40); }, false, 24, {{kRed, kGreen}, {kBlue, 0x848284}}},
    {"BitFields565InV3Header",
     [] { return BitFields16(56); },
     false,
     24,
     {{kRed, kGreen}, {kBlue, 0x848284}}},
    {"Rgb555StaysSixteenBit", Rgb555, false, 16, {{kRed, kGreen}, {kBlue, 0x848484}}},
    {"BitFields32WithSwappedMasks",
     [] {
         return BitFields32(40, {0xFF, 0xFF00, 0xFF0000}, {0x11, 0x22, 0x33, 0x44, 0xFF, 0, 0, 0});
     },
     false,
     24,
     {{0x112233, kRed}}},
    {"BitFields32TenBitChannels",
     [] {
         return BitFields32(40, {0x3FF00000, 0x000FFC00, 0x000003FF}, {0xFF, 0x03, 0, 0, 0, 0, 0xF0, 0x3F});
     },
     false,
     24,
     {{0x0000FF, 0xFF0000}}},
    {"BitFields32PlainMasksInV4Header",
     [] {
         return BitFields32(108, {0xFF0000, 0xFF00, 0xFF}, {0x33, 0x22, 0x11, 0x80, 0, 0, 0xFF, 0});
     },
     false,
     32,
     {{0x112233, kRed}}},
    {"CoreHeader8", CoreHeader8, false, 8, {{kWhite, kGreen, 0xC8C8C8}}},
    {"CoreHeaderFile",
     [] {
         DibSpec s;
         s.headerSize = 12;
         s.width = 1;
         s.height = 1;
         s.bitCount = 1;
         s.table = Palette(2);
         s.bits = {0x80, 0, 0, 0};
         return BuildBmpFile(s);
     },
     true,
     1,
     {{kRed}}},
    {"V5Header24", [] { return BuildDib(With([](DibSpec& s) { s.headerSize = 124; })); }, false, 24,
     kSmall24},
    {"V5HeaderFileWithProfileGap",
     [] { return BuildBmpFile(With([](DibSpec& s) { s.headerSize = 124; }), 64); }, true, 24, kSmall24},
    {"ColorsUsedAboveTableClamped", ColorsUsedAboveTable, false, 4, {{kRed, 0x0F0F0F}}},
    {"OptimisationPaletteOf24BitDropped",
     [] {
         return BuildDib(With([](DibSpec& s) {
             s.colorsUsed = 2;
             s.table = Palette(2);
         }));
     },
     false, 24, kSmall24},
    {"GapBeforeRowsRemoved", [] { return BuildBmpFile(Spec24(kSmall24), 10); }, true, 24, kSmall24},
    {"IndexPastShortTableReadsBlack", IndexPastShortTable, false, 8, {{kRed, kBlack}}},
};

class AcceptedDibTest : public testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedDibTest, BecomesTheProgramsFormWithTheSamePixels) {
    const std::vector<BYTE> input = GetParam().make();
    const NormalizedDib result =
        GetParam().fileForm ? NormalizeBmpFileImage(input) : NormalizeExternalDib(input);
    ASSERT_TRUE(result) << "refused: " << int(result.fault);
    BITMAPINFOHEADER header;
    std::memcpy(&header, result.block.get(), sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biCompression, BI_RGB);
    EXPECT_EQ(header.biBitCount, GetParam().bitCount);
    EXPECT_GT(header.biHeight, 0);
    const DWORD table =
        header.biBitCount <= 8 ? 4 * (header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount) : 0;
    EXPECT_EQ(result.length, 40 + table + header.biSizeImage);
    EXPECT_EQ(header.biSizeImage,
              DWORD((header.biWidth * header.biBitCount + 31) / 32 * 4 * header.biHeight));
    EXPECT_EQ(AllPixels(result.block.get()), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Unusual, AcceptedDibTest, testing::ValuesIn(kAccepted),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibValidationTest, KeepsABlockInTheProgramsFormWhereItIs) {
    DibSpec layout = Spec24(kSmall24);
    layout.sizeImage = 0xFFFFFFF0; // a lie that readers of biSizeImage must never see
    std::vector<BYTE> bytes = BuildDib(layout);
    bytes.insert(bytes.end(), {1, 2, 3});
    auto block = std::make_unique<BYTE[]>(bytes.size());
    std::memcpy(block.get(), bytes.data(), bytes.size());
    const BYTE* original = block.get();

    const NormalizedDib result = NormalizeExternalDib(std::move(block), bytes.size());

    ASSERT_TRUE(result);
    EXPECT_EQ(result.block.get(), original);
    EXPECT_EQ(result.length, bytes.size() - 3);
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(original)->biSizeImage, result.length - 40);
    EXPECT_EQ(0, std::memcmp(original + 40, bytes.data() + 40, result.length - 40));
}

TEST(DibValidationTest, WidenedTableKeepsTheKnownColours) {
    const NormalizedDib result = NormalizeExternalDib(IndexPastShortTable());
    ASSERT_TRUE(result);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(result.block.get());
    EXPECT_EQ(header->biClrUsed, 0u);
    EXPECT_EQ(result.length, 40u + 1024u + 4u);
}

TEST(DibValidationTest, PaddingBitsAreNoPixels) {
    DibSpec layout;
    layout.width = 3;
    layout.height = 1;
    layout.bitCount = 4;
    layout.colorsUsed = 2;
    layout.table = Palette(2);
    layout.bits = {0x10, 0x0F, 0xFF, 0xFF}; // pixels 1, 0, 0; the rest is padding
    const NormalizedDib result = NormalizeExternalDib(BuildDib(layout));
    ASSERT_TRUE(result);
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(result.block.get())->biClrUsed, 2u);
    EXPECT_EQ(result.length, 40u + 8u + 4u);
}

TEST(DibValidationTest, RunLengthIndexPastShortTableWidensIt) {
    DibSpec layout;
    layout.width = 2;
    layout.height = 1;
    layout.bitCount = 8;
    layout.compression = BI_RLE8;
    layout.colorsUsed = 3;
    layout.table = Palette(3);
    layout.bits = {1, 2, 1, 9, 0, 1};
    const NormalizedDib result = NormalizeExternalDib(BuildDib(layout));
    ASSERT_TRUE(result);
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(result.block.get())->biClrUsed, 0u);
    EXPECT_EQ(AllPixels(result.block.get()), Grid({{kGreen, kBlack}}));
}

TEST(DibValidationTest, RefusesANullBlock) {
    EXPECT_FALSE(NormalizeExternalDib(nullptr, 100));
    EXPECT_FALSE(NormalizeExternalDib(std::span<const BYTE>()));
}

} // namespace
