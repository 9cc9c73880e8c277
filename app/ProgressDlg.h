#pragma once
// CProgressDlg: the modeless progress window of long page and album operations. Its owner creates it,
// feeds it positions, polls CheckCancel and destroys it; Cancel only raises a flag.

#include "page/ProgressReport.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ProgressCtrl.h"

class CProgressDlg : public CDialog, public IProgressReport {
public:
    // captionId 0 keeps the default caption, string 175.
    explicit CProgressDlg(UINT captionId = 0);
    ~CProgressDlg() override;

    using CDialog::Create;
    BOOL Create(CWnd* parent = nullptr);

    // For page operations: created without a parent, centred, titled and shown.
    void Open(const CString& title) override;
    void Close() override;

    void SetRange(int low, int high) override;
    // Each returns the position before.
    int SetPos(int pos);
    int OffsetPos(int delta);
    int StepIt() override;
    // The bar moves by the whole part of the step.
    void SetStep(float step) override;
    // Whether Cancel was pressed since the last call.
    BOOL CheckCancel();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    void ShowPercent(int pos);

    CProgressCtrl m_Progress;
    UINT m_nCaptionID = 175;
    int m_nLower = 0;
    int m_nUpper = 100;
    float m_nStep = 10.0f;
    BOOL m_bCancel = FALSE;
};
