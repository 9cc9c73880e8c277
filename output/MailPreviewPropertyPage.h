#pragma once
// CMailPreviewPropertyPage: the send-mail sheet's second page. It shows the picture that will be mailed
// through a small document, view and frame, with its scale percent (10 to 300, shared with the sheet)
// and its size in pixels.

#include "platform/base/String.h"
#include "platform/ui/PropertyPage.h"
#include "skin/CustomSpinButtonCtrl.h"

class CMailPreviewDocument;
class CMailPreviewWndFrame;
class CSendMailPropertySheet;
class CTemplate;

class CMailPreviewPropertyPage : public CPropertyPage {
public:
    static constexpr UINT kTemplateId = 6039;

    CMailPreviewPropertyPage();

    // The page being mailed, not owned; the sheet sets it before the page is made.
    void SetTemplate(CTemplate* page) { m_pTemplate = page; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Builds the document, the frame and the view over the placeholder; FALSE when any fails.
    BOOL CreatePreview();
    void OnScaleChange();
    LRESULT OnScaleCommitted();
    void OnBackToMail();

    int GetScalePercent() const { return m_nScalePercent; }
    CMailPreviewWndFrame* GetPreviewFrame() const { return m_pFrame; }
    // The frame view's document; null when there is none.
    CMailPreviewDocument* GetPreviewDocument() const;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // The frame goes with the page's window.
    void OnDestroy() override;

private:
    CSendMailPropertySheet* MailSheet() const;
    // The percent clamped to the spin's range, written back to the field when it was outside.
    void ClampScalePercent();
    void RenderAtScalePercent();
    void ShowPictureSize();

    int m_nScalePercent = -1;
    CCustomSpinButtonCtrl m_spin;
    CTemplate* m_pTemplate = nullptr;
    CMailPreviewWndFrame* m_pFrame = nullptr;
    CString m_strPictureSize;
};
