// The facts come from the object manager's reading of the entry's file; an entry whose file cannot be
// read shows its name alone.

#include "resmanager/ObjectPropertiesDialog.h"

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/DSObjMgr.h"
#include "platform/base/AppServices.h"
#include "platform/ui/CommandMap.h"
#include "resmanager/FrameMessage.h"
#include "resmanager/ResManagerMessages.h"

namespace {

constexpr int kNameId = 1360;
constexpr int kPathId = 1234;
constexpr int kFileSizeId = 1365;
constexpr int kBitsPerPixelId = 1364;
constexpr int kHeightId = 1363;
constexpr int kWidthId = 1362;
constexpr int kCheckBoxId = 1371;
constexpr int kCheckFileId = 1367;
constexpr UINT kFileMatchesText = 46;
constexpr UINT kFileDiffersText = 45;

CString Number(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

CObjectPropertiesDialog::CObjectPropertiesDialog(CWnd* parent) : CDialog(kTemplateId, parent) {}

CObjectPropertiesDialog::~CObjectPropertiesDialog() = default;

void CObjectPropertiesDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kNameId, m_strName);
    DDX_Text(exchange, kPathId, m_strPath);
    DDX_Text(exchange, kFileSizeId, m_strFileSize);
    DDX_Text(exchange, kBitsPerPixelId, m_strBitsPerPixel);
    DDX_Text(exchange, kHeightId, m_strHeight);
    DDX_Text(exchange, kWidthId, m_strWidth);
    DDX_Check(exchange, kCheckBoxId, m_bCheck);
}

BOOL CObjectPropertiesDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_initialSize = client.Size();
    return TRUE;
}

void CObjectPropertiesDialog::SetObject(ObjectRef* record, const bool* drop) {
    if (m_pRecord) {
        if (!(drop && *drop) && IsModified()) {
            const bool notify = true;
            ApplyChanges(&notify);
        }
        m_pRecord.reset();
    }
    m_strName.Empty();
    m_strPath.Empty();
    m_strFileSize.Empty();
    m_strBitsPerPixel.Empty();
    m_strHeight.Empty();
    m_strWidth.Empty();
    m_bCheck = FALSE;

    m_pRecord.reset(record);
    CDSObjMgr* manager = GetDSObjMgr();
    if (CDSObj* entry = m_pRecord ? m_pRecord->entry : nullptr) {
        m_strName = entry->GetTitle();
        if (manager && manager->ReadImageInfo(entry, false)) {
            m_strPath = manager->GetObjectPath(entry);
            m_strFileSize = Number(entry->GetFileSize());
            m_strWidth = Number(entry->GetSize().cx);
            m_strHeight = Number(entry->GetSize().cy);
            m_strBitsPerPixel = Number(entry->GetBitsPerPixel());
        }
    }
    if (!m_hWnd)
        return;
    if (CWnd* checkBox = GetDlgItem(kCheckBoxId))
        checkBox->ShowWindow(SW_HIDE);
    UpdateData(FALSE);
}

bool CObjectPropertiesDialog::IsModified() {
    if (!m_pRecord || !m_pRecord->album || !m_pRecord->entry || !m_hWnd)
        return false;
    CString name;
    GetDlgItemText(kNameId, name);
    return name.CompareNoCase(m_pRecord->entry->GetTitle()) != 0;
}

bool CObjectPropertiesDialog::ApplyChanges(const bool* notify) {
    if (!m_pRecord || !m_pRecord->album || !m_pRecord->entry)
        return false;
    UpdateData(TRUE);
    CDSObj* entry = m_pRecord->entry;
    const CString oldName = entry->GetTitle();
    entry->SetTitle(m_strName);
    entry->ExchangeXml(FALSE);
    if (!m_pRecord->album->SaveObjectInfo(entry)) {
        // What the album did not store is not the entry's name.
        entry->SetTitle(oldName);
        entry->ExchangeXml(FALSE);
        return false;
    }
    if (notify && *notify)
        SendToParentFrame(GetParent(), WM_RM_OBJECTRENAMED, 0, reinterpret_cast<LPARAM>(entry));
    return true;
}

BOOL CObjectPropertiesDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CObjectPropertiesDialog> kCommands[] = {
        {kCheckFileId, BN_CLICKED, &CObjectPropertiesDialog::OnCheckFile}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

void CObjectPropertiesDialog::OnCheckFile() {
    CDSObjMgr* manager = GetDSObjMgr();
    if (!m_pRecord || !m_pRecord->entry || !manager)
        return;
    const bool matches = manager->VerifyObjectCrc(m_pRecord->entry);
    AppServices().MessageBox(matches ? kFileMatchesText : kFileDiffersText, MB_OK);
}

void CObjectPropertiesDialog::OnDestroy() {
    const bool drop = false;
    SetObject(nullptr, &drop);
    CDialog::OnDestroy();
}
