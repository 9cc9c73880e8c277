// The sheet with its one page titled by string 62051.

#include "resmanager/ResManagerPropertySheet.h"

#include "platform/base/AppServices.h"

namespace {

constexpr UINT kPageTitleId = 62051;

} // namespace

CResManagerPropertySheet::CResManagerPropertySheet(CWnd* parent)
    : CPropertySheet("", parent, 0), m_strTitle(AppServices().LoadString(kPageTitleId)) {
    AddPage(&m_page);
    m_page.m_psp.dwFlags &= ~PSP_HASHELP;
    m_page.m_psp.dwFlags |= PSP_USETITLE;
    m_page.m_psp.pszTitle = m_strTitle.GetString();
}

INT_PTR CResManagerSheetRunner::RunResourceManager() {
    CResManagerPropertySheet sheet(nullptr);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    return sheet.DoModal();
}
