#pragma once
// CPropertySheet: a modal dialog of pages shown one at a time under a row of tabs, with the buttons OK,
// Cancel, Apply (unless PSH_NOAPPLYNOW) and Help (with PSH_HASHELP; enabled for pages with PSP_HASHELP).
// Pages are made on their first activation. OK asks the active page to let go, then every page made so
// far to apply; Cancel asks the active page, then cancels every page made. Ctrl+Tab and Ctrl+PageDown
// show the next page, with Shift or Ctrl+PageUp the previous one.

#include "platform/base/DialogTemplate.h"
#include "platform/ui/PropertyPage.h"

#include <memory>
#include <vector>

class CSheetTabStrip;

inline constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
inline constexpr DWORD PSH_HASHELP = 0x0200;

inline constexpr UINT PSM_CHANGED = WM_USER + 104;
inline constexpr UINT PSM_UNCHANGED = WM_USER + 109;

inline constexpr int ID_APPLY_NOW = 0x3021;

// The sheet's settings: PSH_ flags (PSH_HASHELP is set when a page with PSP_HASHELP is added) and the
// page shown first.
struct PROPSHEETHEADER {
    DWORD dwFlags = 0;
    UINT nStartPage = 0;
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet() = default;
    // captionId: a string of the text module.
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    PROPSHEETHEADER m_psh;

    // Before DoModal. The caller keeps ownership of the page, which must outlive the sheet's window.
    void AddPage(CPropertyPage* page);
    // Runs the sheet over its parent's top-level window until it ends; IDOK or IDCANCEL, or the result a
    // page ended it with; -1 without pages or when a page's template is missing.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // Before the sheet shows, the page it starts on; afterwards a switch that the active page may refuse.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;

    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    // Makes the tabs and shows the start page.
    virtual BOOL OnInitDialog();

private:
    struct PageSlot {
        CPropertyPage* page = nullptr;
        DialogTemplate pageTemplate;
        bool modified = false;
    };

    // Loads the pages' templates and makes room for the largest page.
    bool LoadPageTemplates();
    DialogTemplate SheetTemplate() const;
    void PlaceButtons();
    bool MakePageWindow(PageSlot& slot);
    // Asks the active page to let go and the new one to show, then shows it.
    bool Activate(int index);
    void Show(int index);
    void StepPage(int step);
    // The active page lets go and every page made applies; false keeps the sheet open.
    bool ApplyPages();
    void PressOk();
    void PressCancel();
    void PressApply();
    void NoteModified(HWND pageWindow, bool modified);
    CRect PageArea() const;

    CString m_caption;
    CWnd* m_pParentWnd = nullptr;
    std::vector<PageSlot> m_pages;
    int m_active = -1;
    CSize m_pageSize;
    std::unique_ptr<CSheetTabStrip> m_tabs;
};
