#include "platform/ui/ListCtrl.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTVIEW, "", style, rect, parent, id);
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind) {
    if (kind != LVSIL_NORMAL && kind != LVSIL_SMALL)
        return nullptr;
    SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr));
    CImageList* previous = m_imageLists[kind];
    m_imageLists[kind] = list;
    return previous;
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem) {
    LVCOLUMN info{LVCF_TEXT | LVCF_FMT, format, width, const_cast<LPTSTR>(heading), 0, subItem};
    if (width != -1)
        info.mask |= LVCF_WIDTH;
    if (subItem != -1)
        info.mask |= LVCF_SUBITEM;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::DeleteColumn(int column) {
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

int CListCtrl::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                                         MAKELPARAM(static_cast<WORD>(width), 0)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
    return static_cast<CHeaderCtrl*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))));
}

int CListCtrl::InsertItem(const LVITEM* item) {
    return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(item)));
}

int CListCtrl::InsertItem(int item, LPCTSTR label) {
    LVITEM info{LVIF_TEXT, item, 0, 0, 0, const_cast<LPTSTR>(label), 0, 0, 0};
    return InsertItem(&info);
}

int CListCtrl::InsertItem(int item, LPCTSTR label, int image) {
    LVITEM info{LVIF_TEXT | LVIF_IMAGE, item, 0, 0, 0, const_cast<LPTSTR>(label), 0, image, 0};
    return InsertItem(&info);
}

BOOL CListCtrl::SetItem(const LVITEM* item) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::GetItem(LVITEM* item) const {
    return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text) {
    LVITEM info{LVIF_TEXT, item, subItem, 0, 0, const_cast<LPTSTR>(text), 0, 0, 0};
    return SetItem(&info);
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    // Doubles the buffer until the text fits with its terminator.
    for (int size = 256;; size *= 2) {
        CString text;
        LVITEM info{LVIF_TEXT, item, subItem, 0, 0, text.GetBuffer(size), size, 0, 0};
        info.pszText[0] = '\0';
        const BOOL found = GetItem(&info);
        const int length = static_cast<int>(std::strlen(info.pszText));
        text.ReleaseBuffer(length);
        if (!found || length < size - 1)
            return found ? text : CString();
    }
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    LVITEM info{LVIF_PARAM, item, 0, 0, 0, nullptr, 0, 0, static_cast<LPARAM>(data)};
    return SetItem(&info);
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    LVITEM info{LVIF_PARAM, item, 0, 0, 0, nullptr, 0, 0, 0};
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEM info{LVIF_STATE, item, 0, state, mask, nullptr, 0, 0, 0};
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

BOOL CListCtrl::DeleteItem(int item) {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

UINT CListCtrl::GetSelectedCount() const {
    return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
}

int CListCtrl::GetNextItem(int item, int flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), flags));
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const {
    if (!rect)
        return FALSE;
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(
        SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO info{point, 0, -1, 0};
    const int item = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return item;
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

CEdit* CListCtrl::EditLabel(int item) {
    return static_cast<CEdit*>(
        FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABEL, static_cast<WPARAM>(item)))));
}

CEdit* CListCtrl::GetEditControl() const {
    return static_cast<CEdit*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL))));
}

BOOL CListCtrl::SetBkColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color)));
}

COLORREF CListCtrl::GetBkColor() const {
    return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR));
}

BOOL CListCtrl::SetTextColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)));
}

COLORREF CListCtrl::GetTextColor() const {
    return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR));
}

BOOL CListCtrl::SetTextBkColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)));
}

COLORREF CListCtrl::GetTextBkColor() const {
    return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR));
}

CSize CListCtrl::SetIconSpacing(int cx, int cy) {
    const auto previous = static_cast<DWORD>(
        SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(static_cast<WORD>(cx), static_cast<WORD>(cy))));
    return CSize(LOWORD(previous), HIWORD(previous));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR sortData) {
    return static_cast<BOOL>(
        SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(sortData), reinterpret_cast<LPARAM>(compare)));
}

BOOL CListCtrl::RedrawItems(int first, int last) {
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
}

BOOL CListCtrl::Update(int item) {
    return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(item)));
}
