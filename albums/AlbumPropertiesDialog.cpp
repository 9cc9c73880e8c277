#include "albums/AlbumPropertiesDialog.h"

#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/ui/FrameWnd.h"

namespace {

constexpr int kDescriptionId = 1266;
constexpr int kPathId = 1235;
constexpr int kTitleId = 1236;
constexpr int kProducerId = 1234;
constexpr UINT kTitleRefusedText = 62058;

CResType* KindOf(const CDSAlbum* album) {
    return GetDSObjMgr() ? GetDSObjMgr()->GetResTypeOfAlbum(album) : nullptr;
}

} // namespace

CAlbumPropertiesDialog::CAlbumPropertiesDialog(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CAlbumPropertiesDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kDescriptionId, m_strDescription);
    DDX_Text(exchange, kPathId, m_strPath);
    DDX_Text(exchange, kTitleId, m_strTitle);
    DDX_Text(exchange, kProducerId, m_strProducer);
}

BOOL CAlbumPropertiesDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_initialSize = client.Size();
    return TRUE;
}

void CAlbumPropertiesDialog::ApplyChanges(CDSAlbum* album, const bool* discard) {
    if (m_pAlbum && !(discard && *discard) && LoadFields()) {
        const bool notify = true;
        StoreFields(&notify);
    }
    m_strDescription.Empty();
    m_strPath.Empty();
    m_strTitle.Empty();
    m_strProducer.Empty();
    m_pAlbum = album;
    if (m_pAlbum) {
        const CResType* kind = KindOf(m_pAlbum);
        const bool secondary = kind && kind->IsSecondaryAlbum(m_pAlbum);
        EnableEdits(!secondary);
        if (!secondary) {
            m_strProducer = m_pAlbum->GetProducer();
            m_strTitle = m_pAlbum->GetTitle();
            m_strDescription = m_pAlbum->GetDescription();
            m_strPath = m_pAlbum->GetPath();
        }
    }
    UpdateData(FALSE);
}

bool CAlbumPropertiesDialog::LoadFields() {
    if (!m_pAlbum)
        return false;
    const CResType* kind = KindOf(m_pAlbum);
    if (!kind || kind->IsSecondaryAlbum(m_pAlbum))
        return false;
    UpdateData(TRUE);
    return m_strProducer.CompareNoCase(m_pAlbum->GetProducer()) != 0 ||
           m_strTitle.CompareNoCase(m_pAlbum->GetTitle()) != 0 ||
           m_strDescription.CompareNoCase(m_pAlbum->GetDescription()) != 0;
}

bool CAlbumPropertiesDialog::StoreFields(const bool* notify) {
    if (!m_pAlbum)
        return false;
    UpdateData(TRUE);
    const CResType* kind = KindOf(m_pAlbum);
    const bool titleChanged = m_strTitle.CompareNoCase(m_pAlbum->GetTitle()) != 0;
    if (!kind || (titleChanged && !kind->IsValidAlbumName(m_strTitle))) {
        ShowTitleRefused();
        return false;
    }
    m_pAlbum->SetProducer(m_strProducer);
    m_pAlbum->SetTitle(m_strTitle);
    m_pAlbum->SetDescription(m_strDescription);
    m_pAlbum->ExchangeProperty(FALSE);
    const bool saved = m_pAlbum->SaveIndex();
    if (saved && notify && *notify) {
        if (CFrameWnd* frame = GetParentFrame()) {
            const auto album = reinterpret_cast<LPARAM>(m_pAlbum);
            frame->SendMessage(WM_RM_ALBUMRENAMED, 0, album);
            frame->SendMessage(WM_RM_TREEUPDATEALBUM, 0, album);
        }
    }
    return saved;
}

void CAlbumPropertiesDialog::OnDestroy() {
    const bool discard = false;
    ApplyChanges(nullptr, &discard);
    CDialog::OnDestroy();
}

void CAlbumPropertiesDialog::EnableEdits(bool enable) {
    for (const int id : {kProducerId, kTitleId, kPathId, kDescriptionId})
        if (CWnd* edit = GetDlgItem(id))
            edit->EnableWindow(enable);
}

void CAlbumPropertiesDialog::ShowTitleRefused() const {
    CString text;
    text.Format(AppServices().LoadString(kTitleRefusedText), m_strTitle.GetString());
    AppServices().MessageBoxText(text);
}
