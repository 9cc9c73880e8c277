#pragma once
// CSendMailPropertySheet: the modal sheet with which the user mails the current page: the send page and
// the preview page, which share the picture's scale percent.

#include "output/MailPreviewPropertyPage.h"
#include "output/SendMailPropertyPage.h"
#include "platform/ui/PropertySheet.h"

class CTemplate;

class CSendMailPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CSendMailPropertySheet)
public:
    // page: the template being mailed, not owned. Caption 367, without Apply and Help buttons.
    CSendMailPropertySheet(CTemplate* page, CWnd* parent);

    void SetScalePercent(int percent) { m_nScalePercent = percent; }
    int GetScalePercent() const { return m_nScalePercent; }

private:
    int m_nScalePercent = 100;
    CSendMailPropertyPage m_sendPage;
    CMailPreviewPropertyPage m_previewPage;
};
