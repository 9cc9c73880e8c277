#include "output/PrintDlg.h"

#include "platform/base/AppServices.h"

IMPLEMENT_DYNCREATE(CPrintDlg, CDialog)

namespace {
constexpr int kProgressId = 1335;
constexpr int kStatusId = 1336;
} // namespace

CPrintDlg::CPrintDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CPrintDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kProgressId, m_progress);
    DDX_Text(exchange, kStatusId, m_statusText);
}

void CPrintDlg::SetStatusText(const CString& text) {
    m_statusText = text;
    UpdateData(FALSE);
    UpdateWindow();
}

void CPrintDlg::Begin(int count, UINT statusText) {
    if (!m_hWnd)
        return;
    m_progress.SetRange32(0, count);
    m_progress.SetStep(1);
    m_progress.SetPos(0);
    SetStatusText(statusText ? AppServices().LoadString(statusText) : CString());
}

void CPrintDlg::Step() {
    if (!m_hWnd)
        return;
    m_progress.StepIt();
    UpdateWindow();
}

void CPrintDlg::OnCancel() {
    if (m_pParentWnd)
        m_pParentWnd->EnableWindow(TRUE);
    CDialog::OnCancel();
}
