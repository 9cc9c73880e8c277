#include "platform/ui/TreeCtrl.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

LPARAM HandleParam(HTREEITEM item) {
    return reinterpret_cast<LPARAM>(item);
}

} // namespace

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_TREEVIEW, "", style, rect, parent, id);
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int kind) {
    if (kind != TVSIL_NORMAL && kind != TVSIL_STATE)
        return nullptr;
    SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr));
    CImageList* previous = m_imageLists[kind];
    m_imageLists[kind] = list;
    return previous;
}

CImageList* CTreeCtrl::GetImageList(int kind) const {
    return kind == TVSIL_NORMAL || kind == TVSIL_STATE ? m_imageLists[kind] : nullptr;
}

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCT* insert) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(insert)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state,
                                UINT stateMask, LPARAM data, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCT insert{parent, after, {}};
    insert.item =
        TVITEM{mask, nullptr, state, stateMask, const_cast<LPTSTR>(text), 0, image, selectedImage, 0, data};
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after) {
    return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0, 0,
                      parent, after);
}

BOOL CTreeCtrl::SetItem(const TVITEM* item) {
    return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::GetItem(TVITEM* item) const {
    return static_cast<BOOL>(SendMessage(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, HandleParam(item)));
}

BOOL CTreeCtrl::DeleteAllItems() {
    return DeleteItem(TVI_ROOT);
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, HandleParam(item)));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, HandleParam(item)));
}

HTREEITEM CTreeCtrl::GetRootItem() const {
    return GetNextItem(nullptr, TVGN_ROOT);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_PREVIOUS);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_PARENT);
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const {
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_NEXTVISIBLE);
}

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_PREVIOUSVISIBLE);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const {
    return GetNextItem(nullptr, TVGN_CARET);
}

HTREEITEM CTreeCtrl::GetDropHilightItem() const {
    return GetNextItem(nullptr, TVGN_DROPHILITE);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    TVITEM info{};
    info.mask = TVIF_CHILDREN | TVIF_HANDLE;
    info.hItem = item;
    return GetItem(&info) && info.cChildren != 0;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, HandleParam(item)));
}

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_DROPHILITE, HandleParam(item)));
}

BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, HandleParam(item)));
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    // Doubles the buffer until the text fits with its terminator.
    for (int size = 256;; size *= 2) {
        CString text;
        TVITEM info{};
        info.mask = TVIF_TEXT | TVIF_HANDLE;
        info.hItem = item;
        info.pszText = text.GetBuffer(size);
        info.cchTextMax = size;
        info.pszText[0] = '\0';
        const BOOL found = GetItem(&info);
        const int length = static_cast<int>(std::strlen(info.pszText));
        text.ReleaseBuffer(length);
        if (!found || length < size - 1)
            return found ? text : CString();
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text) {
    TVITEM info{};
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = const_cast<LPTSTR>(text);
    return SetItem(&info);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
    TVITEM info{};
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = item;
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
    TVITEM info{};
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return SetItem(&info);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    TVITEM info{};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    info.hItem = item;
    if (!GetItem(&info))
        return FALSE;
    image = info.iImage;
    selectedImage = info.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
    TVITEM info{};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    info.hItem = item;
    info.iImage = image;
    info.iSelectedImage = selectedImage;
    return SetItem(&info);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
    TVITEM info{};
    info.mask = TVIF_STATE | TVIF_HANDLE;
    info.hItem = item;
    info.state = state;
    info.stateMask = mask;
    return SetItem(&info);
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
    TVHITTESTINFO info{point, 0, nullptr};
    const HTREEITEM item = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return item;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* info) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
    if (!rect)
        return FALSE;
    // The rectangle carries the item's handle in.
    static_assert(sizeof(HTREEITEM) <= sizeof(RECT));
    std::memcpy(static_cast<void*>(rect), &item, sizeof item);
    return static_cast<BOOL>(
        SendMessage(TVM_GETITEMRECT, static_cast<WPARAM>(textOnly), reinterpret_cast<LPARAM>(rect)));
}

BOOL CTreeCtrl::SortChildren(HTREEITEM item, BOOL recurse) {
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDREN, static_cast<WPARAM>(recurse), HandleParam(item)));
}

BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB sort) {
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(sort)));
}

UINT CTreeCtrl::GetCount() const {
    return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
}

UINT CTreeCtrl::GetVisibleCount() const {
    return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, HandleParam(item)));
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM item) {
    return static_cast<CEdit*>(
        FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_EDITLABEL, 0, HandleParam(item)))));
}

CEdit* CTreeCtrl::GetEditControl() const {
    return static_cast<CEdit*>(FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_GETEDITCONTROL))));
}
