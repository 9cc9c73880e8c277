// The page canvas: the mapping between page and window, the redraws into its bitmap and what painting
// shows of it.

#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "page/DrawImage.h"
#include "page/DrawRect.h"
#include "platform/gdi/Dc.h"
#include "tests/image/DibBuilder.h"
#include "tests/page/CanvasFixture.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/UiTestSupport.h"

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kPageWhite = 0xFFFFFF;

class PreviewWndTest : public CanvasFixture {};

TEST_F(PreviewWndTest, MapsA4AcrossByOrientationAndLetterboxesIt) {
    struct MappingCase {
        const char* name;
        int orientation;
        CRect pageRect;
        CPoint windowPoint;
        CPoint pagePoint;
    };
    const MappingCase cases[] = {
        {"OrientationOneIsFirstMemberAcross", 1, CRect(131, 0, 438, 435), CPoint(300, 200),
         CPoint(1153, 1365)},
        {"LeftOfThePageIsNegative", 1, CRect(131, 0, 438, 435), CPoint(0, 0), CPoint(-894, 0)},
        {"OrientationZeroIsSecondMemberAcross", 0, CRect(0, 16, 570, 419), CPoint(300, 200),
         CPoint(1563, 958)},
    };
    for (const MappingCase& c : cases) {
        m_host.m_page->SetOrientation(c.orientation);
        EXPECT_EQ(m_canvas->GetPageRect(), c.pageRect) << c.name;
        EXPECT_EQ(m_canvas->WindowToPage(c.windowPoint), c.pagePoint) << c.name;
    }
    m_host.m_page->SetOrientation(1);
    EXPECT_EQ(m_canvas->PageToWindow(CPoint(2100, 2970)), CPoint(438, 435));
    EXPECT_EQ(m_canvas->ObjectToWindow(CRect(1000, 1000, 0, 0)), CRect(131, 0, 277, 146)) << "normalised";

    m_host.m_page.reset();
    EXPECT_TRUE(m_canvas->GetPageRect().IsRectEmpty());
    EXPECT_EQ(m_canvas->WindowToPage(CPoint(7, 9)), CPoint(7, 9)) << "no page: unchanged";
}

TEST_F(PreviewWndTest, RedrawTemplateDrawsTheLetterboxedPageAndPaintingShowsTheBitmap) {
    // A 2 x 1 picture keeps its proportions in a square frame unless its fill flag is set.
    CDrawImage* fitted = Add(SolidPicture(CRect(0, 0, 1000, 1000), 0xFF0000, 2, 1));
    CDrawImage* stretched = Add(SolidPicture(CRect(1100, 0, 2100, 1000), 0x0000FF, 2, 1));
    stretched->SetStateFlag(false);
    ASSERT_TRUE(m_canvas->RedrawTemplate());

    EXPECT_EQ(BitmapPixel(CPoint(50, 200)), CPreviewWnd::kBackground) << "beside the page";
    EXPECT_EQ(BitmapPixel(CPoint(300, 300)), kPageWhite) << "the empty page";
    const CRect frame = m_canvas->ObjectToWindow(fitted->GetPosition());
    EXPECT_EQ(BitmapPixel(CPoint(frame.left + 2, frame.top + 2)), kPageWhite) << "letterboxed";
    EXPECT_EQ(BitmapPixel(Centre(fitted)), kRed);
    const CRect full = m_canvas->ObjectToWindow(stretched->GetPosition());
    EXPECT_EQ(BitmapPixel(CPoint(full.left + 2, full.top + 2)), kBlue) << "stretched to its frame";
    EXPECT_EQ(WindowDiffersFromBitmap(), 0);

    m_host.m_page.reset();
    EXPECT_FALSE(m_canvas->RedrawTemplate());
    EXPECT_EQ(BitmapPixel(CPoint(300, 300)), CPreviewWnd::kBackground);
}

TEST_F(PreviewWndTest, AnEllipseMatClipsARectanglePicture) {
    CDrawImage* picture = Add(SolidPicture(CRect(0, 0, 1000, 1000), 0xFF0000));
    picture->SetStateFlag(false);
    picture->SetMat(OpenMat("ellipse").release());
    ASSERT_TRUE(m_canvas->RedrawTemplate());
    const CRect frame = m_canvas->ObjectToWindow(picture->GetPosition());
    EXPECT_EQ(BitmapPixel(Centre(picture)), kRed);
    EXPECT_EQ(BitmapPixel(CPoint(frame.left + 1, frame.top + 1)), kPageWhite) << "outside the ellipse";
}

TEST_F(PreviewWndTest, PartialRedrawTouchesOnlyTheObjectsArea) {
    CDrawImage* left = Add(SolidPicture(CRect(0, 0, 1000, 1000), 0xFF0000));
    CDrawImage* right = Add(SolidPicture(CRect(1100, 0, 2100, 1000), 0xFF0000));
    ASSERT_TRUE(m_canvas->RedrawTemplate());
    CPictureInfo* blue = SolidDib(0x0000FF, 2, 2);
    left->SetAdjustedDib(blue);
    right->SetAdjustedDib(blue);
    blue->Release();
    ASSERT_TRUE(m_canvas->UpdateArea(left));
    EXPECT_EQ(BitmapPixel(Centre(left)), kBlue);
    EXPECT_EQ(BitmapPixel(Centre(right)), kRed) << "outside the area: not redrawn";
    EXPECT_EQ(WindowDiffersFromBitmap(), 0);
}

TEST_F(PreviewWndTest, NormalModeGrowsByZoomInPixelsOverTheMat) {
    m_app.SetEditMode(FALSE);
    m_host.m_normalPage = A4Page();
    auto* frameObject = new CDrawRect(CRect(300, 300, 1800, 2670));
    m_host.m_normalPage->InsertObject(frameObject, -1);
    // 10 x 10 pixels, red with a blue border: about 22 window pixels each in the frame.
    std::vector<unsigned> pixels(100, 0xFF0000);
    for (int i = 0; i < 10; ++i)
        pixels[static_cast<size_t>(i * 10)] = 0x0000FF;
    DibBuilder dib(10, 10, 24);
    dib.Pixels(pixels);
    CWorkBitmap work;
    CPictureInfo* bordered = PictureOf(dib);
    work.SetAdjustedDib(bordered);
    bordered->Release();
    m_host.m_work = &work;
    m_host.m_stretch = TRUE;
    const CRect frame = m_canvas->ObjectToWindow(frameObject->GetPosition());
    const int middle = (frame.top + frame.bottom) / 2;
    struct ZoomCase {
        int zoom;
        COLORREF at17;
    };
    for (const ZoomCase& c : {ZoomCase{100, kBlue}, ZoomCase{110, kRed}}) {
        work.zoom = c.zoom;
        ASSERT_TRUE(m_canvas->Redraw());
        EXPECT_EQ(BitmapPixel(CPoint(frame.left + 17, middle)), c.at17)
            << "zoom " << c.zoom << ": the border starts 10 pixels further left, cut by the frame";
        EXPECT_EQ(BitmapPixel(CPoint(frame.left - 2, middle)), kPageWhite) << "clipped to the frame";
    }

    // A green mat with a left border: drawn first, the picture in its opening.
    WriteBmp(Res("gruen.bmp"), 4, 4, {0x00FF00});
    WriteBmp(Res("gruen.msk"), 4, 4, {0x000000});
    WriteFile(Res("gruen.frm"), "100\n100\n20\n1\n98\n98\nGold\n");
    m_host.m_mat = std::make_unique<CMat>();
    m_host.m_mat->SetFilePath(Res("gruen.bmp"));
    ASSERT_TRUE(m_host.m_mat->LoadData());
    work.zoom = 100;
    ASSERT_TRUE(m_canvas->Redraw());
    EXPECT_EQ(BitmapPixel(CPoint(frame.left + 3, middle)), COLORREF{0x00FF00}) << "the mat's border";
    EXPECT_EQ(BitmapPixel(CPoint((frame.left + frame.right) / 2, middle)), kRed);
    EXPECT_EQ(WindowDiffersFromBitmap(), 0);
}

} // namespace
