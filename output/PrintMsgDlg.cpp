#include "output/PrintMsgDlg.h"

#include "platform/base/AppServices.h"
#include "platform/base/Profile.h"

namespace {
constexpr UINT kTemplateId = 474;
constexpr int kHideNoteId = 1006;
constexpr char kSection[] = "Settings";
constexpr char kEntry[] = "PrintMsg";
} // namespace

CPrintMsgDlg::CPrintMsgDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

bool CPrintMsgDlg::IsWanted() {
    return GetProfileInt(kSection, kEntry, 0) == 0;
}

void CPrintMsgDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Check(exchange, kHideNoteId, m_hideNote);
    if (!exchange->m_bSaveAndValidate)
        SetWindowText(AppServices().GetAppName());
}

void CPrintMsgDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (m_hideNote != BST_UNCHECKED)
        WriteProfileInt(kSection, kEntry, m_hideNote == BST_CHECKED ? 1 : 0);
    EndDialog(IDOK);
}
