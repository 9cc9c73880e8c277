// Child window frames: the client area sits inside the frame, input and coordinates follow it, and the
// frame is drawn in the system colours; the system metrics agree with it.

#include "platform/gdi/Dc.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SystemMetrics.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

constexpr COLORREF kProbe = RGB(10, 200, 30);

class FilledWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        // Drawing beyond the client area must not reach the frame.
        CRect beyond(client);
        beyond.InflateRect(5, 5);
        dc.FillSolidRect(&beyond, kProbe);
    }
};

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
    int width;
    COLORREF outerPixel; // the window's top-left corner
};

class WindowFrameTest : public UiTest, public ::testing::WithParamInterface<FrameCase> {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_parent.CreatePopup(CRect(100, 100, 300, 260)));
        ShowActive(&m_parent);
    }
    MessageLog m_log;
    LoggingWnd m_parent{&m_log, "parent"};
};

TEST_P(WindowFrameTest, TheClientAreaStartsInsideTheFrame) {
    const FrameCase& c = GetParam();
    FilledWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateEx(c.exStyle, nullptr, "child", WS_CHILD | WS_VISIBLE | c.style,
                               CRect(10, 20, 90, 98), &m_parent, 7));
    PumpMessages();

    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 80 - 2 * c.width, 78 - 2 * c.width));
    CRect window;
    child.GetWindowRect(&window);
    EXPECT_EQ(window, CRect(110, 120, 190, 198));
    CPoint origin(0, 0);
    child.ClientToScreen(&origin);
    EXPECT_EQ(origin, CPoint(110 + c.width, 120 + c.width));

    EXPECT_EQ(WindowPixel(&child, CPoint(0, 0)), kProbe);
    CDC* whole = child.GetWindowDC();
    EXPECT_EQ(whole->GetPixel(0, 0), c.outerPixel);
    EXPECT_EQ(whole->GetPixel(c.width, c.width), kProbe);
    child.ReleaseDC(whole);

    m_log.clear();
    ClickAt(&child, CPoint(0, 0));
    EXPECT_THAT(m_log, ElementsAre("child ldown 0,0 flags 1", "child lup 0,0 flags 0"));
}

INSTANTIATE_TEST_SUITE_P(
    Frames, WindowFrameTest,
    ::testing::Values(FrameCase{"Border", WS_BORDER, 0, 1, GetSysColor(COLOR_WINDOWFRAME)},
                      FrameCase{"DialogFrame", WS_DLGFRAME, 0, 3, GetSysColor(COLOR_3DLIGHT)},
                      FrameCase{"ClientEdge", 0, WS_EX_CLIENTEDGE, 2, GetSysColor(COLOR_3DSHADOW)},
                      FrameCase{"None", 0, 0, 0, kProbe}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST(SystemMetricsTest, TheMeasuresTheDrawingUses) {
    const std::pair<int, int> expected[] = {
        {SM_CXEDGE, 2},         {SM_CYEDGE, 2},      {SM_CXHTHUMB, 16},  {SM_CYVTHUMB, 16},
        {SM_CXVSCROLL, 16},     {SM_CYHSCROLL, 16},  {SM_CXDLGFRAME, 3}, {SM_CYDLGFRAME, 3},
        {SM_CXBORDER, 1},       {SM_CXICON, 32},     {SM_CYICON, 32},    {SM_CXICONSPACING, 75},
        {SM_CYICONSPACING, 75}, {SM_DBCSENABLED, 0}, {12345, 0}};
    for (const auto& [index, value] : expected)
        EXPECT_EQ(GetSystemMetrics(index), value) << "index " << index;

    NONCLIENTMETRICS metrics{};
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0)) << "cbSize unset";
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(metrics.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_NE(metrics.lfMessageFont.lfHeight, 0);
}

} // namespace
