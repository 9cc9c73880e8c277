#pragma once
// CResTypeManagerPropertyPage: the resource manager's only page (template 112). It makes the document and
// the frame over its placeholder control and fills the frame with the library's kinds; any failure ends
// the sheet at once with IDCANCEL, silently.

#include "platform/ui/PropertyPage.h"

class CResManagerWnd;

class CResTypeManagerPropertyPage : public CPropertyPage {
    DECLARE_DYNCREATE(CResTypeManagerPropertyPage)
public:
    CResTypeManagerPropertyPage();

    // Null until the page is initialised; the frame's window deletes it.
    CResManagerWnd* GetFrame() const { return m_pFrame; }

    BOOL OnInitDialog() override;
    // FALSE while the frame refuses to close (a label is being edited).
    BOOL OnQueryCancel() override;

private:
    // Ends the sheet with IDCANCEL; TRUE for OnInitDialog's answer.
    BOOL Fail();

    CResManagerWnd* m_pFrame = nullptr;
};
