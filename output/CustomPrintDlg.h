#pragma once
// CCustomPrintDlg (template 374): the print command's dialog. It lists the installed printers (hidden
// ones left out) with their device modes, the papers of the chosen printer that fit the page, a scale
// from -9 to 9 percent and the copies; it opens the printer's properties, the page mappings, the
// calibration and the template information, and its OK prints on the chosen printer.

#include "platform/base/String.h"
#include "platform/print/Spooler.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/SpinButtonCtrl.h"

#include <memory>
#include <vector>

class CTemplate;

class CCustomPrintDlg : public CDialog {
public:
    explicit CCustomPrintDlg(CWnd* parent);

    // Fills the printer list; defaultName receives the printer to select. FALSE (message 173) when no
    // printer is installed.
    BOOL FillPrinterList(CString& defaultName);
    // Fills the paper list for the selected printer: the fitting papers, or the placeholder entry when
    // none fits. FALSE without a printer, device mode or page, or when a paper query fails.
    BOOL FillPaperList();
    // Prints the page on the selected printer.
    void PrintSelected();

    static constexpr UINT kTemplateId = 374;
    static constexpr int kScaleId = 1002;
    static constexpr int kPropertiesId = 3;
    static constexpr int kPageMappingsId = 1009;
    static constexpr int kPaperLabelId = 1022;
    static constexpr int kTemplateNameId = 1057;
    static constexpr int kPageSizeId = 1079;
    static constexpr int kPrinterListId = 1095;
    static constexpr int kCopiesId = 1096;
    static constexpr int kSpinId = 1097;
    static constexpr int kPaperListId = 1098;
    static constexpr int kCalibrateId = 1113;
    static constexpr int kTemplateInfoId = 1114;
    static constexpr int kCheckId = 1119;

    // One entry of the paper list.
    struct PaperItem {
        char name[kPaperNameChars + 1]; // at most kPaperNameChars bytes, terminated
        WORD paper;                     // the paper number
        LONG width;                     // tenths of a millimetre
        LONG height;
    };

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnPrinterChanged();
    void OnPaperChanged();
    void OnProperties();
    void OnScaleChange();
    void OnScaleKillFocus();
    void OnPageMappings();
    void OnCalibrate();
    void OnTemplateInfo();

    // The page to print, null when none.
    static CTemplate* GetPage();
    PRINTER_INFO_2* Printers() { return reinterpret_cast<PRINTER_INFO_2*>(m_printers.data()); }
    // Gives the printer its own device mode when the enumeration brought none; FALSE when it has none.
    BOOL EnsureDevMode(PRINTER_INFO_2& printer);
    void FreePaperItems();
    // A paper query failed: its message with the printer's name.
    void ReportPaperQuery(UINT stringId);
    // Puts "0" back into the scale edit after message 243.
    void RefuseScale();

    CSpinButtonCtrl m_spin;
    CComboBox m_printerList;
    int m_nCopies = 1;
    int m_nCheck = 0;
    CComboBox m_paperList;
    CString m_strPageSize;
    CString m_strTemplateName;
    int m_nScale = 0;
    std::vector<BYTE> m_printers; // the enumeration: PRINTER_INFO_2 records and what they point to
    DWORD m_printerCount = 0;
    std::vector<std::unique_ptr<BYTE[]>> m_fetchedDevModes;
    PRINTER_INFO_2* m_pSelected = nullptr;
};
