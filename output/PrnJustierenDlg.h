#pragma once
// CPrnJustierenDlg (template 415): one printer's calibration. The user prints a page with a corner mark
// at a position (nominally 50 mm by 50 mm from the sheet's corner), measures where it landed and enters
// that; OK stores it in the printer's profile section ("PrintOffsetX"/"PrintOffsetY", hundredths of a
// millimetre, 0 = not calibrated) and hands it to the main window.

#include "platform/base/String.h"
#include "platform/gdi/Dc.h"
#include "platform/print/Spooler.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"

class CPrnJustierenDlg : public CDialog {
public:
    explicit CPrnJustierenDlg(CWnd* parent);

    // Reads both edits into the offsets; FALSE (message 403) when one does not begin with a digit, is
    // not a finite number or lies beyond the printer's sheet.
    BOOL ValidateOffsets();

    float m_fOffsetX = 0.0f; // the mark's position, millimetres from the sheet's corner
    float m_fOffsetY = 0.0f;
    PRINTER_INFO_2* m_pPrinter = nullptr; // set by the opener before DoModal; not owned

    static constexpr UINT kTemplateId = 415;
    static constexpr int kPrinterNameId = 1000;
    static constexpr int kOffsetYId = 1114;
    static constexpr int kOffsetXId = 1115;
    static constexpr int kTestPageId = 1116;
    static constexpr int kNominalXId = 1117;
    static constexpr int kNominalYId = 1118;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnPrintTestPage();
    // Whether the printer's device mode names a paper.
    BOOL NamesPaper() const;
    // The largest mark position that still lies on the sheet, millimetres.
    double SheetWidth() const;
    double SheetHeight() const;

    HDC m_hPrinterDC = nullptr;
    CEdit m_offsetXEdit;
    CEdit m_offsetYEdit;
    CString m_strNominalX;
    CString m_strNominalY;
    float m_fNominalX = 50.0f;
    float m_fNominalY = 50.0f;
};
