#pragma once
// The settings of one printer in place of its driver's sheet: paper, orientation, resolution, colour and
// printing on both sides as the printer offers them. DocumentProperties shows it for DM_IN_PROMPT.

#include "platform/print/DevMode.h"
#include "platform/print/PrinterSystem.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CPrinterPropertiesDlg : public CDialog {
public:
    // Edits devMode, which OK changes and Cancel leaves alone.
    CPrinterPropertiesDlg(const PrinterCapabilities& capabilities, DEVMODE& devMode, CWnd* parent = nullptr);

    static constexpr UINT kTemplateId = 7131;
    static constexpr int kPaperId = 1137;
    static constexpr int kPortraitId = 1056;
    static constexpr int kLandscapeId = 1057;
    static constexpr int kResolutionId = 1138;
    static constexpr int kColorId = 1058;
    static constexpr int kMonochromeId = 1059;
    static constexpr int kSimplexId = 1060;
    static constexpr int kLongEdgeId = 1061;
    static constexpr int kShortEdgeId = 1062;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    const PrinterCapabilities& m_capabilities;
    DEVMODE& m_devMode;
    CComboBox m_papers;
    CComboBox m_resolutions;
};
