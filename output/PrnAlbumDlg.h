#pragma once
// CPrnAlbumDlg: which pages of an album to print, and on which printer (template 164). It works on the
// album dialog's print set-up: the saved "Printer" section is laid over it, button 1033 opens it, and
// the dialog leaves a printer context behind for the album dialog to print with.

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"

class CDC;
class CPrintDialog;
struct DEVMODE;

class CPrnAlbumDlg : public CDialog {
public:
    // printDialog is the album dialog's print set-up; it must outlive this dialog.
    CPrnAlbumDlg(CWnd* parent, CPrintDialog* printDialog);

    CEdit m_lastPageEdit;
    CEdit m_firstPageEdit;
    UINT m_firstPage = 1; // 1 to 100
    UINT m_lastPage = 1;  // 1 to 100
    // The context to print the album with, null when none could be made; the opener deletes it.
    CDC* m_pPrinterDC = nullptr;
    int m_range = 0; // 1: pages m_firstPage to m_lastPage, 0: every page

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // Message 210 and IDCANCEL when the printer gives no device mode or no paper sizes.
    BOOL OnInitDialog() override;
    // Both numbers 1 to 100, and a range whose first page is not after its last (7120).
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void RestoreSavedPrinter(DEVMODE* devMode);
    // The print set-up's new context as the printer context (null when none can be made).
    void TakePrinterDC();
    void SetPageEditsReadOnly(BOOL readOnly);
    void OnPrinterSetUp();

    CPrintDialog* m_printDialog;
};
