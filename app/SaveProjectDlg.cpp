#include "app/SaveProjectDlg.h"

#include "platform/base/AppServices.h"
#include "platform/ui/CommandMap.h"

namespace {
constexpr UINT kTemplateId = 201;
constexpr int kDontAskId = 1006;
constexpr int kAnswerSaveId = 1007;
constexpr int kAnswerDontSaveId = 1008;
} // namespace

CSaveProjectDlg::CSaveProjectDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CSaveProjectDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kDontAskId, m_DontAsk);
    DDX_Check(exchange, kDontAskId, m_bDontAsk);
}

BOOL CSaveProjectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    EnableAnswers(FALSE);
    SetWindowText(AppServices().GetAppName());
    return TRUE;
}

BOOL CSaveProjectDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CSaveProjectDlg> kCommands[] = {
        {kDontAskId, BN_CLICKED, &CSaveProjectDlg::OnDontAsk},
        {kAnswerDontSaveId, BN_CLICKED, &CSaveProjectDlg::OnAnswerDontSave},
        {kAnswerSaveId, BN_CLICKED, &CSaveProjectDlg::OnAnswerSave},
        {IDYES, BN_CLICKED, &CSaveProjectDlg::OnYes},
        {IDNO, BN_CLICKED, &CSaveProjectDlg::OnNo}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

void CSaveProjectDlg::OnDontAsk() {
    UpdateData(TRUE);
    EnableAnswers(m_bDontAsk);
    if (!m_bDontAsk)
        return;
    // Checking a radio button from here sends no click: the answer follows the check by hand, so
    // what is stored is always what the dialog shows.
    CheckRadioButton(kAnswerSaveId, kAnswerDontSaveId, kAnswerSaveId);
    m_nAnswer = 1;
}

void CSaveProjectDlg::OnAnswerSave() {
    m_nAnswer = 1;
}

void CSaveProjectDlg::OnAnswerDontSave() {
    m_nAnswer = 0;
}

void CSaveProjectDlg::OnYes() {
    Finish(IDYES);
}

void CSaveProjectDlg::OnNo() {
    Finish(IDNO);
}

void CSaveProjectDlg::Finish(int result) {
    if (m_bDontAsk)
        AppServices().SetSavePromptAnswer(m_nAnswer);
    EndDialog(result);
}

void CSaveProjectDlg::EnableAnswers(BOOL enable) {
    for (const int id : {kAnswerSaveId, kAnswerDontSaveId}) {
        if (CWnd* answer = GetDlgItem(id))
            answer->EnableWindow(enable);
    }
}
