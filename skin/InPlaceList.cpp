#include "skin/InPlaceList.h"

#include "platform/ui/ListCtrl.h"

namespace {

// Posted to itself when the drop-down closes: the combo box sets the chosen entry after reporting the
// close-up, and the focus may move only once it has.
constexpr UINT kReturnFocus = WM_USER + 1;

} // namespace

CInPlaceList::CInPlaceList(int item, int column, const CStringArray& choices, const CDWordArray& values,
                           int selection)
    : m_item(item), m_column(column), m_selection(selection) {
    m_choices.Copy(choices);
    m_values.Copy(values);
}

int CInPlaceList::OnCreate(LPCREATESTRUCT create) {
    if (CComboBox::OnCreate(create) == -1)
        return -1;
    CWnd* list = GetParent();
    if (list)
        SetFont(list->GetFont());
    for (INT_PTR i = 0; i < m_choices.GetSize(); ++i) {
        const int index = AddString(m_choices[i]);
        SetItemData(index, i < m_values.GetSize() ? m_values[i] : 0);
    }
    SetCurSel(m_selection);
    SetFocus();
    return 0;
}

BOOL CInPlaceList::PreTranslateMessage(MSG* message) {
    // Return and Escape belong to the choice list, not to the dialog around the list control.
    if (message->message == WM_KEYDOWN && (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE)) {
        SendMessage(message->message, message->wParam, message->lParam);
        return TRUE;
    }
    return CComboBox::PreTranslateMessage(message);
}

void CInPlaceList::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    if (key != VK_RETURN && key != VK_ESCAPE) {
        CComboBox::OnKeyDown(key, repeatCount, flags);
        return;
    }
    if (key == VK_ESCAPE)
        m_cancelled = TRUE;
    else
        CComboBox::OnKeyDown(key, repeatCount, flags); // an open drop-down takes its highlighted entry
    if (CWnd* list = GetParent())
        list->SetFocus();
}

BOOL CInPlaceList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(static_cast<DWORD>(wParam)) == CBN_CLOSEUP) {
        PostMessage(kReturnFocus);
        return TRUE;
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CInPlaceList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kReturnFocus)
        return CComboBox::WindowProc(message, wParam, lParam);
    CWnd* list = GetParent();
    if (list && GetFocus() == this)
        list->SetFocus();
    return 0;
}

void CInPlaceList::OnKillFocus(CWnd* newWindow) {
    CComboBox::OnKillFocus(newWindow);
    if (GetCurSel() != CB_ERR)
        SendEndEdit();
    PostMessage(WM_CLOSE);
}

void CInPlaceList::SendEndEdit() {
    CWnd* list = GetParent();
    CWnd* owner = list ? list->GetParent() : nullptr;
    if (!owner)
        return;
    const int selection = GetCurSel();
    CString text;
    GetLBText(selection, text);
    NMLVDISPINFO info{};
    info.hdr.hwndFrom = list->GetSafeHwnd();
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = m_item;
    info.item.iSubItem = m_column;
    info.item.pszText = m_cancelled ? nullptr : text.GetBuffer();
    info.item.cchTextMax = m_cancelled ? 0 : text.GetLength();
    info.item.lParam = static_cast<LPARAM>(GetItemData(selection));
    owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&info));
    text.ReleaseBuffer();
}

void CInPlaceList::PostNcDestroy() {
    delete this;
}
