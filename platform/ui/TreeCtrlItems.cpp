// The items of a tree view: insertion among siblings, removal, walking and the rows that show.

#include "platform/ui/TreeCtrlState.h"

#include <QString>
#include <algorithm>

TreeState& TreeStateOf(HWND tree) {
    if (!tree->classData)
        tree->classData = std::make_unique<TreeState>();
    return static_cast<TreeState&>(*tree->classData);
}

TreeItemRecord* Resolve(TreeState& state, HTREEITEM item) {
    if (item == TVI_ROOT)
        return &state.root;
    return IsTreeItem(state, item) ? item : nullptr;
}

bool IsTreeItem(const TreeState& state, HTREEITEM item) {
    return item && state.items.count(item) != 0;
}

namespace {

using Siblings = std::vector<std::unique_ptr<TreeItemRecord>>;

Siblings::iterator Find(Siblings& siblings, HTREEITEM item) {
    return std::find_if(siblings.begin(), siblings.end(),
                        [item](const std::unique_ptr<TreeItemRecord>& each) { return each.get() == item; });
}

bool LabelBefore(const CString& first, const CString& second) {
    return QString::fromUtf8(first.GetString())
               .compare(QString::fromUtf8(second.GetString()), Qt::CaseInsensitive) < 0;
}

// Where a new item goes among the siblings; end() when after names no sibling.
Siblings::iterator InsertionPlace(Siblings& siblings, HTREEITEM after, const CString& text, bool* found) {
    *found = true;
    if (after == TVI_FIRST)
        return siblings.begin();
    if (after == TVI_LAST || !after)
        return siblings.end();
    if (after == TVI_SORT)
        return std::find_if(
            siblings.begin(), siblings.end(),
            [&](const std::unique_ptr<TreeItemRecord>& each) { return LabelBefore(text, each->text); });
    const auto place = Find(siblings, after);
    *found = place != siblings.end();
    return *found ? place + 1 : place;
}

void CollectChildrenFirst(HTREEITEM item, std::vector<HTREEITEM>* items) {
    for (const auto& kid : item->kids)
        CollectChildrenFirst(kid.get(), items);
    items->push_back(item);
}

void Forget(TreeState& state, const TreeItemRecord& item) {
    state.items.erase(&item);
    for (const auto& kid : item.kids)
        Forget(state, *kid);
}

void CollectVisible(const TreeItemRecord& parent, std::vector<HTREEITEM>* rows) {
    for (const auto& kid : parent.kids) {
        rows->push_back(kid.get());
        if (kid->state & TVIS_EXPANDED)
            CollectVisible(*kid, rows);
    }
}

} // namespace

HTREEITEM InsertTreeItem(TreeState& state, const TVINSERTSTRUCT& insert) {
    TreeItemRecord* parent = Resolve(state, insert.hParent ? insert.hParent : TVI_ROOT);
    if (!parent)
        return nullptr;
    const TVITEM& info = insert.item;
    auto item = std::make_unique<TreeItemRecord>();
    if ((info.mask & TVIF_TEXT) && info.pszText)
        item->text = info.pszText;
    if (info.mask & TVIF_IMAGE)
        item->image = info.iImage;
    if (info.mask & TVIF_SELECTEDIMAGE)
        item->selectedImage = info.iSelectedImage;
    if (info.mask & TVIF_CHILDREN)
        item->children = info.cChildren;
    if (info.mask & TVIF_PARAM)
        item->data = info.lParam;
    // Selection and drop highlight belong to the tree's own bookkeeping.
    if (info.mask & TVIF_STATE)
        item->state = info.state & info.stateMask & ~(TVIS_SELECTED | TVIS_FOCUSED | TVIS_DROPHILITED);
    bool found = false;
    const auto place = InsertionPlace(parent->kids, insert.hInsertAfter, item->text, &found);
    if (!found)
        return nullptr;
    item->parent = parent;
    HTREEITEM handle = item.get();
    parent->kids.insert(place, std::move(item));
    state.items.insert(handle);
    return handle;
}

std::vector<HTREEITEM> SubtreeChildrenFirst(HTREEITEM item) {
    std::vector<HTREEITEM> items;
    CollectChildrenFirst(item, &items);
    return items;
}

void RemoveTreeItem(TreeState& state, HTREEITEM item) {
    Siblings& siblings = item->parent->kids;
    const auto place = Find(siblings, item);
    Forget(state, *item);
    siblings.erase(place);
}

HTREEITEM NextSibling(HTREEITEM item) {
    Siblings& siblings = item->parent->kids;
    const auto place = Find(siblings, item) + 1;
    return place == siblings.end() ? nullptr : place->get();
}

HTREEITEM PreviousSibling(HTREEITEM item) {
    Siblings& siblings = item->parent->kids;
    const auto place = Find(siblings, item);
    return place == siblings.begin() ? nullptr : (place - 1)->get();
}

HTREEITEM FirstChild(HTREEITEM item) {
    return item->kids.empty() ? nullptr : item->kids.front().get();
}

HTREEITEM ParentOf(HTREEITEM item) {
    return item->parent && item->parent->parent ? item->parent : nullptr;
}

bool HasChildren(HTREEITEM item) {
    return !item->kids.empty() || item->children != 0;
}

bool IsDescendantOf(HTREEITEM item, HTREEITEM ancestor) {
    for (HTREEITEM above = item ? item->parent : nullptr; above; above = above->parent) {
        if (above == ancestor)
            return true;
    }
    return false;
}

int DepthOf(HTREEITEM item) {
    int depth = 0;
    for (HTREEITEM above = ParentOf(item); above; above = ParentOf(above))
        ++depth;
    return depth;
}

std::vector<HTREEITEM> VisibleRows(TreeState& state) {
    std::vector<HTREEITEM> rows;
    CollectVisible(state.root, &rows);
    return rows;
}

int RowOf(const std::vector<HTREEITEM>& rows, HTREEITEM item) {
    const auto place = std::find(rows.begin(), rows.end(), item);
    return place == rows.end() ? -1 : static_cast<int>(place - rows.begin());
}
