#pragma once
// CMailSettingsDlg: the sender address and SMTP server, read from and written to the profile. The caller
// reloads the mail manager's settings when it ends with OK.

#include "platform/base/String.h"
#include "platform/ui/Dialog.h"

class CMailSettingsDlg : public CDialog {
public:
    explicit CMailSettingsDlg(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_strSender;
    CString m_strServer;
};
