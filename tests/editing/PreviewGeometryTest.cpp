// The preview window's geometry and the frame drags, without windows.

#include "editing/FrameDrag.h"
#include "editing/PreviewView.h"

#include <gtest/gtest.h>

namespace {

constexpr CSize kClient(479, 387);

CPreviewView FittedView(CSize picture) {
    CPreviewView view;
    view.SetClientSize(kClient);
    view.SetPictureSize(picture);
    view.ResetView();
    return view;
}

// The picture point under the client's centre, relative to the picture.
double CentreFraction(const CPreviewView& view, bool across) {
    const CRect& r = view.GetPictureRect();
    return across ? (kClient.cx * 0.5 - r.left) / r.Width() : (kClient.cy * 0.5 - r.top) / r.Height();
}

} // namespace

TEST(PreviewViewTest, ZoomStopsAtOneAndEight) {
    CPreviewView view = FittedView(CSize(2000, 1500));
    EXPECT_FALSE(view.ZoomOut());
    for (int step = 2; step <= 8; ++step) {
        EXPECT_TRUE(view.ZoomIn());
        EXPECT_EQ(view.GetZoom(), step);
    }
    EXPECT_FALSE(view.ZoomIn());
    EXPECT_EQ(view.GetZoom(), 8.0);
    EXPECT_FALSE(view.ZoomTo(8));
    for (int step = 7; step >= 1; --step)
        EXPECT_TRUE(view.ZoomOut());
    EXPECT_FALSE(view.ZoomOut());
}

TEST(PreviewViewTest, FitNeverEnlargesAndCentres) {
    struct Case {
        const char* name;
        CSize picture;
        CRect expected;
    };
    const Case cases[] = {
        {"small picture at its own size", {100, 50}, {189, 168, 289, 218}},
        {"wide picture fills the width", {958, 387}, {0, 97, 479, 290}},
        {"narrow picture centred across", {100, 1000}, {220, 0, 258, 386}},
    };
    for (const Case& c : cases) {
        const CPreviewView view = FittedView(c.picture);
        EXPECT_LE(view.GetBaseScale(), 1.0) << c.name;
        EXPECT_EQ(view.GetPictureRect().left, c.expected.left) << c.name;
        EXPECT_EQ(view.GetPictureRect().top, c.expected.top) << c.name;
        EXPECT_EQ(view.GetPictureRect().right, c.expected.right) << c.name;
        EXPECT_EQ(view.GetPictureRect().bottom, c.expected.bottom) << c.name;
    }
}

TEST(PreviewViewTest, NarrowPictureStaysCentredAfterEveryZoomAndClamp) {
    CPreviewView view = FittedView(CSize(100, 1000));
    for (int zoom : {2, 3, 4, 6, 8}) {
        view.ZoomTo(zoom);
        const CRect& r = view.GetPictureRect();
        ASSERT_LT(r.Width(), kClient.cx) << zoom;
        EXPECT_LE(std::abs((r.left + r.right) - kClient.cx), 1) << zoom;
        EXPECT_EQ(r.top <= 0 && r.bottom >= kClient.cy, true) << zoom;
    }
}

TEST(PreviewViewTest, ZoomKeepsThePicturePointUnderTheCentre) {
    CPreviewView view = FittedView(CSize(3000, 2000));
    view.ZoomTo(3);
    view.PanTo(CPoint(300, 200), CPoint(900, 500));
    const double across = CentreFraction(view, true);
    const double down = CentreFraction(view, false);
    ASSERT_TRUE(view.ZoomIn());
    // Within the rounding of two display pixels of the new size.
    EXPECT_NEAR(CentreFraction(view, true), across, 2.0 / view.GetPictureRect().Width());
    EXPECT_NEAR(CentreFraction(view, false), down, 2.0 / view.GetPictureRect().Height());
}

TEST(PreviewViewTest, ClampCoversTheClientWithAZoomedPicture) {
    CPreviewView view = FittedView(CSize(3000, 2000));
    view.ZoomTo(4);
    struct Case {
        const char* name;
        CPoint to;
    };
    for (const Case& c : {Case{"dragged right", {2000, 100}}, Case{"dragged left", {-5000, 100}},
                          Case{"dragged down", {100, 3000}}, Case{"dragged up", {100, -4000}}}) {
        view.PanTo(c.to, CPoint(0, 0));
        const CRect& r = view.GetPictureRect();
        EXPECT_LE(r.left, 0) << c.name;
        EXPECT_LE(r.top, 0) << c.name;
        EXPECT_GE(r.right, kClient.cx) << c.name;
        EXPECT_GE(r.bottom, kClient.cy) << c.name;
    }
}

TEST(PreviewViewTest, ExtremePicturesShowOnlyTheirOwnPixels) {
    for (const CSize picture : {CSize(1, 1), CSize(10000, 20)}) {
        CPreviewView view = FittedView(picture);
        for (int zoom : {1, 2, 8, 1}) {
            view.ZoomTo(zoom);
            view.PanTo(CPoint(-700, -700), CPoint(0, 0));
            const AxisSpan across = view.HorizontalSpan();
            const AxisSpan down = view.VerticalSpan();
            EXPECT_GE(across.targetStart, 0);
            EXPECT_LE(across.targetEnd, kClient.cx);
            EXPECT_GE(down.targetStart, 0);
            EXPECT_LE(down.targetEnd, kClient.cy);
            EXPECT_GE(across.sourceStart, 0);
            EXPECT_LE(across.sourceEnd, picture.cx);
            EXPECT_GE(down.sourceStart, 0);
            EXPECT_LE(down.sourceEnd, picture.cy);
        }
    }
}

TEST(FrameDragTest, HitTestPrefersCornersInTheirOrder) {
    const CRect frame(100, 50, 200, 150);
    struct Case {
        const char* name;
        CPoint point;
        FrameDragMode mode;
    };
    const Case cases[] = {
        {"top-left", {98, 48}, kDragTopLeft},
        {"bottom-right", {201, 151}, kDragBottomRight},
        {"bottom-left", {99, 149}, kDragBottomLeft},
        {"top-right", {199, 51}, kDragTopRight},
        {"right edge of the box excluded", {202, 150}, kNoFrameDrag},
        {"inside", {150, 100}, kDragWholeFrame},
        {"outside", {50, 100}, kNoFrameDrag},
    };
    for (const Case& c : cases) {
        CPoint grab;
        EXPECT_EQ(HitTestFrame(frame, c.point, &grab), c.mode) << c.name;
        if (c.mode == kDragWholeFrame) {
            EXPECT_EQ(grab, CPoint(50, 50)) << c.name;
        }
    }
}

TEST(FrameDragTest, EdgesStayOneDisplayPixelApartAndInsideThePicture) {
    const CRect picture(10, 20, 210, 120); // 200 by 100 display pixels
    const RelativeFrame frame{0.25, 0.75, 0.25, 0.75};
    struct Case {
        const char* name;
        FrameDragMode mode;
        CPoint point;
        RelativeFrame expected;
    };
    const Case cases[] = {
        {"top-left past the opposite corner",
         kDragTopLeft,
         {500, 500},
         {0.75 - 1 / 200.0, 0.75, 0.75 - 1 / 100.0, 0.75}},
        {"top-left outside the picture", kDragTopLeft, {-50, -50}, {0.0, 0.75, 0.0, 0.75}},
        {"bottom-right past the opposite corner",
         kDragBottomRight,
         {0, 0},
         {0.25, 0.25 + 1 / 200.0, 0.25, 0.25 + 1 / 100.0}},
        {"bottom-right outside the picture", kDragBottomRight, {900, 900}, {0.25, 1.0, 0.25, 1.0}},
        {"top-right", kDragTopRight, {160, 45}, {0.25, 0.75, 0.25, 0.75}},
        {"bottom-left", kDragBottomLeft, {60, 95}, {0.25, 0.75, 0.25, 0.75}},
    };
    for (const Case& c : cases) {
        const RelativeFrame moved = DragFrame(c.mode, frame, c.point, picture, CPoint());
        EXPECT_DOUBLE_EQ(moved.left, c.expected.left) << c.name;
        EXPECT_DOUBLE_EQ(moved.right, c.expected.right) << c.name;
        EXPECT_DOUBLE_EQ(moved.top, c.expected.top) << c.name;
        EXPECT_DOUBLE_EQ(moved.bottom, c.expected.bottom) << c.name;
    }
}

TEST(FrameDragTest, AMovedFrameStopsAtTheBorderWithItsSizeKept) {
    const CRect picture(0, 0, 200, 100);
    const RelativeFrame frame{0.25, 0.5, 0.25, 0.5};
    const CPoint grab(10, 5);
    const RelativeFrame farRight = DragFrame(kDragWholeFrame, frame, CPoint(1000, 1000), picture, grab);
    EXPECT_DOUBLE_EQ(farRight.right, 1.0);
    EXPECT_DOUBLE_EQ(farRight.left, 0.75);
    EXPECT_DOUBLE_EQ(farRight.bottom, 1.0);
    EXPECT_DOUBLE_EQ(farRight.top, 0.75);
    const RelativeFrame farLeft = DragFrame(kDragWholeFrame, frame, CPoint(-1000, -1000), picture, grab);
    EXPECT_DOUBLE_EQ(farLeft.left, 0.0);
    EXPECT_DOUBLE_EQ(farLeft.right, 0.25);
    EXPECT_DOUBLE_EQ(farLeft.top, 0.0);
    EXPECT_DOUBLE_EQ(farLeft.bottom, 0.25);
    const RelativeFrame inside = DragFrame(kDragWholeFrame, frame, CPoint(110, 55), picture, grab);
    EXPECT_DOUBLE_EQ(inside.left, 0.5);
    EXPECT_DOUBLE_EQ(inside.top, 0.5);
}
