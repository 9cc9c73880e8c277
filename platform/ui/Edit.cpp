#include "platform/ui/Edit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_EDIT, "", style, rect, parent, id);
}

void CEdit::SetLimitText(UINT maxBytes) {
    SendMessage(EM_SETLIMITTEXT, maxBytes);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

void CEdit::SetSel(int start, int end, BOOL /*noScroll*/) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL canUndo) {
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
}
