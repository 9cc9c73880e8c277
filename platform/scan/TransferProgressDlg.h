#pragma once
// The progress window of one transfer: the source reads on a worker thread while this modal window shows
// how far it got. Cancel asks the source to stop; the window stays until the worker has finished, so
// nothing else takes input meanwhile.

#include "platform/scan/ImageSource.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ProgressCtrl.h"

#include <functional>
#include <thread>

class CTransferProgressDlg : public CDialog {
public:
    CTransferProgressDlg(CImageSource& source, CWnd* parent);
    ~CTransferProgressDlg() override;

    // Shows the window, runs the transfer and returns its result with the picture in dib. Without a
    // window (no user interface), the transfer runs on the calling thread.
    CImageSource::Result Run(HGLOBAL& dib);

    // Test hook: called once the window is up, before the transfer starts.
    static void SetShownHookForTesting(std::function<void(CTransferProgressDlg&)> hook);

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    void OnTimer(UINT_PTR id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* exchange) override;

private:
    void ShowProgress();

    CImageSource& m_source;
    CProgressCtrl m_bar;
    std::thread m_worker;
    HGLOBAL m_dib = nullptr;
    CImageSource::Result m_result = CImageSource::Result::kFailed;
    bool m_cancelled = false;
};
