// Documents, views and frames: the frame's layout of tool bar, status bar and pane, commands of tool bars
// and accelerators routed to the active view and then the frame, tool bar states after input, tips, and
// a document that goes with its last view.

#include "platform/ui/FrameWnd.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/Document.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/View.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <string>
#include <vector>

namespace {

constexpr UINT kNew = 40001;
constexpr UINT kDelete = 40002;
constexpr UINT kRename = 40003;
constexpr UINT kToolBar = 600;
constexpr UINT kSortBox = 0xF26B;

std::vector<std::string>* g_log = nullptr;

void Note(const std::string& line) {
    if (g_log)
        g_log->push_back(line);
}

class CountingDocument : public CDocument {
    DECLARE_DYNCREATE(CountingDocument)
public:
    static int s_alive;
    CountingDocument() { ++s_alive; }
    ~CountingDocument() override { --s_alive; }
    void DeleteContents() override { Note("doc contents"); }
};
int CountingDocument::s_alive = 0;
IMPLEMENT_DYNCREATE(CountingDocument, CDocument)

// Handles kNew always and kDelete while its flag allows; its name tells which view ran a command.
class NamedView : public CView {
    DECLARE_DYNCREATE(NamedView)
public:
    void OnDraw(CDC* /*dc*/) override {}
    void OnUpdate(CView* /*sender*/, LPARAM hint, CObject* /*hintObject*/) override {
        Note(Name() + " update " + std::to_string(hint));
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL HasCommandHandler(UINT id) const override;
    BOOL OnUpdateCommandUI(CCmdUI* cmdUI) override;

    bool m_deleteAllowed = true;

private:
    std::string Name() const { return "view " + std::to_string(GetDlgCtrlID() - AFX_IDW_PANE_FIRST); }
    void OnNew() { Note(Name() + " new"); }
    void OnDelete() { Note(Name() + " delete"); }
    void OnUpdateDelete(CCmdUI* cmdUI) { cmdUI->Enable(m_deleteAllowed); }

    static const CommandEntry<NamedView> kCommands[];
    static const UpdateEntry<NamedView> kUpdates[];
};
IMPLEMENT_DYNCREATE(NamedView, CView)
const CommandEntry<NamedView> NamedView::kCommands[] = {{kNew, 0, &NamedView::OnNew},
                                                        {kDelete, 0, &NamedView::OnDelete}};
const UpdateEntry<NamedView> NamedView::kUpdates[] = {{kDelete, &NamedView::OnUpdateDelete}};

BOOL NamedView::OnCommand(WPARAM wParam, LPARAM lParam) {
    return DispatchCommand(*this, kCommands, wParam) || CView::OnCommand(wParam, lParam);
}

BOOL NamedView::HasCommandHandler(UINT id) const {
    return HasCommand<NamedView>(kCommands, id);
}

BOOL NamedView::OnUpdateCommandUI(CCmdUI* cmdUI) {
    return DispatchUpdate(*this, kUpdates, cmdUI);
}

// A frame with a tool bar and a two-pane status bar, two views side by side inside its pane window, and
// its own handler for kRename.
class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)
public:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CWnd m_pane;
    NamedView* m_views[2] = {};

    int OnCreate(LPCREATESTRUCT create) override {
        if (CFrameWnd::OnCreate(create) == -1)
            return -1;
        static const UINT kIndicators[] = {ID_SEPARATOR, ID_SEPARATOR};
        if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 2))
            return -1;
        if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS) ||
            !m_toolBar.LoadToolBar(kToolBar))
            return -1;
        LoadAccelTable(MAKEINTRESOURCE(kToolBar));
        SetActiveView(m_views[0], FALSE);
        return 0;
    }
    BOOL OnCreateClient(LPCREATESTRUCT /*create*/, CCreateContext* context) override {
        if (!m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                           AFX_IDW_PANE_FIRST))
            return FALSE;
        for (int i = 0; i < 2; ++i) {
            m_views[i] = static_cast<NamedView*>(RUNTIME_CLASS(NamedView)->CreateObject());
            if (!m_views[i]->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE,
                                    CRect(i * 100, 0, i * 100 + 100, 80), &m_pane,
                                    AFX_IDW_PANE_FIRST + static_cast<UINT>(i), context))
                return FALSE;
        }
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL HasCommandHandler(UINT id) const override;

private:
    void OnRename() { Note("frame rename"); }
    void OnNew() { Note("frame new"); }
    void OnSortChoice() { Note("frame sort choice"); }
    static const CommandEntry<TestFrame> kCommands[];
};
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)
const CommandEntry<TestFrame> TestFrame::kCommands[] = {{kRename, 0, &TestFrame::OnRename},
                                                        {kNew, 0, &TestFrame::OnNew},
                                                        {kSortBox, CBN_SELCHANGE, &TestFrame::OnSortChoice}};

BOOL TestFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    return DispatchCommand(*this, kCommands, wParam) || CFrameWnd::OnCommand(wParam, lParam);
}

BOOL TestFrame::HasCommandHandler(UINT id) const {
    return HasCommand<TestFrame>(kCommands, id);
}

class FrameWndTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_module = LoadLibrary(VC_UI_TEST_MODULE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_module, nullptr);
        g_log = &m_log;
        AfxSetResourceHandle(s_module);
        ASSERT_TRUE(m_dialog.CreatePopup(CRect(0, 0, 420, 300)));
        auto* document = static_cast<CDocument*>(RUNTIME_CLASS(CountingDocument)->CreateObject());
        m_frame = static_cast<TestFrame*>(RUNTIME_CLASS(TestFrame)->CreateObject());
        CCreateContext context;
        context.m_pCurrentDoc = document;
        context.m_pCurrentFrame = m_frame;
        const LPCTSTR frameClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, nullptr,
                                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_frame->Create(frameClass, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 20, 410, 280),
                                    &m_dialog, nullptr, WS_EX_CONTROLPARENT, &context));
        ASSERT_TRUE(document->OnNewDocument());
        m_frame->ActivateFrame();
        ShowActive(&m_dialog);
        m_frame->m_views[0]->SetFocus();
        m_log.clear();
    }
    void TearDown() override {
        UiTest::TearDown();
        AfxSetResourceHandle(nullptr);
        g_log = nullptr;
    }

    CRect ItemRect(int index) const {
        CRect rect;
        m_frame->m_toolBar.GetItemRect(index, &rect);
        return rect;
    }
    CRect ChildRect(CWnd* child) const {
        CRect rect;
        child->GetWindowRect(&rect);
        m_frame->ScreenToClient(&rect);
        return rect;
    }
    bool Disabled(UINT id) const {
        return m_frame->m_toolBar.GetButtonStyle(m_frame->m_toolBar.CommandToIndex(id)) & TBBS_DISABLED;
    }

    static HMODULE s_module;
    std::vector<std::string> m_log;
    MessageLog m_windowLog;
    LoggingWnd m_dialog{&m_windowLog, "dialog"};
    TestFrame* m_frame = nullptr;
};
HMODULE FrameWndTest::s_module = nullptr;

TEST_F(FrameWndTest, ToolBarOnTopStatusBarBelowPaneBetween) {
    const CRect toolBar = ChildRect(&m_frame->m_toolBar);
    const CRect statusBar = ChildRect(&m_frame->m_statusBar);
    const CRect pane = ChildRect(&m_frame->m_pane);
    EXPECT_EQ(toolBar, CRect(0, 0, 400, m_frame->m_toolBar.CalcHeight()));
    EXPECT_EQ(statusBar, CRect(0, 260 - m_frame->m_statusBar.CalcHeight(), 400, 260));
    EXPECT_EQ(pane, CRect(0, toolBar.bottom, 400, statusBar.top));

    // After a resize the pane still fills what the bars leave.
    m_frame->MoveWindow(10, 20, 300, 200);
    EXPECT_EQ(ChildRect(&m_frame->m_pane), CRect(0, toolBar.Height(), 300, 200 - statusBar.Height()));
}

TEST_F(FrameWndTest, StatusBarFirstPaneStretchesSecondIsFixed) {
    CRect first;
    CRect second;
    m_frame->m_statusBar.GetItemRect(0, &first);
    m_frame->m_statusBar.GetItemRect(1, &second);
    EXPECT_EQ(second.Width(), CStatusBar::kFixedPaneWidth);
    EXPECT_GT(second.left, first.right - 1);
    // Controls over the panes take their font from the bar's.
    EXPECT_NE(m_frame->m_statusBar.GetFont(), nullptr);
    m_frame->MoveWindow(10, 20, 300, 200);
    CRect narrower;
    m_frame->m_statusBar.GetItemRect(0, &narrower);
    m_frame->m_statusBar.GetItemRect(1, &second);
    EXPECT_EQ(narrower.Width(), first.Width() - 100);
    EXPECT_EQ(second.Width(), CStatusBar::kFixedPaneWidth);
}

TEST_F(FrameWndTest, ToolBarLaysButtonsAndWidenedSeparatorInOneRow) {
    CToolBar& bar = m_frame->m_toolBar;
    ASSERT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.GetButtonStyle(1), TBBS_SEPARATOR);
    // A separator widened to hold a combo box moves the buttons after it.
    const CRect before = ItemRect(2);
    bar.SetButtonInfo(1, 0xF26B, TBBS_SEPARATOR, 100);
    EXPECT_EQ(bar.GetItemID(1), 0xF26Bu);
    EXPECT_EQ(ItemRect(1).Width(), 100);
    EXPECT_EQ(ItemRect(2).left, ItemRect(1).right);
    EXPECT_EQ(ItemRect(2).Width(), before.Width());
    EXPECT_EQ(ItemRect(2).top, before.top);
}

TEST_F(FrameWndTest, ComboOverSeparatorSpeaksToTheFrameNotTheViews) {
    CToolBar& bar = m_frame->m_toolBar;
    bar.SetButtonInfo(1, kSortBox, TBBS_SEPARATOR, 100);
    CRect rect = ItemRect(1);
    rect.bottom = rect.top + 500;
    CComboBox sortBox;
    ASSERT_TRUE(
        sortBox.Create(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, rect, &bar, kSortBox));
    CRect placed;
    sortBox.GetWindowRect(&placed);
    bar.ScreenToClient(&placed);
    EXPECT_EQ(placed.left, ItemRect(1).left);
    EXPECT_EQ(placed.Width(), 100);
    // The box's notification, as it sends it to its parent, the bar.
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(kSortBox, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(sortBox.m_hWnd));
    EXPECT_EQ(m_log, (std::vector<std::string>{"frame sort choice"}));
}

TEST_F(FrameWndTest, ToolBarCommandsGoToActiveViewThenFrame) {
    // kNew: both the view and the frame handle it; the active view wins.
    ClickAt(&m_frame->m_toolBar, ItemRect(0).CenterPoint());
    // kRename: no view handles it, the frame does.
    ClickAt(&m_frame->m_toolBar, ItemRect(3).CenterPoint());
    EXPECT_EQ(m_log, (std::vector<std::string>{"view 0 new", "frame rename"}));
}

TEST_F(FrameWndTest, ClickInViewMakesItActive) {
    ClickAt(m_frame->m_views[1], CPoint(20, 20));
    EXPECT_EQ(m_frame->GetActiveView(), m_frame->m_views[1]);
    ClickAt(&m_frame->m_toolBar, ItemRect(0).CenterPoint());
    EXPECT_EQ(m_log, (std::vector<std::string>{"view 1 new"}));
}

TEST_F(FrameWndTest, ButtonStatesFollowUpdateHandlersAfterInput) {
    PumpMessages();
    EXPECT_FALSE(Disabled(kNew));
    EXPECT_FALSE(Disabled(kDelete));
    EXPECT_FALSE(Disabled(kRename));

    m_frame->m_views[0]->m_deleteAllowed = false;
    TypeKey(m_frame->m_views[0], Qt::Key_Shift);
    PumpMessages();
    EXPECT_TRUE(Disabled(kDelete));
    // A disabled button sends nothing.
    ClickAt(&m_frame->m_toolBar, ItemRect(2).CenterPoint());
    EXPECT_TRUE(m_log.empty());

    m_frame->m_views[0]->m_deleteAllowed = true;
    TypeKey(m_frame->m_views[0], Qt::Key_Shift);
    PumpMessages();
    EXPECT_FALSE(Disabled(kDelete));
}

TEST_F(FrameWndTest, DisabledButtonIsDrawnGreyInsteadOfInItsColour) {
    // The strip's first picture is red; its top left pixel is the transparent magenta.
    const CPoint inPicture = ItemRect(2).CenterPoint();
    const CPoint corner = inPicture - CSize(2, 2);
    PumpMessages();
    EXPECT_EQ(WindowPixel(&m_frame->m_toolBar, ItemRect(0).CenterPoint()), RGB(255, 0, 0));
    EXPECT_EQ(WindowPixel(&m_frame->m_toolBar, corner), GetSysColor(COLOR_BTNFACE));
    m_frame->m_views[0]->m_deleteAllowed = false;
    m_frame->UpdateCommandUI();
    PumpMessages();
    const COLORREF grey = WindowPixel(&m_frame->m_toolBar, inPicture);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
}

TEST_F(FrameWndTest, CommandThatNobodyHandlesIsDisabled) {
    static const UINT kButtons[] = {kNew, 40099};
    m_frame->m_toolBar.SetButtons(kButtons, 2);
    m_frame->UpdateCommandUI();
    EXPECT_FALSE(Disabled(kNew));
    EXPECT_TRUE(Disabled(40099));
}

TEST_F(FrameWndTest, AcceleratorsReachTheActiveViewThenTheFrame) {
    TypeKey(m_frame->m_views[0], Qt::Key_Delete);
    TypeKey(m_frame->m_views[0], Qt::Key_N, Qt::ControlModifier);
    TypeKey(m_frame->m_views[0], Qt::Key_F2);
    // N without Ctrl is no accelerator.
    TypeKey(m_frame->m_views[0], Qt::Key_N);
    // A command that its update handler disables is not run by its key either.
    m_frame->m_views[0]->m_deleteAllowed = false;
    TypeKey(m_frame->m_views[0], Qt::Key_Delete);
    EXPECT_EQ(m_log, (std::vector<std::string>{"view 0 delete", "view 0 new", "frame rename"}));
}

TEST_F(FrameWndTest, TipIsTheTextAfterTheLineBreakOfTheCommandString) {
    CToolTipCtrl* tips = m_frame->m_toolBar.GetToolTips();
    ASSERT_NE(tips, nullptr);
    // kRename has no string, so no tip.
    EXPECT_EQ(tips->GetToolCount(), 2);
    CString tip;
    tips->GetText(tip, &m_frame->m_toolBar, kNew);
    EXPECT_STREQ(tip, "Neu");
    tips->GetText(tip, &m_frame->m_toolBar, kDelete);
    EXPECT_STREQ(tip, "Löschen");
}

TEST_F(FrameWndTest, ViewsJoinTheDocumentAndHearItsUpdates) {
    CDocument* document = m_frame->m_views[0]->GetDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(m_frame->m_views[1]->GetDocument(), document);
    EXPECT_EQ(m_frame->GetActiveDocument(), document);
    document->UpdateAllViews(m_frame->m_views[0], 7);
    EXPECT_EQ(m_log, (std::vector<std::string>{"view 1 update 7"}));
    EXPECT_EQ(m_frame->m_views[0]->GetParentFrame(), m_frame);
}

TEST_F(FrameWndTest, DocumentGoesWithItsLastView) {
    ASSERT_EQ(CountingDocument::s_alive, 1);
    m_frame->m_views[0]->DestroyWindow();
    EXPECT_EQ(CountingDocument::s_alive, 1);
    EXPECT_EQ(m_frame->GetActiveView(), nullptr);
    // The frame goes with the dialog and takes the last view and the document with it.
    m_dialog.DestroyWindow();
    PumpMessages();
    EXPECT_EQ(CountingDocument::s_alive, 0);
    EXPECT_EQ(m_log, (std::vector<std::string>{"doc contents"}));
}

} // namespace
