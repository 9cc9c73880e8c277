// The cell hit test, the opening of a choice list over a cell, and the storing of the chosen entry.

#include "skin/CBListCtrl.h"

#include "skin/InPlaceList.h"

#include <algorithm>

namespace {

// Lists that scroll answer these; one that does not shows its first row at the top and has nothing to
// scroll.
constexpr UINT kGetTopIndex = LVM_FIRST + 39;
constexpr UINT kEnsureVisible = LVM_FIRST + 19;
constexpr UINT kScroll = LVM_FIRST + 20;

// A choice list needs room for its field.
constexpr int kMinColumnWidth = 10;

int TopIndex(const CListCtrl& list) {
    return static_cast<int>(list.SendMessage(kGetTopIndex));
}

} // namespace

int CCBListCtrl::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

int CCBListCtrl::GetCountPerPage() const {
    CRect row;
    if (!GetItemRect(TopIndex(*this), &row, LVIR_BOUNDS) || row.Height() <= 0)
        return 0;
    CRect client;
    GetClientRect(&client);
    return std::max(0, static_cast<int>((client.bottom - row.top) / row.Height()));
}

bool CCBListCtrl::EnsureRowVisible(int item) {
    const auto shows = [this, item] {
        CRect row;
        CRect first;
        CRect client;
        GetClientRect(&client);
        // Rows start below the column headings, where the top row begins.
        return GetItemRect(item, &row, LVIR_BOUNDS) && GetItemRect(TopIndex(*this), &first, LVIR_BOUNDS) &&
               row.bottom > first.top && row.top < client.bottom;
    };
    if (shows())
        return true;
    SendMessage(kEnsureVisible, static_cast<WPARAM>(item), TRUE);
    return shows();
}

bool CCBListCtrl::IsEditableColumn(int column) const {
    for (INT_PTR i = 0; i < m_editableColumns.GetSize(); ++i) {
        if (static_cast<int>(m_editableColumns[i]) == column)
            return true;
    }
    return false;
}

int CCBListCtrl::HitTestEx(CPoint point, int* column) const {
    if (column)
        *column = 0;
    if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT)
        return HitTest(point);
    const int top = TopIndex(*this);
    const int last = std::min(top + GetCountPerPage(), GetItemCount() - 1);
    for (int row = top; row <= last; ++row) {
        CRect bounds;
        if (!GetItemRect(row, &bounds, LVIR_BOUNDS) || !bounds.PtInRect(point))
            continue;
        // A column that does not exist is 0 wide: the walk ends there.
        int left = bounds.left;
        for (int index = 0, width = 0; (width = GetColumnWidth(index)) > 0; ++index) {
            if (point.x >= left && point.x <= left + width) {
                if (column)
                    *column = index;
                return row;
            }
            left += width;
        }
    }
    return -1;
}

void CCBListCtrl::OnLButtonDown(UINT flags, CPoint point) {
    // The focus as it was before the press: the standard handling below moves it to the row.
    const int focusedBefore = GetNextItem(-1, LVNI_FOCUSED);
    CListCtrl::OnLButtonDown(flags, point);
    int column = 0;
    const int row = HitTestEx(point, &column);
    if (row == -1 || !IsEditableColumn(column))
        return;
    if (row != focusedBefore) {
        SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    if (!(GetStyle() & LVS_EDITLABELS))
        return;
    const CString text = GetItemText(row, column);
    int selection = -1;
    for (INT_PTR i = 0; i < m_choices.GetSize(); ++i) {
        if (m_choices[i].CompareNoCase(text) == 0) {
            selection = static_cast<int>(i);
            break;
        }
    }
    ShowInPlaceList(row, column, m_choices, m_values, selection);
}

CComboBox* CCBListCtrl::ShowInPlaceList(int item, int column, const CStringArray& choices,
                                        const CDWordArray& values, int selection) {
    if (!EnsureRowVisible(item))
        return nullptr;
    const int width = GetColumnWidth(column);
    if (width < kMinColumnWidth)
        return nullptr;
    int offset = 0;
    for (int i = 0; i < column; ++i)
        offset += GetColumnWidth(i);

    CRect rect;
    GetItemRect(item, &rect, LVIR_BOUNDS);
    CRect client;
    GetClientRect(&client);
    if (offset + rect.left < 0 || offset + rect.left > client.right) {
        const int shift = offset + rect.left;
        SendMessage(kScroll, static_cast<WPARAM>(shift), 0);
        rect.left -= shift;
    }
    const int height = rect.Height();
    rect.left += offset + 4;
    rect.right = std::min(static_cast<int>(rect.left + width - 3), static_cast<int>(client.right));
    rect.bottom += 5 * height;

    auto* list = new CInPlaceList(item, column, choices, values, selection);
    const DWORD style =
        WS_BORDER | WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_DISABLENOSCROLL;
    if (!list->Create(style, rect, this, CInPlaceList::kControlId)) {
        delete list;
        return nullptr;
    }
    list->SetItemHeight(-1, static_cast<UINT>(height));
    list->SetHorizontalExtent(static_cast<UINT>(width));
    return list;
}

BOOL CCBListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* info = reinterpret_cast<const NMLVDISPINFO*>(lParam);
    // Only a choice list's ending is taken here: a label edit's item parameter is the row's data, which
    // must not be stored through itself.
    if (message != WM_NOTIFY || info->hdr.code != LVN_ENDLABELEDIT ||
        info->hdr.idFrom != CInPlaceList::kControlId)
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    if (info->item.pszText) {
        SetItemText(info->item.iItem, info->item.iSubItem, info->item.pszText);
        if (auto* value = reinterpret_cast<DWORD*>(GetItemData(info->item.iItem)))
            *value = static_cast<DWORD>(info->item.lParam);
    }
    *result = FALSE;
    return TRUE;
}

void CCBListCtrl::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    // Taking the focus ends an open choice list.
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnHScroll(code, position, scrollBar);
}

void CCBListCtrl::OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnVScroll(code, position, scrollBar);
}
