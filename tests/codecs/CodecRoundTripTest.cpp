// Pictures saved through the manager in every format and depth come back as the depth-reduced picture;
// files from memory, colour counts, mask files and damaged files.

#include "CodecTestSupport.h"
#include "platform/base/GlobalMemory.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <set>

namespace {

enum class Expect {
    Exact,      // the pixels of the picture reduced to that depth by the imaging library
    Colours,    // no more than 2^bits colours, with the picture's average colour
    Monochrome, // the picture reduced to two colours, the lighter one shown white, the darker black
    Lossy,      // close to the picture (JPEG)
};

struct RoundTripCase {
    const char* name;
    const char* extension;
    int bits;
    int loadedBits; // what loading at the file's own depth gives; 0: not checked
    Expect expect;
};

// The grid's two colours (or one) as black and white: the lighter white, the darker black.
PixelGrid InBlackAndWhite(PixelGrid grid) {
    const auto brightness = [](DWORD c) {
        return 299 * (c >> 16) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF);
    };
    std::set<DWORD> colours;
    for (const auto& row : grid)
        colours.insert(row.begin(), row.end());
    if (colours.empty() || colours.size() > 2)
        return {};
    const DWORD lighter = *std::max_element(colours.begin(), colours.end(),
                                            [&](DWORD a, DWORD b) { return brightness(a) < brightness(b); });
    const bool alone = colours.size() == 1;
    for (auto& row : grid)
        for (DWORD& colour : row)
            colour = colour == lighter && (!alone || brightness(colour) >= 128 * 1000) ? 0xFFFFFF : 0;
    return grid;
}

class RoundTrips : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrips, DecodeToTheDepthReducedPicture) {
    const RoundTripCase& c = GetParam();
    const PicturePtr picture = MakePhoto(45, 31);
    const std::string path = ScratchPath(std::string("round.") + c.extension);
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), c.bits, 2));

    CPictureInfo* mask = nullptr;
    const PicturePtr loaded(Codecs().LoadFile(path.c_str(), mask, 0));
    const PicturePtr ownedMask(mask);
    ASSERT_NE(nullptr, loaded);
    // Files of 32 bits keep an alpha channel; an opaque picture's is opaque everywhere.
    if (mask) {
        EXPECT_EQ(PixelGrid(31, std::vector<DWORD>(45, 0xFFFFFF)), PixelsOf(*mask)) << "all opaque";
    }
    EXPECT_TRUE(!mask || c.bits == 32);
    if (c.loadedBits) {
        EXPECT_EQ(c.loadedBits, BitsOf(*loaded));
    }
    const PixelGrid pixels = PixelsOf(*loaded);
    switch (c.expect) {
    case Expect::Exact:
        EXPECT_EQ(0, MaxChannelDifference(ReducedPixels(*picture, c.bits), pixels));
        break;
    case Expect::Colours: {
        std::set<DWORD> colours;
        for (const auto& row : pixels)
            colours.insert(row.begin(), row.end());
        EXPECT_LE(colours.size(), std::size_t{1} << c.bits);
        // Dithering keeps the picture's average colour.
        EXPECT_LE(MaxChannelDifference({{AverageColour(PixelsOf(*picture))}}, {{AverageColour(pixels)}}), 12);
        break;
    }
    case Expect::Monochrome:
        EXPECT_EQ(0, MaxChannelDifference(InBlackAndWhite(ReducedPixels(*picture, c.bits)), pixels));
        break;
    case Expect::Lossy:
        // Best quality, with the colour detail halved as JPEG files usually have it.
        EXPECT_LT(MeanChannelDifference(PixelsOf(*picture), pixels), 6.0);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RoundTrips,
    ::testing::Values(
        RoundTripCase{"Bmp1", "bmp", 1, 1, Expect::Exact}, RoundTripCase{"Bmp4", "bmp", 4, 4, Expect::Exact},
        RoundTripCase{"Bmp8", "bmp", 8, 8, Expect::Exact},
        RoundTripCase{"Bmp16", "bmp", 16, 0, Expect::Exact},
        RoundTripCase{"Bmp24", "bmp", 24, 24, Expect::Exact},
        RoundTripCase{"Bmp32", "bmp", 32, 0, Expect::Exact},
        RoundTripCase{"Jpg", "jpg", 24, 24, Expect::Lossy},
        RoundTripCase{"Jpeg", "jpeg", 24, 24, Expect::Lossy},
        // Readers take 1-bit PCX files as black and white, whatever their palette says.
        RoundTripCase{"Pcx1", "pcx", 1, 1, Expect::Monochrome},
        RoundTripCase{"Pcx4", "pcx", 4, 4, Expect::Exact}, RoundTripCase{"Pcx8", "pcx", 8, 8, Expect::Exact},
        RoundTripCase{"Pcx24", "pcx", 24, 24, Expect::Exact},
        RoundTripCase{"Png1", "png", 1, 1, Expect::Exact}, RoundTripCase{"Png4", "png", 4, 4, Expect::Exact},
        RoundTripCase{"Png8", "png", 8, 8, Expect::Exact},
        RoundTripCase{"Png24", "png", 24, 24, Expect::Exact},
        RoundTripCase{"Cur1", "cur", 1, 1, Expect::Exact}, RoundTripCase{"Cur4", "cur", 4, 4, Expect::Exact},
        RoundTripCase{"Cur8", "cur", 8, 8, Expect::Exact},
        RoundTripCase{"Cur24", "cur", 24, 24, Expect::Exact},
        RoundTripCase{"Tif1", "tif", 1, 1, Expect::Exact},
        RoundTripCase{"Tif2", "tif", 2, 4, Expect::Colours},
        RoundTripCase{"Tif3", "tif", 3, 4, Expect::Colours},
        RoundTripCase{"Tif4", "tif", 4, 4, Expect::Exact},
        RoundTripCase{"Tif5", "tif", 5, 8, Expect::Colours},
        RoundTripCase{"Tif6", "tif", 6, 8, Expect::Colours},
        RoundTripCase{"Tif7", "tif", 7, 8, Expect::Colours},
        RoundTripCase{"Tif8", "tif", 8, 8, Expect::Exact},
        RoundTripCase{"Tif16", "tif", 16, 24, Expect::Exact},
        RoundTripCase{"Tif24", "tif", 24, 24, Expect::Exact},
        RoundTripCase{"Tif32", "tif", 32, 0, Expect::Exact}),
    [](const auto& info) { return std::string(info.param.name); });

struct ToolCase {
    const char* name;
    const char* extension;
    int bits;
};

class ReadByImageMagick : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ReadByImageMagick, ToTheDepthReducedPicture) {
    const PicturePtr picture = MakePhoto(32, 24);
    const std::string path = ScratchPath(std::string("tool.") + GetParam().extension);
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), GetParam().bits, 2));
    EXPECT_EQ(0, MaxChannelDifference(ReducedPixels(*picture, GetParam().bits), PixelsByImageMagick(path)));
}

INSTANTIATE_TEST_SUITE_P(Formats, ReadByImageMagick,
                         ::testing::Values(ToolCase{"Cursor1", "cur", 1}, ToolCase{"Cursor4", "cur", 4},
                                           ToolCase{"Cursor8", "cur", 8}, ToolCase{"Cursor24", "cur", 24},
                                           ToolCase{"Pcx8", "pcx", 8}, ToolCase{"Pcx4", "pcx", 4},
                                           ToolCase{"Png4", "png", 4}, ToolCase{"Tif24", "tif", 24},
                                           ToolCase{"Bmp16", "bmp", 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodecFiles, LoadAtTwentyFourBitsGivesTrueColour) {
    const PicturePtr picture = MakePhoto(20, 10);
    const std::string path = ScratchPath("palette.png");
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), 4, 2));
    CPictureInfo* mask = nullptr;
    const PicturePtr loaded(Codecs().LoadFile(path.c_str(), mask, 24));
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(24, BitsOf(*loaded));
    EXPECT_EQ(0, MaxChannelDifference(ReducedPixels(*picture, 4), PixelsOf(*loaded)));
}

TEST(CodecFiles, MaskFilesAreReadAsBitmapsAtOneBitWithoutDithering) {
    // Greys on both sides of half brightness; a dithering reduction would scatter black and white.
    const PicturePtr picture =
        MakePicture(16, 8, [](int x, int) { return x < 8 ? DWORD{0x6A6A6A} : DWORD{0x969696}; });
    const std::string path = ScratchPath("frame.msk");
    ASSERT_TRUE(picture->SaveFile(path.c_str()));
    CPictureInfo* mask = nullptr;
    const PicturePtr loaded(Codecs().LoadFileAs(path.c_str(), "bmp", mask, 1));
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(1, BitsOf(*loaded));
    EXPECT_EQ(
        0, MaxChannelDifference(
               PixelsOf(*MakePicture(16, 8, [](int x, int) { return x < 8 ? DWORD{0} : DWORD{0xFFFFFF}; })),
               PixelsOf(*loaded)));
    CPictureInfo* none = nullptr;
    EXPECT_EQ(nullptr, Codecs().LoadFileAs(path.c_str(), "msk", none, 1));
}

// A whole file in a new movable block.
UniqueGlobal BlockOf(const std::string& bytes) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    std::memcpy(CGlobalLock(block.get()).Bytes(), bytes.data(), bytes.size());
    return block;
}

TEST(CodecFiles, MemoryImagesLoadInTrueColourAndAreUnlockedAfterwards) {
    const PicturePtr picture = MakePhoto(24, 16);
    const std::string path = ScratchPath("memory.png");
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), 8, 2));
    const std::string bytes = ReadBytes(path);
    const UniqueGlobal block = BlockOf(bytes);

    CPictureInfo* mask = nullptr;
    const PicturePtr loaded(Codecs().LoadFromMemory(block.get(), DWORD(bytes.size()), "PNG", mask));
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(24, BitsOf(*loaded));
    EXPECT_EQ(0, MaxChannelDifference(ReducedPixels(*picture, 8), PixelsOf(*loaded)));
    EXPECT_EQ(0u, GlobalFlags(block.get()) & GMEM_LOCKCOUNT);

    // A size beyond the block is refused rather than read past its end.
    EXPECT_EQ(nullptr, Codecs().LoadFromMemory(block.get(), DWORD(bytes.size() + 1), "png", mask));
    EXPECT_EQ(nullptr, Codecs().LoadFromMemory(nullptr, 10, "png", mask));
    EXPECT_EQ(nullptr, Codecs().LoadFromMemory(block.get(), DWORD(bytes.size()), "gif", mask));
}

TEST(CodecFiles, MemorySavesGiveTheFileThatFileSavesWrite) {
    const PicturePtr picture = MakePhoto(24, 16);
    void* data = nullptr;
    DWORD size = 0;
    ASSERT_EQ(1, Codecs().SaveFileInMemory(picture.get(), "png", 24, data, size));
    const UniqueGlobal block(static_cast<HGLOBAL>(data));
    const std::string path = ScratchPath("memory-save.png");
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), 24, 2));
    EXPECT_EQ(ReadBytes(path),
              std::string(reinterpret_cast<const char*>(CGlobalLock(block.get()).Bytes()), size));

    EXPECT_EQ(0, Codecs().SaveFileInMemory(picture.get(), "pcd", 24, data, size));
    EXPECT_EQ(0, Codecs().SaveFileInMemory(picture.get(), "ico", 24, data, size));
}

struct ColourCountCase {
    const char* name;
    int colours;
    const char* extension;
    int bits;
};

class ColourCounts : public ::testing::TestWithParam<ColourCountCase> {};

TEST_P(ColourCounts, CountEveryDistinctColourOfTheFile) {
    const int colours = GetParam().colours;
    const PicturePtr picture = MakePicture(37, 19, [=](int x, int y) {
        const DWORD index = DWORD((x * 19 + y) % colours);
        return index * 0x030507 + (index & 1) * 0x800000;
    });
    const std::string path = ScratchPath(std::string("count.") + GetParam().extension);
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), GetParam().bits, 2));
    EXPECT_EQ(colours, Codecs().CountColorsUsed(path.c_str()));

    const std::string bytes = ReadBytes(path);
    const UniqueGlobal block = BlockOf(bytes);
    EXPECT_EQ(colours,
              Codecs().CountColorsUsedInMemory(block.get(), DWORD(bytes.size()), GetParam().extension));
}

INSTANTIATE_TEST_SUITE_P(Pictures, ColourCounts,
                         ::testing::Values(ColourCountCase{"OneColour", 1, "bmp", 24},
                                           ColourCountCase{"TwoColours", 2, "png", 1},
                                           ColourCountCase{"FiveColoursInAPalette", 5, "bmp", 8},
                                           ColourCountCase{"ThreeHundredColours", 300, "png", 24},
                                           ColourCountCase{"AllColoursInTrueColour", 703, "pcx", 24}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodecFiles, ColourCountsOfWhatCannotBeReadAreUnknown) {
    const std::string path = ScratchPath("garbage.png");
    WriteBytes(path, "not a picture at all");
    EXPECT_EQ(-1, Codecs().CountColorsUsed(path.c_str()));
    EXPECT_EQ(0, Codecs().CountColorsUsed(ScratchPath("count.tif").c_str())) << "codectiff cannot count";
    EXPECT_EQ(0, Codecs().CountColorsUsed(ScratchPath("count.xyz").c_str()));
}

TEST(CodecFiles, SavesOnlyWhereASaveFormatMatches) {
    const PicturePtr picture = MakePhoto(8, 8);
    EXPECT_EQ(0, Codecs().SaveFile(nullptr, ScratchPath("null.bmp").c_str(), 24, 2));
    EXPECT_EQ(-1, Codecs().SaveFile(picture.get(), ScratchPath("photo.pcd").c_str(), 24, 2));
    EXPECT_EQ(-1, Codecs().SaveFile(picture.get(), ScratchPath("icon.ico").c_str(), 24, 2));
    EXPECT_EQ(-1, Codecs().SaveFile(picture.get(), ScratchPath("nodot").c_str(), 24, 2));
    // An encoder's failure is neither success nor "no format".
    const int refused = Codecs().SaveFile(picture.get(), (CodecScratchFolder() + "/missing/x.png"), 24, 2);
    EXPECT_NE(1, refused);
    EXPECT_NE(-1, refused);
}

struct DamageCase {
    const char* name;
    const char* extension;
    int bits;
    std::size_t keep; // bytes of a valid file kept; 0 for text instead of a picture
};

class DamagedFiles : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFiles, GiveNullOrAValidPicture) {
    const DamageCase& c = GetParam();
    const PicturePtr picture = MakePhoto(40, 30);
    const std::string path = ScratchPath(std::string("damaged.") + c.extension);
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), c.bits, 2));
    const std::string whole = ReadBytes(path);
    WriteBytes(path, c.keep ? whole.substr(0, std::min(c.keep, whole.size() / 2)) : "Dies ist kein Bild.");

    CPictureInfo* mask = nullptr;
    const PicturePtr loaded(Codecs().LoadFile(path.c_str(), mask, 0));
    const PicturePtr thumbnail(Codecs().CreateThumbnailForFile(path.c_str(), CSize(16, 16), 0xFF00FF, 1, 1));
    if (c.keep <= 64) {
        EXPECT_EQ(nullptr, loaded);
        EXPECT_EQ(nullptr, thumbnail);
    }
    // A cut-off body may decode in part; what comes back is a whole picture of the file's size.
    if (loaded) {
        EXPECT_TRUE(loaded->IsValid());
        EXPECT_EQ(40, loaded->GetWidth());
        EXPECT_EQ(30, loaded->GetHeight());
    }
    delete mask;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFiles,
    ::testing::Values(DamageCase{"BmpText", "bmp", 24, 0}, DamageCase{"BmpHeader", "bmp", 24, 30},
                      DamageCase{"BmpBody", "bmp", 8, 2000}, DamageCase{"JpgText", "jpg", 24, 0},
                      DamageCase{"JpgHeader", "jpg", 24, 40}, DamageCase{"JpgBody", "jpg", 24, 600},
                      DamageCase{"PngHeader", "png", 24, 40}, DamageCase{"PngBody", "png", 24, 900},
                      DamageCase{"PcxHeader", "pcx", 8, 60}, DamageCase{"PcxBody", "pcx", 24, 1000},
                      DamageCase{"TifHeader", "tif", 24, 16}, DamageCase{"TifBody", "tif", 24, 1500},
                      DamageCase{"CurHeader", "cur", 24, 20}, DamageCase{"CurBody", "cur", 8, 700}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
