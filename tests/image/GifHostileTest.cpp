// Damaged and hostile GIF files: each ends quickly, reads nothing past its bytes (the sanitizer sees the
// exact block), and either leaves the image as it was or keeps what decoded before the damage.

#include "GifFixtures.h"
#include "image/GifByteSource.h"
#include "image/ImageGIF.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Codes of a given size packed into one data sub-block after the minimum code size.
std::string PackedData(int minimumCodeSize, int codeSize, const std::vector<int>& codes) {
    std::string bytes;
    unsigned bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= static_cast<unsigned>(code) << count;
        count += codeSize;
        for (; count >= 8; count -= 8, bits >>= 8)
            bytes += static_cast<char>(bits & 0xFF);
    }
    if (count > 0)
        bytes += static_cast<char>(bits & 0xFF);
    return std::string(1, static_cast<char>(minimumCodeSize)) + static_cast<char>(bytes.size()) + bytes +
           '\0';
}

GifLayout SmallLayout() {
    GifLayout layout;
    layout.width = 4;
    layout.height = 3;
    layout.globalTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    layout.pixels = {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3};
    return layout;
}

// The file up to and including the image descriptor of SmallLayout (no local table), then data.
std::string WithData(const std::string& data) {
    const std::string file = BuildGif(SmallLayout());
    const std::size_t descriptorEnd = 13 + 12 + 10;
    return file.substr(0, descriptorEnd) + data + ";";
}

std::string Replace(std::string file, std::size_t at, const std::string& bytes) {
    return file.replace(at, bytes.size(), bytes);
}

struct HostileCase {
    const char* name;
    std::function<std::string()> file;
    GifFault fault;
    // For files that read: the top row's indices.
    std::vector<int> topRow;
};

std::vector<HostileCase> Cases() {
    const std::string good = BuildGif(SmallLayout());
    const std::size_t descriptor = 13 + 12;
    return {
        {"WidthZero",
         [=] { return Replace(good, descriptor + 5, std::string("\0\0", 2)); },
         GifFault::EmptyImage,
         {}},
        {"InterlacedHeightZero",
         [=] { return Replace(good, descriptor + 7, std::string("\0\0\x40", 3)); },
         GifFault::EmptyImage,
         {}},
        {"Side65535",
         [=] { return Replace(good, descriptor + 5, "\xFF\xFF\xFF\xFF"); },
         GifFault::TooLarge,
         {}},
        {"CutData", [=] { return good.substr(0, good.size() - 4); }, GifFault::None, {1, 2, 3, 1}},
        {"CutInsideFirstCode", [=] { return good.substr(0, descriptor + 12); }, GifFault::None, {0, 0, 0, 0}},
        {"CodeSize1",
         [=] {
             return WithData(PackedData(1, 2, {2, 1, 0, 3}));
         },
         GifFault::None,
         {0, 0, 0, 0}},
        {"CodeSize12",
         [=] {
             return WithData(PackedData(12, 13, {4096, 1, 8193}));
         },
         GifFault::None,
         {0, 0, 0, 0}},
        // Right after a clear a code past the free code reads as 0; later ones repeat the last string.
        {"CodesPastTheFreeCode",
         [=] {
             return WithData(PackedData(2, 3, {4, 7, 1, 7, 7, 5}));
         },
         GifFault::None,
         {0, 1, 1, 1}},
        // Every code names the entry after the next free one: the chains must still end.
        {"OnlyCodesPastTheFreeCode",
         [=] {
             return WithData(PackedData(2, 3, {4, 2, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}));
         },
         GifFault::None,
         {2, 2, 2, 2}},
        {"ControlBlockOfSize5",
         [=] {
             GifLayout layout = SmallLayout();
             layout.transparentIndex = 1;
             std::string file = BuildGif(layout);
             return Replace(file, 13 + 12 + 2, "\x05");
         },
         GifFault::GraphicControl,
         {}},
        {"ControlBlockCut",
         [=] { return good.substr(0, 13 + 12) + std::string("\x21\xF9\x04\x01", 4); },
         GifFault::GraphicControl,
         {}},
        {"GlobalTableCut", [=] { return good.substr(0, 13 + 5); }, GifFault::ColourTableCut, {}},
        {"LocalTableCut",
         [=] {
             GifLayout layout = SmallLayout();
             layout.localTable = layout.globalTable;
             return BuildGif(layout).substr(0, descriptor + 10 + 7);
         },
         GifFault::ColourTableCut,
         {}},
        {"DescriptorCut", [=] { return good.substr(0, descriptor + 6); }, GifFault::DescriptorCut, {}},
        {"HeaderCut", [=] { return good.substr(0, 9); }, GifFault::HeaderCut, {}},
        {"NotGif", [] { return std::string("GIF7"); }, GifFault::Signature, {}},
        {"Empty", [] { return std::string(); }, GifFault::Signature, {}},
        {"NoImage", [=] { return good.substr(0, 13 + 12) + ";"; }, GifFault::NoImage, {}},
        {"ExtensionCut",
         [=] { return good.substr(0, 13 + 12) + std::string("\x21\xFE\x10xx", 5); },
         GifFault::NoImage,
         {}},
    };
}

class GifHostileTest : public testing::TestWithParam<HostileCase> {};

TEST_P(GifHostileTest, EndsWithoutReadingPastTheFile) {
    const HostileCase& c = GetParam();
    const std::string text = c.file();
    // An exact heap block, so the sanitizer catches any byte read past it.
    const auto block = std::make_unique<BYTE[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    CGifByteSource source(std::span<const BYTE>(block.get(), text.size()));

    // A picture from before stays when the file is refused.
    CImageGIF image;
    ASSERT_TRUE(image.Create(2, 2, 8, -1));
    image.SetPixelIndex(0, 0, 9);
    EXPECT_EQ(image.ReadFrom(source), c.fault);
    if (c.fault != GifFault::None) {
        EXPECT_EQ(image.GetWidth(), 2);
        EXPECT_EQ(image.GetPixelIndex(0, 0), 9);
        EXPECT_EQ(image.GetTransparentIndex(), -1);
        return;
    }
    ASSERT_EQ(image.GetWidth(), 4);
    std::vector<int> top;
    for (int x = 0; x < 4; ++x)
        top.push_back(image.GetPixelIndex(x, image.GetHeight() - 1));
    EXPECT_EQ(top, c.topRow);
}

INSTANTIATE_TEST_SUITE_P(Files, GifHostileTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<HostileCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GifHostileCountTest, CodesPastTheFreeCodeAreCounted) {
    const std::string file = WithData(PackedData(2, 3, {4, 1, 7, 6, 5}));
    CGifByteSource source(std::span<const BYTE>(reinterpret_cast<const BYTE*>(file.data()), file.size()));
    CImageGIF image;
    ASSERT_EQ(image.ReadFrom(source), GifFault::None);
    // 7 lies past the free code 6; 6 itself is the free code, which is no fault.
    EXPECT_EQ(image.GetBadCodeCount(), 1);
}

} // namespace
