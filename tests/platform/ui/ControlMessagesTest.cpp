// What controls and windows say to each other: WM_NOTIFY offered to the sending control before its
// parent, colour requests before a control erases, the context-menu request, the application's
// activation, and the dialog keys a control keeps for itself.

#include "platform/gdi/Dc.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Static.h"
#include "platform/ui/TopLevelMessages.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

constexpr COLORREF kParentColor = RGB(200, 30, 40);
constexpr COLORREF kBrushColor = RGB(20, 40, 220);
constexpr UINT kHandledByControl = 1;
constexpr UINT kForTheParent = 2;

// Paints itself in one colour and answers the colour requests of its children with m_brush.
class ParentWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    HBRUSH m_brush = nullptr;

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kParentColor);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        const auto* header = reinterpret_cast<LPNMHDR>(lParam);
        Log("notify " + std::to_string(wParam) + " code " + std::to_string(header->code));
        *result = 7;
        return TRUE;
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) override {
        Log("ctlcolor " + std::to_string(ctlColor));
        return m_brush ? m_brush : CWnd::OnCtlColor(dc, control, ctlColor);
    }
    void OnContextMenu(CWnd* window, CPoint point) override {
        CString text;
        window->GetWindowText(text);
        Log("contextmenu " + std::string(text.GetString()) + " " + std::to_string(point.x) + "," +
            std::to_string(point.y));
    }
    void OnActivateApp(BOOL active, DWORD) override { Log("activateapp " + std::to_string(active)); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DISPLAYCHANGE)
            Log("displaychange " + std::to_string(wParam) + " " + std::to_string(LOWORD(lParam)) + "x" +
                std::to_string(HIWORD(lParam)));
        return LoggingWnd::WindowProc(message, wParam, lParam);
    }
};

class NotifyingControl : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    LRESULT Notify(UINT code) {
        NMHDR header{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), code};
        return GetParent()->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_NOTIFY && reinterpret_cast<LPNMHDR>(lParam)->code == kHandledByControl) {
            Log("reflected");
            *result = 3;
            return TRUE;
        }
        return LoggingWnd::OnChildNotify(message, wParam, lParam, result);
    }
};

// Keeps the dialog keys it is told to.
class KeyKeepingControl : public CWnd {
public:
    UINT m_wants = 0;

protected:
    UINT OnGetDlgCode() override { return m_wants; }
};

class ControlMessagesTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_parent.CreatePopup(CRect(50, 50, 250, 200)));
        ShowActive(&m_parent);
        m_log.clear();
    }
    MessageLog m_log;
    ParentWnd m_parent{&m_log, "parent"};
};

TEST_F(ControlMessagesTest, TheSenderHandlesItsNotificationBeforeTheParentSeesIt) {
    NotifyingControl control(&m_log, "control");
    ASSERT_TRUE(control.CreateChild(&m_parent, CRect(0, 0, 20, 20), 41));
    m_log.clear();

    EXPECT_EQ(control.Notify(kHandledByControl), 3);
    EXPECT_EQ(control.Notify(kForTheParent), 7);
    EXPECT_THAT(m_log, ElementsAre("control reflected", "parent notify 41 code 2"));
}

TEST_F(ControlMessagesTest, ALabelErasesWithTheBrushItsParentAnswers) {
    CBrush blue(kBrushColor);
    const struct {
        const char* name;
        HBRUSH brush;
        COLORREF shown;
    } cases[] = {
        {"default", nullptr, GetSysColor(COLOR_3DFACE)},
        {"solid", static_cast<HBRUSH>(blue.m_hObject), kBrushColor},
        {"hollow shows the parent", static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)), kParentColor}};
    for (const auto& c : cases) {
        m_parent.m_brush = c.brush;
        CStatic label;
        ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 60, 30), &m_parent, 5));
        m_parent.UpdateWindow();
        m_log.clear();
        EXPECT_EQ(WindowPixel(&label, CPoint(20, 10)), c.shown) << c.name;
        EXPECT_THAT(m_log, ElementsAre("parent ctlcolor " + std::to_string(CTLCOLOR_STATIC))) << c.name;
        label.DestroyWindow();
    }
}

TEST_F(ControlMessagesTest, ARightClickAndTheMenuKeyAskTheParentForAContextMenu) {
    LoggingWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateChild(&m_parent, CRect(20, 30, 80, 90), 9));
    m_log.clear();

    ClickAt(&child, CPoint(5, 6), Qt::RightButton);
    child.SetFocus();
    TypeKey(&child, Qt::Key_Menu);
    PumpMessages();
    EXPECT_THAT(m_log, ElementsAre("child rdown 5,6 flags 2", "child rup 5,6 flags 0",
                                   "parent contextmenu child 75,86", "parent contextmenu child -1,-1"));
}

TEST_F(ControlMessagesTest, TopLevelWindowsHearWhenTheApplicationLosesTheActivation) {
    LoggingWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateChild(&m_parent, CRect(0, 0, 10, 10), 9));
    m_log.clear();
    NotifyApplicationActive(false);
    NotifyApplicationActive(false);
    NotifyApplicationActive(true);
    EXPECT_THAT(m_log, ElementsAre("parent activateapp 0", "parent activateapp 1"));
}

TEST_F(ControlMessagesTest, TopLevelWindowsHearOfEachNewScreenSizeOrDepthOnce) {
    ParentWnd childParent(&m_log, "child");
    ASSERT_TRUE(childParent.CreateChild(&m_parent, CRect(0, 0, 10, 10), 9));
    m_log.clear();
    NotifyDisplayChange(16, 1280, 1024);
    NotifyDisplayChange(16, 1280, 1024);
    NotifyDisplayChange(24, 1280, 1024);
    NotifyDisplayChange(24, 1920, 1080);
    EXPECT_THAT(m_log, ElementsAre("parent displaychange 16 1280x1024", "parent displaychange 24 1280x1024",
                                   "parent displaychange 24 1920x1080"));
}

TEST_F(ControlMessagesTest, AControlKeepsTheDialogKeysItAsksFor) {
    KeyKeepingControl control;
    ASSERT_TRUE(control.Create(nullptr, "keys", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 10, 10),
                               &m_parent, 3));
    control.SetFocus();
    MSG escape{nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    MSG tab{nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {}};

    EXPECT_TRUE(IsDialogMessage(m_parent.m_hWnd, &escape));
    control.m_wants = DLGC_WANTTAB;
    EXPECT_FALSE(IsDialogMessage(m_parent.m_hWnd, &tab));
    EXPECT_TRUE(IsDialogMessage(m_parent.m_hWnd, &escape));
    control.m_wants = DLGC_WANTALLKEYS;
    EXPECT_FALSE(IsDialogMessage(m_parent.m_hWnd, &escape));
}

} // namespace
