// codecgif: GIF files through the manager with the program's own reader, its thumbnails drawn row by
// row, and the exports that refuse everything else.

#include "CodecTestSupport.h"
#include "image/CodecExports.h"
#include "image/ColorDepth.h"
#include "image/ImageGIF.h"
#include "platform/base/Lists.h"
#include "platform/base/Module.h"
#include "tests/support/TempFolder.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr COLORREF kBackground = RGB(0x20, 0x40, 0x60);
constexpr DWORD kBackgroundRgb = 0x204060;

// codecgif alone, from the program folder.
CExtMgr& GifCodec() {
    static const std::unique_ptr<CExtMgr> manager = [] {
        static TempFolder folder;
        const fs::path plugins = fs::path(folder.Path().str()) / "plugins";
        fs::create_directories(plugins);
        fs::create_symlink(fs::path(VC_PROGRAM_DIR) / "plugins" / "codecgif.phl", plugins / "codecgif.phl");
        auto loaded = std::make_unique<CExtMgr>(folder.Path());
        loaded->LoadPlugins();
        return loaded;
    }();
    return *manager;
}

// A GIF made by ImageMagick from a picture whose rows have the colours row(y).
std::string GifOfRows(int width, int height, const std::function<DWORD(int)>& row, const char* name) {
    const PicturePtr picture = MakePicture(width, height, [&](int, int y) { return row(y); });
    const std::string bmp = ScratchPath(std::string(name) + ".bmp");
    const std::string gif = ScratchPath(std::string(name) + ".gif");
    EXPECT_TRUE(picture->WriteBmpFile(bmp.c_str()));
    EXPECT_EQ(RunTool("/usr/bin/convert '" + bmp + "' '" + gif + "'"), 0);
    return gif;
}

TEST(CodecGifTest, TablesOpenGifAndSaveNothing) {
    EXPECT_EQ(GifCodec().BuildOpenFilter(false).str(), "GIF Dateien (*.gif)|*.gif||");
    EXPECT_EQ(GifCodec().FindPluginForSave("gif"), nullptr);
    CColorDepthList depths;
    GifCodec().GetColorDepthsForExtension(depths, "gif");
    EXPECT_TRUE(depths.IsEmpty());
    EXPECT_FALSE(GifCodec().ExtensionHasQuality("gif"));
}

TEST(CodecGifTest, LoadFileGivesTheColoursOfTheFile) {
    const std::string path = GifOfRows(
        31, 17,
        [](int y) {
            return std::vector<DWORD>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}[y % 4];
        },
        "rows");
    CPictureInfo* mask = nullptr;
    const PicturePtr picture(GifCodec().LoadFile(path.c_str(), mask, 0));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(mask, nullptr);
    EXPECT_EQ(BitsOf(*picture), 8);
    EXPECT_EQ(PixelsOf(*picture), PixelsByImageMagick(path));
}

TEST(CodecGifTest, LoadFileRefusesWhatIsNoGif) {
    const std::string path = ScratchPath("photo.gif");
    WriteBytes(path, "\xFF\xD8\xFF\xE0 not a GIF");
    CPictureInfo* mask = nullptr;
    EXPECT_EQ(GifCodec().LoadFile(path.c_str(), mask, 0), nullptr);
    EXPECT_EQ(GifCodec().LoadFile(ScratchPath("missing.gif").c_str(), mask, 0), nullptr);
    EXPECT_EQ(GifCodec().CreateThumbnailForFile(path.c_str(), CSize(100, 75), kBackground, 1, 1), nullptr);
}

struct PlacementCase {
    const char* name;
    int width, height;
    CRect place; // of the picture inside the 100 x 75 thumbnail
};

class CodecGifPlacement : public testing::TestWithParam<PlacementCase> {};

// Picture row y has palette index y % 256, so the rows a thumbnail shows tell how it was drawn.
DWORD RowColour(int y) {
    return DWORD(y % 256) << 16 | 0x80;
}

std::string GifOfIndexedRows(int width, int height, const char* name) {
    CImageGIF image;
    EXPECT_TRUE(image.Create(width, height, 8, -1));
    BYTE red[256], green[256], blue[256];
    for (int i = 0; i < 256; ++i) {
        red[i] = BYTE(i);
        green[i] = 0;
        blue[i] = 0x80;
    }
    EXPECT_TRUE(image.SetPalette(256, red, green, blue));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelIndex(x, height - 1 - y, y % 256);
    const std::string path = ScratchPath(std::string(name) + ".gif");
    EXPECT_TRUE(image.Write(path.c_str()));
    return path;
}

TEST_P(CodecGifPlacement, FitsThePictureInTheMiddle) {
    const PlacementCase& c = GetParam();
    const std::string path = GifOfIndexedRows(c.width, c.height, c.name);
    const PicturePtr thumbnail(
        GifCodec().CreateThumbnailForFile(path.c_str(), CSize(100, 75), kBackground, 1, 1));
    ASSERT_NE(thumbnail, nullptr);
    ASSERT_EQ(thumbnail->GetWidth(), 100);
    ASSERT_EQ(thumbnail->GetHeight(), 75);
    const PixelGrid pixels = PixelsOf(*thumbnail);
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 100; ++x) {
            if (!c.place.PtInRect(CPoint(x, y)))
                ASSERT_EQ(pixels[y][x], kBackgroundRgb) << x << "," << y;
            else
                ASSERT_EQ(pixels[y][x] & 0xFF, 0x80u) << x << "," << y;
        }
    if (c.width < 1000)
        return;
    // Row by row, bottom row first: each thumbnail row keeps the topmost picture row that falls on it,
    // drawn last there.
    const double rowsPerLine = double(c.height) / c.place.Height();
    for (int y = c.place.top; y < c.place.bottom; ++y)
        ASSERT_EQ(pixels[y][c.place.left], RowColour(int(std::lround((y - c.place.top) * rowsPerLine))))
            << "thumbnail row " << y;
}

INSTANTIATE_TEST_SUITE_P(Sizes, CodecGifPlacement,
                         testing::Values(PlacementCase{"Wide2000x1000", 2000, 1000, CRect(0, 12, 100, 62)},
                                         PlacementCase{"Small10x10", 10, 10, CRect(12, 0, 87, 75)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodecGifTest, ExportsRefuseSavingMemoryAndColourCounts) {
    const HMODULE module = LoadLibrary((std::string(VC_PROGRAM_DIR) + "/plugins/codecgif.phl").c_str());
    ASSERT_NE(module, nullptr);
    auto saveFile = reinterpret_cast<CodecSaveFile*>(GetProcAddress(module, kSaveFileExport));
    auto loadFileAs = reinterpret_cast<CodecLoadFileAs*>(GetProcAddress(module, kLoadFileAsExport));
    auto loadFromMemory =
        reinterpret_cast<CodecLoadFromMemory*>(GetProcAddress(module, kLoadFromMemoryExport));
    auto countFile =
        reinterpret_cast<CodecCountColorsUsedFile*>(GetProcAddress(module, kCountColorsUsedFileExport));
    auto countMemory =
        reinterpret_cast<CodecCountColorsUsedMemory*>(GetProcAddress(module, kCountColorsUsedMemoryExport));
    ASSERT_TRUE(saveFile && loadFileAs && loadFromMemory && countFile && countMemory);
    ASSERT_NE(GetProcAddress(module, kMyLoadBitmapFileExport), nullptr);
    ASSERT_NE(GetProcAddress(module, kMyLoadBitmapZipExport), nullptr);
    ASSERT_NE(GetProcAddress(module, kGetBitsPtrExport), nullptr);

    const std::string gif = GifOfRows(
        4, 4, [](int) { return 0x123456; }, "tiny");
    const PicturePtr picture = MakePicture(4, 4, [](int, int) { return 0x123456; });
    EXPECT_EQ(saveFile(picture.get(), ScratchPath("out.gif").c_str(), 8, 0), -1);
    EXPECT_EQ(saveFile(nullptr, ScratchPath("out.gif").c_str(), 8, 0), 0);
    CPictureInfo* mask = nullptr;
    EXPECT_EQ(loadFileAs(gif.c_str(), "gif", 0, mask), nullptr);
    const std::string bytes = ReadBytes(gif);
    EXPECT_EQ(loadFromMemory(nullptr, DWORD(bytes.size()), "gif", mask), nullptr);
    EXPECT_EQ(countFile(gif.c_str()), -1);
    EXPECT_EQ(countMemory(nullptr, 0, "gif"), -1);
    FreeLibrary(module);
}

} // namespace
