// The page's initialisation in its fixed order: sheet buttons, document, frame, kinds, new document.

#include "resmanager/ResTypeManagerPropertyPage.h"

#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/CreateContext.h"
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
    CWnd* placeholder = GetDlgItem(kPlaceholderId);
    if (!placeholder)
        return Fail();
    CRect area;
    placeholder->GetWindowRect(&area);
    ScreenToClient(&area);

    CObject* made = RUNTIME_CLASS(CResManagerDocument)->CreateObject();
    auto* document = dynamic_cast<CResManagerDocument*>(made);
    if (!document) {
        delete made;
        return Fail();
    }
    made = RUNTIME_CLASS(CResManagerWnd)->CreateObject();
    auto* frame = dynamic_cast<CResManagerWnd*>(made);
    if (!frame) {
        delete made;
        delete document;
        return Fail();
    }
    m_pFrame = frame;
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pCurrentFrame = frame;
    LPCTSTR frameClass =
        AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, nullptr,
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    if (!frame->Create(frameClass, nullptr, WS_CHILD | WS_VISIBLE, area, this, nullptr, WS_EX_CONTROLPARENT,
                       &context)) {
        // A frame whose window came and went has deleted itself, and its views the document.
        m_pFrame = nullptr;
        return Fail();
    }
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
