// The changes of a tree view's items that the parent hears of: expansion, selection, deletion, label
// edits; and the item fields, states, walks and sorting behind the tree view messages.

#include "platform/ui/LabelEditor.h"
#include "platform/ui/Messages.h"
#include "platform/ui/TreeCtrlState.h"
#include "platform/ui/WindowInternals.h"

#include <QString>
#include <algorithm>
#include <cstring>

namespace {

TVITEM Describe(HTREEITEM item) {
    TVITEM info{};
    if (!item)
        return info;
    info.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    info.hItem = item;
    info.state = item->state;
    info.stateMask = 0xFFFF;
    info.iImage = item->image;
    info.iSelectedImage = item->selectedImage;
    info.cChildren = HasChildren(item) ? 1 : 0;
    info.lParam = item->data;
    return info;
}

void Repaint(HWND tree) {
    InvalidateWindow(tree, ClientArea(tree), false);
}

bool Alive(HWND tree, HTREEITEM item) {
    return IsLiveWindow(tree) && IsTreeItem(TreeStateOf(tree), item);
}

LRESULT NotifyLabelEdit(HWND tree, UINT code, HTREEITEM item, LPTSTR text) {
    NMTVDISPINFO record{{tree, tree->id, code}, Describe(item)};
    record.item.mask |= TVIF_TEXT;
    record.item.pszText = text;
    if (!IsLiveWindow(tree->parent))
        return 0;
    return SendToWindow(tree->parent, WM_NOTIFY, tree->id, reinterpret_cast<LPARAM>(&record));
}

// The item the selection moves to when the selected item goes with the subtree of item.
HTREEITEM Successor(HTREEITEM item) {
    if (HTREEITEM next = NextSibling(item))
        return next;
    if (HTREEITEM previous = PreviousSibling(item))
        return previous;
    return ParentOf(item);
}

void ForgetDeleted(TreeState& state, TreeItemRecord* item) {
    const auto gone = [&](HTREEITEM candidate) {
        return candidate && (candidate == item || IsDescendantOf(candidate, item));
    };
    if (gone(state.selected))
        state.selected = nullptr;
    if (gone(state.dropTarget))
        state.dropTarget = nullptr;
    if (gone(state.pressedItem))
        state.pressedItem = nullptr;
    if (gone(state.topItem))
        state.topItem = item == &state.root ? nullptr : Successor(item);
}

template <typename Before>
bool SortChildren(HWND tree, TreeItemRecord* parent, Before before, bool recurse) {
    // The comparison may call back into the tree: sort handles, then put the items in place.
    std::vector<HTREEITEM> order;
    for (const auto& kid : parent->kids)
        order.push_back(kid.get());
    std::stable_sort(order.begin(), order.end(), before);
    TreeState& state = TreeStateOf(tree);
    if (!IsLiveWindow(tree) || (parent != &state.root && !IsTreeItem(state, parent)) ||
        order.size() != parent->kids.size())
        return false;
    std::vector<std::unique_ptr<TreeItemRecord>> sorted;
    for (HTREEITEM item : order) {
        const auto place =
            std::find_if(parent->kids.begin(), parent->kids.end(),
                         [item](const std::unique_ptr<TreeItemRecord>& kid) { return kid.get() == item; });
        if (place == parent->kids.end())
            return false;
        sorted.push_back(std::move(*place));
        parent->kids.erase(place);
    }
    parent->kids = std::move(sorted);
    if (recurse) {
        for (HTREEITEM item : order) {
            if (!IsTreeItem(state, item) || !SortChildren(tree, item, before, true))
                return false;
        }
    }
    return true;
}

} // namespace

LRESULT NotifyTree(HWND tree, UINT code, NMTREEVIEW& record) {
    record.hdr = NMHDR{tree, tree->id, code};
    if (!IsLiveWindow(tree->parent))
        return 0;
    return SendToWindow(tree->parent, WM_NOTIFY, tree->id, reinterpret_cast<LPARAM>(&record));
}

BOOL ExpandTreeItem(HWND tree, HTREEITEM item, UINT code) {
    TreeState& state = TreeStateOf(tree);
    if (!IsTreeItem(state, item))
        return FALSE;
    const bool expanded = (item->state & TVIS_EXPANDED) != 0;
    UINT action = code & TVE_TOGGLE;
    if (action == TVE_TOGGLE)
        action = expanded ? TVE_COLLAPSE : TVE_EXPAND;
    if (action == 0)
        return FALSE;
    if ((action == TVE_EXPAND) == expanded)
        return TRUE;
    if (action == TVE_EXPAND && !HasChildren(item))
        return FALSE;
    NMTREEVIEW record{{}, action, {}, Describe(item), {}};
    if (NotifyTree(tree, TVN_ITEMEXPANDING, record) || !Alive(tree, item))
        return FALSE;
    // The parent may have found no children after all: the item stays closed.
    if (action == TVE_EXPAND && !HasChildren(item))
        return FALSE;
    // A label that is about to hide ends its edit as a loss of the focus does.
    if (action == TVE_COLLAPSE && IsDescendantOf(state.editedItem, item)) {
        EndTreeLabelEdit(tree, false);
        if (!Alive(tree, item))
            return FALSE;
    }
    if (action == TVE_EXPAND)
        item->state |= TVIS_EXPANDED;
    else
        item->state &= ~TVIS_EXPANDED;
    Repaint(tree);
    if (action == TVE_COLLAPSE && IsDescendantOf(state.selected, item))
        SelectTreeItem(tree, item, TVC_UNKNOWN);
    if (!Alive(tree, item))
        return TRUE;
    record.itemNew = Describe(item);
    NotifyTree(tree, TVN_ITEMEXPANDED, record);
    return TRUE;
}

BOOL SelectTreeItem(HWND tree, HTREEITEM item, UINT action) {
    TreeState& state = TreeStateOf(tree);
    if (item && !IsTreeItem(state, item))
        return FALSE;
    if (item == state.selected)
        return !item || EnsureTreeItemVisible(tree, item);
    const HTREEITEM old = state.selected;
    NMTREEVIEW record{{}, action, Describe(old), Describe(item), {}};
    if (NotifyTree(tree, TVN_SELCHANGING, record) || !IsLiveWindow(tree) ||
        (item && !IsTreeItem(state, item)))
        return FALSE;
    if (IsTreeItem(state, state.selected))
        state.selected->state &= ~(TVIS_SELECTED | TVIS_FOCUSED);
    state.selected = item;
    Repaint(tree);
    if (!item)
        return TRUE;
    item->state |= TVIS_SELECTED | TVIS_FOCUSED;
    EnsureTreeItemVisible(tree, item);
    if (!Alive(tree, item))
        return TRUE;
    record.itemOld = Describe(IsTreeItem(state, old) ? old : nullptr);
    record.itemNew = Describe(item);
    NotifyTree(tree, TVN_SELCHANGED, record);
    return TRUE;
}

BOOL EnsureTreeItemVisible(HWND tree, HTREEITEM item) {
    TreeState& state = TreeStateOf(tree);
    if (!IsTreeItem(state, item))
        return FALSE;
    std::vector<HTREEITEM> closed;
    for (HTREEITEM above = ParentOf(item); above; above = ParentOf(above))
        closed.insert(closed.begin(), above);
    for (HTREEITEM above : closed) {
        if (!Alive(tree, above) || !ExpandTreeItem(tree, above, TVE_EXPAND) ||
            !(above->state & TVIS_EXPANDED))
            return FALSE;
    }
    if (!Alive(tree, item))
        return FALSE;
    ScrollRowIntoView(tree, RowOf(VisibleRows(state), item));
    return TRUE;
}

BOOL DeleteTreeItem(HWND tree, HTREEITEM item) {
    TreeState& state = TreeStateOf(tree);
    TreeItemRecord* doomed = Resolve(state, item ? item : TVI_ROOT);
    if (!doomed)
        return FALSE;
    if (state.editedItem && (state.editedItem == doomed || IsDescendantOf(state.editedItem, doomed)))
        EndTreeLabelEdit(tree, true);
    std::vector<HTREEITEM> going = SubtreeChildrenFirst(doomed);
    if (doomed == &state.root)
        going.pop_back();
    for (HTREEITEM each : going) {
        if (!IsLiveWindow(tree))
            return FALSE;
        if (!IsTreeItem(state, each))
            continue;
        NMTREEVIEW record{{}, 0, Describe(each), {}, {}};
        NotifyTree(tree, TVN_DELETEITEM, record);
    }
    if (!IsLiveWindow(tree) || Resolve(state, item ? item : TVI_ROOT) != doomed)
        return FALSE;
    const bool selectionGoes =
        doomed == &state.root || state.selected == doomed || IsDescendantOf(state.selected, doomed);
    const HTREEITEM successor = doomed == &state.root || !selectionGoes ? nullptr : Successor(doomed);
    ForgetDeleted(state, doomed);
    if (doomed == &state.root) {
        state.root.kids.clear();
        state.items.clear();
    } else {
        TreeItemRecord* parent = doomed->parent;
        RemoveTreeItem(state, doomed);
        // An item that lost its last child closes, so that opening it again asks for children.
        if (parent->kids.empty())
            parent->state &= ~TVIS_EXPANDED;
    }
    Repaint(tree);
    if (successor)
        SelectTreeItem(tree, successor, TVC_UNKNOWN);
    return TRUE;
}

void SetTreeItemState(HWND tree, HTREEITEM item, UINT state, UINT mask) {
    TreeState& data = TreeStateOf(tree);
    const UINT old = item->state;
    item->state = (old & ~mask) | (state & mask);
    if (mask & TVIS_DROPHILITED) {
        if (item->state & TVIS_DROPHILITED)
            data.dropTarget = item;
        else if (data.dropTarget == item)
            data.dropTarget = nullptr;
    }
    if (item->state != old)
        Repaint(tree);
}

void SetDropTarget(HWND tree, HTREEITEM item) {
    TreeState& state = TreeStateOf(tree);
    if (IsTreeItem(state, state.dropTarget))
        SetTreeItemState(tree, state.dropTarget, 0, TVIS_DROPHILITED);
    state.dropTarget = nullptr;
    if (item)
        SetTreeItemState(tree, item, TVIS_DROPHILITED, TVIS_DROPHILITED);
}

BOOL SetTreeItem(HWND tree, const TVITEM& info) {
    TreeState& state = TreeStateOf(tree);
    if (!IsTreeItem(state, info.hItem))
        return FALSE;
    TreeItemRecord& item = *info.hItem;
    if (info.mask & TVIF_TEXT)
        item.text = info.pszText ? info.pszText : "";
    if (info.mask & TVIF_IMAGE)
        item.image = info.iImage;
    if (info.mask & TVIF_SELECTEDIMAGE)
        item.selectedImage = info.iSelectedImage;
    if (info.mask & TVIF_CHILDREN)
        item.children = info.cChildren;
    if (info.mask & TVIF_PARAM)
        item.data = info.lParam;
    if (info.mask & TVIF_STATE)
        SetTreeItemState(tree, info.hItem, info.state, info.stateMask);
    Repaint(tree);
    return TRUE;
}

BOOL GetTreeItem(HWND tree, TVITEM& info) {
    const TreeState& state = TreeStateOf(tree);
    if (!IsTreeItem(state, info.hItem))
        return FALSE;
    const TreeItemRecord& item = *info.hItem;
    if ((info.mask & TVIF_TEXT) && info.pszText && info.cchTextMax > 0) {
        const size_t length = std::min<size_t>(static_cast<size_t>(item.text.GetLength()),
                                               static_cast<size_t>(info.cchTextMax) - 1);
        std::memcpy(info.pszText, item.text.GetString(), length);
        info.pszText[length] = '\0';
    }
    if (info.mask & TVIF_IMAGE)
        info.iImage = item.image;
    if (info.mask & TVIF_SELECTEDIMAGE)
        info.iSelectedImage = item.selectedImage;
    if (info.mask & TVIF_CHILDREN)
        info.cChildren = HasChildren(info.hItem) ? 1 : 0;
    if (info.mask & TVIF_PARAM)
        info.lParam = item.data;
    if (info.mask & TVIF_STATE)
        info.state = item.state & info.stateMask;
    return TRUE;
}

HTREEITEM NextTreeItem(HWND tree, HTREEITEM item, UINT code) {
    TreeState& state = TreeStateOf(tree);
    const bool valid = IsTreeItem(state, item);
    switch (code) {
    case TVGN_ROOT:
        return FirstChild(&state.root);
    case TVGN_CARET:
        return state.selected;
    case TVGN_DROPHILITE:
        return state.dropTarget;
    case TVGN_NEXT:
        return valid ? NextSibling(item) : nullptr;
    case TVGN_PREVIOUS:
        return valid ? PreviousSibling(item) : nullptr;
    case TVGN_PARENT:
        return valid ? ParentOf(item) : nullptr;
    case TVGN_CHILD:
        return item == TVI_ROOT || !item ? FirstChild(&state.root) : valid ? FirstChild(item) : nullptr;
    default:
        break;
    }
    const std::vector<HTREEITEM> rows = VisibleRows(state);
    const int count = static_cast<int>(rows.size());
    const auto at = [&](int row) {
        return row >= 0 && row < count ? rows[static_cast<size_t>(row)] : nullptr;
    };
    switch (code) {
    case TVGN_FIRSTVISIBLE:
        return at(TopRow(tree, rows));
    case TVGN_LASTVISIBLE:
        return at(count - 1);
    case TVGN_NEXTVISIBLE:
        return valid && RowOf(rows, item) >= 0 ? at(RowOf(rows, item) + 1) : nullptr;
    case TVGN_PREVIOUSVISIBLE:
        return valid && RowOf(rows, item) >= 0 ? at(RowOf(rows, item) - 1) : nullptr;
    default:
        return nullptr;
    }
}

BOOL SortTreeChildren(HWND tree, HTREEITEM parent, PFNTVCOMPARE compare, LPARAM sortData, bool recurse) {
    TreeItemRecord* item = Resolve(TreeStateOf(tree), parent ? parent : TVI_ROOT);
    if (!item)
        return FALSE;
    bool sorted = false;
    if (compare)
        sorted = SortChildren(
            tree, item, [&](HTREEITEM a, HTREEITEM b) { return compare(a->data, b->data, sortData) < 0; },
            recurse);
    else
        sorted = SortChildren(
            tree, item,
            [](HTREEITEM a, HTREEITEM b) {
                return QString::fromUtf8(a->text.GetString())
                           .compare(QString::fromUtf8(b->text.GetString()), Qt::CaseInsensitive) < 0;
            },
            recurse);
    if (IsLiveWindow(tree))
        Repaint(tree);
    return sorted;
}

HWND BeginTreeLabelEdit(HWND tree, HTREEITEM item) {
    TreeState& state = TreeStateOf(tree);
    if (!IsTreeItem(state, item) || IsLiveWindow(state.editor))
        return nullptr;
    if (!SelectTreeItem(tree, item, TVC_UNKNOWN) || !Alive(tree, item) || !EnsureTreeItemVisible(tree, item))
        return nullptr;
    CString label = item->text;
    if (NotifyLabelEdit(tree, TVN_BEGINLABELEDIT, item, label.GetBuffer()) || !Alive(tree, item))
        return nullptr;
    const QRect area = PartsOf(tree, item, RowOf(VisibleRows(state), item)).label;
    auto* editor = new LabelEditor;
    const int width = std::max(area.width() + kLabelEditorRoom, kLabelEditorMinimum);
    if (!editor->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                        CRect(area.left(), area.top(), area.left() + width, area.bottom() + 1),
                        CWnd::FromHandle(tree), 1)) {
        delete editor;
        return nullptr;
    }
    state.editedItem = item;
    state.editor = editor->m_hWnd;
    editor->SetWindowText(item->text);
    editor->SetSel(0, -1);
    editor->SetFocus();
    return state.editor;
}

void EndTreeLabelEdit(HWND tree, bool cancelled) {
    TreeState& state = TreeStateOf(tree);
    const HWND editor = state.editor;
    const HTREEITEM item = state.editedItem;
    state.editor = nullptr;
    state.editedItem = nullptr;
    if (!IsLiveWindow(editor))
        return;
    CString text;
    CWnd::FromHandle(editor)->GetWindowText(text);
    CWnd::FromHandle(editor)->DestroyWindow();
    if (!Alive(tree, item))
        return;
    const bool keep =
        NotifyLabelEdit(tree, TVN_ENDLABELEDIT, item, cancelled ? nullptr : text.GetBuffer()) != 0;
    if (keep && !cancelled && Alive(tree, item)) {
        item->text = text;
        Repaint(tree);
    }
}
