#include "image/ConversionSurface.h"
#include "image/PictureInfo.h"
#include "tests/image/DibBuilder.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Picture = std::unique_ptr<CPictureInfo>;

constexpr unsigned kBackground = 0x336699; // as the pixels read: 0xRRGGBB

struct Surface {
    CConversionSurface surface;
    Surface(int width, int height) : surface(width, height) { surface.Fill(RGB(0x33, 0x66, 0x99)); }
    CDC* Dc() { return &surface.Dc(); }
    Picture Result() const { return Picture(surface.TakePicture()); }
};

// Tiles of a 1300 x 500 destination: 3 columns and 1 row of at most 600 pixels; after a refused first tile
// 5 columns and 2 rows of at most 300. Each tile reports its source rows, so the total says how many
// columns there were.
struct BandCase {
    const char* name;
    int failures;
    int successesFirst;
    int total;
    bool drawn;
};

class DrawBandedTest : public testing::TestWithParam<BandCase> {};

TEST_P(DrawBandedTest, TilesAndRetries) {
    const BandCase& c = GetParam();
    const Picture picture = CoordinatesPicture(1300, 500);
    Surface target(1300, 500);
    target.Dc()->FailNextTransfers(c.failures, c.successesFirst);
    EXPECT_EQ(
        CPictureInfo::DrawBanded(target.Dc(), CRect(0, 0, 1300, 500), picture->GetHeader(), SRCCOPY, FALSE),
        c.total);
    const Picture result = target.Result();
    if (c.drawn && c.successesFirst == 0) {
        EXPECT_EQ(AllPixelsOf(*result), AllPixelsOf(*picture)) << "tiles of a 1:1 draw join without seams";
    }
    EXPECT_EQ(PixelOf(*result, 1299, 499) != kBackground, c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Attempts, DrawBandedTest,
    testing::Values(BandCase{"FirstAttemptThreeColumnsOneRow", 0, 0, 3 * 500, true},
                    BandCase{"RefusedFirstTileRetriesWithSmallerTiles", 1, 0, 5 * 500, true},
                    BandCase{"FourRefusalsEndWithTilesOf120", 4, 0, 11 * 500, true},
                    BandCase{"FiveRefusalsDrawNothing", 5, 0, 0, false},
                    // A tile that fails after others went through leaves a hole: the draw reports failure.
                    BandCase{"LaterFailureIsReported", 1, 1, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawBanded, WholeDrawReportsFailureAsZero) {
    const Picture picture = CoordinatesPicture(10, 10);
    Surface target(10, 10);
    EXPECT_EQ(CPictureInfo::DrawBanded(target.Dc(), CRect(0, 0, 10, 10), picture->GetHeader(), SRCCOPY, TRUE),
              10);
    target.Dc()->FailNextTransfers(1);
    EXPECT_EQ(CPictureInfo::DrawBanded(target.Dc(), CRect(0, 0, 10, 10), picture->GetHeader(), SRCCOPY, TRUE),
              0);
    EXPECT_EQ(CPictureInfo::DrawBanded(target.Dc(), CRect(0, 0, 10, 10), nullptr, SRCCOPY, FALSE), 0);
}

TEST(DrawPicture, DrawsKeepTheContextsStretchMode) {
    const Picture picture = CoordinatesPicture(4, 4);
    Surface target(8, 8);
    target.Dc()->SetStretchBltMode(HALFTONE);
    picture->Draw(target.Dc(), CRect(0, 0, 8, 8), SRCCOPY);
    picture->DrawPart(target.Dc(), CRect(0, 0, 2, 2), CRect(1, 1, 3, 3), SRCCOPY);
    picture->DrawSmooth(target.Dc(), CRect(0, 0, 8, 8), SRCCOPY);
    EXPECT_EQ(target.Dc()->GetStretchBltMode(), HALFTONE);
}

TEST(DrawPicture, PartCountsSourceRowsFromTheTop) {
    const Picture picture = CoordinatesPicture(4, 4);
    Surface target(2, 2);
    picture->DrawPart(target.Dc(), CRect(0, 0, 2, 2), CRect(1, 2, 3, 4), SRCCOPY);
    EXPECT_EQ(AllPixelsOf(*target.Result()), (std::vector<unsigned>{0x010207, 0x020207, 0x010307, 0x020307}));
}

TEST(DrawPicture, NothingForANullContextOrAnEmptyPicture) {
    const Picture empty(new CPictureInfo);
    Surface target(2, 2);
    empty->Draw(target.Dc(), CRect(0, 0, 2, 2), SRCCOPY);
    empty->DrawSmooth(target.Dc(), CRect(0, 0, 2, 2), SRCCOPY);
    CoordinatesPicture(2, 2)->Draw(nullptr, CRect(0, 0, 2, 2), SRCCOPY);
    EXPECT_EQ(AllPixelsOf(*target.Result()), std::vector<unsigned>(4, kBackground));
}

TEST(DrawPicture, ClippedDrawsThePartInsideTheClip) {
    const Picture picture = CoordinatesPicture(4, 4);
    Surface target(8, 8);
    picture->DrawClipped(target.Dc(), CRect(0, 0, 8, 8), CRect(4, 4, 8, 8), SRCCOPY, FALSE);
    const Picture result = target.Result();
    EXPECT_EQ(PixelOf(*result, 3, 3), kBackground);
    EXPECT_EQ(PixelOf(*result, 4, 4), 0x020207u);
    EXPECT_EQ(PixelOf(*result, 7, 7), 0x030307u);

    Surface smooth(8, 8);
    picture->DrawClipped(smooth.Dc(), CRect(0, 0, 8, 8), CRect(0, 0, 4, 8), SRCCOPY, TRUE);
    const Picture smoothResult = smooth.Result();
    EXPECT_EQ(PixelOf(*smoothResult, 7, 0), kBackground);
    EXPECT_NE(PixelOf(*smoothResult, 0, 0), kBackground);
}

TEST(DrawPicture, ThroughABitmapOfTheGivenSize) {
    const Picture picture = CoordinatesPicture(4, 4);
    Surface target(8, 8);
    picture->DrawViaBitmap(target.Dc(), CRect(0, 0, 8, 8), CRect(0, 0, 2, 2), SRCCOPY);
    const Picture result = target.Result();
    // 4 x 4 into a 2 x 2 bitmap keeps pixels 0 and 2 each way; that bitmap doubled fills the 8 x 8 target.
    EXPECT_EQ(PixelOf(*result, 0, 0), 0x000007u);
    EXPECT_EQ(PixelOf(*result, 7, 7), 0x020207u);
    EXPECT_EQ(PixelOf(*result, 7, 0), 0x020007u);
}

TEST(DrawPicture, BitmapHoldsThePicture) {
    DibBuilder dib(3, 2, 8, {Rgb(0x000000), Rgb(0xFF0000), Rgb(0x00FF00)});
    dib.Pixels({1, 2, 0, 0, 1, 2});
    const Picture picture(PictureOf(dib));
    const std::unique_ptr<CBitmap> bitmap(picture->CreateBitmap());
    ASSERT_TRUE(bitmap);
    BITMAP info{};
    bitmap->GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(bitmap.get());
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(0, 255, 0));
    dc.SelectObject(previous);
    EXPECT_EQ(Picture(new CPictureInfo)->CreateBitmap(), nullptr);
}

} // namespace
