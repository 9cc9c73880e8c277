// The settings command and the print set-up that the settings dialog may replace.

#include "app/EinstellungenDlg.h"
#include "app/MainWnd.h"
#include "platform/print/PrintDialog.h"

void CMainWnd::OnEinstellungen() {
    KnobCommand(kZoneSettings);
    CEinstellungenDlg dialog(this);
    dialog.DoModal();
}

void CMainWnd::ReplacePrintDialog(std::unique_ptr<CPrintDialog> dialog) {
    ReleasePrintSetUpDialog();
    m_printDialog = std::move(dialog);
}
