// Thumbnails of files: fitted and never enlarged, centred on the background with force-size, transparent
// parts on the background, the same pixels on any thread.

#include "ImagingFixtures.h"
#include "platform/imaging/ImagingFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <ostream>
#include <thread>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kLeftColour = RGB(230, 20, 20);
constexpr COLORREF kRightColour = RGB(20, 40, 220);

// Left half one colour, right half another: what a thumbnail must keep where it is.
CImagingBitmap Halves(int width, int height) {
    std::vector<COLORREF> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            colours.push_back(x < width / 2 ? kLeftColour : kRightColour);
    return ColourBitmap(width, height, colours);
}

struct ThumbnailCase {
    const char* name;
    int format;
    int width, height; // of the file
    ThumbnailOptions options;
    int resultWidth, resultHeight;
    RECT picture; // where the picture lies in the result, top row 0
};
void PrintTo(const ThumbnailCase& c, std::ostream* os) {
    *os << c.name;
}

class ThumbnailTest : public ::testing::TestWithParam<ThumbnailCase> {};

TEST_P(ThumbnailTest, FitsThePictureKeepingItsShape) {
    const ThumbnailCase& c = GetParam();
    TempFolder folder;
    const CString path = folder.Path() + "/picture";
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(path, Halves(c.width, c.height), c.format, 24, kQualityBest));

    CImagingBitmap thumbnail;
    ASSERT_TRUE(CreateImagingThumbnail(path, c.options, thumbnail));
    ASSERT_EQ(c.resultWidth, thumbnail.GetWidth());
    ASSERT_EQ(c.resultHeight, thumbnail.GetHeight());
    EXPECT_EQ(24, thumbnail.GetBitsPerPixel());
    EXPECT_TRUE(InProgramForm(thumbnail));
    const std::vector<COLORREF> colours = ColoursOf(thumbnail);
    const int middle = (c.picture.left + c.picture.right) / 2;
    for (int y = 0; y < c.resultHeight; ++y)
        for (int x = 0; x < c.resultWidth; ++x) {
            const COLORREF colour = colours[std::size_t(y * c.resultWidth + x)];
            const bool inside =
                x >= c.picture.left && x < c.picture.right && y >= c.picture.top && y < c.picture.bottom;
            // The columns next to the middle mix both halves; JPEG blurs a little more.
            if (inside && std::abs(2 * x + 1 - 2 * middle) <= 4)
                continue;
            const COLORREF expected = !inside      ? c.options.background
                                      : x < middle ? kLeftColour
                                                   : kRightColour;
            ASSERT_LE(LargestDifference({expected}, {colour}), c.format == kFormatJpeg ? 12 : 0)
                << x << "," << y;
        }
}

ThumbnailOptions Options(int width, int height, bool forceSize, bool resample = true) {
    return ThumbnailOptions{width, height, forceSize, kMagenta, resample};
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ThumbnailTest,
    ::testing::Values(
        ThumbnailCase{
            "WideIntoBox", kFormatPng, 400, 200, Options(160, 120, false), 160, 80, {0, 0, 160, 80}},
        ThumbnailCase{"WideCentredOnTheBackground",
                      kFormatPng,
                      400,
                      200,
                      Options(160, 120, true),
                      160,
                      120,
                      {0, 20, 160, 100}},
        ThumbnailCase{"TallCentred", kFormatPng, 100, 400, Options(64, 64, true), 64, 64, {24, 0, 40, 64}},
        ThumbnailCase{
            "SmallIsNeverEnlarged", kFormatPng, 50, 40, Options(160, 120, false), 50, 40, {0, 0, 50, 40}},
        ThumbnailCase{
            "SmallCentred", kFormatPng, 50, 40, Options(160, 120, true), 160, 120, {55, 40, 105, 80}},
        ThumbnailCase{"NearestPixel",
                      kFormatPng,
                      400,
                      200,
                      Options(160, 120, true, false),
                      160,
                      120,
                      {0, 20, 160, 100}},
        ThumbnailCase{"JpegAtReducedScale",
                      kFormatJpeg,
                      1600,
                      1200,
                      Options(160, 120, false),
                      160,
                      120,
                      {0, 0, 160, 120}},
        ThumbnailCase{
            "JpegCentred", kFormatJpeg, 1200, 1600, Options(160, 120, true), 160, 120, {35, 0, 125, 120}},
        ThumbnailCase{"Tiff", kFormatTiff, 300, 300, Options(100, 75, true), 100, 75, {12, 0, 87, 75}}),
    [](const auto& info) { return std::string(info.param.name); });

// Transparent parts of a picture show the background colour.
TEST(ThumbnailTest, TransparencyShowsTheBackground) {
    TempFolder folder;
    const std::string path = folder.Path().str() + "/a.png";
    ASSERT_TRUE(
        RunCommand("/usr/bin/convert -size 40x40 xc:none -fill '#00ff00' -draw 'rectangle 20,0 39,39' "
                   "PNG32:'" +
                   path + "'"));
    CImagingBitmap thumbnail;
    ASSERT_TRUE(CreateImagingThumbnail(CString(path), Options(20, 20, true), thumbnail));
    const std::vector<COLORREF> colours = ColoursOf(thumbnail);
    EXPECT_EQ(kMagenta, colours[5 * 20 + 3]);
    EXPECT_EQ(RGB(0, 255, 0), colours[5 * 20 + 16]);
}

TEST(ThumbnailTest, FailsForWhatIsNoPicture) {
    TempFolder folder;
    const CString path = folder.Path() + "/a.jpg";
    CImagingBitmap thumbnail;
    EXPECT_FALSE(CreateImagingThumbnail(path, Options(160, 120, true), thumbnail)) << "missing";
    WriteBytes(path.str(), std::vector<BYTE>(1000, 0xFF));
    EXPECT_FALSE(CreateImagingThumbnail(path, Options(160, 120, true), thumbnail)) << "garbage";
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(path, Halves(40, 30), kFormatJpeg, 24, 2));
    EXPECT_FALSE(CreateImagingThumbnail(path, Options(0, 120, true), thumbnail)) << "no size";
    EXPECT_TRUE(thumbnail.IsEmpty());
}

// The file browser makes thumbnails on its own thread while the program works on: two threads at once
// give the same pixels as one.
TEST(ThumbnailTest, TwoThreadsGiveTheSamePixelsAsOne) {
    TempFolder folder;
    std::vector<CString> paths;
    for (int i = 0; i < 6; ++i) {
        paths.push_back(folder.Path() + CString("/" + std::to_string(i) + (i % 2 ? ".jpg" : ".png")));
        ASSERT_EQ(kImagingSuccess, SaveImagingFile(paths.back(), PhotoLike(300 + 37 * i, 200 + 11 * i),
                                                   i % 2 ? kFormatJpeg : kFormatPng, 24, 2));
    }
    const ThumbnailOptions options = Options(64, 48, true);
    std::vector<std::vector<BYTE>> alone(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        CImagingBitmap thumbnail;
        ASSERT_TRUE(CreateImagingThumbnail(paths[i], options, thumbnail));
        alone[i] = thumbnail.GetDib();
    }
    std::vector<std::vector<BYTE>> first(paths.size()), second(paths.size());
    auto work = [&](std::vector<std::vector<BYTE>>& out) {
        for (int round = 0; round < 3; ++round)
            for (std::size_t i = 0; i < paths.size(); ++i) {
                CImagingBitmap thumbnail;
                if (CreateImagingThumbnail(paths[i], options, thumbnail))
                    out[i] = thumbnail.GetDib();
            }
    };
    std::thread a(work, std::ref(first)), b(work, std::ref(second));
    a.join();
    b.join();
    EXPECT_EQ(alone, first);
    EXPECT_EQ(alone, second);
}

} // namespace
