// Metafiles in the imaging library: recognised by content and sized at 96 dots per inch, refused when
// their sizes leave the file, and the WMF we write read back by GraphicsMagick.

#include "ImagingFixtures.h"
#include "platform/base/ByteOrder.h"
#include "platform/imaging/ImagingFile.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A WMF metafile header and records (function, parameters), with its size field right unless given.
std::vector<BYTE> WmfBody(const std::vector<std::pair<WORD, std::vector<WORD>>>& records, WORD type = 1,
                          long words = -1) {
    std::vector<BYTE> records_;
    for (const auto& [function, parameters] : records) {
        AppendLe32(records_, DWORD(3 + parameters.size()));
        AppendLe16(records_, function);
        for (WORD parameter : parameters)
            AppendLe16(records_, parameter);
    }
    AppendLe32(records_, 3);
    AppendLe16(records_, 0);
    std::vector<BYTE> body;
    AppendLe16(body, type);
    AppendLe16(body, 9);
    AppendLe16(body, 0x300);
    AppendLe32(body, words >= 0 ? DWORD(words) : DWORD(9 + records_.size() / 2));
    AppendLe16(body, 0);
    AppendLe32(body, 3);
    AppendLe16(body, 0);
    body.insert(body.end(), records_.begin(), records_.end());
    return body;
}

std::vector<BYTE> Placeable(short left, short top, short right, short bottom, WORD inch,
                            std::vector<BYTE> body) {
    std::vector<BYTE> file;
    AppendLe32(file, 0x9AC6CDD7);
    for (WORD word :
         {WORD(0), WORD(left), WORD(top), WORD(right), WORD(bottom), inch, WORD(0), WORD(0), WORD(0)})
        AppendLe16(file, word);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<BYTE> EmfHeader(int left, int top, int right, int bottom) {
    std::vector<BYTE> file;
    AppendLe32(file, 1);  // EMR_HEADER
    AppendLe32(file, 88); // record size
    for (int i = 0; i < 4; ++i)
        AppendLe32(file, 0); // bounds
    for (int value : {left, top, right, bottom})
        AppendLe32(file, DWORD(value));
    AppendLe32(file, 0x464D4520);
    file.resize(88);
    return file;
}

struct InfoCase {
    const char* name;
    std::function<std::vector<BYTE>()> file;
    bool read;
    int width, height;
};

class MetafileInfo : public testing::TestWithParam<InfoCase> {};

TEST_P(MetafileInfo, SizesAt96DotsPerInch) {
    const InfoCase& c = GetParam();
    const std::vector<BYTE> file = c.file();
    ImagingFileInfo info;
    ASSERT_EQ(ReadImagingMemoryInfo(file.data(), file.size(), info), c.read);
    if (!c.read)
        return;
    EXPECT_EQ(info.format, kFormatMetafile);
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MetafileInfo,
    testing::Values(
        InfoCase{"PlaceableBoundingBox", [] { return Placeable(0, 0, 1440, 720, 1440, WmfBody({})); }, true,
                 96, 48},
        InfoCase{"PlaceableOffsetBox", [] { return Placeable(100, 50, 700, 350, 96, WmfBody({})); }, true,
                 600, 300},
        InfoCase{"PlainWindowExtent",
                 [] {
                     return WmfBody({{0x020B, {0, 0}}, {0x020C, {200, 400}}});
                 },
                 true, 400, 200},
        InfoCase{"EmfFrame", [] { return EmfHeader(0, 0, 10583, 5291); }, true, 400, 200},
        InfoCase{"HeaderType3", [] { return Placeable(0, 0, 96, 96, 96, WmfBody({}, 3)); }, false, 0, 0},
        InfoCase{"SizeBeyondTheFile", [] { return Placeable(0, 0, 96, 96, 96, WmfBody({}, 1, 5000)); }, false,
                 0, 0},
        InfoCase{"SizeBelowTheHeader",
                 [] {
                     return WmfBody({{0x020C, {2, 2}}}, 1, 8);
                 },
                 false, 0, 0},
        InfoCase{"PlainWithoutExtent",
                 [] {
                     return WmfBody({{0x020B, {0, 0}}});
                 },
                 false, 0, 0},
        InfoCase{"RecordLeavingTheFile",
                 [] {
                     std::vector<BYTE> body = WmfBody({{0x020B, {0, 0}}, {0x020C, {2, 2}}});
                     body[18] = 0xFF; // the first record claims 255 words
                     return body;
                 },
                 false, 0, 0},
        InfoCase{"EmptyBox", [] { return Placeable(0, 0, 0, 96, 96, WmfBody({})); }, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MetafileWrite, GraphicsMagickReadsOurWmfAtBothDepths) {
    TempFolder folder;
    // Flat blocks: GraphicsMagick smooths bitmap records, so only their middles are compared.
    const std::vector<COLORREF> blocks{RGB(200, 30, 40), RGB(20, 180, 60), RGB(30, 40, 220),
                                       RGB(250, 250, 250)};
    constexpr int kBlock = 16, kWidth = 4 * kBlock, kHeight = 24;
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels.push_back(blocks[x / kBlock]);
    const CImagingBitmap bitmap = ColourBitmap(kWidth, kHeight, pixels);
    for (int bits : {8, 24}) {
        SCOPED_TRACE(bits);
        const std::string path = folder.Path().str() + "/ours" + std::to_string(bits) + ".wmf";
        ASSERT_EQ(SaveImagingFile(path.c_str(), bitmap, kFormatMetafile, bits, 0), kImagingSuccess);
        ImagingFileInfo info;
        ASSERT_TRUE(ReadImagingFileInfo(path.c_str(), info));
        EXPECT_EQ(info.width, kWidth);
        EXPECT_EQ(info.height, kHeight);
        const std::string raw =
            ToolOutput("gm convert -density 96 '" + path + "' -depth 8 rgb:- 2>/dev/null");
        ASSERT_EQ(raw.size(), std::size_t(3 * kWidth * kHeight));
        for (int block = 0; block < 4; ++block) {
            const std::size_t at = 3 * std::size_t(kHeight / 2 * kWidth + block * kBlock + kBlock / 2);
            const COLORREF seen = RGB(BYTE(raw[at]), BYTE(raw[at + 1]), BYTE(raw[at + 2]));
            EXPECT_LE(LargestDifference({seen}, {blocks[block]}), 8) << "block " << block;
        }
    }
    EXPECT_EQ(SaveImagingFile((folder.Path() + "/x.wmf"), bitmap, kFormatMetafile, 4, 0),
              kImagingErrorFormat);
}

} // namespace
