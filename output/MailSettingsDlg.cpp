#include "output/MailSettingsDlg.h"

#include "platform/base/Profile.h"
#include "platform/ui/DataExchange.h"

namespace {
constexpr UINT kTemplateId = 600;
constexpr int kSenderId = 1235;
constexpr int kServerId = 1236;
constexpr char kSection[] = "Settings";
} // namespace

CMailSettingsDlg::CMailSettingsDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CMailSettingsDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kSenderId, m_strSender);
    DDX_Text(exchange, kServerId, m_strServer);
}

BOOL CMailSettingsDlg::OnInitDialog() {
    m_strServer = GetProfileString(kSection, "SMTPServer", "");
    m_strSender = GetProfileString(kSection, "MailSender", "");
    return CDialog::OnInitDialog();
}

void CMailSettingsDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    WriteProfileString(kSection, "SMTPServer", m_strServer);
    WriteProfileString(kSection, "MailSender", m_strSender);
    EndDialog(IDOK);
}
