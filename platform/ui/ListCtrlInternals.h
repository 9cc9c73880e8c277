#pragma once
// The list view's per-window state and what its parts share: the layout of items, state changes with
// their notifications and label edits. The window class, its header and its keyboard handling live in
// separate files. Private to platform/ui.

#include "platform/ui/ListCtrl.h"
#include "platform/ui/WindowRecord.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <optional>
#include <vector>

namespace listview {

inline constexpr int kHeadingHeight = 18;
inline constexpr int kDefaultColumnWidth = 60;

struct ListItem {
    std::vector<CString> texts; // per column, the label first
    int image = 0;
    LPARAM data = 0;
    UINT state = 0;
    std::optional<QPoint> placed; // set by LVM_SETITEMPOSITION32: the icon cell's corner in the view
};

struct ListColumn {
    CString heading;
    int width = kDefaultColumnWidth;
};

struct ListState final : WindowClassData {
    std::vector<ListItem> items;
    std::vector<ListColumn> columns;
    HIMAGELIST images[2] = {};
    int anchor = -1; // where Shift-click ranges start
    int editedItem = -1;
    HWND editor = nullptr;
    HWND header = nullptr; // the report view's headings, made with the first column
    QSize spacing;         // empty: the system's icon spacing
    COLORREF background = CLR_DEFAULT;
    COLORREF text = CLR_DEFAULT;
    COLORREF textBackground = CLR_NONE;
    // The item a button went down on, until a drag begins or the button comes up.
    int pressedItem = -1;
    QPoint pressPoint;
};

ListState& StateOf(HWND list);
bool IsReport(HWND list);
bool IsItem(const ListState& state, int item);
int RowHeight(const ListState& state);
// The cell of a large icon.
QSize IconCell(const ListState& state);
// The large icons in one row of the client.
int IconsPerRow(HWND list);

// The whole item, its picture and its label in client coordinates.
struct ItemParts {
    QRect bounds;
    QRect icon;
    QRect label;
};
ItemParts PartsOf(HWND list, int item);

// Sets the masked state bits of an item and tells the parent when they changed.
void ChangeState(HWND list, int item, UINT state, UINT mask);
// A state given to one item only, as focus is and single selection.
void GiveOnly(HWND list, int item, UINT bit);
// The focus moves to target while every item takes selected(item) as its selection: the others change
// first, the target last, each item in one notification (so a parent never hears the target's
// selection without its focus).
void SelectAndFocus(HWND list, int target, const std::function<bool(int)>& selected);
// Opens the label editor unless the parent refuses; the editor or null.
HWND BeginLabelEdit(HWND list, int item);

// The header window of a report view, made when the first column comes; null before.
HWND MakeHeader(HWND list);
// Fits the header to the list's client width, shown in the report view with columns only.
void PlaceHeader(HWND list);
// LVM_INSERTCOLUMN, LVM_DELETECOLUMN, LVM_GETCOLUMNWIDTH, LVM_SETCOLUMNWIDTH and LVM_GETHEADER.
LRESULT ColumnMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

// Moves the focus and the selection by a navigation key, or acts on Space and F2; other keys do nothing.
void HandleListKey(HWND list, UINT key);

} // namespace listview
