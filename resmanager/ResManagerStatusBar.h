#pragma once
// CResManagerStatusBar: the resource manager's status bar, a text over its first pane and a progress bar
// over its second. A control that cannot be made is left out; the messages that need it then refuse.

#include "platform/ui/StatusBar.h"
#include "resmanager/ResManagerPanes.h"

class CFont;
class CProgressCtrl;
class CStatic;

class CResManagerStatusBar : public CStatusBar, public IResManagerStatus {
public:
    CResManagerStatusBar() = default;
    ~CResManagerStatusBar() override;

    bool HasProgressBar() const override { return m_pProgress != nullptr; }
    void BeginProgress(int lower, int upper, int step, int showCommand) override;
    int StepProgress() override;
    void SetStatusText(LPCTSTR text) override;

    CStatic* GetTextControl() const { return m_pText; }
    CProgressCtrl* GetProgressBar() const { return m_pProgress; }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    void PlaceControls();

    CFont* m_pFont = nullptr;
    CStatic* m_pText = nullptr;
    CProgressCtrl* m_pProgress = nullptr;
};
