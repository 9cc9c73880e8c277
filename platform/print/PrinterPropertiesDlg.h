#pragma once
// The settings of one printer in place of its driver's sheet: paper, orientation and resolution as the
// printer offers them. DocumentProperties shows it for DM_IN_PROMPT.

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
