#include "platform/ui/LabelEditor.h"

void LabelEditor::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    if (key == VK_RETURN || key == VK_ESCAPE)
        GetParent()->PostMessage(kEndLabelEdit, key == VK_ESCAPE, reinterpret_cast<LPARAM>(m_hWnd));
    else
        CEdit::OnKeyDown(key, repeatCount, flags);
}

void LabelEditor::OnKillFocus(CWnd* newWindow) {
    CEdit::OnKillFocus(newWindow);
    GetParent()->PostMessage(kEndLabelEdit, FALSE, reinterpret_cast<LPARAM>(m_hWnd));
}

UINT LabelEditor::OnGetDlgCode() {
    return CEdit::OnGetDlgCode() | DLGC_WANTALLKEYS;
}

void LabelEditor::PostNcDestroy() {
    delete this;
}
