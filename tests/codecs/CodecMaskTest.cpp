// Transparency: files that carry it give the picture and its 1-bit mask (white where opaque), which
// draw as the mask with OR and then the picture with AND.

#include "CodecTestSupport.h"
#include "platform/base/GlobalMemory.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr DWORD kWhite = 0xFFFFFF;
constexpr DWORD kBlack = 0x000000;

// Colours and alpha of a 3x2 picture, top row first: opaque, clear, the two sides of half alpha.
struct Texel {
    DWORD colour;
    int alpha;
};
const std::vector<std::vector<Texel>> kTexels = {
    {{0xFF0000, 255}, {0x00FF00, 0}, {0x0000FF, 128}},
    {{0x0A141E, 127}, {0xC86432, 255}, {0x000000, 0}},
};

PixelGrid Opaque(bool whitened) {
    PixelGrid grid;
    for (const auto& row : kTexels) {
        grid.emplace_back();
        for (const Texel& t : row)
            grid.back().push_back(whitened && t.alpha < 128 ? kWhite : t.colour);
    }
    return grid;
}

PixelGrid ExpectedMask() {
    PixelGrid grid;
    for (const auto& row : kTexels) {
        grid.emplace_back();
        for (const Texel& t : row)
            grid.back().push_back(t.alpha >= 128 ? kWhite : kBlack);
    }
    return grid;
}

// A PNG with an alpha channel, written by ImageMagick from its pixel enumeration.
std::string TransparentPng() {
    std::string text = "# ImageMagick pixel enumeration: 3,2,255,srgba\n";
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const Texel& t = kTexels[y][x];
            text += std::to_string(x) + "," + std::to_string(y) + ": (" + std::to_string(t.colour >> 16) +
                    "," + std::to_string((t.colour >> 8) & 0xFF) + "," + std::to_string(t.colour & 0xFF) +
                    "," + std::to_string(t.alpha) + ")\n";
        }
    const std::string source = ScratchPath("pixels.txt");
    const std::string png = ScratchPath("transparent.png");
    WriteBytes(source, text);
    EXPECT_EQ(0, RunTool("/usr/bin/convert txt:'" + source + "' PNG32:'" + png + "'"));
    return png;
}

template <typename T>
void Put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// An icon of one 24-bit picture whose transparency is only its AND mask (set bits are transparent).
std::string IconWithAndMask(const char* extension) {
    std::string file;
    const bool cursor = std::strcmp(extension, "cur") == 0;
    Put<WORD>(file, 0);
    Put<WORD>(file, cursor ? 2 : 1); // resource type
    Put<WORD>(file, 1);              // one picture
    const DWORD xorBytes = 2 * 12;   // two rows of 3 pixels, padded to 4 bytes
    const DWORD andBytes = 2 * 4;
    const DWORD imageBytes = 40 + xorBytes + andBytes;
    file += char(3);
    file += char(2);
    file += char(0); // no palette
    file += char(0);
    Put<WORD>(file, 1);               // planes, or a cursor's hot spot x
    Put<WORD>(file, cursor ? 1 : 24); // bit count, or a cursor's hot spot y
    Put<DWORD>(file, imageBytes);
    Put<DWORD>(file, 6 + 16);
    const BITMAPINFOHEADER header{40, 3, 4, 1, 24, BI_RGB, xorBytes + andBytes, 0, 0, 0, 0};
    Put(file, header);
    for (int y = 1; y >= 0; --y) { // bottom row first
        for (const Texel& t : kTexels[y]) {
            file += char(t.colour & 0xFF);
            file += char((t.colour >> 8) & 0xFF);
            file += char(t.colour >> 16);
        }
        file.append(3, '\0');
    }
    for (int y = 1; y >= 0; --y) {
        BYTE bits = 0;
        for (int x = 0; x < 3; ++x)
            if (kTexels[y][x].alpha < 128)
                bits |= BYTE(0x80 >> x);
        file += char(bits);
        file.append(3, '\0');
    }
    const std::string path = ScratchPath(std::string("masked.") + extension);
    WriteBytes(path, file);
    return path;
}

struct MaskCase {
    const char* name;
    std::string (*make)();
    int bits;
};

class TransparentFiles : public ::testing::TestWithParam<MaskCase> {};

TEST_P(TransparentFiles, GiveTheMaskAndAPictureWhiteWhereClear) {
    const std::string path = GetParam().make();
    CPictureInfo* mask = MakePicture(1, 1, [](int, int) { return DWORD{0x123456}; }).release();
    const PicturePtr picture(Codecs().LoadFile(path.c_str(), mask, GetParam().bits));
    const PicturePtr owned(mask);
    ASSERT_NE(nullptr, picture);
    ASSERT_NE(nullptr, mask);
    EXPECT_EQ(1, BitsOf(*mask));
    EXPECT_EQ(ExpectedMask(), PixelsOf(*mask));
    EXPECT_EQ(Opaque(true), PixelsOf(*picture));

    // Drawn over a background, the pair shows the background where the file is clear.
    constexpr COLORREF kBackground = RGB(0x33, 0x66, 0x99);
    CDC dc;
    CBitmap canvas;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&dc, 3, 2));
    CBitmap* previous = dc.SelectObject(&canvas);
    dc.FillSolidRect(0, 0, 3, 2, kBackground);
    mask->Draw(&dc, CRect(0, 0, 3, 2), SRCPAINT);
    picture->Draw(&dc, CRect(0, 0, 3, 2), SRCAND);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const Texel& t = kTexels[y][x];
            const DWORD rgb = t.colour;
            const COLORREF expected =
                t.alpha >= 128 ? RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF) : kBackground;
            EXPECT_EQ(expected, dc.GetPixel(x, y)) << x << "," << y;
        }
    dc.SelectObject(previous);
}

INSTANTIATE_TEST_SUITE_P(Files, TransparentFiles,
                         ::testing::Values(MaskCase{"PngWithAlpha", TransparentPng, 0},
                                           MaskCase{"PngAtTrueColour", TransparentPng, 24},
                                           MaskCase{"IconAndMask", [] { return IconWithAndMask("ico"); }, 0},
                                           MaskCase{"CursorAndMask", [] { return IconWithAndMask("cur"); },
                                                    24}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TransparentFileAs, IsReadWithItsAlphaAndWithoutWhitening) {
    const std::string path = TransparentPng();
    CPictureInfo* mask = nullptr;
    const PicturePtr picture(Codecs().LoadFileAs(path.c_str(), "png", mask, 24));
    const PicturePtr owned(mask);
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(32, BitsOf(*picture));
    EXPECT_EQ(Opaque(false), PixelsOf(*picture));
    ASSERT_NE(nullptr, mask);
    EXPECT_EQ(ExpectedMask(), PixelsOf(*mask));
}

TEST(TransparentFileFromMemory, GivesItsMaskToo) {
    const std::string bytes = ReadBytes(IconWithAndMask("ico"));
    const UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    std::memcpy(CGlobalLock(block.get()).Bytes(), bytes.data(), bytes.size());
    CPictureInfo* mask = nullptr;
    const PicturePtr picture(Codecs().LoadFromMemory(block.get(), DWORD(bytes.size()), "ico", mask));
    const PicturePtr owned(mask);
    ASSERT_NE(nullptr, picture);
    ASSERT_NE(nullptr, mask);
    EXPECT_EQ(ExpectedMask(), PixelsOf(*mask));
}

TEST(OpaqueFiles, LeaveTheCallersMaskAlone) {
    const PicturePtr source = MakePhoto(6, 4);
    const std::string path = ScratchPath("opaque.png");
    ASSERT_EQ(1, Codecs().SaveFile(source.get(), path.c_str(), 24, 2));
    CPictureInfo* earlier = MakePicture(1, 1, [](int, int) { return DWORD{0x123456}; }).release();
    CPictureInfo* mask = earlier;
    const PicturePtr picture(Codecs().LoadFile(path.c_str(), mask, 0));
    EXPECT_NE(nullptr, picture);
    EXPECT_EQ(earlier, mask);
    delete mask;
}

} // namespace
