// codecwmf: WMF files played by our own player, compared with GraphicsMagick's rendering, and EMF files
// drawn through SVG; their sizes, thumbnails and masks; pictures saved as WMF; and damaged files.

#include "MetafileFixtures.h"
#include "platform/base/GlobalMemory.h"
#include "tests/support/GuiApplication.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// A fixture of the WMF generator beside this file.
std::string Fixture(const std::string& name, const std::string& sizes = "") {
    const std::string path = MetafileFixture("wmf", name, sizes);
    EXPECT_FALSE(path.empty());
    return path;
}

PixelGrid GmPixels(const std::string& path) {
    const std::string png = path + ".png";
    if (RunTool("gm convert -density 96 '" + path + "' '" + png + "' 2>/dev/null") != 0)
        return {};
    return PixelsByImageMagick(png);
}

using Loaded = LoadedMetafile;

Loaded Load(const std::string& path) {
    return LoadMetafile(path);
}

class WmfFixtures : public testing::TestWithParam<const char*> {};

TEST_P(WmfFixtures, RenderLikeGraphicsMagick) {
    const std::string path = Fixture(GetParam());
    const Loaded loaded = Load(path);
    ASSERT_NE(loaded.picture, nullptr);
    const PixelGrid ours = PixelsOf(*loaded.picture);
    const PixelGrid theirs = GmPixels(path);
    ASSERT_FALSE(theirs.empty());
    // Edges are smoothed on one side only, and the libraries round the shapes' borders differently.
    EXPECT_LE(MeanChannelDifference(ours, theirs), 10.0);
}

INSTANTIATE_TEST_SUITE_P(Records, WmfFixtures, testing::Values("shapes", "mapping", "bitmaps", "patterns"));

// GraphicsMagick turns arcs the other way round; GDI documents them counterclockwise on the screen.
TEST(CodecWmfTest, PiesAndChordsRunCounterclockwise) {
    const Loaded loaded = Load(Fixture("arcs"));
    ASSERT_NE(loaded.picture, nullptr);
    const PixelGrid pixels = PixelsOf(*loaded.picture);
    EXPECT_EQ(pixels[25][75], 0x283CD2u); // the pie: 3 o'clock to 12 o'clock, the upper right quarter
    EXPECT_EQ(pixels[25][25], 0xFFFFFFu);
    EXPECT_EQ(pixels[85][25], 0xC81E28u); // the chord: 9 o'clock to 6 o'clock, cut off lower left
    EXPECT_EQ(pixels[75][75], 0xFFFFFFu);
}

// GraphicsMagick has no fonts here, so text is checked by where its ink lands: a line written from
// (40, 80) runs to the right; at escapement 900 from (40, 150) it runs upwards, its glyphs left of x = 40.
TEST(CodecWmfTest, EscapementTurnsTheTextUpwards) {
    struct Case {
        const char* name;
        bool upwards;
    };
    EnsureGuiApplication();
    for (const Case& c : {Case{"text", false}, Case{"rotated", true}}) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = Load(Fixture(c.name));
        ASSERT_NE(loaded.picture, nullptr);
        const PixelGrid pixels = PixelsOf(*loaded.picture);
        int left = 1000, top = 1000, right = -1, bottom = -1;
        for (int y = 0; y < static_cast<int>(pixels.size()); ++y)
            for (int x = 0; x < static_cast<int>(pixels[y].size()); ++x)
                if (pixels[y][x] != 0xFFFFFFu)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
        ASSERT_GE(right, 0);
        const int width = right - left + 1, height = bottom - top + 1;
        if (c.upwards) {
            EXPECT_GT(height, 2 * width);
            EXPECT_LE(right, 42);
            EXPECT_LE(bottom, 152);
            EXPECT_LT(top, 100);
        } else {
            EXPECT_GT(width, 2 * height);
            EXPECT_GE(left, 38);
            EXPECT_LE(bottom, 82);
        }
    }
}

TEST(CodecWmfTest, LargePicturesPlayAt800PixelsSmallOnesAtTheirSize) {
    struct Case {
        const char* sizes;
        int width, height;
    };
    for (const Case& c : {Case{"4000 2000", 800, 400}, Case{"600 300", 600, 300}}) {
        SCOPED_TRACE(c.sizes);
        const Loaded loaded = Load(Fixture("sized", c.sizes));
        ASSERT_NE(loaded.picture, nullptr);
        EXPECT_EQ(loaded.picture->GetWidth(), c.width);
        EXPECT_EQ(loaded.picture->GetHeight(), c.height);
        // The red square in the middle half.
        EXPECT_EQ(PixelsOf(*loaded.picture)[c.height / 2][c.width / 2], 0xFF0000u);
        EXPECT_EQ(PixelsOf(*loaded.picture)[2][2], 0xFFFFFFu);
    }
}

TEST(CodecWmfTest, PlainMetafileTakesItsWindowExtent) {
    const Loaded loaded = Load(Fixture("plain", "300 100"));
    ASSERT_NE(loaded.picture, nullptr);
    EXPECT_EQ(loaded.picture->GetWidth(), 300);
    EXPECT_EQ(loaded.picture->GetHeight(), 100);
}

TEST(CodecWmfTest, ThumbnailPlaysIntoTheMiddle) {
    const std::string path = Fixture("sized", "1000 500");
    const PicturePtr thumbnail(
        WmfCodec().CreateThumbnailForFile(path.c_str(), CSize(100, 100), RGB(0, 0, 255), 1, 1));
    ASSERT_NE(thumbnail, nullptr);
    const PixelGrid pixels = PixelsOf(*thumbnail);
    // The picture fills (0, 25)-(100, 75) with white around its red middle; the rest is background.
    EXPECT_EQ(pixels[24][50], 0x0000FFu);
    EXPECT_EQ(pixels[26][2], 0xFFFFFFu);
    EXPECT_EQ(pixels[50][50], 0xFF0000u);
    EXPECT_EQ(pixels[73][97], 0xFFFFFFu);
    EXPECT_EQ(pixels[76][50], 0x0000FFu);
}

TEST(CodecWmfTest, MaskIsWhiteExactlyWhereTheFilePaints) {
    // Everything but the red square is painted white by the fixture: the mask is white everywhere.
    const Loaded whole = Load(Fixture("sized", "40 20"));
    ASSERT_NE(whole.mask, nullptr);
    for (const auto& row : PixelsOf(*whole.mask))
        for (DWORD pixel : row)
            ASSERT_EQ(pixel, 0xFFFFFFu);

    // A metafile that paints only a rectangle of its window.
    const std::string path = ScratchPath("partial.wmf");
    ASSERT_EQ(RunTool("/usr/bin/python3 -c \"import sys; sys.path.insert(0, '" VC_SOURCE_DIR
                      "/tests/codecs'); import make_wmf as m; "
                      "open('" +
                      path +
                      "', 'wb').write(m.metafile([m.window(40, 20), m.brush(0, (0, 0, 0)), "
                      "m.select(0), m.pen(5, 0, (0, 0, 0)), m.select(1), m.rect(10, 5, 31, 16)], 2, "
                      "(0, 0, 40, 20, 96)))\""),
              0);
    const Loaded partial = Load(path);
    ASSERT_NE(partial.mask, nullptr);
    const PixelGrid mask = PixelsOf(*partial.mask);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool painted = x >= 10 && x < 30 && y >= 5 && y < 15;
            ASSERT_EQ(mask[y][x], painted ? 0xFFFFFFu : 0u) << x << "," << y;
        }
}

TEST(CodecWmfTest, SavedWmfReadsBackExactlyAndThroughGraphicsMagick) {
    const PicturePtr picture = MakePicture(64, 24, [](int x, int) {
        return std::vector<DWORD>{0xC81E28, 0x14B43C, 0x1E28DC, 0xFAFAFA}[x / 16];
    });
    for (int bits : {24, 8}) {
        SCOPED_TRACE(bits);
        const std::string path = ScratchPath("saved" + std::to_string(bits) + ".wmf");
        ASSERT_EQ(WmfCodec().SaveFile(picture.get(), path.c_str(), bits, 0), 1);
        const Loaded back = Load(path);
        ASSERT_NE(back.picture, nullptr);
        EXPECT_EQ(PixelsOf(*back.picture), PixelsOf(*picture));
        const PixelGrid gm = GmPixels(path);
        ASSERT_EQ(gm.size(), 24u);
        for (int block = 0; block < 4; ++block)
            EXPECT_LE(
                MaxChannelDifference({{gm[12][block * 16 + 8]}}, {{PixelsOf(*picture)[12][block * 16 + 8]}}),
                8);
    }
}

// Damaged files load as nothing, quickly, without reading past their bytes.
TEST(CodecWmfTest, HostileMetafiles) {
    const std::string good = ReadBytes(Fixture("shapes"));
    struct Case {
        const char* name;
        std::string bytes;
    };
    auto with = [&](std::size_t at, const std::string& bytes) {
        std::string file = good;
        return file.replace(at, bytes.size(), bytes);
    };
    const std::vector<Case> cases{
        {"HeaderType3", with(22, std::string("\x03\x00", 2))},
        {"SizeBeyondTheFile", with(22 + 6, "\xFF\xFF\xFF\x00")},
        {"SizeBelowTheHeader", with(22 + 6, std::string("\x04\x00\x00\x00", 4))},
        {"Cut", good.substr(0, good.size() / 2)},
        {"EmptyBox", with(6, std::string(8, '\0'))},
        {"RecordOfZeroWords", with(22 + 18, std::string(4, '\0'))},
        {"HugeObjectIndex", with(22 + 18, std::string("\x04\x00\x00\x00\x2D\x01\xFF\xFF", 8))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = ScratchPath(std::string(c.name) + ".wmf");
        WriteBytes(path, c.bytes);
        const Loaded loaded = Load(path);
        if (loaded.picture) {
            EXPECT_GT(loaded.picture->GetWidth(), 0);
        }
    }
    const Loaded type3 = Load(ScratchPath("HeaderType3.wmf"));
    EXPECT_EQ(type3.picture, nullptr);
}

} // namespace

namespace {

std::string EmfFixture(const std::string& name, const std::string& sizes = "") {
    const std::string path = MetafileFixture("emf", name, sizes);
    EXPECT_FALSE(path.empty());
    return path;
}

// The offset of the first record of the kind after the header, or npos.
std::size_t EmfRecordOffset(const std::string& file, DWORD kind) {
    std::size_t at = 0;
    while (at + 8 <= file.size()) {
        DWORD type = 0, size = 0;
        std::memcpy(&type, file.data() + at, 4);
        std::memcpy(&size, file.data() + at + 4, 4);
        if (type == kind)
            return at;
        if (size < 8)
            break;
        at += size;
    }
    return std::string::npos;
}

std::string WithLe32(std::string file, std::size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i)
        file[at + i] = static_cast<char>(value >> (8 * i));
    return file;
}

TEST(CodecEmfTest, ShapesLandWhereTheFileDrawsThem) {
    const Loaded loaded = Load(EmfFixture("shapes"));
    ASSERT_NE(loaded.picture, nullptr);
    ASSERT_EQ(loaded.picture->GetWidth(), 200);
    ASSERT_EQ(loaded.picture->GetHeight(), 100);
    const PixelGrid pixels = PixelsOf(*loaded.picture);
    struct Probe {
        int x, y;
        DWORD colour;
    };
    for (const Probe& p : {Probe{50, 50, 0xC81E28}, Probe{12, 12, 0xC81E28}, Probe{150, 30, 0x1EA03C},
                           Probe{100, 50, 0xFFFFFF}, Probe{5, 95, 0xFFFFFF}, Probe{195, 80, 0xFFFFFF}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_LE(MaxChannelDifference({{pixels[p.y][p.x]}}, {{p.colour}}), 2);
    }
}

TEST(CodecEmfTest, SizesThumbnailAndMaskFollowTheFrame) {
    for (const auto& [sizes, width, height] :
         {std::tuple{"4000 2000", 800, 400}, std::tuple{"600 300", 600, 300}}) {
        SCOPED_TRACE(sizes);
        const Loaded loaded = Load(EmfFixture("sized", sizes));
        ASSERT_NE(loaded.picture, nullptr);
        EXPECT_EQ(loaded.picture->GetWidth(), width);
        EXPECT_EQ(loaded.picture->GetHeight(), height);
        // A blue rectangle over the middle half, nothing else painted.
        const PixelGrid pixels = PixelsOf(*loaded.picture);
        const PixelGrid mask = PixelsOf(*loaded.mask);
        EXPECT_EQ(pixels[height / 2][width / 2], 0x0000FFu);
        EXPECT_EQ(pixels[2][2], 0xFFFFFFu);
        EXPECT_EQ(mask[height / 2][width / 2], 0xFFFFFFu);
        EXPECT_EQ(mask[2][2], 0u);
        EXPECT_EQ(mask[height - 3][width - 3], 0u);
    }
    const PicturePtr thumbnail(WmfCodec().CreateThumbnailForFile(EmfFixture("sized", "1000 500").c_str(),
                                                                 CSize(100, 100), RGB(0, 255, 0), 1, 1));
    ASSERT_NE(thumbnail, nullptr);
    const PixelGrid pixels = PixelsOf(*thumbnail);
    EXPECT_EQ(pixels[10][50], 0x00FF00u);
    EXPECT_EQ(pixels[50][50], 0x0000FFu);
    EXPECT_EQ(pixels[90][50], 0x00FF00u);
}

// Damaged files are refused before the converter sees them; a description outside the header is only
// cleared.
TEST(CodecEmfTest, HostileFilesAreRefusedBeforeConversion) {
    const std::string good = ReadBytes(EmfFixture("shapes"));
    const std::size_t first = EmfRecordOffset(good, 39);
    const std::size_t polygon = EmfRecordOffset(good, 86);
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(polygon, std::string::npos);
    struct Case {
        const char* name;
        std::string bytes;
        bool loads;
    };
    const std::vector<Case> cases{
        {"Good", good, true},
        {"DescriptionOutsideTheHeader", WithLe32(good, 68, 0x1000), true},
        {"DescriptionLongerThanTheHeader", WithLe32(good, 64, 0x100000), true},
        {"RecordSizeNotAMultipleOf4", WithLe32(good, first + 4, 26), false},
        {"RecordSizeBelow8", WithLe32(good, first + 4, 4), false},
        {"RecordBeyondTheFile", WithLe32(good, first + 4, 0x7FFFFFF0), false},
        {"HeaderBelowItsFields", WithLe32(good, 4, 40), false},
        {"PolygonCountBeyondItsRecord", WithLe32(good, polygon + 24, 100000), false},
        {"UndefinedRecordType", WithLe32(good, first, 200), false},
        {"NoEndRecord", good.substr(0, good.size() - 20), false},
        {"BytesAfterTheEnd", good + std::string(8, '\0'), false},
        {"HugeFrame", WithLe32(WithLe32(good, 32, 0x7FFFFFFF), 36, 0x7FFFFFFF), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = ScratchPath(std::string(c.name) + ".emf");
        WriteBytes(path, c.bytes);
        const Loaded loaded = Load(path);
        EXPECT_EQ(loaded.picture != nullptr, c.loads);
        if (loaded.picture && c.loads) {
            EXPECT_LE(MaxChannelDifference({{PixelsOf(*loaded.picture)[50][50]}}, {{0xC81E28}}), 2);
        }
    }
}

// Both kinds in memory play at their own size on white, without a mask, and leave the block unlocked.
TEST(CodecEmfTest, MetafilesInMemoryPlayAtTheirOwnSize) {
    struct Case {
        std::string path;
        const char* extension;
        DWORD middle;
    };
    for (const Case& c : {Case{Fixture("sized", "600 300"), "WMF", 0xFF0000},
                          Case{EmfFixture("sized", "600 300"), "emf", 0x0000FF}}) {
        SCOPED_TRACE(c.path);
        const std::string bytes = ReadBytes(c.path);
        const UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
        std::memcpy(CGlobalLock(block.get()).Bytes(), bytes.data(), bytes.size());
        CPictureInfo* mask = nullptr;
        const PicturePtr picture(
            WmfCodec().LoadFromMemory(block.get(), DWORD(bytes.size()), c.extension, mask));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(mask, nullptr);
        EXPECT_EQ(picture->GetWidth(), 600);
        EXPECT_EQ(picture->GetHeight(), 300);
        EXPECT_EQ(PixelsOf(*picture)[150][300], c.middle);
        EXPECT_EQ(PixelsOf(*picture)[3][3], 0xFFFFFFu);
        EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 0u);
        // Not a metafile extension, a size past the block, bytes that are no metafile.
        EXPECT_EQ(WmfCodec().LoadFromMemory(block.get(), DWORD(bytes.size()), "png", mask), nullptr);
        EXPECT_EQ(WmfCodec().LoadFromMemory(block.get(), DWORD(bytes.size() + 1), c.extension, mask),
                  nullptr);
        std::memset(CGlobalLock(block.get()).Bytes(), 0x41, bytes.size());
        EXPECT_EQ(WmfCodec().LoadFromMemory(block.get(), DWORD(bytes.size()), c.extension, mask), nullptr);
    }
}

} // namespace
