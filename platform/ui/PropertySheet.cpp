// The property sheet: a dialog window of our own layout (tabs over the largest page, the buttons in a
// row under them), the pages' activation and the OK, Apply and Cancel rounds over the pages.

#include "platform/ui/PropertySheet.h"

#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/SheetTabStrip.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

constexpr int kMargin = 7;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 6;
constexpr UINT kTabStripId = 0x3020;
// Posted at initialisation: the page's first control takes the focus once the sheet shows.
constexpr UINT kFocusPageMessage = WM_USER + 0x3C0;

// Texts of the sheet's buttons in the text module.
constexpr UINT kIdsOk = 61500;
constexpr UINT kIdsCancel = 61501;
constexpr UINT kIdsApply = 61502;
constexpr UINT kIdsHelp = 61503;

struct SheetButton {
    int id;
    UINT textId;
};

std::vector<SheetButton> ButtonsFor(DWORD sheetFlags) {
    std::vector<SheetButton> buttons{{IDOK, kIdsOk}, {IDCANCEL, kIdsCancel}};
    if (!(sheetFlags & PSH_NOAPPLYNOW))
        buttons.push_back({ID_APPLY_NOW, kIdsApply});
    if (sheetFlags & PSH_HASHELP)
        buttons.push_back({IDHELP, kIdsHelp});
    return buttons;
}

int RowWidth(const std::vector<SheetButton>& buttons) {
    return static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
}

DialogControl ButtonControl(const SheetButton& button, int left, int top) {
    DialogControl control;
    control.className = "Button";
    control.id = button.id;
    control.rect = CRect(left, top, left + kButtonWidth, top + kButtonHeight);
    control.text = AppServices().LoadString(button.textId);
    control.style = {"WS_CHILD", "WS_VISIBLE", "WS_TABSTOP"};
    control.style.push_back(button.id == IDOK ? "BS_DEFPUSHBUTTON" : "BS_PUSHBUTTON");
    if (button.id == ID_APPLY_NOW)
        control.style.push_back("WS_DISABLED"); // until a page is modified
    return control;
}

// A page lies inside the sheet as a child without frame; the sheet's dialog keys reach its controls.
DialogTemplate AsChildTemplate(DialogTemplate pageTemplate) {
    pageTemplate.style = {"WS_CHILD", "DS_CONTROL"};
    pageTemplate.exStyle = {"WS_EX_CONTROLPARENT"};
    return pageTemplate;
}

} // namespace

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(AppServices().LoadString(captionId).GetString(), parent, selectPage) {}

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_caption(caption), m_pParentWnd(parent) {
    m_psh.nStartPage = selectPage;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
    m_pages.push_back(PageSlot{page, {}, false});
    if (page->m_psp.dwFlags & PSP_HASHELP)
        m_psh.dwFlags |= PSH_HASHELP;
}

bool CPropertySheet::LoadPageTemplates() {
    m_pageSize = CSize(0, 0);
    for (PageSlot& slot : m_pages) {
        if (!LoadDialogTemplate(AfxGetResourceHandle(), slot.page->TemplateId(), slot.pageTemplate)) {
            std::fprintf(stderr, "property page %u: no template\n", slot.page->TemplateId());
            return false;
        }
        m_pageSize.cx = std::max(m_pageSize.cx, slot.pageTemplate.size.cx);
        m_pageSize.cy = std::max(m_pageSize.cy, slot.pageTemplate.size.cy);
    }
    // The tabs are at least as wide as the row of buttons under them.
    m_pageSize.cx =
        std::max<LONG>(m_pageSize.cx, RowWidth(ButtonsFor(m_psh.dwFlags)) - 2 * CSheetTabStrip::kFrame);
    return true;
}

CRect CPropertySheet::PageArea() const {
    constexpr int left = kMargin + CSheetTabStrip::kFrame;
    constexpr int top = kMargin + CSheetTabStrip::kTabHeight + CSheetTabStrip::kFrame;
    return CRect(left, top, left + m_pageSize.cx, top + m_pageSize.cy);
}

// The buttons stand right-aligned under the tabs: OK, Cancel, then Apply and Help when the sheet has
// them.
DialogTemplate CPropertySheet::SheetTemplate() const {
    const std::vector<SheetButton> buttons = ButtonsFor(m_psh.dwFlags);
    const CRect page = PageArea();
    const int width = page.right + CSheetTabStrip::kFrame + kMargin;
    const int buttonsTop = page.bottom + CSheetTabStrip::kFrame + kMargin;
    DialogTemplate sheet;
    sheet.caption = m_caption;
    sheet.style = {"WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "DS_MODALFRAME"};
    // The pages' font, so that the tabs and buttons match them.
    sheet.fontFace = m_pages.front().pageTemplate.fontFace;
    sheet.fontPoints = m_pages.front().pageTemplate.fontPoints;
    int left = width - kMargin - RowWidth(buttons);
    for (const SheetButton& button : buttons) {
        sheet.controls.push_back(ButtonControl(button, left, buttonsTop));
        left += kButtonWidth + kButtonGap;
    }
    sheet.size = CSize(width, buttonsTop + kButtonHeight + kMargin);
    return sheet;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty() || !LoadPageTemplates())
        return -1;
    const INT_PTR result = RunModalFromTemplate(SheetTemplate(), m_pParentWnd, this);
    m_tabs.reset();
    m_active = -1;
    for (PageSlot& slot : m_pages)
        slot.modified = false;
    return result;
}

void CPropertySheet::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CPropertySheet::OnInitDialog() {
    const CRect page = PageArea();
    const CRect tabsArea(page.left - CSheetTabStrip::kFrame,
                         page.top - CSheetTabStrip::kTabHeight - CSheetTabStrip::kFrame,
                         page.right + CSheetTabStrip::kFrame, page.bottom + CSheetTabStrip::kFrame);
    m_tabs = std::make_unique<CSheetTabStrip>();
    if (!m_tabs->Create(this, tabsArea, kTabStripId))
        return FALSE;
    std::vector<CString> titles;
    for (const PageSlot& slot : m_pages)
        titles.push_back(slot.page->TabTitle(slot.pageTemplate.caption));
    m_tabs->SetTitles(std::move(titles));
    m_tabs->m_onPick = [this](int index) { SetActivePage(index); };
    const int start = m_psh.nStartPage < m_pages.size() ? static_cast<int>(m_psh.nStartPage) : 0;
    if (!Activate(start) && start != 0)
        Activate(0);
    PostMessage(kFocusPageMessage);
    return FALSE;
}

bool CPropertySheet::MakePageWindow(PageSlot& slot) {
    const HWND page = CreateDialogWindow(AsChildTemplate(slot.pageTemplate), m_hWnd, slot.page, false);
    if (!page)
        return false;
    const CRect area = PageArea();
    // Over the tabs' panel, which lies below it.
    slot.page->SetWindowPos(&wndTop, area.left, area.top, area.Width(), area.Height(), SWP_NOACTIVATE);
    return true;
}

bool CPropertySheet::Activate(int index) {
    if (index < 0 || index >= GetPageCount())
        return false;
    if (index == m_active)
        return true;
    if (CPropertyPage* previous = GetActivePage(); previous && !previous->OnKillActive())
        return false;
    PageSlot& slot = m_pages[static_cast<size_t>(index)];
    if (!slot.page->m_hWnd && !MakePageWindow(slot))
        return false;
    // The page may have ended the sheet, or destroyed itself, while it initialised.
    if (!IsWindow(slot.page->m_hWnd) || !slot.page->OnSetActive())
        return false;
    Show(index);
    return true;
}

void CPropertySheet::Show(int index) {
    CPropertyPage* previous = GetActivePage();
    CPropertyPage* page = m_pages[static_cast<size_t>(index)].page;
    const bool focusWasOnPrevious = previous && previous->IsChild(GetFocus());
    m_active = index;
    page->ShowWindow(SW_SHOWNA);
    if (previous)
        previous->ShowWindow(SW_HIDE);
    if (m_tabs)
        m_tabs->SetCurrent(index);
    if (CWnd* help = GetDlgItem(IDHELP))
        help->EnableWindow((page->m_psp.dwFlags & PSP_HASHELP) != 0);
    // The focus leaves a hidden page for the first stop of the new one, else for the sheet's buttons.
    if (focusWasOnPrevious) {
        if (const HWND first = GetNextDlgTabItem(m_hWnd, nullptr, FALSE))
            ::SetFocus(first);
    }
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    return Activate(index) ? TRUE : FALSE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) {
    return SetActivePage(GetPageIndex(page));
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return m_active >= 0 ? m_pages[static_cast<size_t>(m_active)].page : nullptr;
}

int CPropertySheet::GetActiveIndex() const {
    return m_hWnd ? m_active : static_cast<int>(m_psh.nStartPage);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)].page : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
    const auto found = std::find_if(m_pages.begin(), m_pages.end(),
                                    [page](const PageSlot& slot) { return slot.page == page; });
    return found != m_pages.end() ? static_cast<int>(found - m_pages.begin()) : -1;
}

void CPropertySheet::StepPage(int step) {
    const int count = GetPageCount();
    if (count > 1 && m_active >= 0)
        Activate((m_active + step + count) % count);
}

bool CPropertySheet::ApplyPages() {
    if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive())
        return false;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[static_cast<size_t>(i)].page;
        if (!page->m_hWnd)
            continue;
        if (!page->OnApply()) {
            // The refusing page shows; the active one has let go already.
            if (i != m_active && page->OnSetActive())
                Show(i);
            return false;
        }
    }
    for (PageSlot& slot : m_pages)
        slot.modified = false;
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
        apply->EnableWindow(FALSE);
    return true;
}

void CPropertySheet::PressOk() {
    if (ApplyPages())
        EndDialog(IDOK);
}

void CPropertySheet::PressApply() {
    ApplyPages();
}

void CPropertySheet::PressCancel() {
    if (CPropertyPage* active = GetActivePage(); active && !active->OnQueryCancel())
        return;
    for (const PageSlot& slot : m_pages) {
        if (slot.page->m_hWnd)
            slot.page->OnCancel();
    }
    EndDialog(IDCANCEL);
}

void CPropertySheet::NoteModified(HWND pageWindow, bool modified) {
    bool any = false;
    for (PageSlot& slot : m_pages) {
        if (slot.page->m_hWnd == pageWindow)
            slot.modified = modified;
        any = any || slot.modified;
    }
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
        apply->EnableWindow(any);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* message) {
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return CWnd::PreTranslateMessage(message);
    if (message->hwnd != m_hWnd && !IsChild(FromHandle(message->hwnd)))
        return FALSE;
    if (message->message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
        const bool back = GetKeyState(VK_SHIFT) < 0;
        switch (message->wParam) {
        case VK_TAB:
            StepPage(back ? -1 : 1);
            return TRUE;
        case VK_NEXT:
            StepPage(1);
            return TRUE;
        case VK_PRIOR:
            StepPage(-1);
            return TRUE;
        default:
            break;
        }
    }
    return IsDialogMessage(m_hWnd, message);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(static_cast<DWORD>(wParam)) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(static_cast<DWORD>(wParam))) {
    case IDOK:
        PressOk();
        return TRUE;
    case IDCANCEL:
        PressCancel();
        return TRUE;
    case ID_APPLY_NOW:
        PressApply();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_INITDIALOG:
        *result = OnInitDialog();
        return TRUE;
    case PSM_CHANGED:
    case PSM_UNCHANGED:
        NoteModified(reinterpret_cast<HWND>(wParam), message == PSM_CHANGED);
        *result = 0;
        return TRUE;
    case kFocusPageMessage:
        // Qt gives the focus to the sheet's first button when it shows; the page's first control takes
        // it unless the page chose another one of its own.
        if (CPropertyPage* page = GetActivePage(); page && !page->IsChild(GetFocus())) {
            if (const HWND first = GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE))
                ::SetFocus(first);
        }
        *result = 0;
        return TRUE;
    default:
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
}
