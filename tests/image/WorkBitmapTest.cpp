// The working picture: take-in of every depth, the intermediate 8-bit form of 1- and 4-bit pictures,
// refusals, the saves and the temporary file.
#include "image/WorkBitmap.h"

#include "image/DibExpand.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Picture = std::unique_ptr<CPictureInfo>;
using Pixels = std::vector<unsigned>;

// The colours of every pixel, 0xRRGGBB, top row first; paletted pictures through their table.
Pixels ColoursOf(const CPictureInfo& picture) {
    Pixels out;
    const BITMAPINFOHEADER* h = picture.GetHeader();
    const auto* table = reinterpret_cast<const RGBQUAD*>(h + 1);
    for (int y = 0; y < picture.GetHeight(); ++y) {
        for (int x = 0; x < picture.GetWidth(); ++x) {
            const unsigned value = PixelOf(picture, x, y);
            if (h->biBitCount > 8) {
                out.push_back(value & 0xFFFFFF);
                continue;
            }
            const RGBQUAD c = table[value];
            out.push_back(static_cast<unsigned>(c.rgbRed << 16 | c.rgbGreen << 8 | c.rgbBlue));
        }
    }
    return out;
}

std::vector<BYTE> BytesOf(DibBuilder& dib) {
    return std::vector<BYTE>(dib.Bytes(), dib.Bytes() + dib.Length());
}

struct DepthCase {
    const char* name;
    std::vector<BYTE> (*make)();
    Pixels colours; // top row first
};

std::vector<BYTE> OneBit() {
    DibBuilder dib(3, 2, 1, {Rgb(0x203040), Rgb(0xF0E0D0)});
    dib.Pixels({0, 1, 1, 1, 0, 0});
    return BytesOf(dib);
}

std::vector<BYTE> FourBit() {
    std::vector<RGBQUAD> colours;
    for (unsigned i = 0; i < 16; ++i)
        colours.push_back(Rgb(i * 0x101010));
    DibBuilder dib(3, 2, 4, colours);
    dib.Header()->biClrUsed = 0;
    dib.Pixels({0, 7, 15, 9, 1, 14});
    return BytesOf(dib);
}

std::vector<BYTE> EightBit() {
    DibBuilder dib(3, 2, 8, {Rgb(0x0000FF), Rgb(0x00FF00), Rgb(0xFF0000)});
    dib.Pixels({0, 1, 2, 2, 1, 0});
    return BytesOf(dib);
}

std::vector<BYTE> SixteenBit() {
    DibBuilder dib(3, 2, 16);
    dib.Pixels({0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0000, 0x7C1F});
    return BytesOf(dib);
}

// The same six colours at 24 or 32 bits per pixel.
template <int kBits>
std::vector<BYTE> TrueColour() {
    DibBuilder dib(3, 2, kBits);
    dib.Pixels({0x123456, 0xABCDEF, 0x000000, 0xFFFFFF, 0x808080, 0x010203});
    return BytesOf(dib);
}

const DepthCase kDepthCases[] = {
    {"OneBit", OneBit, {0x203040, 0xF0E0D0, 0xF0E0D0, 0xF0E0D0, 0x203040, 0x203040}},
    {"FourBitWithoutColourCount", FourBit, {0x000000, 0x707070, 0xF0F0F0, 0x909090, 0x101010, 0xE0E0E0}},
    {"EightBit", EightBit, {0x0000FF, 0x00FF00, 0xFF0000, 0xFF0000, 0x00FF00, 0x0000FF}},
    {"SixteenBit", SixteenBit, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF00FF}},
    {"TwentyFourBit", TrueColour<24>, {0x123456, 0xABCDEF, 0x000000, 0xFFFFFF, 0x808080, 0x010203}},
    {"ThirtyTwoBit", TrueColour<32>, {0x123456, 0xABCDEF, 0x000000, 0xFFFFFF, 0x808080, 0x010203}},
};

class WorkBitmapDepths : public ::testing::TestWithParam<DepthCase> {
protected:
    FakeAppServices m_services;
};

// 5-bit channels widen to 8 bits: full scale may come out as 248 or 255.
bool SameColour(unsigned got, unsigned want) {
    for (int shift : {0, 8, 16}) {
        const int g = static_cast<int>(got >> shift & 0xFF), w = static_cast<int>(want >> shift & 0xFF);
        if (g < w - 8 || g > w)
            return false;
    }
    return true;
}

TEST_P(WorkBitmapDepths, TakeInMakesATrueColourOriginalOfTheSameColours) {
    const DepthCase& c = GetParam();
    std::vector<BYTE> dib = c.make();
    CWorkBitmap work;
    ASSERT_TRUE(work.SetTo(static_cast<DWORD>(dib.size()), dib.data()));
    const CPictureInfo* original = work.GetOriginalDib();
    ASSERT_NE(original, nullptr);
    EXPECT_TRUE(original->Is24Bit());
    EXPECT_EQ(original->GetHeader()->biCompression, static_cast<DWORD>(BI_RGB));
    const Pixels got = ColoursOf(*original);
    ASSERT_EQ(got.size(), c.colours.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(SameColour(got[i], c.colours[i])) << i << ": " << std::hex << got[i];
    EXPECT_TRUE(m_services.Messages().empty());
}

// What SaveOriginal writes is a 24-bit BMP that a real tool reads with the same pixels.
TEST_P(WorkBitmapDepths, SaveOriginalWritesATrueColourBmp) {
    const DepthCase& c = GetParam();
    std::vector<BYTE> dib = c.make();
    CWorkBitmap work;
    ASSERT_TRUE(work.SetTo(static_cast<DWORD>(dib.size()), dib.data()));
    TempFolder folder;
    const CString bmp = folder.Path() + "/original.bmp";
    ASSERT_TRUE(work.SaveOriginal(bmp));

    std::ifstream file(bmp.GetString(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[14 + 14], 24) << "bits per pixel";

    const std::string command = "gm convert '" + std::string(bmp.GetString()) + "' ppm:- 2>/dev/null";
    FILE* pipe = popen(InToolLocale(command).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    int width = 0, height = 0, maxValue = 0;
    ASSERT_EQ(std::fscanf(pipe, "P6 %d %d %d", &width, &height, &maxValue), 3);
    std::fgetc(pipe);
    Pixels read;
    for (int i = 0; i < width * height; ++i) {
        const int r = std::fgetc(pipe), g = std::fgetc(pipe), b = std::fgetc(pipe);
        read.push_back(static_cast<unsigned>(r << 16 | g << 8 | b));
    }
    pclose(pipe);
    EXPECT_EQ(read, ColoursOf(*work.GetOriginalDib()));
}

INSTANTIATE_TEST_SUITE_P(Depths, WorkBitmapDepths, ::testing::ValuesIn(kDepthCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WorkBitmapExpand, OneBitTenPixelsWideGoesThroughTwelveByteRows) {
    DibBuilder dib(10, 3, 1, {Rgb(0x112233), Rgb(0xDDCCBB)});
    dib.Pixels({1, 0, 1, 0, 1, 0, 1, 0, 1, 1, //
                0, 0, 0, 0, 0, 0, 0, 0, 0, 1, //
                1, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    const Picture oneBit(PictureOf(dib));
    const Picture eight(ExpandTo8Bit(*oneBit));
    ASSERT_NE(eight, nullptr);
    const BITMAPINFOHEADER* h = eight->GetHeader();
    EXPECT_EQ(h->biBitCount, 8);
    EXPECT_EQ(h->biSizeImage, 36u);
    EXPECT_EQ(h->biClrUsed, 0u);
    EXPECT_EQ(h->biClrImportant, 0u);
    EXPECT_EQ(eight->GetLength(), 40u + 1024u + 36u);
    const auto* table = reinterpret_cast<const BYTE*>(h + 1);
    EXPECT_EQ(std::vector<BYTE>(table, table + 8),
              std::vector<BYTE>({0x33, 0x22, 0x11, 0, 0xBB, 0xCC, 0xDD, 0}));
    for (int i = 8; i < 1024; ++i)
        ASSERT_EQ(table[i], 0xFF) << "entries 2..255 are white, byte " << i;
    Pixels indexes;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x)
            indexes.push_back(PixelOf(*eight, x, y));
    EXPECT_EQ(indexes, Pixels({1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0,
                               0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));

    FakeAppServices services;
    CWorkBitmap work;
    ASSERT_TRUE(work.SetTo(dib.Length(), dib.Bytes()));
    EXPECT_TRUE(work.GetOriginalDib()->Is24Bit());
    EXPECT_EQ(PixelOf(*work.GetOriginalDib(), 0, 0), 0xDDCCBBu);
    EXPECT_EQ(PixelOf(*work.GetOriginalDib(), 1, 0), 0x112233u);
    EXPECT_EQ(PixelOf(*work.GetOriginalDib(), 9, 2), 0x112233u);
}

TEST(WorkBitmapExpand, OnlyOneAndFourBitPicturesExpand) {
    DibBuilder eightBit(2, 2, 8, {Rgb(0), Rgb(0xFFFFFF)});
    const Picture picture(PictureOf(eightBit));
    EXPECT_EQ(ExpandTo8Bit(*picture), nullptr);
    EXPECT_EQ(ExpandTo8Bit(CPictureInfo()), nullptr);
}

// A colour table longer than the bits address keeps only the entries they address; a count beyond the
// data is refused. Nothing reads or writes past a table.
TEST(WorkBitmapExpand, ColourCountsAreClampedToTheBitCount) {
    for (DWORD stored : {3u, 40u}) {
        std::vector<RGBQUAD> colours(stored, Rgb(0x445566));
        colours[0] = Rgb(0x010101);
        colours[1] = Rgb(0xFEFEFE);
        DibBuilder dib(3, 1, 1, colours);
        // The builder places rows behind the addressed entries; here they follow the whole table.
        const DWORD rowOffset = 40 + 4 * stored;
        dib.Bytes()[rowOffset] = 0x40; // pixels 0, 1, 0
        FakeAppServices services;
        CWorkBitmap work;
        ASSERT_TRUE(work.SetTo(rowOffset + 4, dib.Bytes())) << stored;
        EXPECT_EQ(ColoursOf(*work.GetOriginalDib()), Pixels({0x010101, 0xFEFEFE, 0x010101})) << stored;
    }
    DibBuilder dib(3, 1, 1, {Rgb(0x010101), Rgb(0xFEFEFE)});
    dib.Header()->biClrUsed = 0xFFFFFFFF;
    FakeAppServices services;
    CWorkBitmap work;
    EXPECT_FALSE(work.SetTo(dib.Length(), dib.Bytes()));
    EXPECT_TRUE(services.Messages().empty());
}

TEST(WorkBitmapTakeIn, CompressedPicturesAreRefusedWithMessage104) {
    struct Case {
        const char* what;
        WORD bitCount;
        DWORD compression;
    };
    // The compression is read before the picture is checked: the last four the picture gate refuses.
    for (const Case c :
         {Case{"run-length 8", 8, BI_RLE8}, Case{"run-length 4", 4, BI_RLE4},
          Case{"bit fields", 16, BI_BITFIELDS}, Case{"bit fields at 24 bits", 24, BI_BITFIELDS},
          Case{"JPEG", 24, 4}, Case{"PNG", 24, 5}, Case{"unknown", 8, 0x31}}) {
        DibBuilder dib(4, 2, c.bitCount, std::vector<RGBQUAD>(c.bitCount <= 8 ? 2 : 3, Rgb(0)));
        dib.Header()->biCompression = c.compression;
        dib.Header()->biClrUsed = c.bitCount <= 8 ? 2 : 0;
        FakeAppServices services;
        CWorkBitmap work;
        EXPECT_FALSE(work.SetTo(dib.Length(), dib.Bytes())) << c.what;
        EXPECT_EQ(work.GetOriginalDib(), nullptr) << c.what;
        EXPECT_EQ(services.MessageIds(), std::vector<UINT>{104}) << c.what;
    }
}

TEST(WorkBitmapTakeIn, DataThatIsNoPictureFailsQuietly) {
    FakeAppServices services;
    const std::vector<BYTE> junk(64, 0x5A);
    CWorkBitmap work;
    std::vector<BYTE> dib = TrueColour<24>();
    ASSERT_TRUE(work.SetTo(static_cast<DWORD>(dib.size()), dib.data()));
    EXPECT_FALSE(work.SetTo(static_cast<DWORD>(junk.size()), junk.data()));
    EXPECT_EQ(work.GetOriginalDib(), nullptr) << "the old original is gone";
    EXPECT_FALSE(work.SetTo(0, dib.data()));
    EXPECT_FALSE(work.SetTo(static_cast<DWORD>(dib.size()), nullptr));
    EXPECT_FALSE(work.SetTo(20, dib.data()));
    EXPECT_TRUE(services.Messages().empty());
}

TEST(WorkBitmapTakeIn, SetFromFileTakesABlockOrThePathAndRebuilds) {
    FakeAppServices services;
    DibBuilder dib(6, 4, 8, {Rgb(0x102030), Rgb(0x405060)});
    dib.Pixels({0, 1, 0, 1, 0, 1});
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.Length());
    std::memcpy(CGlobalLock(block).Bytes(), dib.Bytes(), dib.Length());

    CWorkBitmap work;
    work.rotation = 900;
    ASSERT_TRUE(work.SetFromFile(block));
    EXPECT_TRUE(work.GetOriginalDib()->Is24Bit());
    ASSERT_NE(work.GetAdjustedDib(), nullptr);
    EXPECT_EQ(work.GetAdjustedDib()->GetWidth(), 4) << "rebuilt and turned";

    TempFolder folder;
    work.SetFilePath(folder.Path() + "/fehlt.bmp");
    EXPECT_FALSE(work.SetFromFile(nullptr));
    EXPECT_EQ(work.GetOriginalDib(), nullptr);
    const Picture picture(PictureOf(dib));
    ASSERT_TRUE(picture->WriteBmpFile(work.GetFilePath()));
    ASSERT_TRUE(work.SetFromImage(nullptr));
    EXPECT_TRUE(work.GetOriginalDib()->Is24Bit());
    EXPECT_EQ(PixelOf(*work.GetOriginalDib(), 1, 0), 0x405060u);
}

// A 16-bit file is refused and kept as read; a 16-bit block is made true colour and taken in.
TEST(WorkBitmapTakeIn, SetFromFileRefusesSixteenBitFilesWithMessage124) {
    DibBuilder dib(3, 2, 16);
    dib.Pixels({0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0000, 0x7C1F});
    TempFolder folder;
    FakeAppServices services;
    CWorkBitmap work;
    work.SetFilePath(folder.Path() + "/hicolor.bmp");
    const Picture picture(PictureOf(dib));
    ASSERT_TRUE(picture->WriteBmpFile(work.GetFilePath()));

    EXPECT_FALSE(work.SetFromFile(nullptr));
    EXPECT_EQ(services.MessageIds(), std::vector<UINT>{124});
    ASSERT_NE(work.GetOriginalDib(), nullptr);
    EXPECT_EQ(work.GetOriginalDib()->GetHeader()->biBitCount, 16);
    EXPECT_EQ(PixelOf(*work.GetOriginalDib(), 0, 0), 0x7C00u);
    EXPECT_EQ(work.GetAdjustedDib(), nullptr) << "not rebuilt";

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.Length());
    std::memcpy(CGlobalLock(block).Bytes(), dib.Bytes(), dib.Length());
    ASSERT_TRUE(work.SetFromFile(block));
    EXPECT_TRUE(work.GetOriginalDib()->Is24Bit());
    EXPECT_TRUE(SameColour(PixelOf(*work.GetOriginalDib(), 0, 0), 0xFF0000));
    EXPECT_NE(work.GetAdjustedDib(), nullptr);
    EXPECT_EQ(services.MessageIds(), std::vector<UINT>{124}) << "no second message";
}

TEST(WorkBitmapFiles, SavesFailWithoutAPictureOrAWritableFile) {
    FakeAppServices services;
    TempFolder folder;
    CWorkBitmap work;
    EXPECT_FALSE(work.SaveOriginal(folder.Path() + "/a.bmp"));
    EXPECT_FALSE(work.SaveAdjusted(folder.Path() + "/a.bmp"));

    std::vector<BYTE> dib = TrueColour<24>();
    ASSERT_TRUE(work.SetTo(static_cast<DWORD>(dib.size()), dib.data()));
    ASSERT_TRUE(work.Rebuild(true));
    EXPECT_FALSE(work.SaveOriginal(folder.Path() + "/kein/ordner.bmp"));
    EXPECT_FALSE(work.SaveAdjusted(folder.Path() + "/kein/ordner.bmp"));
    EXPECT_TRUE(work.SaveAdjusted(folder.Path() + "/b.bmp"));
    EXPECT_TRUE(services.Messages().empty());

    CPictureInfo reread;
    ASSERT_TRUE(reread.ReadBmpFile(folder.Path() + "/b.bmp"));
    EXPECT_EQ(ColoursOf(reread), ColoursOf(*work.GetAdjustedDib()));
}

TEST(WorkBitmapFiles, TheTempFileHoldsTheLastUnrotatedResult) {
    FakeAppServices services;
    CWorkBitmap work;
    DWORD size = 123;
    EXPECT_EQ(work.ReadTempFile(&size), nullptr) << "nothing built yet";
    EXPECT_EQ(size, 0u);

    DibBuilder dib(5, 3, 24);
    dib.Pixels({0x010203, 0x040506, 0x070809});
    ASSERT_TRUE(work.SetTo(dib.Length(), dib.Bytes()));
    work.rotation = 900;
    ASSERT_TRUE(work.Rebuild(true));
    HGLOBAL file = work.ReadTempFile(&size);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(size, 14u + 40u + 3u * 16u);
    CPictureInfo unrotated;
    ASSERT_TRUE(unrotated.FromBmpHGlobal(file, size));
    GlobalFree(file);
    EXPECT_EQ(unrotated.GetWidth(), 5);
    EXPECT_EQ(ColoursOf(unrotated), ColoursOf(*work.GetOriginalDib()));
}

} // namespace
