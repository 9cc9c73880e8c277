#include "platform/ui/PropertyPage.h"

#include "platform/base/AppServices.h"
#include "platform/ui/PropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId) {
    m_psp.dwFlags = PSP_HASHELP;
    if (!captionId)
        return;
    m_strCaption = AppServices().LoadString(captionId);
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption.GetString();
}

CString CPropertyPage::TabTitle(const CString& templateCaption) const {
    return (m_psp.dwFlags & PSP_USETITLE) && m_psp.pszTitle ? CString(m_psp.pszTitle) : templateCaption;
}

CPropertySheet* CPropertyPage::Sheet() const {
    return DYNAMIC_DOWNCAST(CPropertySheet, GetParent());
}

void CPropertyPage::SetModified(BOOL changed) {
    if (CPropertySheet* sheet = Sheet())
        sheet->SendMessage(changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd));
}

void CPropertyPage::EndDialog(int result) {
    if (CPropertySheet* sheet = Sheet())
        sheet->EndDialog(result);
}

BOOL CPropertyPage::OnSetActive() {
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

BOOL CPropertyPage::OnQueryCancel() {
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG* message) {
    return CWnd::PreTranslateMessage(message);
}

BOOL CPropertyPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG)
        m_firstSetActive = true; // a new window: OnInitDialog writes the controls
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}
