#include "platform/ui/Dialog.h"

#include "platform/base/DialogTemplate.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/StyleNames.h"
#include "platform/ui/WindowRecord.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

HWND OwnerFor(CWnd* parent) {
    CWnd* owner = parent ? parent->GetTopLevelParent() : CWnd::GetActiveWindow();
    return owner ? owner->m_hWnd : nullptr;
}

} // namespace

INT_PTR CDialog::DoModal() {
    DialogTemplate dialogTemplate;
    if (!LoadDialogTemplate(AfxGetResourceHandle(), m_nIDHelp, dialogTemplate))
        return -1;
    return RunModalFromTemplate(dialogTemplate, m_pParentWnd, this);
}

INT_PTR RunModalFromTemplate(const DialogTemplate& dialogTemplate, CWnd* parent, CWnd* object) {
    const HWND owner = OwnerFor(parent);
    CWnd* ownerWindow = CWnd::FromHandle(owner);
    const bool disableOwner = ownerWindow && ownerWindow->IsWindowEnabled();
    if (disableOwner)
        ownerWindow->EnableWindow(FALSE);
    const HWND dialog = CreateDialogWindow(dialogTemplate, owner, object, true);
    const INT_PTR result = dialog ? RunModalDialog(dialog) : -1;
    // The owner comes back first, so that it is active again when the dialog goes.
    if (disableOwner && IsWindow(owner))
        CWnd::FromHandle(owner)->EnableWindow(TRUE);
    if (IsWindow(dialog)) {
        CWnd::FromHandle(dialog)->ShowWindow(SW_HIDE);
        ::DestroyWindow(dialog);
    }
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDHelp = templateId;
    m_pParentWnd = parent;
    DialogTemplate dialogTemplate;
    if (!LoadDialogTemplate(AfxGetResourceHandle(), templateId, dialogTemplate))
        return FALSE;
    // A child form (a page or a pane's form) lives inside its parent; any other dialog is owned by the
    // parent's top-level window.
    DWORD style = 0;
    const bool child = parent && ResolveStyleNames(dialogTemplate.style, &style) && (style & WS_CHILD);
    return CreateDialogWindow(dialogTemplate, child ? parent->m_hWnd : OwnerFor(parent), this, false) ? TRUE
                                                                                                      : FALSE;
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const CDataExchange::Failure&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange* /*exchange*/) {}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control)
        control->SetFocus();
}

void CDialog::NextDlgCtrl() const {
    if (const HWND next = GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE))
        ::SetFocus(next);
}

void CDialog::PrevDlgCtrl() const {
    if (const HWND previous = GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE))
        ::SetFocus(previous);
}

void CDialog::SetDefID(UINT id) {
    SendMessage(DM_SETDEFID, id);
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(SendMessage(DM_GETDEFID));
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* message) {
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return CWnd::PreTranslateMessage(message);
    if (message->hwnd != m_hWnd && !IsChild(FromHandle(message->hwnd)))
        return FALSE;
    return IsDialogMessage(m_hWnd, message);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(static_cast<DWORD>(wParam)) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(static_cast<DWORD>(wParam))) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_INITDIALOG)
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    *result = OnInitDialog();
    return TRUE;
}
