// The page's initialisation in its fixed order: sheet buttons, document, frame, kinds, new document.

#include "resmanager/ResTypeManagerPropertyPage.h"

#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/ui/PlaceholderFrame.h"
#include "resmanager/ResManagerDocument.h"
#include "resmanager/ResManagerWnd.h"

IMPLEMENT_DYNCREATE(CResTypeManagerPropertyPage, CPropertyPage)

namespace {

constexpr UINT kPageTemplateId = 112;
constexpr UINT kPlaceholderId = 1355;
constexpr UINT kCloseTextId = 62052;

} // namespace

CResTypeManagerPropertyPage::CResTypeManagerPropertyPage() : CPropertyPage(kPageTemplateId) {}

BOOL CResTypeManagerPropertyPage::Fail() {
    EndDialog(IDCANCEL);
    return TRUE;
}

BOOL CResTypeManagerPropertyPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (CWnd* sheet = GetParent()) {
        if (CWnd* ok = sheet->GetDlgItem(IDOK))
            ok->ShowWindow(SW_HIDE);
        if (CWnd* cancel = sheet->GetDlgItem(IDCANCEL))
            cancel->SetWindowText(AppServices().LoadString(kCloseTextId));
    }
    const PlaceholderFrame made = CreateFrameOverPlaceholder(
        this, kPlaceholderId, RUNTIME_CLASS(CResManagerDocument), RUNTIME_CLASS(CResManagerWnd), nullptr);
    auto* document = static_cast<CResManagerDocument*>(made.document);
    auto* frame = static_cast<CResManagerWnd*>(made.frame);
    if (!frame)
        return Fail();
    m_pFrame = frame;
    CDSObjMgr* manager = GetDSObjMgr();
    if (manager) {
        auto& kinds = manager->GetResTypeList();
        for (POSITION pos = kinds.GetHeadPosition(); pos != nullptr;) {
            CResType* kind = kinds.GetNext(pos);
            if (kind->GetTypeId() != kResTypePrintTemplates)
                frame->AddResType(kind);
        }
    }
    if (!document->OnNewDocument())
        return Fail();
    frame->ActivateFrame(-1);
    return TRUE;
}

BOOL CResTypeManagerPropertyPage::OnQueryCancel() {
    if (m_pFrame && m_pFrame->GetSafeHwnd() && !m_pFrame->CanClose())
        return FALSE;
    return CPropertyPage::OnQueryCancel();
}
