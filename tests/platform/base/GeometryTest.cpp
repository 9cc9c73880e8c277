#include "platform/base/Geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(GeometryTest, IntersectionOfDisjointRectanglesIsEmpty) {
    CRect r(1, 1, 2, 2);
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 5)));
    EXPECT_EQ(r, CRect(5, 0, 10, 5));
}

TEST(GeometryTest, UnionIgnoresEmptyRectangles) {
    CRect r;
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 0, 0), CRect(2, 2, 4, 4)));
    EXPECT_EQ(r, CRect(2, 2, 4, 4));
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 1, 1), CRect(2, 2, 4, 4)));
    EXPECT_EQ(r, CRect(0, 0, 4, 4));
}

TEST(GeometryTest, PointsOnTheRightAndBottomEdgeAreOutside) {
    const CRect r(0, 0, 10, 5);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 4)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 4)));
    EXPECT_FALSE(r.PtInRect(CPoint(9, 5)));
}

TEST(GeometryTest, NormalizesAndMoves) {
    CRect r(10, 8, 2, 4);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(2, 4, 10, 8));
    r.OffsetRect(CPoint(1, -1));
    EXPECT_EQ(r, CRect(3, 3, 11, 7));
    r.InflateRect(1, 2);
    EXPECT_EQ(r.Size(), CSize(10, 8));
    EXPECT_EQ(r.CenterPoint(), CPoint(7, 5));
}

} // namespace
