#include "TestDibs.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "rastrum/RastrumExports.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

class RastrumTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_module = LoadLibrary(VC_PROGRAM_DIR "/libRastrum.so");
        ASSERT_NE(nullptr, s_module);
        s_resample = reinterpret_cast<ResampleFunction>(GetProcAddress(s_module, kResampleExportName));
        s_pageCurl = reinterpret_cast<PageCurlFunction>(GetProcAddress(s_module, kPageCurlExportName));
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    // Calls the export and takes its result out of global memory the way the program does; checks that
    // it came locked, as a 24-bit DIB.
    static std::vector<BYTE> Take(BITMAPINFOHEADER* result) {
        if (result == nullptr)
            return {};
        HGLOBAL block = GlobalHandle(result);
        EXPECT_NE(nullptr, block);
        EXPECT_EQ(1u, GlobalFlags(block) & GMEM_LOCKCOUNT);
        std::vector<BYTE> dib(GlobalSize(block));
        std::memcpy(dib.data(), result, dib.size());
        GlobalUnlock(block);
        GlobalFree(block);
        EXPECT_EQ(24, HeaderOf(dib).biBitCount);
        EXPECT_EQ(40u, HeaderOf(dib).biSize);
        EXPECT_EQ(dib.size(), 40 + std::size_t(HeaderOf(dib).biSizeImage));
        return dib;
    }

    static std::vector<BYTE> Resampled(std::vector<BYTE> source, DWORD width, DWORD height) {
        return Take(s_resample(reinterpret_cast<BITMAPINFOHEADER*>(source.data()), width, height, false));
    }

    static std::vector<BYTE> Curled(std::vector<BYTE> source, CurlSettings settings) {
        return Take(s_pageCurl(reinterpret_cast<BITMAPINFOHEADER*>(source.data()), &settings));
    }

    static HMODULE s_module;
    static ResampleFunction s_resample;
    static PageCurlFunction s_pageCurl;
};

HMODULE RastrumTest::s_module = nullptr;
ResampleFunction RastrumTest::s_resample = nullptr;
PageCurlFunction RastrumTest::s_pageCurl = nullptr;

TEST_F(RastrumTest, ExportsBothFunctionsByPlainName) {
    EXPECT_NE(nullptr, s_resample);
    EXPECT_NE(nullptr, s_pageCurl);
    EXPECT_EQ(nullptr, GetProcAddress(s_module, "ResamplePixels")) << "the library's insides stay hidden";
}

TEST_F(RastrumTest, ResampledCheckerboardIsUniformGrey) {
    const int side = 800;
    std::vector<COLORREF> board(std::size_t(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            board[std::size_t(y * side + x)] = (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0);
    const std::vector<BYTE> grey = Resampled(ColourDib(side, side, board), 100, 100);
    ASSERT_FALSE(grey.empty());
    EXPECT_EQ(100, HeaderOf(grey).biWidth);
    EXPECT_EQ(100, HeaderOf(grey).biHeight);
    for (COLORREF c : PixelValues(grey))
        for (int channel : {GetRValue(c), GetGValue(c), GetBValue(c)})
            ASSERT_NEAR(128, channel, 12);
}

struct DepthCase {
    const char* name;
    std::vector<BYTE> (*make)();
    COLORREF colour;
};
void PrintTo(const DepthCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<BYTE> WithBits(std::vector<BYTE> dib, int bits) {
    // Rewrites a 24-bit picture of one colour as 16 or 32 bits.
    const BITMAPINFOHEADER h = HeaderOf(dib);
    const COLORREF c = PixelValues(dib)[0];
    const std::size_t rowBytes = std::size_t((h.biWidth * bits + 31) / 32 * 4);
    std::vector<BYTE> out(40 + rowBytes * std::size_t(h.biHeight));
    BITMAPINFOHEADER header = h;
    header.biBitCount = WORD(bits);
    header.biSizeImage = DWORD(rowBytes * std::size_t(h.biHeight));
    std::memcpy(out.data(), &header, 40);
    for (int y = 0; y < h.biHeight; ++y)
        for (int x = 0; x < h.biWidth; ++x) {
            BYTE* p = out.data() + 40 + rowBytes * std::size_t(y) + std::size_t(x * bits / 8);
            if (bits == 16) {
                const int word = (GetRValue(c) >> 3) << 10 | (GetGValue(c) >> 3) << 5 | GetBValue(c) >> 3;
                p[0] = BYTE(word), p[1] = BYTE(word >> 8);
            } else {
                p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c), p[3] = 0;
            }
        }
    return out;
}

class RastrumDepthTest : public RastrumTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(RastrumDepthTest, TakesEveryDepthToTrueColour) {
    const DepthCase& c = GetParam();
    for (auto [w, h] : {std::pair{13, 5}, {3, 40}}) {
        const std::vector<BYTE> out = Resampled(c.make(), DWORD(w), DWORD(h));
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(w, HeaderOf(out).biWidth);
        EXPECT_EQ(h, HeaderOf(out).biHeight);
        EXPECT_EQ(std::vector<DWORD>(std::size_t(w * h), c.colour), PixelValues(out));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, RastrumDepthTest,
    ::testing::Values(
        DepthCase{"OneBit", [] { return IndexedDib(9, 9, 1, std::vector<int>(81, 1), 2); },
                  RGB(255, 255, 255)},
        DepthCase{"FourBits", [] { return IndexedDib(9, 9, 4, std::vector<int>(81, 5), 16); },
                  RGB(85, 85, 85)},
        DepthCase{"EightBits", [] { return IndexedDib(9, 9, 8, std::vector<int>(81, 77)); }, RGB(77, 77, 77)},
        DepthCase{"SixteenBits",
                  [] { return WithBits(ColourDib(9, 9, std::vector<COLORREF>(81, RGB(255, 0, 255))), 16); },
                  RGB(255, 0, 255)},
        DepthCase{"TwentyFourBits", [] { return ColourDib(9, 9, std::vector<COLORREF>(81, RGB(1, 2, 3))); },
                  RGB(1, 2, 3)},
        DepthCase{"ThirtyTwoBits",
                  [] { return WithBits(ColourDib(9, 9, std::vector<COLORREF>(81, RGB(200, 100, 50))), 32); },
                  RGB(200, 100, 50)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RastrumTest, ResampleRefusesBadInput) {
    const std::vector<BYTE> good = ColourDib(4, 4, std::vector<COLORREF>(16, 0));
    EXPECT_TRUE(Resampled(good, 0, 4).empty());
    EXPECT_TRUE(Resampled(good, 4, 0).empty());
    EXPECT_TRUE(Resampled(good, 0x80000000u, 4).empty()) << "a negative size as a DWORD";
    EXPECT_TRUE(Resampled(good, 40000, 40000).empty());
    EXPECT_EQ(nullptr, s_resample(nullptr, 4, 4, false));
    std::vector<BYTE> compressed = good;
    reinterpret_cast<BITMAPINFOHEADER*>(compressed.data())->biCompression = BI_RLE8;
    EXPECT_TRUE(Resampled(compressed, 2, 2).empty());
    std::vector<BYTE> noSize = good;
    reinterpret_cast<BITMAPINFOHEADER*>(noSize.data())->biWidth = 0;
    EXPECT_TRUE(Resampled(noSize, 2, 2).empty());
}

TEST_F(RastrumTest, ResampleKeepsAGradientInPlace) {
    std::vector<COLORREF> ramp(64 * 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 64; ++x)
            ramp[std::size_t(y * 64 + x)] = RGB(x * 4, x * 4, x * 4);
    const std::vector<DWORD> out = PixelValues(Resampled(ColourDib(64, 4, ramp), 16, 1));
    for (int x = 0; x < 16; ++x) // target pixel x covers source 4x..4x+3, centred on 4x+1.5
        EXPECT_NEAR((4 * x + 1.5) * 4, GetRValue(out[std::size_t(x)]), x == 0 || x == 15 ? 4 : 1) << x;
}

CurlSettings Curl(int width, int height, int corner) {
    CurlSettings settings{};
    settings.curlWidth = width;
    settings.curlHeight = height;
    settings.backRed = 255, settings.backGreen = 255, settings.backBlue = 255;
    settings.shading = 1.0;
    settings.transparency = 0.0;
    settings.corner = corner;
    settings.shadow = 1;
    return settings;
}

struct CornerCase {
    const char* name;
    int corner;
    int x, y; // the corner pixel, top row first
};
void PrintTo(const CornerCase& c, std::ostream* os) {
    *os << c.name;
}

class PageCurlCornerTest : public RastrumTest, public ::testing::WithParamInterface<CornerCase> {};

TEST_P(PageCurlCornerTest, UncoversTheChosenCornerAndFoldsItBack) {
    const CornerCase& c = GetParam();
    const int w = 40, h = 30;
    const COLORREF blue = RGB(0, 0, 200);
    const std::vector<DWORD> out =
        PixelValues(Curled(ColourDib(w, h, std::vector<COLORREF>(w * h, blue)), Curl(20, 10, c.corner)));
    ASSERT_EQ(std::size_t(w * h), out.size());
    auto at = [&](int x, int y) { return out[std::size_t(y * w + x)]; };
    EXPECT_EQ(RGB(255, 255, 255), at(c.x, c.y)) << "the uncovered corner shows the back colour";
    const int ox = w - 1 - c.x, oy = h - 1 - c.y;
    EXPECT_EQ(blue, at(ox, oy)) << "the opposite corner is untouched";
    // Inside the folded-back flap: its light grey paper back.
    const int fx = c.x == 0 ? 9 : w - 10, fy = c.y == 0 ? 8 : h - 9;
    const COLORREF flap = at(fx, fy);
    EXPECT_EQ(GetRValue(flap), GetBValue(flap)) << "paper is grey, not the picture's blue";
    EXPECT_GT(GetRValue(flap), 150);
}

INSTANTIATE_TEST_SUITE_P(Corners, PageCurlCornerTest,
                         ::testing::Values(CornerCase{"TopLeft", 0, 0, 0}, CornerCase{"TopRight", 1, 39, 0},
                                           CornerCase{"BottomLeft", 2, 0, 29},
                                           CornerCase{"BottomRight", 3, 39, 29}),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<BYTE> Stripes(int w, int h) {
    std::vector<COLORREF> colours(std::size_t(w * h));
    for (int i = 0; i < w * h; ++i)
        colours[std::size_t(i)] = i % w < w / 2 ? RGB(250, 0, 0) : RGB(0, 250, 0);
    return ColourDib(w, h, colours);
}

TEST_F(RastrumTest, PageCurlWithoutSizeCopiesThePicture) {
    const std::vector<BYTE> source = Stripes(16, 8);
    for (CurlSettings settings : {Curl(0, 5, 3), Curl(5, 0, 3), Curl(-4, 5, 3)})
        EXPECT_EQ(PixelValues(source), PixelValues(Curled(source, settings)));
}

TEST_F(RastrumTest, PageCurlShowsThePictureThroughATransparentFlap) {
    // The mirror image of the bottom right corner lies on the flap: with full transparency the flap
    // shows the corner's green, with none the grey paper.
    CurlSettings seeThrough = Curl(20, 10, 3);
    seeThrough.transparency = 1.0;
    seeThrough.shading = 0.0;
    const std::vector<DWORD> out = PixelValues(Curled(Stripes(40, 30), seeThrough));
    EXPECT_EQ(RGB(0, 250, 0), out[std::size_t(21 * 40 + 30)]);
    const std::vector<DWORD> opaque = PixelValues(Curled(Stripes(40, 30), Curl(20, 10, 3)));
    EXPECT_EQ(GetRValue(opaque[std::size_t(21 * 40 + 30)]), GetGValue(opaque[std::size_t(21 * 40 + 30)]));
}

TEST_F(RastrumTest, PageCurlShadowDarkensThePageBesideTheFlap) {
    const std::vector<BYTE> white = ColourDib(200, 200, std::vector<COLORREF>(200 * 200, RGB(255, 255, 255)));
    CurlSettings noShadow = Curl(100, 100, 3);
    noShadow.shadow = 0;
    const std::vector<DWORD> lit = PixelValues(Curled(white, noShadow));
    const std::vector<DWORD> shaded = PixelValues(Curled(white, Curl(100, 100, 3)));
    // The flap's free edges meet at (100, 100); just outside them, up and to the left, the page.
    const std::size_t beside = std::size_t(98 * 200 + 98);
    EXPECT_EQ(RGB(255, 255, 255), lit[beside]);
    EXPECT_LT(GetRValue(shaded[beside]), 240);
    EXPECT_EQ(lit[0], shaded[0]) << "far from the flap the page is as it was";
}

TEST_F(RastrumTest, PageCurlRefusesBadInput) {
    std::vector<BYTE> source = Stripes(8, 8);
    EXPECT_EQ(nullptr, s_pageCurl(reinterpret_cast<BITMAPINFOHEADER*>(source.data()), nullptr));
    CurlSettings settings = Curl(4, 4, 3);
    EXPECT_EQ(nullptr, s_pageCurl(nullptr, &settings));
}

} // namespace
