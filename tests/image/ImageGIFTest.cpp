// The GIF reader and writer: the bytes written, the reading cases of the format, failures and threads.

#include "image/ImageGIF.h"

#include "GifFixtures.h"
#include "image/GifByteSource.h"
#include "image/ImagePalette.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <span>
#include <sys/resource.h>
#include <thread>

namespace {

std::string ReadFileBytes(const CString& path) {
    std::ifstream in(path.str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const CString& path, const std::string& bytes) {
    std::ofstream(path.str(), std::ios::binary) << bytes;
}

std::span<const BYTE> AsBytes(const std::string& text) {
    return {reinterpret_cast<const BYTE*>(text.data()), text.size()};
}

GifFault ReadBytes(CImageGIF& image, const std::string& file) {
    CGifByteSource source(AsBytes(file));
    return image.ReadFrom(source);
}

// Rows of indices, top row first.
std::vector<std::vector<int>> IndexRows(const CImageImpl& image) {
    std::vector<std::vector<int>> rows;
    for (int y = image.GetHeight() - 1; y >= 0; --y) {
        rows.emplace_back();
        for (int x = 0; x < image.GetWidth(); ++x)
            rows.back().push_back(image.GetPixelIndex(x, y));
    }
    return rows;
}

// An 8-bit image of the given indices (top row first) with a palette of grey levels.
void MakeIndexed(CImageGIF& image, const std::vector<std::vector<int>>& rows, int paletteSize = 256) {
    const int height = static_cast<int>(rows.size());
    ASSERT_TRUE(image.Create(static_cast<int>(rows[0].size()), height, 8, -1));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            image.SetPixelIndex(x, height - 1 - y, rows[y][x]);
    std::vector<BYTE> levels(256);
    for (int i = 0; i < 256; ++i)
        levels[i] = static_cast<BYTE>(255 - i);
    ASSERT_TRUE(image.SetPalette(paletteSize, levels.data()));
}

// The sizes of the data sub-blocks of a file this writer made (one image, global table of 256).
std::vector<int> DataBlockSizes(const std::string& file) {
    std::size_t at = 13 + 768;
    if (static_cast<BYTE>(file[at]) == 0x21)
        at += 8;
    at += 10 + 1; // descriptor, minimum code size
    std::vector<int> sizes;
    while (at < file.size() && file[at] != 0) {
        sizes.push_back(static_cast<BYTE>(file[at]));
        at += 1 + static_cast<BYTE>(file[at]);
    }
    return sizes;
}

TEST(ImageGIFTest, WritesTheHeaderTablesAndControlBlock) {
    TempFolder folder;
    CImageGIF image;
    MakeIndexed(image, std::vector<std::vector<int>>(480, std::vector<int>(640, 0)), 2);
    image.SetWriteTransparentIndex(0);
    const CString path = folder.Path() + "/header.gif";
    ASSERT_TRUE(image.Write(path));
    const std::string file = ReadFileBytes(path);
    EXPECT_EQ(file.substr(0, 13), std::string("GIF89a\x80\x02\xE0\x01\xE7\x00\x00", 13));
    // The palette's two entries (white, then the next grey), then black up to 256 triples.
    EXPECT_EQ(file.substr(13, 6), std::string("\xFF\xFF\xFF\xFE\xFE\xFE", 6));
    EXPECT_EQ(file.substr(19, 762), std::string(762, '\0'));
    EXPECT_EQ(file.substr(13 + 768, 9), std::string("\x21\xF9\x04\x01\x00\x00\x00\x00\x2C", 9));
    EXPECT_EQ(file.substr(file.size() - 2), std::string("\0;", 2));
}

TEST(ImageGIFTest, CodesFiveHandWorkedPixels) {
    TempFolder folder;
    CImageGIF image;
    MakeIndexed(image, {{3, 3, 3, 3, 7}});
    const CString path = folder.Path() + "/five.gif";
    ASSERT_TRUE(image.Write(path));
    // Codes of 9 bits: clear 256; 3; "3 3" found, "3 3 3" not: 258 ("3 3"); "3 7" not: 3; then 7 and
    // the end code 257. Packed from the least significant bit:
    // 256 | 3 << 9 | 258 << 18 | 3 << 27 | 7 << 36 | 257 << 45 = 0x20_2070_1C08_0700 (54 bits, 7 bytes).
    const std::string descriptor("\x2C\x00\x00\x00\x00\x05\x00\x01\x00\x00", 10);
    const std::string data("\x08\x07\x00\x07\x08\x1C\x70\x20\x20\x00\x3B", 11);
    EXPECT_EQ(ReadFileBytes(path).substr(13 + 768), descriptor + data);
}

TEST(ImageGIFTest, DataBlocksHoldAtMost254BytesAndReadBack) {
    TempFolder folder;
    CImageGIF image;
    // Noise defeats the coder, so the data runs past one clear code at 4096 and fills many blocks.
    std::vector<std::vector<int>> rows(300, std::vector<int>(301));
    unsigned seed = 12345;
    for (auto& row : rows)
        for (int& index : row) {
            seed = seed * 1103515245u + 12345u;
            index = static_cast<int>((seed >> 16) & 0xFF);
        }
    MakeIndexed(image, rows);
    const CString path = folder.Path() + "/noise.gif";
    ASSERT_TRUE(image.Write(path));
    const std::vector<int> sizes = DataBlockSizes(ReadFileBytes(path));
    ASSERT_GT(sizes.size(), 300u);
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
        ASSERT_EQ(sizes[i], 254) << "block " << i;
    EXPECT_LE(sizes.back(), 254);
    CImageGIF back;
    ASSERT_TRUE(back.Read(path));
    EXPECT_EQ(IndexRows(back), rows);
    EXPECT_EQ(back.GetBadCodeCount(), 0);
}

TEST(ImageGIFTest, ReadsGif87aLikeGif89a) {
    GifLayout layout;
    layout.version = "87a";
    layout.width = 3;
    layout.height = 2;
    layout.globalTable = {0x102030, 0x405060, 0x708090};
    layout.pixels = {0, 1, 2, 2, 1, 0};
    CImageGIF image;
    ASSERT_EQ(ReadBytes(image, BuildGif(layout)), GifFault::None);
    EXPECT_EQ(IndexRows(image), (std::vector<std::vector<int>>{{0, 1, 2}, {2, 1, 0}}));
    EXPECT_EQ(image.GetPalette()->GetEntryCount(), 4);
    EXPECT_EQ(image.GetTransparentIndex(), -1);
    BYTE red = 0, green = 0, blue = 0;
    ASSERT_TRUE(image.GetPixelColor(1, 1, red, green, blue));
    EXPECT_EQ((std::array<BYTE, 3>{red, green, blue}), (std::array<BYTE, 3>{0x40, 0x50, 0x60}));
}

TEST(ImageGIFTest, TransparentIndexTurnsBlackAndTheRestOfThePaletteWhite) {
    GifLayout layout;
    layout.width = 2;
    layout.globalTable = std::vector<DWORD>(16, 0x336699);
    layout.transparentIndex = 7;
    layout.minimumCodeSize = 4;
    layout.pixels = {7, 3};
    CImageGIF image;
    ASSERT_EQ(ReadBytes(image, BuildGif(layout)), GifFault::None);
    EXPECT_EQ(image.GetTransparentIndex(), 7);
    const CImagePalette* palette = image.GetPalette();
    ASSERT_EQ(palette->GetEntryCount(), 256);
    PALETTEENTRY entries[256];
    palette->GetEntries(0, 256, entries);
    EXPECT_EQ(RGB(entries[7].peRed, entries[7].peGreen, entries[7].peBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(entries[6].peRed, entries[6].peGreen, entries[6].peBlue), RGB(0x33, 0x66, 0x99));
    for (int i = 16; i < 256; ++i)
        ASSERT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue), RGB(255, 255, 255)) << i;
}

TEST(ImageGIFTest, FullTableWithTransparencyGetsAWhiteLastEntry) {
    GifLayout layout;
    layout.globalTable = std::vector<DWORD>(256, 0x808080);
    layout.transparentIndex = 0;
    layout.minimumCodeSize = 8;
    layout.pixels = {1};
    CImageGIF image;
    ASSERT_EQ(ReadBytes(image, BuildGif(layout)), GifFault::None);
    BYTE red = 0, green = 0, blue = 0;
    ASSERT_TRUE(image.GetPalette()->GetEntry(255, red, green, blue));
    EXPECT_EQ((std::array<BYTE, 3>{red, green, blue}), (std::array<BYTE, 3>{255, 255, 255}));
}

TEST(ImageGIFTest, InterlacedLinesLandInPassOrder) {
    struct Case {
        int height;
        std::vector<int> rowOfLine; // the picture row each line of the file lands on
    };
    for (const Case& c :
         std::vector<Case>{{4, {0, 2, 1, 3}}, {1, {0}}, {10, {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}}}) {
        GifLayout layout;
        layout.height = c.height;
        layout.interlaced = true;
        layout.minimumCodeSize = 4;
        layout.globalTable = std::vector<DWORD>(16, 0);
        for (int line = 0; line < c.height; ++line)
            layout.pixels.push_back(static_cast<BYTE>(line));
        CImageGIF image;
        ASSERT_EQ(ReadBytes(image, BuildGif(layout)), GifFault::None);
        for (int line = 0; line < c.height; ++line)
            EXPECT_EQ(IndexRows(image)[c.rowOfLine[line]][0], line)
                << "height " << c.height << " line " << line;
    }
}

TEST(ImageGIFTest, OnlyTheFirstImageIsRead) {
    GifLayout first;
    first.width = 2;
    first.pixels = {1, 0};
    GifLayout second = first;
    second.pixels = {0, 1};
    std::string file = BuildGif(first);
    const std::string secondFile = BuildGif(second);
    // The second image's descriptor and data follow the first image.
    file.insert(file.size() - 1, secondFile.substr(13 + 6, secondFile.size() - 13 - 6 - 1));
    CImageGIF image;
    ASSERT_EQ(ReadBytes(image, file), GifFault::None);
    EXPECT_EQ(IndexRows(image), (std::vector<std::vector<int>>{{1, 0}}));
}

TEST(ImageGIFTest, ReadStoresAndUsesThePath) {
    TempFolder folder;
    GifLayout layout;
    layout.pixels = {1};
    const CString path = folder.Path() + "/stored.gif";
    WriteFileBytes(path, BuildGif(layout));
    CImageGIF image;
    image.SetPath(path);
    ASSERT_TRUE(image.Read(""));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
    EXPECT_FALSE(image.Read(folder.Path() + "/missing.gif"));
    EXPECT_EQ(image.GetLastFault(), GifFault::Unreadable);
    EXPECT_EQ(image.GetPath(), folder.Path() + "/missing.gif");
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
}

TEST(ImageGIFTest, WriteRefusesImagesThatAreNotEightBits) {
    TempFolder folder;
    FakeAppServices services;
    for (int bits : {24, 4}) {
        CImageGIF image;
        ASSERT_TRUE(image.Create(4, 4, bits, -1));
        EXPECT_FALSE(image.Write(folder.Path() + "/deep.gif"));
    }
    EXPECT_EQ(services.MessageIds(), (std::vector<UINT>{116, 116}));
    EXPECT_TRUE(folder.Names().empty());
}

TEST(ImageGIFTest, WriteFailuresReportAndLeaveTheOldFile) {
    TempFolder folder;
    FakeAppServices services;
    CImageGIF image;
    MakeIndexed(image, {{1, 2}});
    EXPECT_FALSE(image.Write(folder.Path() + "/no/such/folder/x.gif"));
    EXPECT_EQ(services.MessageIds(), (std::vector<UINT>{117}));

    // Files may not grow past 100 bytes: the write fails, and the old file stays whole.
    services.ClearMessages();
    const CString path = folder.Path() + "/old.gif";
    WriteFileBytes(path, "old");
    MakeIndexed(image, std::vector<std::vector<int>>(20, std::vector<int>(20, 1)));
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = image.Write(path);
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(services.MessageIds(), (std::vector<UINT>{118}));
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(folder.Names(), (std::vector<CString>{"old.gif"}));
}

TEST(ImageGIFTest, ThreadsReadTheSamePixelsAsOne) {
    TempFolder folder;
    CImageGIF source;
    std::vector<std::vector<int>> rows(64, std::vector<int>(97));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 97; ++x)
            rows[y][x] = (x * 7 + y * 13 + x * y) % 256;
    MakeIndexed(source, rows);
    const CString path = folder.Path() + "/threads.gif";
    ASSERT_TRUE(source.Write(path));
    std::vector<std::vector<std::vector<int>>> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results)
        threads.emplace_back([&] {
            for (int round = 0; round < 20; ++round) {
                CImageGIF image;
                if (!image.Read(path))
                    return;
                result = IndexRows(image);
            }
        });
    for (auto& thread : threads)
        thread.join();
    for (const auto& result : results)
        EXPECT_EQ(result, rows);
}

} // namespace
