#pragma once
// CPrintDlg: the modeless print progress (template 656). One object lives for the whole run; each print
// job makes its window and destroys it, and the page renderer writes its stages and steps into it.

#include "output/PrintObjectRenderer.h"
#include "platform/base/String.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ProgressCtrl.h"

class CPrintDlg : public CDialog, public IPrintProgress {
    DECLARE_DYNCREATE(CPrintDlg)
public:
    static constexpr UINT kTemplateId = 656;

    explicit CPrintDlg(CWnd* parent = nullptr);

    // Keeps the text and shows it at once.
    void SetStatusText(const CString& text);

    void Begin(int count, UINT statusText) override;
    void Step() override;

    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // Enter leaves the progress open.
    void OnOK() override {}
    // Gives the parent back to the user; the job itself goes on.
    void OnCancel() override;

private:
    CString m_statusText;
};
