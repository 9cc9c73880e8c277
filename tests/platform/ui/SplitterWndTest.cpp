// Static splitters: panes made by run-time class with the frame's document, sizes from ideal and minimum
// rows and columns, bars dragged within the minimums; and tree and list views as panes, whose controls'
// notifications come back to the views.

#include "platform/ui/SplitterWnd.h"

#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ListView.h"
#include "platform/ui/TreeView.h"
#include "platform/ui/WindowRecord.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <vector>

namespace {

std::vector<UINT>* g_notices = nullptr;

class CountedDocument : public CDocument {
public:
    static int s_alive;
    CountedDocument() { ++s_alive; }
    ~CountedDocument() override { --s_alive; }
};
int CountedDocument::s_alive = 0;

class NoticeTreeView : public CTreeView {
    DECLARE_DYNCREATE(NoticeTreeView)
public:
    BOOL PreCreateWindow(CREATESTRUCT& create) override {
        create.style |= TVS_HASBUTTONS | TVS_SHOWSELALWAYS;
        return CTreeView::PreCreateWindow(create);
    }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_NOTIFY && g_notices)
            g_notices->push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return CTreeView::OnChildNotify(message, wParam, lParam, result);
    }
};
IMPLEMENT_DYNCREATE(NoticeTreeView, CTreeView)

// Takes dropped files, unlike the tree view, which keeps the base refusal.
class NoticeListView : public CListView {
    DECLARE_DYNCREATE(NoticeListView)
public:
    DROPEFFECT OnDragEnter(COleDataObject* /*data*/, DWORD /*keyState*/, CPoint /*point*/) override {
        return DROPEFFECT_COPY;
    }
    DROPEFFECT OnDragOver(COleDataObject* /*data*/, DWORD /*keyState*/, CPoint /*point*/) override {
        return DROPEFFECT_COPY;
    }
    BOOL OnDrop(COleDataObject* data, DROPEFFECT /*effect*/, CPoint /*point*/) override {
        m_dropped = data->IsDataAvailable(CF_HDROP);
        return m_dropped;
    }
    bool m_dropped = false;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_NOTIFY && g_notices)
            g_notices->push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return CListView::OnChildNotify(message, wParam, lParam, result);
    }
};
IMPLEMENT_DYNCREATE(NoticeListView, CListView)

// A frame whose pane is a splitter of one row and two columns: a tree view and a list view.
class SplitFrame : public CFrameWnd {
    DECLARE_DYNCREATE(SplitFrame)
public:
    CSplitterWnd m_splitter;

    BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) override {
        if (!m_splitter.CreateStatic(this, 1, 2))
            return FALSE;
        const int first = static_cast<int>(create->cx / 3.0 + 0.5);
        if (!m_splitter.CreateView(0, 0, RUNTIME_CLASS(NoticeTreeView), CSize(first, 100), context) ||
            !m_splitter.CreateView(0, 1, RUNTIME_CLASS(NoticeListView), CSize(create->cx - first, 100),
                                   context)) {
            m_splitter.DestroyWindow();
            return FALSE;
        }
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(SplitFrame, CFrameWnd)

class SplitterWndTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        g_notices = &m_notices;
        ASSERT_TRUE(m_dialog.CreatePopup(CRect(0, 0, 400, 300)));
        m_document = new CountedDocument;
        m_frame = static_cast<SplitFrame*>(RUNTIME_CLASS(SplitFrame)->CreateObject());
        CCreateContext context;
        context.m_pCurrentDoc = m_document;
        context.m_pCurrentFrame = m_frame;
        ASSERT_TRUE(m_frame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 301, 200), &m_dialog,
                                    nullptr, WS_EX_CONTROLPARENT, &context));
        m_frame->ActivateFrame();
        ShowActive(&m_dialog);
    }
    void TearDown() override {
        UiTest::TearDown();
        g_notices = nullptr;
    }

    int ColumnWidth(int column) const {
        int current = 0;
        int minimum = 0;
        m_frame->m_splitter.GetColumnInfo(column, current, minimum);
        return current;
    }
    CRect PaneRect(int column) const {
        CRect rect;
        m_frame->m_splitter.GetPane(0, column)->GetWindowRect(&rect);
        m_frame->m_splitter.ScreenToClient(&rect);
        return rect;
    }

    std::vector<UINT> m_notices;
    MessageLog m_log;
    LoggingWnd m_dialog{&m_log, "dialog"};
    CDocument* m_document = nullptr;
    SplitFrame* m_frame = nullptr;
};

TEST_F(SplitterWndTest, PanesTakeIdealColumnAndTheRest) {
    // One third of 301 rounds to 100; the bar follows; the second column takes the rest.
    EXPECT_EQ(PaneRect(0), CRect(0, 0, 100, 200));
    EXPECT_EQ(PaneRect(1), CRect(100 + CSplitterWnd::kBarSize, 0, 301, 200));
    EXPECT_TRUE(m_frame->m_splitter.GetPane(0, 0)->IsKindOf(RUNTIME_CLASS(NoticeTreeView)));
    EXPECT_EQ(m_frame->m_splitter.GetPane(0, 2), nullptr);
    EXPECT_EQ(m_frame->m_splitter.GetPane(1, 0), nullptr);
    // Both panes joined the context's document.
    EXPECT_EQ(static_cast<CView*>(m_frame->m_splitter.GetPane(0, 1))->GetDocument(), m_document);
}

TEST_F(SplitterWndTest, IdealBelowMinimumAndBeyondTheRoomAreBounded) {
    struct Case {
        const char* name;
        int ideal;
        int minimum;
        int expected;
    };
    const int room = 301 - CSplitterWnd::kBarSize;
    const Case cases[] = {
        {"ideal kept", 150, 20, 150},
        {"minimum wins", 10, 60, 60},
        {"cut to the room", 500, 0, room},
    };
    for (const Case& c : cases) {
        m_frame->m_splitter.SetColumnInfo(0, c.ideal, c.minimum);
        m_frame->m_splitter.RecalcLayout();
        EXPECT_EQ(ColumnWidth(0), c.expected) << c.name;
        EXPECT_EQ(ColumnWidth(1), room - c.expected) << c.name;
    }
}

TEST_F(SplitterWndTest, DraggingTheBarMovesTheRoomWithinTheMinimums) {
    m_frame->m_splitter.SetColumnInfo(1, 0, 80);
    const CPoint bar(100 + CSplitterWnd::kBarSize / 2, 50);
    PressAt(&m_frame->m_splitter, bar);
    MoveTo(&m_frame->m_splitter, CPoint(160 + CSplitterWnd::kBarSize / 2, 50));
    EXPECT_EQ(ColumnWidth(0), 160);
    // The second column keeps its minimum of 80.
    MoveTo(&m_frame->m_splitter, CPoint(290, 50));
    ReleaseAt(&m_frame->m_splitter, CPoint(290, 50));
    EXPECT_EQ(ColumnWidth(1), 80);
    EXPECT_EQ(ColumnWidth(0), 301 - CSplitterWnd::kBarSize - 80);
    // Moving without the button no longer drags.
    MoveTo(&m_frame->m_splitter, CPoint(150, 50));
    EXPECT_EQ(ColumnWidth(1), 80);
    // The new sizes stay when the splitter is resized.
    m_frame->MoveWindow(0, 0, 401, 200);
    EXPECT_EQ(ColumnWidth(0), 301 - CSplitterWnd::kBarSize - 80);
}

TEST_F(SplitterWndTest, TreeAndListViewsDriveTheirControlsAndHearTheirNotifications) {
    auto* tree = static_cast<CTreeView*>(m_frame->m_splitter.GetPane(0, 0));
    auto* list = static_cast<CListView*>(m_frame->m_splitter.GetPane(0, 1));
    EXPECT_TRUE(tree->GetStyle() & TVS_HASBUTTONS);
    const HTREEITEM root = tree->GetTreeCtrl().InsertItem("Fotos");
    ASSERT_NE(root, nullptr);
    tree->GetTreeCtrl().SelectItem(root);
    EXPECT_EQ(tree->GetTreeCtrl().GetSelectedItem(), root);
    EXPECT_EQ(list->GetListCtrl().InsertItem(0, "Urlaub"), 0);
    list->GetListCtrl().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_NE(std::find(m_notices.begin(), m_notices.end(), TVN_SELCHANGED), m_notices.end());
    EXPECT_NE(std::find(m_notices.begin(), m_notices.end(), LVN_ITEMCHANGED), m_notices.end());
    // A click in the list makes it the frame's active view.
    ClickAt(list, CPoint(150, 150));
    EXPECT_EQ(m_frame->GetActiveView(), list);
}

// Enter, move and drop of a file at a client point of the view, as the desktop delivers them; whether the
// drop was taken.
bool DropFileOn(CView* view, QPoint at) {
    QWidget* widget = WidgetOf(view->m_hWnd);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/bild.jpg")});
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    return drop.isAccepted();
}

TEST_F(SplitterWndTest, DropTargetCallsTheViewsDropHandlers) {
    auto* tree = static_cast<CView*>(m_frame->m_splitter.GetPane(0, 0));
    auto* list = static_cast<NoticeListView*>(m_frame->m_splitter.GetPane(0, 1));
    COleDropTarget treeTarget;
    COleDropTarget listTarget;
    ASSERT_TRUE(treeTarget.Register(tree));
    ASSERT_TRUE(listTarget.Register(list));
    EXPECT_FALSE(DropFileOn(tree, QPoint(20, 20)));
    EXPECT_TRUE(DropFileOn(list, QPoint(20, 20)));
    EXPECT_TRUE(list->m_dropped);
}

TEST_F(SplitterWndTest, DocumentGoesWithTheLastSplitterPane) {
    ASSERT_EQ(CountedDocument::s_alive, 1);
    m_dialog.DestroyWindow();
    PumpMessages();
    EXPECT_EQ(CountedDocument::s_alive, 0);
}

} // namespace
