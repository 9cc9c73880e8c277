// Creation, destruction and self-deleting windows.

#include "platform/ui/TimerTesting.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// Deletes itself once its window is gone, as the main window and the page canvas do.
class SelfDeletingWnd : public LoggingWnd {
public:
    SelfDeletingWnd(MessageLog* log, std::string name, bool* deleted)
        : LoggingWnd(log, name), m_deleted(deleted) {}
    ~SelfDeletingWnd() override { *m_deleted = true; }

    UINT_PTR m_destroyOnTimer = 0;

protected:
    void PostNcDestroy() override { delete this; }
    void OnTimer(UINT_PTR id) override {
        LoggingWnd::OnTimer(id);
        if (id == m_destroyOnTimer)
            DestroyWindow(); // the object is gone when this returns
    }

private:
    bool* m_deleted;
};

class WindowLifetimeTest : public UiTest {
protected:
    MessageLog m_log;
};

TEST_F(WindowLifetimeTest, CreateSendsCreateSizeAndShowsWithVisibleStyle) {
    LoggingWnd top(&m_log, "top");
    ASSERT_TRUE(top.CreatePopup(CRect(10, 20, 310, 220)));
    LoggingWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateChild(&top, CRect(5, 6, 55, 46), 1202));

    EXPECT_THAT(m_log, ElementsAre("top create top 300x200", "child create child 50x40"));
    EXPECT_EQ(child.GetDlgCtrlID(), 1202);
    EXPECT_EQ(top.GetDlgItem(1202), &child);
    EXPECT_EQ(child.GetParent(), &top);
    CString name;
    child.GetWindowText(name);
    EXPECT_EQ(name, "child");
    EXPECT_FALSE(top.IsWindowVisible());
    EXPECT_TRUE(child.GetStyle() & WS_VISIBLE);
    top.ShowWindow(SW_SHOW);
    EXPECT_TRUE(child.IsWindowVisible());
}

TEST_F(WindowLifetimeTest, RefusedCreationLeavesTheObjectWithoutWindowAndTakesItsChildrenDown) {
    // The refusing window gets neither WM_DESTROY nor WM_NCDESTROY: its object stays usable.
    class RefusingWnd : public LoggingWnd {
    public:
        RefusingWnd(MessageLog* log, bool* childDeleted)
            : LoggingWnd(log, "refusing"), m_childDeleted(childDeleted) {}

    protected:
        int OnCreate(LPCREATESTRUCT create) override {
            LoggingWnd::OnCreate(create);
            auto* child = new SelfDeletingWnd(m_logForChild, "child", m_childDeleted);
            child->CreateChild(this, CRect(0, 0, 10, 10), 1);
            return -1;
        }

    public:
        MessageLog* m_logForChild = nullptr;

    private:
        bool* m_childDeleted;
    };
    bool childDeleted = false;
    RefusingWnd window(&m_log, &childDeleted);
    window.m_logForChild = &m_log;

    EXPECT_FALSE(window.CreatePopup(CRect(0, 0, 100, 100)));

    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_TRUE(childDeleted);
    EXPECT_THAT(m_log, ElementsAre("refusing create refusing 100x100", "child create child 10x10",
                                   "child destroy", "child ncdestroy"));
}

TEST_F(WindowLifetimeTest, DestroyingAParentDestroysChildrenAndSelfDeletingObjectsDeleteThemselves) {
    LoggingWnd top(&m_log, "top");
    ASSERT_TRUE(top.CreatePopup(CRect(0, 0, 200, 200)));
    bool canvasDeleted = false;
    bool panelDeleted = false;
    auto* canvas = new SelfDeletingWnd(&m_log, "canvas", &canvasDeleted);
    auto* panel = new SelfDeletingWnd(&m_log, "panel", &panelDeleted);
    ASSERT_TRUE(canvas->CreateChild(&top, CRect(0, 0, 100, 100), 1202));
    ASSERT_TRUE(panel->CreateChild(&top, CRect(0, 100, 200, 200), 1204));
    const HWND canvasWindow = canvas->m_hWnd;
    m_log.clear();

    top.DestroyWindow();

    EXPECT_TRUE(canvasDeleted);
    EXPECT_TRUE(panelDeleted);
    EXPECT_FALSE(IsWindow(canvasWindow));
    EXPECT_EQ(top.m_hWnd, nullptr);
    // WM_DESTROY goes to the parent first, WM_NCDESTROY to it last; the first child made is on top.
    EXPECT_THAT(m_log, ElementsAre("top destroy", "canvas destroy", "canvas ncdestroy", "panel destroy",
                                   "panel ncdestroy", "top ncdestroy"));
}

TEST_F(WindowLifetimeTest, WindowThatDestroysItselfInItsOwnHandlerIsDeletedSafely) {
    bool deleted = false;
    auto* splash = new SelfDeletingWnd(&m_log, "splash", &deleted);
    ASSERT_TRUE(splash->CreatePopup(CRect(0, 0, 50, 50)));
    splash->m_destroyOnTimer = 1;
    splash->SetTimer(1, 5000);
    const HWND window = splash->m_hWnd;
    splash->ShowWindow(SW_SHOW);

    AdvanceTimersForTesting(4999);
    EXPECT_FALSE(deleted);
    AdvanceTimersForTesting(1);
    PumpMessages();

    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_THAT(m_log, ElementsAre("splash create splash 50x50", "splash timer 1", "splash destroy",
                                   "splash ncdestroy"));
}

TEST_F(WindowLifetimeTest, DeletingAnObjectDestroysItsWindowAndFreesTheHandle) {
    auto* top = new LoggingWnd(&m_log, "top");
    ASSERT_TRUE(top->CreatePopup(CRect(0, 0, 50, 50)));
    LoggingWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateChild(top, CRect(0, 0, 10, 10), 7));
    const HWND window = top->m_hWnd;

    delete top;

    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(window), nullptr);
}

TEST_F(WindowLifetimeTest, StandInObjectsServeWindowsThatNothingSubclassed) {
    LoggingWnd top(&m_log, "top");
    ASSERT_TRUE(top.CreatePopup(CRect(0, 0, 100, 100)));
    const HWND plain =
        CreateWindowEx(0, nullptr, "plain", WS_CHILD, 0, 0, 10, 10, top.m_hWnd,
                       reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(5)), nullptr, nullptr);
    ASSERT_TRUE(plain);
    CWnd* standIn = CWnd::FromHandle(plain);
    ASSERT_NE(standIn, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(top.GetDlgItem(5), standIn);

    LoggingWnd subclass(&m_log, "subclass");
    ASSERT_TRUE(subclass.SubclassDlgItem(5, &top));
    EXPECT_EQ(CWnd::FromHandle(plain), &subclass);
    EXPECT_FALSE(LoggingWnd(&m_log, "second").Attach(plain));
    EXPECT_EQ(subclass.UnsubclassWindow(), plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
}

TEST_F(WindowLifetimeTest, CreationFailsForUnknownClassesAndChildrenWithoutParent) {
    LoggingWnd window(&m_log, "window");
    EXPECT_FALSE(window.CreateEx(0, "NoSuchClass", "x", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_FALSE(window.CreateEx(0, nullptr, "x", WS_CHILD, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_TRUE(m_log.empty());
}

} // namespace
