#include "albums/SortAlbumDlg.h"

#include "platform/ui/CommandMap.h"

namespace {

constexpr UINT kTemplateId = 158;
constexpr int kFirstKeyId = 1019;
constexpr int kLastKeyId = 1023;
constexpr int kDirectionId = 1024;

} // namespace

CSortAlbumDlg::CSortAlbumDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

BOOL CSortAlbumDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckRadioButton(kFirstKeyId, kLastKeyId, kFirstKeyId);
    m_nDirection = 0;
    return TRUE;
}

BOOL CSortAlbumDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CSortAlbumDlg> kCommands[] = {
        {kFirstKeyId, kLastKeyId, BN_CLICKED, &CSortAlbumDlg::OnKeyChosen}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

void CSortAlbumDlg::OnKeyChosen(UINT id) {
    CheckRadioButton(kFirstKeyId, kLastKeyId, static_cast<int>(id));
}

void CSortAlbumDlg::OnOK() {
    m_nDirection = IsDlgButtonChecked(kDirectionId) == BST_CHECKED ? 1 : 0;
    m_nKey = GetCheckedRadioButton(kFirstKeyId, kLastKeyId);
    EndDialog(IDOK);
}
