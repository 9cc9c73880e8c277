#pragma once
// What the files of the tree view window class share: its items, the state kept per window, the rows it
// shows and where each part of a row lies. Private to platform/ui.

#include "platform/ui/TreeCtrl.h"
#include "platform/ui/WindowRecord.h"

#include <QPoint>
#include <QRect>
#include <memory>
#include <unordered_set>
#include <vector>

struct TreeItemRecord {
    CString text;
    int image = 0;
    int selectedImage = 0;
    // The child count last given: nonzero shows the button before any child item is inserted.
    int children = 0;
    UINT state = 0;
    LPARAM data = 0;
    TreeItemRecord* parent = nullptr;
    std::vector<std::unique_ptr<TreeItemRecord>> kids;
};

struct TreeState final : WindowClassData {
    // The invisible parent of the top-level items.
    TreeItemRecord root;
    // The handles of the items that exist, so that a stale handle is refused.
    std::unordered_set<const TreeItemRecord*> items;
    HIMAGELIST images[TVSIL_STATE + 1] = {};
    HTREEITEM selected = nullptr;
    HTREEITEM dropTarget = nullptr;
    // The first item shown, and its row as last worked out.
    HTREEITEM topItem = nullptr;
    int top = 0;
    HTREEITEM editedItem = nullptr;
    HWND editor = nullptr;
    // The item a button went down on, until a drag begins or the button comes up.
    HTREEITEM pressedItem = nullptr;
    QPoint pressPoint;
};

TreeState& TreeStateOf(HWND tree);

// Items (TreeCtrlItems.cpp). Resolve gives the root for TVI_ROOT and null for a handle that is no item.
TreeItemRecord* Resolve(TreeState& state, HTREEITEM item);
bool IsTreeItem(const TreeState& state, HTREEITEM item);
HTREEITEM InsertTreeItem(TreeState& state, const TVINSERTSTRUCT& insert);
// The item's descendants, children before their parents, then the item.
std::vector<HTREEITEM> SubtreeChildrenFirst(HTREEITEM item);
// Takes the item and its descendants out of the tree and frees them.
void RemoveTreeItem(TreeState& state, HTREEITEM item);
HTREEITEM NextSibling(HTREEITEM item);
HTREEITEM PreviousSibling(HTREEITEM item);
HTREEITEM FirstChild(HTREEITEM item);
// Parent, or null for a top-level item.
HTREEITEM ParentOf(HTREEITEM item);
bool HasChildren(HTREEITEM item);
bool IsDescendantOf(HTREEITEM item, HTREEITEM ancestor);
int DepthOf(HTREEITEM item);
// Every item whose ancestors are all expanded, in the order they show.
std::vector<HTREEITEM> VisibleRows(TreeState& state);
int RowOf(const std::vector<HTREEITEM>& rows, HTREEITEM item);

// Layout (TreeCtrlLayout.cpp), in client coordinates.
struct TreeRowParts {
    QRect row;
    QRect button;    // the column left of the pictures; empty for top-level items without lines at root
    QRect stateIcon; // empty without a state image list
    QRect icon;      // empty without a normal image list
    QRect label;
};
int RowHeight(HWND tree);
// Whole rows the client shows, at least one.
int RowsPerPage(HWND tree);
int IndentWidth();
// The parts of the item shown in the row, placed from the first row as TopRow last worked it out.
TreeRowParts PartsOf(HWND tree, HTREEITEM item, int row);
HTREEITEM HitTestTree(HWND tree, QPoint point, UINT* flags);
// The row of the first item shown, kept so that the last page is full.
int TopRow(HWND tree, const std::vector<HTREEITEM>& rows);
int TopRow(HWND tree);
// The one place the first row shown changes: key, wheel, EnsureVisible and WM_VSCROLL come here.
void ScrollTreeTo(HWND tree, int top);
// Scrolls the fewest rows that bring the row into view.
void ScrollRowIntoView(HWND tree, int row);
// Fits the vertical bar to the rows shown: range the rows, page the rows a page holds, position the top row;
// the bar shows only while there is something to scroll.
void UpdateTreeScrollBar(HWND tree);

// Painting (TreeCtrlPaint.cpp).
void PaintTree(HWND tree);

// What changes items and tells the parent (TreeCtrlActions.cpp). Each checks its handles and survives
// a parent that destroys the tree or deletes items while it is told.
LRESULT NotifyTree(HWND tree, UINT code, NMTREEVIEW& record);
BOOL ExpandTreeItem(HWND tree, HTREEITEM item, UINT code);
BOOL SelectTreeItem(HWND tree, HTREEITEM item, UINT action);
BOOL EnsureTreeItemVisible(HWND tree, HTREEITEM item);
BOOL DeleteTreeItem(HWND tree, HTREEITEM item);
void SetTreeItemState(HWND tree, HTREEITEM item, UINT state, UINT mask);
void SetDropTarget(HWND tree, HTREEITEM item);
BOOL SetTreeItem(HWND tree, const TVITEM& info);
BOOL GetTreeItem(HWND tree, TVITEM& info);
HTREEITEM NextTreeItem(HWND tree, HTREEITEM item, UINT code);
BOOL SortTreeChildren(HWND tree, HTREEITEM parent, PFNTVCOMPARE compare, LPARAM sortData, bool recurse);
HWND BeginTreeLabelEdit(HWND tree, HTREEITEM item);
void EndTreeLabelEdit(HWND tree, bool cancelled);
