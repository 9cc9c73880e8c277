#pragma once
// CSaveProjectDlg: asks whether to save the project before a template replaces the page. Returns IDYES,
// IDNO or IDCANCEL. With "do not ask again" ticked, Yes and No also store the chosen standing answer,
// which turns the prompt off.

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"

class CSaveProjectDlg : public CDialog {
public:
    explicit CSaveProjectDlg(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnDontAsk();
    void OnAnswerSave();
    void OnAnswerDontSave();
    void OnYes();
    void OnNo();
    void Finish(int result);
    void EnableAnswers(BOOL enable);

    CButton m_DontAsk;
    BOOL m_bDontAsk = FALSE;
    BYTE m_nAnswer = 1; // 1 save, 0 do not save
};
