// BMP files as device bitmaps through the TIFF plug-in's bitmap exports, from files and zip archives.

#include "CodecTestSupport.h"
#include "DibFixtures.h"
#include "library/zip/ZipArchive.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

template <typename Function>
Function* TiffExport(const char* name) {
    for (POSITION pos = Codecs().GetHeadPosition(); pos;) {
        const CPluginExt* plugin = Codecs().GetNext(pos);
        if (std::filesystem::path(plugin->m_path.str()).filename() == "codectiff.phl")
            return plugin->FindExport<Function>(name);
    }
    return nullptr;
}

// A 3x2 picture with a palette, top row first: red, green, blue / white, black, red.
const PixelGrid kColours = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0xFF0000}};

DibSpec PaletteSpec() {
    DibSpec layout;
    layout.width = 3;
    layout.height = 2;
    layout.bitCount = 8;
    layout.colorsUsed = 5;
    // Entries are blue, green, red: red, green, blue, white, black.
    layout.table = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 0, 0}};
    // Rows bottom first, each padded to 4 bytes.
    layout.bits = {3, 4, 0, 0, 0, 1, 2, 0};
    return layout;
}

std::string BytesOf(const std::vector<BYTE>& bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

PixelGrid PixelsOfBitmap(CBitmap& bitmap, int width, int height) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(&bitmap);
    PixelGrid grid(static_cast<std::size_t>(height), std::vector<DWORD>(static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = dc.GetPixel(x, y);
            grid[y][x] = DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c);
        }
    dc.SelectObject(previous);
    return grid;
}

struct BitmapFileCase {
    const char* name;
    std::string (*bytes)();
    bool loads;
};

class BitmapFiles : public ::testing::TestWithParam<BitmapFileCase> {};

TEST_P(BitmapFiles, BecomeDeviceBitmapsOnlyWhenWhole) {
    auto* load = TiffExport<CodecMyLoadBitmapFile>(kMyLoadBitmapFileExport);
    ASSERT_NE(nullptr, load);
    const std::string path = ScratchPath("skin.bmp");
    WriteBytes(path, GetParam().bytes());
    const std::unique_ptr<CBitmap> bitmap(load(path.c_str()));
    ASSERT_EQ(GetParam().loads, bitmap != nullptr);
    if (bitmap) {
        EXPECT_EQ(kColours, PixelsOfBitmap(*bitmap, 3, 2));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BitmapFiles,
    ::testing::Values(BitmapFileCase{"PaletteBitmap", [] { return BytesOf(BuildBmpFile(PaletteSpec())); },
                                     true},
                      BitmapFileCase{"TrueColourBitmap",
                                     [] {
                                         DibSpec layout;
                                         layout.width = 3;
                                         layout.height = 2;
                                         layout.bits = Rows24(kColours);
                                         return BytesOf(BuildBmpFile(layout));
                                     },
                                     true},
                      BitmapFileCase{"SizeFieldDiffers",
                                     [] { return BytesOf(BuildBmpFile(PaletteSpec(), 0, {}, 1000)); }, false},
                      BitmapFileCase{"NoBitmapSignature",
                                     [] {
                                         std::string bytes = BytesOf(BuildBmpFile(PaletteSpec()));
                                         bytes[0] = 'X';
                                         return bytes;
                                     },
                                     false},
                      BitmapFileCase{"CutShort",
                                     [] {
                                         const std::string bytes = BytesOf(BuildBmpFile(PaletteSpec()));
                                         return bytes.substr(0, bytes.size() - 4);
                                     },
                                     false},
                      BitmapFileCase{"Empty", [] { return std::string(); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapFromZip, ReadsTheEntryOfAnOpenArchive) {
    auto* load = TiffExport<CodecMyLoadBitmapZip>(kMyLoadBitmapZipExport);
    ASSERT_NE(nullptr, load);
    // The archive is made by Info-ZIP, as album archives from outside are.
    const std::string folder = ScratchPath("zipped");
    std::filesystem::create_directories(folder + "/skin");
    WriteBytes(folder + "/skin/button.bmp", BytesOf(BuildBmpFile(PaletteSpec())));
    const std::string archivePath = folder + "/skin.zip";
    ASSERT_EQ(0, RunTool("cd '" + folder + "' && /usr/bin/zip -q skin.zip skin/button.bmp"));

    CZipArchive archive;
    EXPECT_EQ(nullptr, std::unique_ptr<CBitmap>(load("skin/button.bmp", archive))) << "closed archive";
    ASSERT_TRUE(archive.Open(archivePath.c_str(), CZipArchive::zipOpenReadOnly));
    for (const char* entry : {"skin/button.bmp", "skin\\button.bmp"}) {
        const std::unique_ptr<CBitmap> bitmap(load(entry, archive));
        ASSERT_NE(nullptr, bitmap) << entry;
        EXPECT_EQ(kColours, PixelsOfBitmap(*bitmap, 3, 2));
    }
    EXPECT_EQ(nullptr, std::unique_ptr<CBitmap>(load("skin/missing.bmp", archive)));
    archive.Close();
}

} // namespace
