#pragma once
// The scanner panel: colour mode, the resolutions the device allows (150 dpi first), and the document
// source where the device has a choice.

#include "platform/scan/ScanSettings.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

#include <vector>

class CScannerPanel : public CDialog {
public:
    CScannerPanel(std::vector<int> resolutions, std::vector<CString> documentSources, ScanSettings& settings,
                  CWnd* parent);

    static constexpr UINT kModeId = 7101;
    static constexpr UINT kResolutionId = 7102;
    static constexpr UINT kSourceId = 7103;
    static constexpr UINT kSourceLabelId = 7104;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* exchange) override;

private:
    std::vector<int> m_resolutions;
    std::vector<CString> m_documentSources;
    ScanSettings& m_settings;
    CComboBox m_mode;
    CComboBox m_resolution;
    CComboBox m_source;
};
