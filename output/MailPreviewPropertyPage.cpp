// The preview page: its scale field shared with the sheet, and the preview frame over its placeholder.

#include "output/MailPreviewPropertyPage.h"

#include "output/MailPreviewDocument.h"
#include "output/MailPreviewMessages.h"
#include "output/MailPreviewView.h"
#include "output/MailPreviewWndFrame.h"
#include "output/SendMailPropertySheet.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PlaceholderFrame.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>

namespace {

constexpr int kPlaceholderId = 1122;
constexpr int kScaleId = 1292;
constexpr int kSpinId = 1293;
constexpr int kPictureSizeId = 1493;
constexpr int kBackToMailId = 1450;
constexpr int kMinScale = 10;
constexpr int kMaxScale = 300;

const CommandEntry<CMailPreviewPropertyPage> kCommands[] = {
    {kScaleId, EN_CHANGE, &CMailPreviewPropertyPage::OnScaleChange},
    {kBackToMailId, BN_CLICKED, &CMailPreviewPropertyPage::OnBackToMail},
};

} // namespace

CMailPreviewPropertyPage::CMailPreviewPropertyPage() : CPropertyPage(kTemplateId) {}

CSendMailPropertySheet* CMailPreviewPropertyPage::MailSheet() const {
    return DYNAMIC_DOWNCAST(CSendMailPropertySheet, Sheet());
}

CMailPreviewDocument* CMailPreviewPropertyPage::GetPreviewDocument() const {
    CMailPreviewView* view = m_pFrame && m_pFrame->GetSafeHwnd() ? m_pFrame->GetPreviewView() : nullptr;
    return view ? view->GetPreviewDocument() : nullptr;
}

void CMailPreviewPropertyPage::DoDataExchange(CDataExchange* exchange) {
    CPropertyPage::DoDataExchange(exchange);
    DDX_Text(exchange, kScaleId, m_nScalePercent);
    DDX_Control(exchange, kSpinId, m_spin);
    DDX_Text(exchange, kPictureSizeId, m_strPictureSize);
}

void CMailPreviewPropertyPage::ClampScalePercent() {
    const int clamped = std::clamp(m_nScalePercent, kMinScale, kMaxScale);
    if (clamped == m_nScalePercent)
        return;
    m_nScalePercent = clamped;
    if (m_hWnd)
        SetDlgItemInt(kScaleId, static_cast<UINT>(clamped), TRUE);
}

void CMailPreviewPropertyPage::ShowPictureSize() {
    m_strPictureSize = PictureSizeText(*m_pTemplate, m_nScalePercent);
    UpdateData(FALSE);
}

void CMailPreviewPropertyPage::RenderAtScalePercent() {
    if (CMailPreviewDocument* document = GetPreviewDocument())
        document->SetScalePercent(m_nScalePercent);
}

void CMailPreviewPropertyPage::OnDestroy() {
    m_pFrame = nullptr;
    CPropertyPage::OnDestroy();
}

BOOL CMailPreviewPropertyPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_pTemplate) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (GetDlgItem(kScaleId) && GetDlgItem(kSpinId)) {
        m_spin.SetBuddy(GetDlgItem(kScaleId));
        m_spin.SetRange32(kMinScale, kMaxScale);
    }
    if (const CSendMailPropertySheet* sheet = MailSheet())
        m_nScalePercent = sheet->GetScalePercent();
    ClampScalePercent();
    UpdateData(FALSE);
    if (!CreatePreview()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    ShowPictureSize();
    return TRUE;
}

BOOL CMailPreviewPropertyPage::CreatePreview() {
    const PlaceholderFrame made =
        CreateFrameOverPlaceholder(this, kPlaceholderId, RUNTIME_CLASS(CMailPreviewDocument),
                                   RUNTIME_CLASS(CMailPreviewWndFrame), RUNTIME_CLASS(CMailPreviewView));
    auto* document = static_cast<CMailPreviewDocument*>(made.document);
    auto* frame = static_cast<CMailPreviewWndFrame*>(made.frame);
    if (!frame)
        return FALSE;
    m_pFrame = frame;
    if (!frame->GetPreviewView()) {
        // Without a view the frame stays empty and nothing is rendered.
        delete document;
        frame->ActivateFrame(-1);
        return TRUE;
    }
    if (!document->OnNewDocument())
        return FALSE;
    document->SetTemplate(m_pTemplate);
    document->SetScalePercent(m_nScalePercent);
    CComboBox& zoomBox = frame->GetToolBar().GetZoomBox();
    if (zoomBox.GetSafeHwnd()) {
        zoomBox.SetCurSel(0);
        frame->GetToolBar().SendMessage(WM_COMMAND,
                                        MAKEWPARAM(CMailPreviewToolBar::kZoomBoxId, CBN_SELCHANGE),
                                        reinterpret_cast<LPARAM>(zoomBox.GetSafeHwnd()));
    }
    document->SetCurrentPage(0);
    frame->ActivateFrame(-1);
    frame->SendMessage(WM_MAILPREVIEW_PAGES, 0, document->GetPageCount());
    return TRUE;
}

BOOL CMailPreviewPropertyPage::OnSetActive() {
    CWaitCursor wait;
    const CSendMailPropertySheet* sheet = MailSheet();
    if (m_pTemplate && sheet && sheet->GetScalePercent() != m_nScalePercent) {
        const int before = m_nScalePercent;
        m_nScalePercent = sheet->GetScalePercent();
        ClampScalePercent();
        UpdateData(FALSE);
        if (m_nScalePercent != before)
            RenderAtScalePercent();
        ShowPictureSize();
    }
    return CPropertyPage::OnSetActive();
}

BOOL CMailPreviewPropertyPage::OnKillActive() {
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    ClampScalePercent();
    if (CSendMailPropertySheet* sheet = MailSheet())
        sheet->SetScalePercent(m_nScalePercent);
    return TRUE;
}

BOOL CMailPreviewPropertyPage::OnApply() {
    CWaitCursor wait;
    if (!m_pTemplate)
        return FALSE;
    ClampScalePercent();
    RenderAtScalePercent();
    ShowPictureSize();
    return FALSE;
}

BOOL CMailPreviewPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kScaleId && HIWORD(wParam) == EN_KILLFOCUS) {
        OnScaleCommitted();
        return TRUE;
    }
    return DispatchCommand(*this, kCommands, wParam) || CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CMailPreviewPropertyPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == SPN_RELEASED) {
        const LRESULT answer = OnScaleCommitted();
        if (result)
            *result = answer;
        return TRUE;
    }
    return CPropertyPage::OnWndMsg(message, wParam, lParam, result);
}

void CMailPreviewPropertyPage::OnScaleChange() {
    // Only the size text follows the typing; the preview is rendered when the percent is committed.
    // Read without the data exchange's message, which would come at every key while the field is empty.
    BOOL number = FALSE;
    const int typed = static_cast<int>(GetDlgItemInt(kScaleId, &number, TRUE));
    if (!number || !m_pTemplate)
        return;
    m_strPictureSize = PictureSizeText(*m_pTemplate, typed);
    SetDlgItemText(kPictureSizeId, m_strPictureSize);
}

LRESULT CMailPreviewPropertyPage::OnScaleCommitted() {
    CWaitCursor wait;
    if (!m_pTemplate)
        return 1;
    const int before = m_nScalePercent;
    if (!UpdateData(TRUE))
        return 1;
    ClampScalePercent();
    if (m_nScalePercent != before) {
        RenderAtScalePercent();
        ShowPictureSize();
    }
    return 1;
}

void CMailPreviewPropertyPage::OnBackToMail() {
    if (CPropertySheet* sheet = Sheet())
        sheet->SetActivePage(0);
}
