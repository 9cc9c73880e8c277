#pragma once
// CProgDlg: a modeless progress window that keeps the program responsive while the work runs on the
// user-interface thread: every position update first handles the messages waiting for the thread. Its
// owner's top-level window is disabled while it is up.

#include "platform/ui/Dialog.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/Static.h"

class CProgDlg : public CDialog {
public:
    // The caption id is kept but not shown: the title is the application's name.
    explicit CProgDlg(UINT captionId = 0);
    ~CProgDlg() override;

    using CDialog::Create;
    BOOL Create(CWnd* parent = nullptr);
    // Enables the owner it disabled, then destroys the window.
    BOOL DestroyWindow() override;

    void SetRange(int low, int high);
    // Each returns the position before.
    int SetPos(int pos);
    int OffsetPos(int delta);
    int StepIt();
    void SetStep(int step);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;

private:
    void ShowPercent(int pos);

    CStatic m_Text;
    CProgressCtrl m_Progress;
    UINT m_nCaptionID = 175;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    BOOL m_bParentDisabled = FALSE;
    CWnd* m_pOwner = nullptr;
};
