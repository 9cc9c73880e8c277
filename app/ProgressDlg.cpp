#include "app/ProgressDlg.h"

#include "app/ProgressLabel.h"
#include "platform/base/AppServices.h"

namespace {
constexpr UINT kTemplateId = 174;
}

CProgressDlg::CProgressDlg(UINT captionId) : CDialog(kTemplateId) {
    if (captionId != 0)
        m_nCaptionID = captionId;
}

CProgressDlg::~CProgressDlg() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CProgressDlg::Create(CWnd* parent) {
    m_pParentWnd = parent;
    return CDialog::Create(kTemplateId, parent);
}

void CProgressDlg::Open(const CString& title) {
    if (!m_hWnd && !Create(nullptr))
        return;
    CenterWindow();
    SetWindowText(title);
    ShowWindow(SW_SHOW);
}

void CProgressDlg::Close() {
    if (m_hWnd)
        DestroyWindow();
}

void CProgressDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kProgressBarId, m_Progress);
}

BOOL CProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A 32-bit range, so that counts beyond 65535 still fill the bar in step with the label.
    m_Progress.SetRange32(m_nLower, m_nUpper);
    m_Progress.SetStep(static_cast<int>(m_nStep));
    m_Progress.SetPos(m_nLower);
    SetWindowText(AppServices().LoadString(m_nCaptionID));
    return TRUE;
}

void CProgressDlg::OnCancel() {
    m_bCancel = TRUE;
}

void CProgressDlg::SetRange(int low, int high) {
    m_nLower = low;
    m_nUpper = high;
    if (m_hWnd)
        m_Progress.SetRange32(low, high);
}

int CProgressDlg::SetPos(int pos) {
    const int before = m_Progress.SetPos(pos);
    ShowPercent(pos);
    return before;
}

int CProgressDlg::OffsetPos(int delta) {
    const int before = m_Progress.OffsetPos(delta);
    ShowPercent(before + delta);
    return before;
}

int CProgressDlg::StepIt() {
    const int before = m_Progress.StepIt();
    ShowPercent(before + static_cast<int>(m_nStep));
    return before;
}

void CProgressDlg::SetStep(float step) {
    m_nStep = step;
    if (m_hWnd)
        m_Progress.SetStep(static_cast<int>(step));
}

BOOL CProgressDlg::CheckCancel() {
    const BOOL cancelled = m_bCancel;
    m_bCancel = FALSE;
    return cancelled;
}

void CProgressDlg::ShowPercent(int pos) {
    ShowProgressPercent(*this, pos, m_nLower, m_nUpper);
}
