#include "output/SendMailPropertySheet.h"

namespace {
constexpr UINT kCaptionId = 367;
} // namespace

IMPLEMENT_DYNAMIC(CSendMailPropertySheet, CPropertySheet)

CSendMailPropertySheet::CSendMailPropertySheet(CTemplate* page, CWnd* parent)
    : CPropertySheet(kCaptionId, parent) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_sendPage.m_psp.dwFlags &= ~PSP_HASHELP;
    m_sendPage.SetTemplate(page);
    AddPage(&m_sendPage);
    m_previewPage.m_psp.dwFlags &= ~PSP_HASHELP;
    m_previewPage.SetTemplate(page);
    AddPage(&m_previewPage);
}
