#include "GdiTestSupport.h"
#include "platform/gdi/QtInterop.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kInk = RGB(200, 10, 10);
constexpr COLORREF kPaper = RGB(255, 255, 255);

// A five-pointed star drawn in one stroke: its middle pentagon is crossed twice.
const POINT kStar[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
constexpr POINT kStarCentre{20, 21};

TEST(Region, EllipseIsSymmetricAndInsideItsBox) {
    CRgn ellipse;
    ASSERT_TRUE(ellipse.CreateEllipticRgn(0, 0, 10, 6));
    RECT box{};
    EXPECT_EQ(ellipse.GetRgnBox(&box), COMPLEXREGION);
    EXPECT_EQ(CRect(box), CRect(0, 0, 10, 6));
    EXPECT_TRUE(ellipse.PtInRegion(5, 3));
    EXPECT_TRUE(ellipse.PtInRegion(0, 3));
    EXPECT_FALSE(ellipse.PtInRegion(0, 0));
    EXPECT_FALSE(ellipse.PtInRegion(9, 5));
    EXPECT_FALSE(ellipse.PtInRegion(10, 3)) << "the right edge is outside";
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(ellipse.PtInRegion(x, y), ellipse.PtInRegion(9 - x, 5 - y)) << x << ", " << y;
}

TEST(Region, RoundRectangleCutsOnlyItsCorners) {
    CRgn round;
    ASSERT_TRUE(round.CreateRoundRectRgn(0, 0, 20, 10, 8, 6));
    EXPECT_FALSE(round.PtInRegion(0, 0));
    EXPECT_FALSE(round.PtInRegion(19, 9));
    EXPECT_TRUE(round.PtInRegion(10, 0));
    EXPECT_TRUE(round.PtInRegion(0, 5));
    EXPECT_TRUE(round.PtInRegion(19, 5));
}

struct FillModeCase {
    const char* name;
    int mode;
    bool centreInside;
};

class PolygonFillModeTest : public testing::TestWithParam<FillModeCase> {};

TEST_P(PolygonFillModeTest, DecidesWhetherTheTwiceCrossedMiddleIsInside) {
    CRgn star;
    ASSERT_TRUE(star.CreatePolygonRgn(kStar, 5, GetParam().mode));
    EXPECT_EQ(star.PtInRegion(kStarCentre), GetParam().centreInside);
    EXPECT_TRUE(star.PtInRegion(20, 6)) << "a point of the star is always inside";
    EXPECT_FALSE(star.PtInRegion(3, 30));
    EXPECT_EQ(RegionOutline(star).size(), 5);
}

TEST_P(PolygonFillModeTest, ClipsDrawingToExactlyTheRegion) {
    CRgn star;
    star.CreatePolygonRgn(kStar, 5, GetParam().mode);
    DibCanvas canvas(40, 40, kPaper);
    EXPECT_EQ(canvas.dc.SelectClipRgn(&star), COMPLEXREGION);
    canvas.dc.FillSolidRect(0, 0, 40, 40, kInk);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(canvas.At(x, y), star.PtInRegion(x, y) ? kInk : kPaper) << x << ", " << y;
}

TEST_P(PolygonFillModeTest, PolygonFillFollowsTheSameRule) {
    DibCanvas canvas(40, 40, kPaper);
    CBrush brush(kInk);
    CBrush* previousBrush = canvas.dc.SelectObject(&brush);
    CGdiObject* previousPen = canvas.dc.SelectStockObject(NULL_PEN);
    canvas.dc.SetPolyFillMode(GetParam().mode);
    canvas.dc.Polygon(kStar, 5);
    canvas.dc.SelectObject(previousPen);
    canvas.dc.SelectObject(previousBrush);
    EXPECT_EQ(canvas.At(kStarCentre.x, kStarCentre.y) == kInk, GetParam().centreInside);
    EXPECT_EQ(canvas.At(20, 6), kInk);
    EXPECT_EQ(canvas.At(3, 30), kPaper);
}

INSTANTIATE_TEST_SUITE_P(Modes, PolygonFillModeTest,
                         testing::Values(FillModeCase{"Alternate", ALTERNATE, false},
                                         FillModeCase{"Winding", WINDING, true}),
                         [](const auto& info) { return info.param.name; });

TEST(Region, EllipticClipLetsDrawingThroughOnlyInside) {
    CRgn ellipse;
    ellipse.CreateEllipticRgn(3, 2, 27, 17);
    DibCanvas canvas(30, 20, kPaper);
    canvas.dc.SelectClipRgn(&ellipse);
    ellipse.OffsetRgn(100, 100); // the context keeps its own copy
    ellipse.OffsetRgn(-100, -100);
    canvas.dc.FillSolidRect(0, 0, 30, 20, kInk);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(canvas.At(x, y), ellipse.PtInRegion(x, y) ? kInk : kPaper) << x << ", " << y;
}

struct CombineCase {
    const char* name;
    int mode;
    int type;
    std::vector<POINT> inside;
    std::vector<POINT> outside;
};

class CombineRgnTest : public testing::TestWithParam<CombineCase> {};

TEST_P(CombineRgnTest, CombinesTwoOverlappingRectangles) {
    // (0, 0, 10, 10) and (5, 5, 15, 15) overlap in (5, 5, 10, 10).
    CRgn a, b, result;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    result.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(result.CombineRgn(&a, &b, GetParam().mode), GetParam().type);
    for (POINT p : GetParam().inside)
        EXPECT_TRUE(result.PtInRegion(p)) << p.x << ", " << p.y;
    for (POINT p : GetParam().outside)
        EXPECT_FALSE(result.PtInRegion(p)) << p.x << ", " << p.y;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CombineRgnTest,
    testing::Values(CombineCase{"And", RGN_AND, SIMPLEREGION, {{5, 5}, {9, 9}}, {{4, 4}, {10, 10}}},
                    CombineCase{"Or", RGN_OR, COMPLEXREGION, {{0, 0}, {14, 14}, {7, 7}}, {{12, 2}, {2, 12}}},
                    CombineCase{"Xor", RGN_XOR, COMPLEXREGION, {{0, 0}, {14, 14}}, {{7, 7}, {12, 2}}},
                    CombineCase{"Diff", RGN_DIFF, COMPLEXREGION, {{0, 0}, {9, 4}}, {{7, 7}, {14, 14}}},
                    CombineCase{"Copy", RGN_COPY, SIMPLEREGION, {{0, 0}, {9, 9}}, {{10, 10}}}),
    [](const auto& info) { return info.param.name; });

TEST(Region, DisjointAndMissingOperandsReportTheirType) {
    CRgn a, b, result;
    a.CreateRectRgn(0, 0, 2, 2);
    b.CreateRectRgn(5, 5, 7, 7);
    result.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(result.CombineRgn(&a, &b, RGN_AND), NULLREGION);
    EXPECT_EQ(result.CombineRgn(&a, nullptr, RGN_OR), ERROR);
    CRgn empty;
    EXPECT_EQ(empty.CombineRgn(&a, &b, RGN_OR), ERROR) << "the destination must exist";
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(::GetRgnBox(result, &box), NULLREGION);
    EXPECT_EQ(CRect(box), CRect(0, 0, 0, 0));
}

TEST(Region, CurvedShapesBeyondAnyDeviceAreRefusedRectanglesClamped) {
    CRgn ellipse, polygon, rect;
    EXPECT_FALSE(ellipse.CreateEllipticRgn(0, 0, 2000000000, 10));
    const POINT far[] = {{0, 0}, {1 << 20, 0}, {0, 10}};
    EXPECT_FALSE(polygon.CreatePolygonRgn(far, 3, WINDING));
    const POINT lowest[] = {{INT_MIN, INT_MIN}, {67, -24}, {-24, -24}};
    EXPECT_FALSE(polygon.CreatePolygonRgn(lowest, 3, ALTERNATE));
    EXPECT_FALSE(ellipse.CreateEllipticRgn(INT_MIN, 0, 10, 10));
    ASSERT_TRUE(rect.CreateRectRgn(-2000000000, 0, 2000000000, 10));
    EXPECT_TRUE(rect.PtInRegion(40000, 5));
    EXPECT_EQ(rect.OffsetRgn(2000000000, 0), ERROR) << "a move out of the coordinate range is refused";
    EXPECT_TRUE(rect.PtInRegion(0, 5));
}

TEST(Region, OffsetMovesTheRegionAndItsOutline) {
    const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    CRgn region;
    region.CreatePolygonRgn(triangle, 3, WINDING);
    region.OffsetRgn(5, 7);
    RECT box{};
    region.GetRgnBox(&box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 7);
    EXPECT_EQ(RegionOutline(region).point(1), QPoint(15, 7));
    EXPECT_TRUE(RegionToQRegion(region).contains(QPoint(6, 8)));
}

TEST(Clip, ExtendedSelectionIntersectsReplacesAndRemoves) {
    DibCanvas canvas(10, 10, kPaper);
    CRgn left, top;
    left.CreateRectRgn(0, 0, 5, 10);
    top.CreateRectRgn(0, 0, 10, 5);
    canvas.dc.SelectClipRgn(&left);
    EXPECT_EQ(canvas.dc.SelectClipRgn(&top, RGN_AND), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(canvas.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(CRect(box), CRect(0, 0, 5, 5));
    EXPECT_EQ(canvas.dc.SelectClipRgn(nullptr, RGN_AND), ERROR) << "only copying takes no region";
    canvas.dc.SelectClipRgn(nullptr);
    canvas.dc.GetClipBox(&box);
    EXPECT_EQ(CRect(box), CRect(0, 0, 10, 10));
    canvas.dc.IntersectClipRect(2, 3, 20, 4);
    canvas.dc.FillSolidRect(0, 0, 10, 10, kInk);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(canvas.At(x, y), (y == 3 && x >= 2) ? kInk : kPaper) << x << ", " << y;
}

TEST(Clip, ClipBoxIsInLogicalUnitsAndSavedWithTheContext) {
    DibCanvas canvas(10, 10);
    canvas.dc.SetViewportOrg(2, 3);
    const int level = canvas.dc.SaveDC();
    canvas.dc.IntersectClipRect(0, 0, 4, 4); // device (2, 3) to (6, 7)
    RECT box{};
    canvas.dc.GetClipBox(&box);
    EXPECT_EQ(CRect(box), CRect(0, 0, 4, 4));
    CRgn device;
    device.CreateRectRgn(0, 0, 3, 10);
    canvas.dc.SelectClipRgn(&device, RGN_AND);
    canvas.dc.GetClipBox(&box);
    EXPECT_EQ(CRect(box), CRect(0, 0, 1, 4)) << "clip regions are in device units";
    EXPECT_TRUE(canvas.dc.RestoreDC(level));
    canvas.dc.GetClipBox(&box);
    EXPECT_EQ(CRect(box), CRect(-2, -3, 8, 7));
}

} // namespace
