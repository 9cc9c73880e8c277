// Keys in the icon and report views: the arrows, Home, End and the page keys move the focus and the
// selection as a click does (Shift selects the run from the anchor, Ctrl moves the focus alone), Space
// selects the focused item (Ctrl toggles it), F2 edits its label when labels may be edited.

#include "platform/ui/ListCtrlInternals.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"

#include <algorithm>

namespace listview {
namespace {

int FocusedItem(const ListState& state) {
    const auto found = std::find_if(state.items.begin(), state.items.end(),
                                    [](const ListItem& item) { return (item.state & LVIS_FOCUSED) != 0; });
    return found == state.items.end() ? -1 : static_cast<int>(found - state.items.begin());
}

// The whole rows the client shows, at least one.
int RowsPerPage(HWND list) {
    const ListState& state = StateOf(list);
    const bool report = IsReport(list);
    const int top = report && !state.columns.empty() ? kHeadingHeight : 0;
    const int rowHeight = report ? RowHeight(state) : IconCell(state).height();
    return std::max(1, (ClientSize(list).height() - top) / std::max(rowHeight, 1));
}

// Where a navigation key moves the focus from item; -1 when the key does not navigate in this view.
int TargetOf(HWND list, UINT key, int item) {
    const int count = static_cast<int>(StateOf(list).items.size());
    const int perRow = IsReport(list) ? 1 : IconsPerRow(list);
    const int page = RowsPerPage(list) * perRow;
    const bool sideways = key == VK_LEFT || key == VK_RIGHT;
    const bool navigates = sideways || key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END ||
                           key == VK_PRIOR || key == VK_NEXT;
    if (!navigates || (IsReport(list) && sideways))
        return -1;
    if (item < 0)
        return key == VK_END ? count - 1 : 0;
    const bool firstInRow = item % perRow == 0;
    const bool lastInRow = item % perRow == perRow - 1 || item == count - 1;
    const bool rowBelow = item / perRow < (count - 1) / perRow;
    switch (key) {
    case VK_LEFT:
        return firstInRow ? item : item - 1;
    case VK_RIGHT:
        return lastInRow ? item : item + 1;
    case VK_UP:
        return item >= perRow ? item - perRow : item;
    case VK_DOWN:
        // Below a short last row the last item takes the focus.
        return rowBelow ? std::min(item + perRow, count - 1) : item;
    case VK_HOME:
        return 0;
    case VK_END:
        return count - 1;
    case VK_PRIOR:
        return std::max(item - page, 0);
    default: // VK_NEXT
        return std::min(item + page, count - 1);
    }
}

void MoveFocus(HWND list, int target, bool control, bool shift) {
    ListState& state = StateOf(list);
    if (shift) {
        if (!IsItem(state, state.anchor))
            state.anchor = IsItem(state, FocusedItem(state)) ? FocusedItem(state) : target;
        const int first = std::min(state.anchor, target);
        const int last = std::max(state.anchor, target);
        SelectAndFocus(list, target, [first, last](int each) { return each >= first && each <= last; });
    } else if (!control) {
        state.anchor = target;
        SelectAndFocus(list, target, [target](int each) { return each == target; });
    } else {
        std::vector<bool> selected;
        for (const ListItem& each : state.items)
            selected.push_back((each.state & LVIS_SELECTED) != 0);
        SelectAndFocus(list, target, [&selected](int each) { return selected[static_cast<size_t>(each)]; });
    }
    if (IsLiveWindow(list))
        SendToWindow(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(target), FALSE);
}

void SelectFocused(HWND list, int item, bool control) {
    ListState& state = StateOf(list);
    state.anchor = item;
    if (control)
        ChangeState(list, item, state.items[static_cast<size_t>(item)].state ^ LVIS_SELECTED, LVIS_SELECTED);
    else
        GiveOnly(list, item, LVIS_SELECTED);
}

} // namespace

void HandleListKey(HWND list, UINT key) {
    ListState& state = StateOf(list);
    const int focused = FocusedItem(state);
    // One selected item at most: the modifiers change nothing.
    const bool several = (list->style & LVS_SINGLESEL) == 0;
    const bool control = several && GetKeyState(VK_CONTROL) < 0;
    const bool shift = several && GetKeyState(VK_SHIFT) < 0;
    if (key == VK_SPACE) {
        if (IsItem(state, focused))
            SelectFocused(list, focused, control);
        return;
    }
    if (key == VK_F2) {
        if ((list->style & LVS_EDITLABELS) && IsItem(state, focused))
            BeginLabelEdit(list, focused);
        return;
    }
    const int target = state.items.empty() ? -1 : TargetOf(list, key, focused);
    if (target >= 0)
        MoveFocus(list, target, control, shift);
}

} // namespace listview
