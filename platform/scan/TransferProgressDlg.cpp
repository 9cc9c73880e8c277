#include "platform/scan/TransferProgressDlg.h"

#include "platform/base/AppServices.h"

namespace {

constexpr UINT kTemplateId = 174;
constexpr UINT kBarId = 1003;
constexpr UINT kPercentId = 1004;
constexpr UINT kCaptionId = 7030;
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressInterval = 100;
// Posted by the worker when the transfer has ended.
constexpr UINT kTransferEnded = WM_APP + 0x61;

std::function<void(CTransferProgressDlg&)>& ShownHook() {
    static std::function<void(CTransferProgressDlg&)> hook;
    return hook;
}

} // namespace

CTransferProgressDlg::CTransferProgressDlg(CImageSource& source, CWnd* parent)
    : CDialog(kTemplateId, parent), m_source(source) {}

CTransferProgressDlg::~CTransferProgressDlg() {
    if (m_worker.joinable())
        m_worker.join();
}

void CTransferProgressDlg::SetShownHookForTesting(std::function<void(CTransferProgressDlg&)> hook) {
    ShownHook() = std::move(hook);
}

CImageSource::Result CTransferProgressDlg::Run(HGLOBAL& dib) {
    dib = nullptr;
    if (DoModal() < 0) {
        // No window could be made: the transfer still runs, without progress.
        m_result = m_source.Acquire(m_dib);
    }
    if (m_worker.joinable())
        m_worker.join();
    dib = m_dib;
    return m_result;
}

void CTransferProgressDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kBarId, m_bar);
}

BOOL CTransferProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(AppServices().LoadString(kCaptionId));
    m_bar.SetRange32(0, 100);
    SetTimer(kProgressTimer, kProgressInterval);
    if (ShownHook())
        ShownHook()(*this);
    const HWND window = m_hWnd;
    m_worker = std::thread([this, window] {
        m_result = m_source.Acquire(m_dib);
        ::PostMessage(window, kTransferEnded, 0, 0);
    });
    return TRUE;
}

void CTransferProgressDlg::OnCancel() {
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_source.Cancel();
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->EnableWindow(FALSE);
}

void CTransferProgressDlg::OnTimer(UINT_PTR id) {
    if (id == kProgressTimer)
        ShowProgress();
    else
        CDialog::OnTimer(id);
}

void CTransferProgressDlg::ShowProgress() {
    const int percent = m_source.Progress();
    if (percent < 0)
        return;
    m_bar.SetPos(percent);
    CString text;
    text.Format("%d%%", percent);
    SetDlgItemText(kPercentId, text);
}

LRESULT CTransferProgressDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTransferEnded) {
        KillTimer(kProgressTimer);
        EndDialog(IDOK);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
