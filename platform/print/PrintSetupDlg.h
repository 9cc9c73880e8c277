#pragma once
// The print set-up's window: the printers (hidden ones left out), the papers of the chosen one, portrait
// or landscape, and a button for the printer's own settings. CPrintDialog::DoModal shows it.

#include "platform/base/String.h"
#include "platform/print/DevMode.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

#include <vector>

class CPrintSetupDlg : public CDialog {
public:
    // Starts on the printer named device with devMode, which OK replaces by the choice.
    CPrintSetupDlg(const CString& device, DEVMODE& devMode, CWnd* parent = nullptr);

    // The printer chosen, with its driver and port as the spooler names them.
    const CString& GetDevice() const { return m_device; }
    const CString& GetDriver() const { return m_driver; }
    const CString& GetPort() const { return m_port; }

    static constexpr UINT kTemplateId = 7130;
    static constexpr int kPrinterId = 1136;
    static constexpr int kPaperId = 1137;
    static constexpr int kPortraitId = 1056;
    static constexpr int kLandscapeId = 1057;
    static constexpr int kPropertiesId = 1025;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    struct Printer {
        CString name, driver, port;
    };
    // The chosen printer's own settings, its papers listed.
    void ChoosePrinter(int index, const DEVMODE* settings);
    void ShowSettings();
    void TakeSettings();
    void EditProperties();

    std::vector<Printer> m_printers;
    int m_current = -1;
    DEVMODE m_settings{};
    CString m_device, m_driver, m_port;
    DEVMODE& m_devMode;
    CComboBox m_printerList;
    CComboBox m_paperList;
};
