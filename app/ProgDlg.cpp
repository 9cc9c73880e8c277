#include "app/ProgDlg.h"

#include "app/ProgressLabel.h"
#include "platform/base/AppServices.h"

#include <QCoreApplication>

namespace {
constexpr UINT kTemplateId = 388;
constexpr int kTextId = 1113;

// Handles every message waiting for the thread; the dialog keys reach this dialog through the window
// layer's pre-translation.
void PumpWaitingMessages() {
    QCoreApplication::processEvents();
}
} // namespace

CProgDlg::CProgDlg(UINT captionId) : CDialog(kTemplateId) {
    if (captionId != 0)
        m_nCaptionID = captionId;
}

CProgDlg::~CProgDlg() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CProgDlg::Create(CWnd* parent) {
    CWnd* owner = parent ? parent->GetTopLevelParent() : nullptr;
    if (owner && owner->IsWindowEnabled()) {
        owner->EnableWindow(FALSE);
        m_bParentDisabled = TRUE;
        m_pOwner = owner;
    }
    m_pParentWnd = parent;
    if (CDialog::Create(kTemplateId, parent))
        return TRUE;
    if (m_bParentDisabled)
        m_pOwner->EnableWindow(TRUE);
    m_bParentDisabled = FALSE;
    m_pOwner = nullptr;
    return FALSE;
}

BOOL CProgDlg::DestroyWindow() {
    if (m_bParentDisabled && m_pOwner && ::IsWindow(m_pOwner->GetSafeHwnd()))
        m_pOwner->EnableWindow(TRUE);
    m_bParentDisabled = FALSE;
    m_pOwner = nullptr;
    return CDialog::DestroyWindow();
}

void CProgDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kTextId, m_Text);
    DDX_Control(exchange, kProgressBarId, m_Progress);
}

BOOL CProgDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_Progress.SetRange32(m_nLower, m_nUpper);
    m_Progress.SetStep(m_nStep);
    m_Progress.SetPos(m_nLower);
    SetWindowText(AppServices().GetAppName());
    return TRUE;
}

void CProgDlg::SetRange(int low, int high) {
    m_nLower = low;
    m_nUpper = high;
    if (m_hWnd)
        m_Progress.SetRange32(low, high);
}

int CProgDlg::SetPos(int pos) {
    PumpWaitingMessages();
    const int before = m_Progress.SetPos(pos);
    ShowPercent(pos);
    return before;
}

int CProgDlg::OffsetPos(int delta) {
    PumpWaitingMessages();
    const int before = m_Progress.OffsetPos(delta);
    ShowPercent(before + delta);
    return before;
}

int CProgDlg::StepIt() {
    PumpWaitingMessages();
    const int before = m_Progress.StepIt();
    ShowPercent(before + m_nStep);
    return before;
}

void CProgDlg::SetStep(int step) {
    m_nStep = step;
    if (m_hWnd)
        m_Progress.SetStep(step);
}

void CProgDlg::ShowPercent(int pos) {
    ShowProgressPercent(*this, pos, m_nLower, m_nUpper);
}
