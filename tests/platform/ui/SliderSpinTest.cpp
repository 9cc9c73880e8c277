// Sliders and spin buttons: the scroll codes and positions their parent hears for keys and the mouse,
// the spin button's refusable steps through an inverted range, and its buddy's text both ways.

#include "platform/ui/Edit.h"
#include "platform/ui/SliderCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class ScrollOwner : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    CWnd* m_expectedSender = nullptr;
    int m_refuseFrom = -1000; // refuses steps down from this position

protected:
    void OnHScroll(UINT code, UINT position, CScrollBar* sender) override {
        LogScroll("h", code, position, sender);
    }
    void OnVScroll(UINT code, UINT position, CScrollBar* sender) override {
        LogScroll("v", code, position, sender);
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        const auto* change = reinterpret_cast<LPNMUPDOWN>(lParam);
        if (change->hdr.code != UDN_DELTAPOS)
            return FALSE;
        Log("deltapos " + std::to_string(change->iPos) + " " + std::to_string(change->iDelta));
        *result = change->iPos == m_refuseFrom && change->iDelta < 0;
        return TRUE;
    }

private:
    void LogScroll(const char* bar, UINT code, UINT position, CScrollBar* sender) {
        EXPECT_EQ(reinterpret_cast<CWnd*>(sender), m_expectedSender);
        Log(std::string(bar) + "scroll " + std::to_string(code) + " " + std::to_string(position));
    }
};

class ReleaseLoggingSpin : public CSpinButtonCtrl {
public:
    MessageLog* m_log = nullptr;

protected:
    void OnLButtonUp(UINT flags, CPoint point) override {
        m_log->push_back("spin lup");
        CSpinButtonCtrl::OnLButtonUp(flags, point);
    }
};

class SliderSpinTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 400, 300)));
        ShowActive(&m_owner);
    }
    MessageLog m_log;
    ScrollOwner m_owner{&m_log, "owner"};
};

TEST_F(SliderSpinTest, SliderKeysReportTheirCodeAndEndTheMove) {
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, CRect(10, 10, 210, 40), &m_owner, 5));
    slider.SetRange(0, 10);
    slider.SetPageSize(3);
    slider.SetFocus();
    m_owner.m_expectedSender = &slider;
    m_log.clear();
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_End, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Left})
        TypeKey(&slider, key);
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_THAT(m_log, ElementsAre("owner hscroll 1 0", "owner hscroll 8 0", "owner hscroll 7 0",
                                   "owner hscroll 8 0", "owner hscroll 2 0", "owner hscroll 8 0",
                                   "owner hscroll 6 0", "owner hscroll 8 0", "owner hscroll 0 0",
                                   "owner hscroll 8 0"));
}

TEST_F(SliderSpinTest, DraggingTheThumbTracksAndAPressBesideItPages) {
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_VERT, CRect(10, 10, 40, 210), &m_owner, 5));
    slider.SetRange(0, 10);
    m_owner.m_expectedSender = &slider;
    m_log.clear();
    // The channel runs from 7 to 193 pixels: position 0 at the top.
    PressAt(&slider, CPoint(15, 7));
    MoveTo(&slider, CPoint(15, 100));
    MoveTo(&slider, CPoint(15, 300));
    ReleaseAt(&slider, CPoint(15, 300));
    EXPECT_EQ(slider.GetPos(), 10);
    ClickAt(&slider, CPoint(15, 20));
    EXPECT_EQ(slider.GetPos(), 0) << "a page of 20 from the end, kept in the range";
    EXPECT_THAT(m_log, ElementsAre("owner vscroll 5 5", "owner vscroll 5 10", "owner vscroll 4 10",
                                   "owner vscroll 8 0", "owner vscroll 2 0", "owner vscroll 8 0"));
}

TEST_F(SliderSpinTest, TheUpArrowMovesTowardsTheUpperBoundEvenBelowTheLowerOne) {
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 32), &m_owner, 6));
    ReleaseLoggingSpin spin;
    spin.m_log = &m_log;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT,
                            CRect(0, 0, 16, 22), &m_owner, 7));
    EXPECT_EQ(spin.GetBuddy(), &buddy);
    CRect box;
    spin.GetWindowRect(&box);
    m_owner.ScreenToClient(&box);
    EXPECT_EQ(box, CRect(94, 10, 110, 32)) << "against the buddy's right edge";
    spin.SetRange(2000, 0);
    spin.SetPos(1001);
    m_owner.m_expectedSender = &spin;
    m_owner.m_refuseFrom = 999;
    m_log.clear();

    const CPoint up(8, 3);
    const CPoint down(8, 18);
    ClickAt(&spin, up);
    ClickAt(&spin, up);
    ClickAt(&spin, up); // refused
    ClickAt(&spin, down);
    EXPECT_EQ(spin.GetPos(), 1000);
    CString text;
    buddy.GetWindowText(text);
    EXPECT_STREQ(text, "1.000");
    EXPECT_THAT(m_log, ElementsAre("owner deltapos 1001 -1", "owner command 6 code 768 from 1.000",
                                   "owner vscroll 4 1000", "spin lup", "owner vscroll 8 1000",
                                   "owner deltapos 1000 -1", "owner command 6 code 768 from 999",
                                   "owner vscroll 4 999", "spin lup", "owner vscroll 8 999",
                                   "owner deltapos 999 -1", "spin lup", "owner vscroll 8 999",
                                   "owner deltapos 999 1", "owner command 6 code 768 from 1.000",
                                   "owner vscroll 4 1000", "spin lup", "owner vscroll 8 1000"));
}

TEST_F(SliderSpinTest, TheArrowsStepFromWhatWasTypedIntoTheBuddy) {
    struct Case {
        const char* typed;
        int readBack; // by GetPos before the step
        const char* afterUp;
    };
    const Case cases[] = {
        {"40", 40, "41"}, {" 1.500 ", 1500, "1.501"}, {"-3", 0, "1"}, {"abc", 5, "6"},
        {"", 5, "6"},     {"99999999999999", 5, "6"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.typed);
        CEdit buddy;
        ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 32), &m_owner, 6));
        CSpinButtonCtrl spin;
        ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT,
                                CRect(0, 0, 16, 22), &m_owner, 7));
        spin.SetRange32(0, 2000);
        spin.SetPos(5);
        m_owner.m_expectedSender = &spin;
        buddy.SetWindowText(test.typed);
        EXPECT_EQ(spin.GetPos(), test.readBack);
        buddy.SetWindowText(test.typed);
        ClickAt(&spin, CPoint(8, 3));
        CString text;
        buddy.GetWindowText(text);
        EXPECT_STREQ(text, test.afterUp);
        spin.DestroyWindow();
        buddy.DestroyWindow();
    }
}

} // namespace
