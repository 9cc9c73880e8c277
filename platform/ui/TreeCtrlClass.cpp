// The tree view window class: the tree view messages, and the mouse, wheel and keys of the user, who
// opens and closes items by their buttons, selects by click or arrow keys and edits labels with F2.

#include "platform/ui/ControlClasses.h"
#include "platform/ui/LabelEditor.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/TreeCtrlState.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWheelRows = 3;
constexpr int kVkF2 = VK_F1 + 1;

LRESULT NotifyPlain(HWND tree, UINT code) {
    NMHDR record{tree, tree->id, code};
    if (!IsLiveWindow(tree->parent))
        return 0;
    return SendToWindow(tree->parent, WM_NOTIFY, tree->id, reinterpret_cast<LPARAM>(&record));
}

QPoint PointOf(LPARAM lParam) {
    return QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void Press(HWND tree, LPARAM lParam, bool left) {
    TreeState& state = TreeStateOf(tree);
    SetFocus(tree);
    if (!IsLiveWindow(tree))
        return;
    UINT flags = 0;
    state.pressPoint = PointOf(lParam);
    const HTREEITEM item = HitTestTree(tree, state.pressPoint, &flags);
    state.pressedItem = (flags & TVHT_ONITEM) ? item : nullptr;
    if (!left)
        return;
    if (flags & TVHT_ONITEMBUTTON)
        ExpandTreeItem(tree, item, TVE_TOGGLE);
    else if (flags & TVHT_ONITEM)
        SelectTreeItem(tree, item, TVC_BYMOUSE);
}

void DetectDrag(HWND tree, UINT code, LPARAM lParam) {
    TreeState& state = TreeStateOf(tree);
    const QPoint at = PointOf(lParam);
    if (!IsTreeItem(state, state.pressedItem) ||
        (std::abs(at.x() - state.pressPoint.x()) <= GetSystemMetrics(SM_CXDRAG) &&
         std::abs(at.y() - state.pressPoint.y()) <= GetSystemMetrics(SM_CYDRAG)))
        return;
    const HTREEITEM item = state.pressedItem;
    state.pressedItem = nullptr;
    if (tree->style & TVS_DISABLEDRAGDROP)
        return;
    NMTREEVIEW record{};
    record.action = 0;
    record.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    record.itemNew.hItem = item;
    record.itemNew.state = item->state;
    record.itemNew.lParam = item->data;
    record.ptDrag = POINT{state.pressPoint.x(), state.pressPoint.y()};
    NotifyTree(tree, code, record);
}

void DoubleClick(HWND tree, LPARAM lParam) {
    if (NotifyPlain(tree, NM_DBLCLK) || !IsLiveWindow(tree))
        return;
    UINT flags = 0;
    const HTREEITEM item = HitTestTree(tree, PointOf(lParam), &flags);
    if (flags & TVHT_ONITEM)
        ExpandTreeItem(tree, item, TVE_TOGGLE);
}

// The item a navigation key moves the selection to; null when it stays.
HTREEITEM KeyTarget(HWND tree, UINT key) {
    TreeState& state = TreeStateOf(tree);
    const std::vector<HTREEITEM> rows = VisibleRows(state);
    if (rows.empty())
        return nullptr;
    const int count = static_cast<int>(rows.size());
    const int row = RowOf(rows, state.selected);
    const auto at = [&](int index) { return rows[static_cast<size_t>(std::clamp(index, 0, count - 1))]; };
    switch (key) {
    case VK_UP:
        return row < 0 ? at(0) : at(row - 1);
    case VK_DOWN:
        return row < 0 ? at(0) : at(row + 1);
    case VK_PRIOR:
        return at(row - (RowsPerPage(tree) - 1));
    case VK_NEXT:
        return at(row < 0 ? 0 : row + RowsPerPage(tree) - 1);
    case VK_HOME:
        return at(0);
    case VK_END:
        return at(count - 1);
    default:
        return nullptr;
    }
}

void KeyDown(HWND tree, UINT key) {
    NMTVKEYDOWN record{{tree, tree->id, TVN_KEYDOWN}, static_cast<WORD>(key), 0};
    if (IsLiveWindow(tree->parent))
        SendToWindow(tree->parent, WM_NOTIFY, tree->id, reinterpret_cast<LPARAM>(&record));
    if (!IsLiveWindow(tree))
        return;
    TreeState& state = TreeStateOf(tree);
    const HTREEITEM selected = IsTreeItem(state, state.selected) ? state.selected : nullptr;
    switch (key) {
    case VK_LEFT:
        if (selected && (selected->state & TVIS_EXPANDED))
            ExpandTreeItem(tree, selected, TVE_COLLAPSE);
        else if (selected && ParentOf(selected))
            SelectTreeItem(tree, ParentOf(selected), TVC_BYKEYBOARD);
        return;
    case VK_RIGHT:
        if (selected && !(selected->state & TVIS_EXPANDED) && HasChildren(selected))
            ExpandTreeItem(tree, selected, TVE_EXPAND);
        else if (selected && (selected->state & TVIS_EXPANDED) && FirstChild(selected))
            SelectTreeItem(tree, FirstChild(selected), TVC_BYKEYBOARD);
        return;
    case VK_ADD:
    case VK_SUBTRACT:
        if (selected)
            ExpandTreeItem(tree, selected, key == VK_ADD ? TVE_EXPAND : TVE_COLLAPSE);
        return;
    case kVkF2:
        if (selected && (tree->style & TVS_EDITLABELS))
            BeginTreeLabelEdit(tree, selected);
        return;
    default:
        if (const HTREEITEM target = KeyTarget(tree, key))
            SelectTreeItem(tree, target, TVC_BYKEYBOARD);
    }
}

// A scroll bar's request: rows up or down, a page, the ends, or the thumb's row.
void VerticalScroll(HWND tree, WPARAM wParam) {
    const int top = TopRow(tree);
    const int page = RowsPerPage(tree);
    switch (LOWORD(static_cast<DWORD>(wParam))) {
    case SB_LINEUP:
        return ScrollTreeTo(tree, top - 1);
    case SB_LINEDOWN:
        return ScrollTreeTo(tree, top + 1);
    case SB_PAGEUP:
        return ScrollTreeTo(tree, top - page);
    case SB_PAGEDOWN:
        return ScrollTreeTo(tree, top + page);
    case SB_TOP:
        return ScrollTreeTo(tree, 0);
    case SB_BOTTOM:
        return ScrollTreeTo(tree, static_cast<int>(TreeStateOf(tree).items.size()));
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return ScrollTreeTo(tree, HIWORD(static_cast<DWORD>(wParam)));
    default:
        return;
    }
}

LRESULT SetImageList(HWND tree, WPARAM kind, LPARAM list) {
    if (kind != TVSIL_NORMAL && kind != TVSIL_STATE)
        return 0;
    TreeState& state = TreeStateOf(tree);
    const HIMAGELIST previous = state.images[kind];
    state.images[kind] = reinterpret_cast<HIMAGELIST>(list);
    InvalidateWindow(tree, ClientArea(tree), false);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT ItemRect(HWND tree, BOOL textOnly, RECT* rect) {
    TreeState& state = TreeStateOf(tree);
    if (!rect)
        return FALSE;
    HTREEITEM item = nullptr;
    std::memcpy(&item, rect, sizeof item);
    if (!IsTreeItem(state, item))
        return FALSE;
    const std::vector<HTREEITEM> rows = VisibleRows(state);
    const int row = RowOf(rows, item);
    if (row < 0)
        return FALSE;
    TopRow(tree, rows);
    const TreeRowParts parts = PartsOf(tree, item, row);
    const QRect part = textOnly ? parts.label : parts.row;
    *rect = CRect(part.left(), part.top(), part.right() + 1, part.bottom() + 1);
    return TRUE;
}

LRESULT TreeMessage(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    TreeState& state = TreeStateOf(tree);
    const auto item = reinterpret_cast<HTREEITEM>(lParam);
    switch (message) {
    case TVM_INSERTITEM: {
        const auto* insert = reinterpret_cast<const TVINSERTSTRUCT*>(lParam);
        const HTREEITEM inserted = insert ? InsertTreeItem(state, *insert) : nullptr;
        if (inserted)
            InvalidateWindow(tree, ClientArea(tree), false);
        return reinterpret_cast<LRESULT>(inserted);
    }
    case TVM_DELETEITEM:
        return DeleteTreeItem(tree, item);
    case TVM_EXPAND:
        return ExpandTreeItem(tree, item, static_cast<UINT>(wParam));
    case TVM_GETITEMRECT:
        return ItemRect(tree, static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
    case TVM_GETCOUNT:
        return static_cast<LRESULT>(state.items.size());
    case TVM_GETIMAGELIST:
        return wParam == TVSIL_NORMAL || wParam == TVSIL_STATE
                   ? reinterpret_cast<LRESULT>(state.images[wParam])
                   : 0;
    case TVM_SETIMAGELIST:
        return SetImageList(tree, wParam, lParam);
    case TVM_GETNEXTITEM:
        return reinterpret_cast<LRESULT>(NextTreeItem(tree, item, static_cast<UINT>(wParam)));
    case TVM_SELECTITEM:
        if (wParam == TVGN_CARET)
            return SelectTreeItem(tree, item, TVC_UNKNOWN);
        if (wParam == TVGN_DROPHILITE) {
            if (item && !IsTreeItem(state, item))
                return FALSE;
            SetDropTarget(tree, item);
            return TRUE;
        }
        if (wParam == TVGN_FIRSTVISIBLE && EnsureTreeItemVisible(tree, item)) {
            ScrollTreeTo(tree, RowOf(VisibleRows(state), item));
            return TRUE;
        }
        return FALSE;
    case TVM_GETITEM:
        return lParam && GetTreeItem(tree, *reinterpret_cast<TVITEM*>(lParam));
    case TVM_SETITEM:
        return lParam && SetTreeItem(tree, *reinterpret_cast<const TVITEM*>(lParam));
    case TVM_GETITEMSTATE: {
        const auto asked = reinterpret_cast<HTREEITEM>(wParam);
        return IsTreeItem(state, asked) ? asked->state & static_cast<UINT>(lParam) : 0;
    }
    case TVM_EDITLABEL:
        return reinterpret_cast<LRESULT>(BeginTreeLabelEdit(tree, item));
    case TVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(IsLiveWindow(state.editor) ? state.editor : nullptr);
    case TVM_GETVISIBLECOUNT:
        return RowsPerPage(tree);
    case TVM_HITTEST: {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!info)
            return 0;
        info->hItem = HitTestTree(tree, QPoint(info->pt.x, info->pt.y), &info->flags);
        return reinterpret_cast<LRESULT>(info->hItem);
    }
    case TVM_SORTCHILDREN:
        return SortTreeChildren(tree, item, nullptr, 0, wParam != 0);
    case TVM_SORTCHILDRENCB: {
        const auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
        return sort && sort->lpfnCompare &&
               SortTreeChildren(tree, sort->hParent, sort->lpfnCompare, sort->lParam, wParam != 0);
    }
    case TVM_ENSUREVISIBLE:
        return EnsureTreeItemVisible(tree, item);
    default:
        return DefWindowProc(tree, message, wParam, lParam);
    }
}

LRESULT TreeWindowProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    TreeState& state = TreeStateOf(tree);
    switch (message) {
    case WM_PAINT:
        PaintTree(tree);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        Press(tree, lParam, message == WM_LBUTTONDOWN);
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & (MK_LBUTTON | MK_RBUTTON))
            DetectDrag(tree, (wParam & MK_LBUTTON) ? TVN_BEGINDRAG : TVN_BEGINRDRAG, lParam);
        return 0;
    case WM_LBUTTONUP:
        state.pressedItem = nullptr;
        NotifyPlain(tree, NM_CLICK);
        return 0;
    case WM_RBUTTONUP:
        state.pressedItem = nullptr;
        if (NotifyPlain(tree, NM_RCLICK) || !IsLiveWindow(tree))
            return 0;
        return DefWindowProc(tree, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        DoubleClick(tree, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTreeTo(tree, TopRow(tree) - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelRows / WHEEL_DELTA);
        return 0;
    case WM_VSCROLL:
        VerticalScroll(tree, wParam);
        return 0;
    case WM_KEYDOWN:
        KeyDown(tree, static_cast<UINT>(wParam));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateWindow(tree, ClientArea(tree), false);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case kEndLabelEdit:
        if (reinterpret_cast<HWND>(lParam) == state.editor)
            EndTreeLabelEdit(tree, wParam != 0);
        return 0;
    case WM_DESTROY:
        // The parent hears of every item going while it can still free what the items hold.
        EndTreeLabelEdit(tree, true);
        DeleteTreeItem(tree, TVI_ROOT);
        return DefWindowProc(tree, message, wParam, lParam);
    default:
        return TreeMessage(tree, message, wParam, lParam);
    }
}

WindowHost* MakeTreeWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    return new WindowWidget<QWidget>(parent, flags);
}

CWnd* MakeTreeWrapper() {
    return new CTreeCtrl;
}

} // namespace

const WindowClass kTreeViewClass{.name = WC_TREEVIEW,
                                 .style = CS_DBLCLKS,
                                 .standardCursor = IDC_ARROW,
                                 .proc = TreeWindowProc,
                                 .makeWidget = MakeTreeWidget,
                                 .makeWrapper = MakeTreeWrapper};
