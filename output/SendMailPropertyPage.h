#pragma once
// CSendMailPropertyPage: the send-mail sheet's first page. The user addresses and writes the mail, picks
// a plain mail with the page attached or an HTML mail with the page inline, sets the picture's scale and
// sends; a progress bar and a status text follow the sending.

#include "platform/base/String.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/PropertyPage.h"
#include "platform/ui/Static.h"
#include "skin/CustomSpinButtonCtrl.h"

class CSendMailPropertySheet;
class CTemplate;

// The mail's text as HTML: "&", "<", ">" and '"' escaped, line breaks as "<br>", blanks as "&nbsp;".
CString TextToHtml(const CString& text);

// The mail manager's progress report to the page: a text goes into status (a CStatic), an empty text
// steps progress (a CProgressCtrl). A context of another class is left alone.
void SendProgressCallback(void* progress, void* status, const CString& text);

// "width x height" of the picture mailed from page at percent: a third of the page size, scaled.
CString PictureSizeText(const CTemplate& page, int percent);

class CSendMailPropertyPage : public CPropertyPage {
public:
    static constexpr UINT kTemplateId = 6040;
    // The content id by which the HTML mail's body names its inline picture.
    static constexpr char kContentId[] = "1234567";

    CSendMailPropertyPage();

    // The page being mailed, not owned; the sheet sets it before the page is made.
    void SetTemplate(CTemplate* page) { m_pTemplate = page; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnSend();
    void OnMailSettings();
    void OnScaleChange();
    void OnShowPreview();
    void OnHelp();

protected:
    void DoDataExchange(CDataExchange* exchange) override;

private:
    CSendMailPropertySheet* MailSheet() const;
    void ShowPictureSize();
    // Builds and sends the mail with the page saved into folder; FALSE when it was not sent.
    bool SendWithPictureIn(const CString& folder);

    CString m_strRecipients;
    CString m_strMoreRecipients;
    CString m_strText;
    CString m_strSubject;
    int m_nScalePercent = 100;
    CProgressCtrl m_progress;
    CStatic m_status;
    CCustomSpinButtonCtrl m_spin;
    CTemplate* m_pTemplate = nullptr;
    CString m_strPictureSize;
};
