#pragma once
// CPropertyPage: one page of a property sheet, a child dialog made from its template when the sheet first
// shows it. The sheet asks the page before it leaves it (OnKillActive), when it shows it (OnSetActive),
// when the user presses OK or Apply (OnApply, by default OnOK) and Cancel (OnQueryCancel, then OnCancel).

#include "platform/ui/Dialog.h"

class CPropertySheet;

inline constexpr DWORD PSP_USETITLE = 0x0008;
inline constexpr DWORD PSP_HASHELP = 0x0020;

// What the sheet reads of a page: PSP_ flags and, with PSP_USETITLE, the tab's text in place of the
// template's caption.
struct PROPSHEETPAGE {
    DWORD dwFlags = 0;
    LPCTSTR pszTitle = nullptr;
};

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() : CPropertyPage(0) {}
    // captionId: a string of the text module for the tab, else the template's caption.
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    PROPSHEETPAGE m_psp;

    // Enables the sheet's Apply button while any page is modified.
    void SetModified(BOOL changed = TRUE);
    // Ends the whole sheet with result.
    void EndDialog(int result);

    // TRUE lets the page show; the base writes the members into the controls (OnInitDialog did so the
    // first time).
    virtual BOOL OnSetActive();
    // TRUE lets the page go; the base reads and checks the controls.
    virtual BOOL OnKillActive();
    // OK or Apply: TRUE when the changes are taken; FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // FALSE keeps the sheet open when the user cancels.
    virtual BOOL OnQueryCancel();
    // The page's share of OK and Cancel; neither ends anything.
    void OnOK() override;
    void OnCancel() override;
    // The sheet handles the dialog keys of its pages.
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    UINT TemplateId() const { return m_nIDHelp; }
    // The tab's text: the title, else the template's caption.
    CString TabTitle(const CString& templateCaption) const;

protected:
    // The sheet the page lies in; null before it is made.
    CPropertySheet* Sheet() const;

private:
    CString m_strCaption;
    bool m_firstSetActive = true;
};
