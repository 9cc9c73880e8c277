#include "page/DrawObj.h"

#include "page/DrawPoly.h"
#include "page/DrawRect.h"
#include "platform/base/Archive.h"
#include "platform/gdi/GdiTypes.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A position, a dashed pen 3 x 4 wide in 0x112233 and a hatched brush in 0x445566.
template <class Object>
void Outfit(Object& object) {
    object.SetPosition(CRect(10, 20, 300, 400));
    object.SetPenFlag(TRUE);
    object.SetLogPen({PS_DOT, {3, 4}, 0x112233});
    object.SetBrushFlag(FALSE);
    object.SetLogBrush({2, 0x445566, 5});
}

// The 48 bytes of Outfit's common part.
Bytes OutfitBytes() {
    return Joined({RectBytes(10, 20, 300, 400), Word(1), Dword(PS_DOT), Dword(3), Dword(4), Dword(0x112233),
                   Word(0), Dword(2), Dword(0x445566), Dword(5)});
}

TEST(DrawObjArchive, CommonPartIs48BytesInFieldOrder) {
    CDrawObj object;
    Outfit(object);
    const Bytes stored = StoredBytes([&](CArchive& ar) { object.Serialize(ar); });
    EXPECT_EQ(stored.size(), 48u);
    EXPECT_EQ(stored, OutfitBytes());
}

TEST(DrawObjArchive, RectangleAddsShapeWordAndRoundness) {
    CDrawRect rect(CRect(0, 0, 1, 1));
    Outfit(rect);
    rect.SetShape(kShapeRoundRectangle);
    rect.SetRoundness(CPoint(7, -8));
    const Bytes stored = StoredBytes([&](CArchive& ar) { rect.Serialize(ar); });
    EXPECT_EQ(stored.size(), 58u);
    EXPECT_EQ(stored, Joined({OutfitBytes(), Word(1), Dword(7), Dword(DWORD(-8))}));
}

TEST(DrawObjArchive, PolygonStoresCountAllocationAndUsedPoints) {
    CDrawPoly poly;
    Outfit(poly);
    const CPoint points[] = {{1, 2}, {-3, 4}};
    poly.SetPoints(points, 2);
    const Bytes stored = StoredBytes([&](CArchive& ar) { poly.Serialize(ar); });
    EXPECT_EQ(stored,
              Joined({OutfitBytes(), Word(2), Word(2), Dword(1), Dword(2), Dword(DWORD(-3)), Dword(4)}));
}

TEST(DrawObjArchive, LoadingReadsNonZeroFlagsAsSetAndResetsSavedPosition) {
    // Flags 2 and 0xFFFF as a foreign writer may leave them.
    Bytes bytes = Joined({RectBytes(5, 6, 7, 8), Word(2), Dword(0), Dword(1), Dword(1), Dword(0xFF),
                          Word(0xFFFF), Dword(1), Dword(0xAB), Dword(0), Word(0x0102), Dword(30), Dword(40)});
    CDrawRect rect;
    rect.SetSavedPosition(CRect(1, 1, 2, 2));
    LoadFromBytes(bytes, [&](CArchive& ar) { rect.Serialize(ar); });
    EXPECT_EQ(rect.GetPosition(), CRect(5, 6, 7, 8));
    EXPECT_EQ(rect.GetSavedPosition(), rect.GetPosition());
    EXPECT_EQ(rect.HasPen(), TRUE);
    EXPECT_EQ(rect.HasBrush(), TRUE);
    EXPECT_EQ(rect.GetLogPen().lopnColor, 0xFFu);
    EXPECT_EQ(rect.GetLogBrush().lbColor, 0xABu);
    EXPECT_EQ(rect.GetShape(), 0x0102);
    EXPECT_EQ(rect.GetRoundness(), CPoint(30, 40));
}

TEST(DrawObjArchive, PolygonRoundTripKeepsPointsAndAllocation) {
    Bytes bytes = Joined({OutfitBytes(), Word(2), Word(5), Dword(1), Dword(2), Dword(3), Dword(4)});
    CDrawPoly poly;
    LoadFromBytes(bytes, [&](CArchive& ar) { poly.Serialize(ar); });
    ASSERT_EQ(poly.GetPointCount(), 2);
    EXPECT_EQ(poly.GetAllocated(), 5);
    EXPECT_EQ(poly.GetPoints()[1], CPoint(3, 4));
    EXPECT_EQ(StoredBytes([&](CArchive& ar) { poly.Serialize(ar); }), bytes);
}

TEST(DrawObjArchive, PolygonCountAboveAllocationIsRefusedAndChangesNothing) {
    CDrawPoly poly;
    const CPoint points[] = {{9, 9}};
    poly.SetPoints(points, 1);
    Bytes bytes =
        Joined({OutfitBytes(), Word(3), Word(2), Dword(1), Dword(2), Dword(3), Dword(4), Dword(5), Dword(6)});
    EXPECT_EQ(ArchiveCause([&] { LoadFromBytes(bytes, [&](CArchive& ar) { poly.Serialize(ar); }); }),
              CArchiveException::generic);
    ASSERT_EQ(poly.GetPointCount(), 1);
    EXPECT_EQ(poly.GetPoints()[0], CPoint(9, 9));
}

struct HandleCase {
    const char* name;
    int shape;
    int count;
    int handle;
    CPoint expected;
};

TEST(DrawObjHandles, FollowTheShape) {
    // Position 10,20 - 31,41 given right-to-left for the round rectangle's ninth handle.
    const HandleCase cases[] = {
        {"TopLeft", kShapeRectangle, 8, 1, {10, 20}},
        {"TopMiddleTruncates", kShapeRectangle, 8, 2, {20, 20}},
        {"TopRight", kShapeRectangle, 8, 3, {31, 20}},
        {"RightMiddle", kShapeRectangle, 8, 4, {31, 30}},
        {"BottomRight", kShapeRectangle, 8, 5, {31, 41}},
        {"BottomMiddle", kShapeRectangle, 8, 6, {20, 41}},
        {"BottomLeft", kShapeRectangle, 8, 7, {10, 41}},
        {"LeftMiddle", kShapeRectangle, 8, 8, {10, 30}},
        {"ZeroIsTopLeft", kShapeRectangle, 8, 0, {10, 20}},
        {"NineIsTopLeft", kShapeEllipse, 8, 9, {10, 20}},
        {"RoundNinth", kShapeRoundRectangle, 9, 9, {31 - 7, 41 - 3}},
        {"LineStart", kShapeLine, 2, 1, {10, 20}},
        {"LineEnd", kShapeLine, 2, 2, {31, 41}},
    };
    for (const HandleCase& c : cases) {
        SCOPED_TRACE(c.name);
        CDrawRect rect(CRect(10, 20, 31, 41));
        rect.SetShape(c.shape);
        rect.SetRoundness(CPoint(15, 7));
        EXPECT_EQ(rect.GetHandleCount(), c.count);
        EXPECT_EQ(rect.GetHandle(c.handle), c.expected);
    }
    CDrawRect reversed(CRect(31, 41, 10, 20));
    reversed.SetShape(kShapeRoundRectangle);
    reversed.SetRoundness(CPoint(15, 7));
    EXPECT_EQ(reversed.GetHandle(9), CPoint(31 - 7, 41 - 3));

    CDrawPoly poly;
    const CPoint points[] = {{1, 2}, {3, 4}, {5, 6}};
    poly.SetPoints(points, 3);
    EXPECT_EQ(poly.GetHandleCount(), 3);
    EXPECT_EQ(poly.GetHandle(3), CPoint(5, 6));
}

TEST(DrawObjTracker, DrawnTwiceErasesAndOnlyStatesOneAndTwoDraw) {
    CDrawRect rect(CRect(10, 10, 30, 30));
    for (int state : {0, 3}) {
        CCanvas canvas(40, 40);
        rect.DrawTracker(&canvas.Dc(), state);
        EXPECT_EQ(canvas.CountOther(kWhite), 0) << state;
    }
    for (int state : {1, 2}) {
        CCanvas canvas(40, 40);
        rect.DrawTracker(&canvas.Dc(), state);
        EXPECT_EQ(canvas.CountOther(kWhite), 8 * 49) << state;
        EXPECT_EQ(canvas.Pixel(7, 7), kBlack);
        EXPECT_EQ(canvas.Pixel(33, 33), kBlack);
        EXPECT_EQ(canvas.Pixel(6, 6), kWhite);
        rect.DrawTracker(&canvas.Dc(), state);
        EXPECT_EQ(canvas.CountOther(kWhite), 0) << state;
    }
}

struct IntersectCase {
    const char* name;
    CRect position;
    CRect other;
    BOOL expected;
};

TEST(DrawObjHitTest, IntersectsNormalizedRectanglesThatOverlap) {
    const IntersectCase cases[] = {
        {"Overlapping", {0, 0, 10, 10}, {5, 5, 20, 20}, TRUE},
        {"TouchingAtAnEdge", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE},
        {"TouchingAtACorner", {0, 0, 10, 10}, {10, 10, 20, 20}, FALSE},
        {"GivenRightToLeft", {0, 0, 10, 10}, {8, 8, 2, 2}, TRUE},
        {"PositionUpsideDown", {10, 10, 0, 0}, {5, 5, 6, 6}, TRUE},
        {"Apart", {0, 0, 10, 10}, {11, 11, 20, 20}, FALSE},
    };
    for (const IntersectCase& c : cases) {
        CDrawRect rect(c.position);
        EXPECT_EQ(rect.Intersects(c.other), c.expected) << c.name;
    }
}

TEST(DrawObjRotation, EachProductIsTruncatedOnItsOwn) {
    CDrawObj object(CRect(0, 0, 200, 100));
    object.SetRotation(450);
    CPoint p(0, 0);
    object.RotatePoint(CPoint(100, 50), p, 0);
    // trunc(-70.7) + trunc(-35.4), not trunc(-106.1).
    EXPECT_EQ(p, CPoint(100 - 70 - 35, 50 + 70 - 35));
    CPoint back(0, 0);
    object.RotatePoint(CPoint(100, 50), back, 1);
    EXPECT_EQ(back, CPoint(100 - 70 + 35, 50 - 70 - 35));
}

TEST(DrawObjRotation, BoundsFollowTheRotation) {
    CDrawObj object(CRect(0, 0, 200, 100));
    EXPECT_EQ(object.GetRotatedBounds(), object.GetPosition());
    object.SetRotation(900);
    EXPECT_EQ(object.GetRotatedBounds(), CRect(50, -50, 150, 150));
    object.SetRotation(3600);
    EXPECT_EQ(object.GetRotatedBounds(), object.GetPosition());
}

TEST(DrawObjRotatedTracker, OutlinesTheSavedPositionAndErasesWhenDrawnAgain) {
    CCanvas canvas(60, 60);
    CStandInWindow window(canvas, 10);
    CDrawObj object(CRect(100, 100, 500, 300));
    object.DrawRotatedTracker(&window);
    EXPECT_EQ(canvas.InkBounds(kWhite), CRect(10, 10, 51, 31));
    EXPECT_EQ(canvas.Pixel(30, 20), kWhite) << "the inside stays unfilled";
    EXPECT_GT(canvas.CountOther(kWhite), 0);
    EXPECT_LT(canvas.CountOther(kWhite), 2 * (40 + 20)) << "dotted";
    object.DrawRotatedTracker(&window);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
    EXPECT_EQ(window.m_clientDCs, window.m_released);
}

TEST(DrawObjRotatedTracker, QuarterTurnStandsTheOutlineUp) {
    CCanvas canvas(60, 60);
    CStandInWindow window(canvas, 10);
    CDrawObj object(CRect(100, 200, 500, 400));
    object.SetRotation(900);
    object.DrawRotatedTracker(&window);
    EXPECT_EQ(canvas.InkBounds(kWhite), CRect(20, 10, 41, 51));
}

TEST(DrawObjMoveTo, RedrawsTheShownOutlineAtTheNewPlaceOnly) {
    CDrawObj object(CRect(100, 100, 300, 300));
    CCanvas unchanged(60, 60);
    CStandInWindow still(unchanged, 10);
    object.SetTrackerShown(TRUE);
    object.MoveTo(object.GetSavedPosition(), &still);
    EXPECT_EQ(still.m_clientDCs, 0);

    CCanvas canvas(60, 60);
    CStandInWindow window(canvas, 10);
    object.DrawRotatedTracker(&window);
    object.MoveTo(CRect(200, 250, 400, 450), &window);
    EXPECT_EQ(object.GetSavedPosition(), CRect(200, 250, 400, 450));
    EXPECT_EQ(object.GetPosition(), CRect(100, 100, 300, 300));
    EXPECT_EQ(canvas.InkBounds(kWhite), CRect(20, 25, 41, 46));

    object.SetTrackerShown(FALSE);
    object.MoveTo(CRect(0, 0, 10, 10), &window);
    EXPECT_EQ(canvas.InkBounds(kWhite), CRect(20, 25, 41, 46));
}

TEST(DrawRectDraw, WritesGreyAndInsideFrameIntoTheObject) {
    CDrawRect rect(CRect(4, 4, 36, 36));
    rect.SetBrushFlag(TRUE);
    rect.SetLogBrush({BS_SOLID, 0x0000FF, 0});
    rect.SetLogPen({PS_SOLID, {1, 1}, 0x00FF00});
    CCanvas canvas(40, 40);
    rect.Draw(&canvas.Dc(), 0, 0, 1.0f);
    EXPECT_EQ(rect.GetLogBrush().lbColor, 0x808080u);
    EXPECT_EQ(rect.GetLogPen().lopnStyle, PS_INSIDEFRAME);
    EXPECT_EQ(rect.GetLogPen().lopnColor, kBlack);
    EXPECT_EQ(canvas.Pixel(20, 20), 0x808080u);
    EXPECT_EQ(canvas.Pixel(3, 3), kWhite);
}

TEST(DrawRectDraw, ScalesAndOffsetsEachShape) {
    struct ShapeCase {
        const char* name;
        int shape;
        COLORREF cornerInside;
    };
    const ShapeCase cases[] = {{"Rectangle", kShapeRectangle, 0x808080},
                               {"Ellipse", kShapeEllipse, kWhite},
                               {"RoundRectangle", kShapeRoundRectangle, kWhite}};
    for (const ShapeCase& c : cases) {
        CDrawRect rect(CRect(10, 10, 70, 70));
        rect.SetShape(c.shape);
        rect.SetRoundness(CPoint(20, 20));
        rect.SetBrushFlag(TRUE);
        rect.SetPenFlag(FALSE);
        CCanvas canvas(50, 50);
        rect.Draw(&canvas.Dc(), 5, 5, 0.5f);
        // Without a pen the fill leaves out the right and bottom edge.
        const CRect ink = canvas.InkBounds(kWhite);
        EXPECT_EQ(ink.left, 10) << c.name;
        EXPECT_EQ(ink.right, 39) << c.name;
        EXPECT_EQ(ink.bottom, 39) << c.name;
        EXPECT_EQ(canvas.Pixel(11, 11), c.cornerInside) << c.name;
    }
}

TEST(DrawRectDraw, LineIsInsetByItsPenWidth) {
    CDrawRect line(CRect(10, 20, 50, 20));
    line.SetShape(kShapeLine);
    line.SetPenFlag(TRUE);
    line.SetLogPen({PS_SOLID, {1, 1}, 0});
    CCanvas canvas(60, 40);
    line.Draw(&canvas.Dc(), 0, 0, 1.0f);
    const CRect ink = canvas.InkBounds(kWhite);
    EXPECT_EQ(ink.left, 11);
    EXPECT_LE(ink.right, 50);
}

TEST(DrawRectDraw, NoPenAndNoBrushDrawsNothing) {
    CDrawRect rect(CRect(10, 10, 30, 30));
    CCanvas canvas(40, 40);
    rect.Draw(&canvas.Dc(), 0, 0, 1.0f);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
}

TEST(DrawPolyDraw, DrawsItsScaledPointsWithTheStoredPen) {
    CDrawPoly poly;
    poly.SetLogPen({PS_SOLID, {1, 1}, 0x0000FF});
    const CPoint points[] = {{20, 20}, {60, 20}, {60, 60}};
    poly.SetPoints(points, 3);
    CCanvas canvas(40, 40);
    poly.Draw(&canvas.Dc(), 2, 3, 0.5f);
    const CRect ink = canvas.InkBounds(kWhite);
    EXPECT_EQ(ink.TopLeft(), CPoint(12, 13));
    EXPECT_EQ(ink.right, 33);
    EXPECT_EQ(canvas.Pixel(20, 13), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(32, 20), 0x0000FFu);
}

TEST(DrawObjClone, RectangleCopiesShapeAndToolsButNotRotationOrSelection) {
    CDrawRect rect(CRect(1, 2, 3, 4));
    Outfit(rect);
    rect.SetSavedPosition(CRect(5, 6, 7, 8));
    rect.SetShape(kShapeEllipse);
    rect.SetRoundness(CPoint(3, 5));
    rect.SetRotation(450);
    rect.SetSelected(TRUE);
    std::unique_ptr<CDrawObj> clone(rect.Clone());
    auto* copy = DYNAMIC_DOWNCAST(CDrawRect, clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(StoredBytes([&](CArchive& ar) { copy->Serialize(ar); }),
              StoredBytes([&](CArchive& ar) { rect.Serialize(ar); }));
    EXPECT_EQ(copy->GetSavedPosition(), CRect(5, 6, 7, 8));
    EXPECT_EQ(copy->GetRotation(), 0);
    EXPECT_EQ(copy->IsSelected(), FALSE);
    EXPECT_EQ(CDrawObj().Clone(), nullptr);
}

TEST(DrawObjClone, PolygonCopiesPointsWithANewPolygonsTools) {
    CDrawPoly poly(CRect(0, 0, 9, 9));
    Outfit(poly);
    poly.SetPenFlag(FALSE);
    poly.SetBrushFlag(TRUE);
    const CPoint points[] = {{1, 1}, {8, 1}, {4, 8}};
    poly.SetPoints(points, 3);
    std::unique_ptr<CDrawObj> clone(poly.Clone());
    auto* copy = DYNAMIC_DOWNCAST(CDrawPoly, clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetPosition(), poly.GetPosition());
    ASSERT_EQ(copy->GetPointCount(), 3);
    EXPECT_NE(copy->GetPoints(), poly.GetPoints());
    EXPECT_EQ(copy->GetPoints()[2], CPoint(4, 8));
    EXPECT_EQ(copy->HasPen(), TRUE);
    EXPECT_EQ(copy->HasBrush(), FALSE);
    EXPECT_EQ(copy->GetLogPen().lopnColor, 0u);
}

TEST(DrawPolyScale, TruncatesTowardZero) {
    CDrawPoly poly;
    const CPoint points[] = {{3, -3}, {10, 5}};
    poly.SetPoints(points, 2);
    poly.ScalePoints(0.5f);
    EXPECT_EQ(poly.GetPoints()[0], CPoint(1, -1));
    EXPECT_EQ(poly.GetPoints()[1], CPoint(5, 2));
}

TEST(DrawObjKinds, ShapesReportKindThree) {
    EXPECT_EQ(CDrawObj().GetKind(), kDrawKindShape);
    EXPECT_EQ(CDrawRect().GetKind(), kDrawKindShape);
    EXPECT_EQ(CDrawPoly().GetKind(), kDrawKindShape);
}

} // namespace
