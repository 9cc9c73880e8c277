#include "platform/scan/ScannerPanel.h"

#include <algorithm>

namespace {

constexpr UINT kTemplateId = 7010;
constexpr int kPreferredResolution = 150;
constexpr const char* kModeNames[] = {"Farbe", "Graustufen", "Strichzeichnung"};

// The document sources devices commonly name, in German; others show as the device names them.
CString SourceLabel(const CString& source) {
    static const struct {
        const char* device;
        const char* label;
    } kLabels[] = {{"Flatbed", "Flachbett"},
                   {"Automatic Document Feeder", "Automatischer Einzug"},
                   {"ADF", "Automatischer Einzug"},
                   {"ADF Front", "Automatischer Einzug"},
                   {"ADF Duplex", "Automatischer Einzug, beidseitig"},
                   {"Transparency Adapter", "Durchlichtaufsatz"},
                   {"Transparency Unit", "Durchlichtaufsatz"}};
    for (const auto& entry : kLabels)
        if (source.CompareNoCase(entry.device) == 0)
            return entry.label;
    return source;
}

} // namespace

CScannerPanel::CScannerPanel(std::vector<int> resolutions, std::vector<CString> documentSources,
                             ScanSettings& settings, CWnd* parent)
    : CDialog(kTemplateId, parent), m_resolutions(std::move(resolutions)),
      m_documentSources(std::move(documentSources)), m_settings(settings) {
    // 150 dpi comes first where the device allows it; the others follow in ascending order.
    const auto preferred = std::find(m_resolutions.begin(), m_resolutions.end(), kPreferredResolution);
    if (preferred != m_resolutions.end())
        std::rotate(m_resolutions.begin(), preferred, preferred + 1);
}

void CScannerPanel::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kModeId, m_mode);
    DDX_Control(exchange, kResolutionId, m_resolution);
    DDX_Control(exchange, kSourceId, m_source);
}

BOOL CScannerPanel::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const char* name : kModeNames)
        m_mode.AddString(name);
    m_mode.SetCurSel(static_cast<int>(m_settings.mode));

    int chosen = 0;
    for (std::size_t i = 0; i < m_resolutions.size(); ++i) {
        CString text;
        text.Format("%d dpi", m_resolutions[i]);
        m_resolution.AddString(text);
        if (m_resolutions[i] == m_settings.resolution)
            chosen = static_cast<int>(i);
    }
    m_resolution.SetCurSel(m_resolutions.empty() ? -1 : chosen);

    // A device without a choice of document source shows no such field.
    const bool hasSources = m_documentSources.size() > 1;
    for (const CString& source : m_documentSources) {
        const int index = m_source.AddString(SourceLabel(source));
        if (source == m_settings.documentSource)
            m_source.SetCurSel(index);
    }
    if (hasSources && m_source.GetCurSel() < 0)
        m_source.SetCurSel(0);
    m_source.ShowWindow(hasSources ? SW_SHOW : SW_HIDE);
    if (CWnd* label = GetDlgItem(kSourceLabelId))
        label->ShowWindow(hasSources ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CScannerPanel::OnOK() {
    m_settings.mode = static_cast<ScanSettings::Mode>(std::max(0, m_mode.GetCurSel()));
    const int resolution = m_resolution.GetCurSel();
    if (resolution >= 0)
        m_settings.resolution = m_resolutions[static_cast<std::size_t>(resolution)];
    const int source = m_source.GetCurSel();
    m_settings.documentSource = m_documentSources.size() > 1 && source >= 0
                                    ? m_documentSources[static_cast<std::size_t>(source)]
                                    : CString();
    CDialog::OnOK();
}
