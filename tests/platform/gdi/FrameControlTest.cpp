// Edges, frame controls and focus rectangles: which system colour lands on which pixel.

#include "platform/gdi/SystemColors.h"
#include "tests/platform/gdi/GdiTestSupport.h"

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

struct EdgeCase {
    const char* name;
    UINT edge;
    UINT flags;
    int outerTopLeft, innerTopLeft, innerBottomRight, outerBottomRight;
};

class EdgeTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeTest, EachLineHasItsColourOnItsSide) {
    const EdgeCase& c = GetParam();
    DibCanvas canvas(10, 10, kPaper);
    CRect r(0, 0, 10, 10);
    ASSERT_TRUE(canvas.dc.DrawEdge(&r, c.edge, c.flags | BF_ADJUST));
    EXPECT_EQ(canvas.At(0, 5), GetSysColor(c.outerTopLeft));
    EXPECT_EQ(canvas.At(5, 0), GetSysColor(c.outerTopLeft));
    EXPECT_EQ(canvas.At(1, 5), GetSysColor(c.innerTopLeft));
    EXPECT_EQ(canvas.At(8, 5), GetSysColor(c.innerBottomRight));
    EXPECT_EQ(canvas.At(5, 9), GetSysColor(c.outerBottomRight));
    EXPECT_EQ(canvas.At(5, 5), kPaper) << "the middle is left alone";
    EXPECT_EQ(r, CRect(2, 2, 8, 8));
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgeTest,
                         ::testing::Values(EdgeCase{"Sunken", EDGE_SUNKEN, BF_RECT, COLOR_3DSHADOW,
                                                    COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DHILIGHT},
                                           EdgeCase{"Raised", EDGE_RAISED, BF_RECT, COLOR_3DLIGHT,
                                                    COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW},
                                           EdgeCase{"Etched", EDGE_ETCHED, BF_RECT, COLOR_3DSHADOW,
                                                    COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DHILIGHT},
                                           EdgeCase{"Flat", EDGE_SUNKEN, BF_RECT | BF_FLAT, COLOR_3DSHADOW,
                                                    COLOR_3DFACE, COLOR_3DFACE, COLOR_3DSHADOW}),
                         [](const ::testing::TestParamInfo<EdgeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(FrameControlTest, TheScrollArrowPointsItsWayAndMovesWhenPushed) {
    DibCanvas canvas(16, 16, kPaper);
    CRect r(0, 0, 16, 16);
    ASSERT_TRUE(canvas.dc.DrawFrameControl(&r, DFC_SCROLL, DFCS_SCROLLDOWN));
    const COLORREF arrow = GetSysColor(COLOR_BTNTEXT);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(canvas.At(8, 7), arrow) << "the arrow's wide end lies above its tip";
    EXPECT_EQ(canvas.At(5, 7), arrow);
    EXPECT_EQ(canvas.At(5, 10), face);
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DLIGHT));

    canvas.Fill(kPaper);
    ASSERT_TRUE(canvas.dc.DrawFrameControl(&r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED | DFCS_INACTIVE));
    EXPECT_EQ(canvas.At(6, 8), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_FALSE(canvas.dc.DrawFrameControl(&r, DFC_CAPTION, 0));
}

TEST(FrameControlTest, AFocusRectangleDrawnTwiceLeavesNoTrace) {
    DibCanvas canvas(12, 8, kPaper);
    const CRect r(1, 1, 11, 7);
    canvas.dc.DrawFocusRect(&r);
    EXPECT_EQ(canvas.At(1, 1), RGB(254, 253, 252));
    EXPECT_EQ(canvas.At(2, 1), kPaper) << "every other pixel";
    EXPECT_EQ(canvas.At(5, 4), kPaper) << "the inside stays";
    canvas.dc.DrawFocusRect(&r);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(canvas.At(x, y), kPaper) << x << "," << y;
}

} // namespace
