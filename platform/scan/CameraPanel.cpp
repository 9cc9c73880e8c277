#include "platform/scan/CameraPanel.h"

#include <algorithm>

namespace {

constexpr UINT kTemplateId = 7011;

CString NameOf(const CString& picture) {
    return picture.Mid(picture.ReverseFind('/') + 1);
}

} // namespace

CCameraPanel::CCameraPanel(std::vector<CString> pictures, ScanSettings& settings, CWnd* parent)
    : CDialog(kTemplateId, parent), m_pictures(std::move(pictures)), m_settings(settings) {}

void CCameraPanel::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kListId, m_list);
}

BOOL CCameraPanel::OnInitDialog() {
    CDialog::OnInitDialog();
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "Bild", LVCFMT_LEFT, client.Width() * 2 / 5);
    m_list.InsertColumn(1, "Ordner", LVCFMT_LEFT, client.Width() - client.Width() * 2 / 5);
    // The pictures chosen last time stay chosen; without such a choice every picture is.
    const auto chosen = [this](const CString& picture) {
        return m_settings.pictures.empty() ||
               std::find(m_settings.pictures.begin(), m_settings.pictures.end(), picture) !=
                   m_settings.pictures.end();
    };
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        const CString& picture = m_pictures[i];
        const int item = m_list.InsertItem(static_cast<int>(i), NameOf(picture));
        m_list.SetItemText(item, 1, picture.Left(std::max(1, picture.ReverseFind('/'))));
        if (chosen(picture))
            m_list.SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    }
    EnableTaking();
    return TRUE;
}

BOOL CCameraPanel::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == kListId && header->code == LVN_ITEMCHANGED)
        EnableTaking();
    return CDialog::OnNotify(wParam, lParam, result);
}

void CCameraPanel::EnableTaking() {
    if (CWnd* take = GetDlgItem(IDOK))
        take->EnableWindow(m_list.GetSelectedCount() > 0);
}

void CCameraPanel::OnOK() {
    std::vector<CString> chosen;
    for (int item = m_list.GetNextItem(-1, LVNI_SELECTED); item >= 0;
         item = m_list.GetNextItem(item, LVNI_SELECTED))
        chosen.push_back(m_pictures[static_cast<std::size_t>(item)]);
    if (chosen.empty())
        return;
    m_settings.pictures = std::move(chosen);
    CDialog::OnOK();
}
