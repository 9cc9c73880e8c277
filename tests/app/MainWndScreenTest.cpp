// The main window's layout on the screen this process has (ctest runs it once per screen size): the
// window covers the screen, the skin sits centred with its origin's halves truncated, black bands fill
// the rest, and the children and the close button stand at skin origin + their skin positions.

#include "image/FileHelpers.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Region.h"
#include "tests/app/MainWndTestSupport.h"

namespace {

struct ScreenCase {
    const char* name;
    SIZE screen;
    POINT skinOrigin;
    RECT pageCanvas;    // window coordinates
    RECT categoryPanel; // window coordinates
    POINT closeButton;  // top-left corner of its window
    int rightBandLeft;
};

std::ostream& operator<<(std::ostream& out, const ScreenCase& screen) {
    return out << screen.name;
}

const ScreenCase kScreens[] = {
    {"Screen800x600", {800, 600}, {0, 0}, {197, 40, 767, 475}, {0, 484, 800, 600}, {785, 6}, 800},
    {"Screen1024x768", {1024, 768}, {112, 84}, {309, 124, 879, 559}, {112, 568, 912, 684}, {897, 90}, 912},
    {"Screen1025x768", {1025, 768}, {112, 84}, {309, 124, 879, 559}, {112, 568, 912, 684}, {897, 90}, 912},
};

constexpr COLORREF kBlack = RGB(0, 0, 0);

class MainWndScreenTest : public MainWndTest, public ::testing::WithParamInterface<ScreenCase> {
protected:
    void SetUp() override {
        MainWndTest::SetUp();
        CRect desktop;
        CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
        if (desktop.Width() != GetParam().screen.cx || desktop.Height() != GetParam().screen.cy)
            GTEST_SKIP() << "needs a screen of that size; ctest gives each case its own";
    }

    // The child's rectangle in the main window's client coordinates.
    static CRect ChildRect(CWnd* window, CWnd* child) {
        CRect rect;
        child->GetWindowRect(&rect);
        window->ScreenToClient(&rect);
        return rect;
    }
};

TEST_P(MainWndScreenTest, TheWindowCoversTheScreenWithTheSkinCentredInBlack) {
    const ScreenCase& screen = GetParam();
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    CRect covered;
    window->GetWindowRect(&covered);
    EXPECT_EQ(covered, CRect(CPoint(0, 0), CSize(screen.screen)));
    EXPECT_EQ(CMainWnd::SkinOrigin(screen.screen.cx, screen.screen.cy), CPoint(screen.skinOrigin));

    // The skin's corners above the category panel show the skin bitmap's own pixels.
    CDC skinDC;
    CBitmap skin;
    ASSERT_TRUE(skinDC.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(LoadResourceBitmapWithPalette(skin, "MAIN_WND", nullptr));
    skinDC.SelectObject(&skin);
    for (const CPoint corner : {CPoint(0, 0), CPoint(799, 0), CPoint(0, 483), CPoint(799, 483)}) {
        const COLORREF skinColour = skinDC.GetPixel(corner);
        ASSERT_NE(skinColour, kBlack) << "the skin's corner cannot be told from the margin";
        EXPECT_EQ(WindowPixel(window, CPoint(screen.skinOrigin) + corner), skinColour)
            << corner.x << "," << corner.y;
    }

    // Top, right, bottom and left bands, where the screen leaves room for them.
    const int width = screen.screen.cx;
    const int height = screen.screen.cy;
    const int skinBottom = (height + 600) / 2;
    const CRect bands[] = {{0, 0, width, screen.skinOrigin.y},
                           {screen.rightBandLeft, 0, width, height},
                           {0, skinBottom, screen.rightBandLeft, height},
                           {0, screen.skinOrigin.y, screen.skinOrigin.x, skinBottom}};
    for (const CRect& band : bands) {
        if (band.IsRectEmpty())
            continue;
        for (const CPoint point :
             {band.TopLeft(), CPoint(band.right - 1, band.top), CPoint(band.left, band.bottom - 1),
              CPoint(band.right - 1, band.bottom - 1), band.CenterPoint()})
            EXPECT_EQ(WindowPixel(window, point), kBlack) << point.x << "," << point.y;
    }
}

TEST_P(MainWndScreenTest, ChildrenAndTheCloseButtonStandOnTheSkin) {
    const ScreenCase& screen = GetParam();
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    CWnd* canvas = window->GetDlgItem(CMainWnd::kPreviewWndId);
    CWnd* panel = window->GetDlgItem(CMainWnd::kCategWndId);
    ASSERT_NE(canvas, nullptr);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(canvas, window->GetPreviewWnd());
    EXPECT_EQ(panel, window->GetCategWnd());
    EXPECT_EQ(ChildRect(window, canvas), CRect(screen.pageCanvas));
    EXPECT_EQ(ChildRect(window, panel), CRect(screen.categoryPanel));
    CString name;
    canvas->GetWindowText(name);
    EXPECT_EQ(name, "PreviewWnd");
    panel->GetWindowText(name);
    EXPECT_EQ(name, "CategWnd");

    CWnd* close = ButtonNamed("Close");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(ChildRect(window, close).TopLeft(), CPoint(screen.closeButton));
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(close->GetWindowRgn(shape), ERROR);
    CRect bounds;
    shape.GetRgnBox(&bounds);
    EXPECT_EQ(bounds.Size(), CSize(15, 16));
}

INSTANTIATE_TEST_SUITE_P(Screens, MainWndScreenTest, ::testing::ValuesIn(kScreens),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
