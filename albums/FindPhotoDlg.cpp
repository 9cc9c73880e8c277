#include "albums/FindPhotoDlg.h"

#include "albums/AlbumDlgServices.h"
#include "albums/PhotoWnd.h"
#include "library/DSObjMgr.h"
#include "library/Photo.h"
#include "platform/base/AppServices.h"
#include "platform/ui/CommandMap.h"

namespace {

constexpr UINT kTemplateId = 157;
constexpr int kTextId = 1001;
constexpr int kForwardId = 1019;
constexpr int kBackwardId = 1020;
constexpr int kPathFieldId = 1024;
constexpr int kFindNextId = 1027;
constexpr int kTitleFieldId = 1108;
constexpr int kDescriptionFieldId = 1109;
constexpr int kMatchCaseId = 1110;
constexpr int kTextMaxChars = 50;
constexpr UINT kNothingFoundMessage = 308;
constexpr UINT kNoFurtherMatchMessage = 309;
constexpr int kTilesPerPage = 12;

} // namespace

CFindPhotoDlg::CFindPhotoDlg(CWnd* parent)
    : CDialog(kTemplateId, parent), m_pAlbumDlg(dynamic_cast<IAlbumDlgServices*>(parent)) {}

void CFindPhotoDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kTextId, m_strText);
    DDV_MaxChars(exchange, m_strText, kTextMaxChars);
}

BOOL CFindPhotoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_pAlbumDlg || m_pAlbumDlg->GetPhotoWndCount() == 0) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    m_bFound = false;
    m_nPosition = 0;
    m_bFresh = true;
    CheckRadioButton(kForwardId, kBackwardId, kForwardId);
    CheckDlgButton(kTitleFieldId, BST_CHECKED);
    CheckDlgButton(kMatchCaseId, BST_CHECKED);
    GotoDlgCtrl(GetDlgItem(kTextId));
    return FALSE;
}

BOOL CFindPhotoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CFindPhotoDlg> kCommands[] = {
        {kFindNextId, BN_CLICKED, &CFindPhotoDlg::OnFindNext},
        {kTextId, EN_CHANGE, &CFindPhotoDlg::OnTextChanged},
        {kPathFieldId, kPathFieldId, BN_CLICKED, &CFindPhotoDlg::OnFieldClicked},
        {kTitleFieldId, kDescriptionFieldId, BN_CLICKED, &CFindPhotoDlg::OnFieldClicked}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

void CFindPhotoDlg::OnTextChanged() {
    m_bFound = false;
}

void CFindPhotoDlg::OnFieldClicked(UINT id) {
    int othersChecked = 0;
    for (const int field : {kPathFieldId, kTitleFieldId, kDescriptionFieldId})
        if (field != static_cast<int>(id) && IsDlgButtonChecked(field) == BST_CHECKED)
            ++othersChecked;
    if (othersChecked == 0)
        CheckDlgButton(static_cast<int>(id), BST_CHECKED);
}

bool CFindPhotoDlg::Matches(CPhotoWnd* tile) const {
    const CDSObj* photo = tile->GetPhoto();
    if (!photo)
        return false;
    const bool matchCase = IsDlgButtonChecked(kMatchCaseId) == BST_CHECKED;
    CString pattern = m_strText;
    if (!matchCase)
        pattern.MakeUpper();
    const auto holds = [&](int fieldId, CString field) {
        if (IsDlgButtonChecked(fieldId) != BST_CHECKED)
            return false;
        if (!matchCase)
            field.MakeUpper();
        return field.Find(pattern) != -1;
    };
    const auto* withDescription = dynamic_cast<const CPhoto*>(photo);
    return holds(kPathFieldId, GetDSObjMgr() ? GetDSObjMgr()->GetObjectPath(photo) : CString()) ||
           holds(kTitleFieldId, photo->GetTitle()) ||
           holds(kDescriptionFieldId, withDescription ? withDescription->GetDescription() : CString());
}

void CFindPhotoDlg::OnFindNext() {
    UpdateData(TRUE);
    const int step = IsDlgButtonChecked(kForwardId) == BST_CHECKED ? 1 : -1;
    const int count = m_pAlbumDlg ? m_pAlbumDlg->GetPhotoWndCount() : 0;
    if (count == 0)
        return;
    const int start = m_bFresh ? m_nPosition : m_nPosition + step;
    for (int index = start; index >= 0 && index < count; index += step) {
        if (Matches(m_pAlbumDlg->GetPhotoWnd(index))) {
            ShowMatch(index);
            return;
        }
    }
    ReportNoMatch();
    m_bFresh = false;
}

void CFindPhotoDlg::ShowMatch(int index) {
    m_nPosition = index;
    m_bFound = true;
    m_pAlbumDlg->SetFirstVisibleIndex(index / kTilesPerPage * kTilesPerPage);
    m_pAlbumDlg->SelectPhoto(m_pAlbumDlg->GetPhotoWnd(index), 0);
    m_pAlbumDlg->LayoutPhotoWnds();
    m_pAlbumDlg->UpdatePageButtons();
    m_bFresh = false;
}

void CFindPhotoDlg::ReportNoMatch() const {
    AppServices().MessageBox(m_bFound ? kNoFurtherMatchMessage : kNothingFoundMessage);
}
