#include "image/PictureInfo.h"
#include "image/ZoomLayout.h"
#include "tests/image/DibBuilder.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Picture = std::unique_ptr<CPictureInfo>;

constexpr COLORREF kBackground = RGB(0x33, 0x66, 0x99);
constexpr unsigned kBackgroundRgb = 0x336699;

struct LayoutCase {
    const char* name;
    CSize frame, picture;
    CPoint shift;
    int zoom;
    SourceRounding rounding;
    CRect dest, source;
    int sourceY;
};

class ZoomLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ZoomLayoutTest, DestinationAndSource) {
    const LayoutCase& c = GetParam();
    const ZoomLayout layout = ComputeZoomLayout(c.frame, c.picture, c.shift, c.zoom, c.rounding);
    EXPECT_EQ(layout.dest, c.dest);
    EXPECT_EQ(layout.source, c.source);
    EXPECT_EQ(layout.sourceY, c.sourceY);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZoomLayoutTest,
                         testing::Values(LayoutCase{"FullFrameAtZoom100",
                                                    {100, 50},
                                                    {40, 20},
                                                    {0, 0},
                                                    100,
                                                    SourceRounding::Nearest,
                                                    {0, 0, 100, 50},
                                                    {0, 0, 40, 20},
                                                    0},
                                         // Zoom 200: the frame shows the middle half of the picture each way.
                                         LayoutCase{"MiddleHalfAtZoom200",
                                                    {100, 100},
                                                    {100, 100},
                                                    {0, 0},
                                                    200,
                                                    SourceRounding::Nearest,
                                                    {0, 0, 100, 100},
                                                    {25, 25, 75, 75},
                                                    25},
                                         // Zoom 50: the whole picture in the middle quarter of the frame.
                                         LayoutCase{"QuarterAtZoom50",
                                                    {100, 100},
                                                    {10, 10},
                                                    {0, 0},
                                                    50,
                                                    SourceRounding::Nearest,
                                                    {25, 25, 75, 75},
                                                    {0, 0, 10, 10},
                                                    0},
                                         LayoutCase{"ShiftMovesAndClips",
                                                    {100, 100},
                                                    {100, 100},
                                                    {30, -10},
                                                    100,
                                                    SourceRounding::Nearest,
                                                    {30, 0, 100, 90},
                                                    {0, 10, 70, 100},
                                                    0},
                                         LayoutCase{"ShiftBeyondTheFrameLeavesNothing",
                                                    {100, 100},
                                                    {100, 100},
                                                    {250, 0},
                                                    100,
                                                    SourceRounding::Nearest,
                                                    {100, 0, 100, 100},
                                                    {0, 0, 0, 100},
                                                    0},
                                         LayoutCase{"HugeShiftStaysInRange",
                                                    {100, 100},
                                                    {100, 100},
                                                    {-2000000000, 2000000000},
                                                    10000,
                                                    SourceRounding::Nearest,
                                                    {0, 100, 0, 100},
                                                    {100, 0, 100, 0},
                                                    100},
                                         // Thirds of a 7-pixel picture in a 3-pixel frame: 7/3 rounds down or
                                         // to the nearest pixel.
                                         LayoutCase{"MaskedRoundsDown",
                                                    {3, 3},
                                                    {7, 7},
                                                    {0, 0},
                                                    300,
                                                    SourceRounding::Down,
                                                    {0, 0, 3, 3},
                                                    {2, 2, 4, 4},
                                                    3},
                                         LayoutCase{"PlainRoundsToNearest",
                                                    {3, 3},
                                                    {7, 7},
                                                    {0, 0},
                                                    300,
                                                    SourceRounding::Nearest,
                                                    {0, 0, 3, 3},
                                                    {2, 2, 5, 5},
                                                    2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RenderZoomed, ZoomEdgeCases) {
    const Picture picture = CoordinatesPicture(8, 8);
    const CRect frame(0, 0, 8, 8);

    const Picture full(picture->RenderZoomed(frame, {0, 0}, 100, kBackground));
    EXPECT_EQ(AllPixelsOf(*full), AllPixelsOf(*picture)) << "zoom 100 fills the frame";

    for (const int nothing : {0, -50}) {
        const Picture empty(picture->RenderZoomed(frame, {0, 0}, nothing, kBackground));
        ASSERT_TRUE(empty);
        EXPECT_EQ(AllPixelsOf(*empty), std::vector<unsigned>(64, kBackgroundRgb)) << nothing;
    }

    const Picture away(picture->RenderZoomed(frame, {9, 0}, 100, kBackground));
    EXPECT_EQ(AllPixelsOf(*away), std::vector<unsigned>(64, kBackgroundRgb)) << "a shift beyond the frame";

    const Picture doubled(picture->RenderZoomed(frame, {0, 0}, 200, kBackground));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(PixelOf(*doubled, x, y),
                      static_cast<unsigned>((2 + x / 2) << 16 | (2 + y / 2) << 8 | 7));
    }

    const Picture huge(picture->RenderZoomed(frame, {0, 0}, 2000000000, kBackground));
    const Picture limit(picture->RenderZoomed(frame, {0, 0}, kMaxRenderZoom, kBackground));
    EXPECT_EQ(AllPixelsOf(*huge), AllPixelsOf(*limit));

    const Picture own(picture->RenderZoomedOwnSize({0, 0}, 100, kBackground));
    EXPECT_EQ(AllPixelsOf(*own), AllPixelsOf(*picture));
}

TEST(RenderZoomed, ResultIsAPlainTwentyFourBitPicture) {
    DibBuilder dib(3, 3, 8, std::vector<RGBQUAD>(256, Rgb(0x102030)));
    const Picture picture(PictureOf(dib));
    const Picture rendered(picture->RenderZoomed(CRect(0, 0, 5, 2), {0, 0}, 100, kBackground));
    ASSERT_TRUE(rendered);
    const BITMAPINFOHEADER* h = rendered->GetHeader();
    EXPECT_EQ(h->biBitCount, 24);
    EXPECT_EQ(h->biSizeImage, 2u * 16);
    EXPECT_EQ(rendered->GetLength(), 40u + 32);
    EXPECT_EQ(PixelOf(*rendered, 4, 1), 0x102030u);
}

TEST(RenderZoomed, RefusedWithoutPictureOrFrame) {
    EXPECT_EQ(Picture(new CPictureInfo)->RenderZoomed(CRect(0, 0, 4, 4), {0, 0}, 100, 0), nullptr);
    EXPECT_EQ(CoordinatesPicture(2, 2)->RenderZoomed(CRect(0, 0, 0, 4), {0, 0}, 100, 0), nullptr);
    EXPECT_EQ(CoordinatesPicture(2, 2)->RenderZoomed(CRect(4, 4, 0, 0), {0, 0}, 100, 0), nullptr);
}

TEST(RenderZoomedMasked, PhotoShowsWhereTheMaskIsWhite) {
    // Left half of the mask white, right half black.
    DibBuilder maskDib(4, 4, 24);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            maskDib.SetPixel(x, y, x < 2 ? 0xFFFFFF : 0x000000);
    }
    const Picture mask(PictureOf(maskDib));
    const Picture photo = FilledPicture(4, 4, 0x804020);
    const CRect frame(0, 0, 4, 4);

    const Picture cut(mask->RenderZoomedMasked(frame, {0, 0}, 100, RGB(0, 0, 0), photo.get()));
    ASSERT_TRUE(cut);
    EXPECT_EQ(PixelOf(*cut, 0, 0), 0x804020u);
    EXPECT_EQ(PixelOf(*cut, 3, 3), 0u);

    // Zoom 50 puts the photo into the middle (1, 1)-(3, 3); outside it the result stays black.
    const Picture small(mask->RenderZoomedMasked(frame, {0, 0}, 50, RGB(0, 0, 0), photo.get()));
    EXPECT_EQ(PixelOf(*small, 0, 0), 0u);
    EXPECT_EQ(PixelOf(*small, 1, 1), 0x804020u);
    EXPECT_EQ(PixelOf(*small, 2, 2), 0u);

    const Picture maskOnly(mask->RenderZoomedMasked(frame, {0, 0}, 100, RGB(0, 0, 0), nullptr));
    EXPECT_EQ(PixelOf(*maskOnly, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(*maskOnly, 3, 0), 0u);

    EXPECT_EQ(mask->RenderZoomedMasked(frame, {0, 0}, 0, RGB(0, 0, 0), photo.get()), nullptr);
    EXPECT_EQ(Picture(new CPictureInfo)->RenderZoomedMasked(frame, {0, 0}, 100, 0, photo.get()), nullptr);
}

TEST(CreateThumbnail, FitsTheSourceInTheMiddle) {
    const Picture source = FilledPicture(100, 50, 0xFF0000);
    CPictureInfo thumbnail;
    ASSERT_TRUE(thumbnail.CreateThumbnail(CSize(64, 64), kBackground, source.get()));
    ASSERT_EQ(thumbnail.GetWidth(), 64);
    ASSERT_EQ(thumbnail.GetHeight(), 64);
    EXPECT_EQ(PixelOf(thumbnail, 0, 15), kBackgroundRgb);
    EXPECT_EQ(PixelOf(thumbnail, 0, 16), 0xFF0000u);
    EXPECT_EQ(PixelOf(thumbnail, 63, 47), 0xFF0000u);
    EXPECT_EQ(PixelOf(thumbnail, 63, 48), kBackgroundRgb);

    CPictureInfo backgroundOnly;
    ASSERT_TRUE(backgroundOnly.CreateThumbnail(CSize(3, 2), kBackground, nullptr));
    EXPECT_EQ(AllPixelsOf(backgroundOnly), std::vector<unsigned>(6, kBackgroundRgb));

    CPictureInfo refused;
    EXPECT_FALSE(refused.CreateThumbnail(CSize(0, 64), kBackground, source.get()));
    EXPECT_FALSE(refused.CreateThumbnail(CSize(64, -1), kBackground, source.get()));
    EXPECT_FALSE(refused.IsValid());
}

} // namespace
