#include "output/PrnAlbumDlg.h"

#include "output/SavedPrinter.h"
#include "platform/base/AppServices.h"
#include "platform/gdi/Dc.h"
#include "platform/print/PrintDialog.h"
#include "platform/print/Spooler.h"

namespace {

constexpr UINT kTemplateId = 164;
constexpr int kFirstPageId = 1001;
constexpr int kLastPageId = 1032;
constexpr int kEveryPageId = 1025;
constexpr int kPageRangeId = 1026;
constexpr int kPrinterSetUpId = 1033;
constexpr UINT kNoPrinterId = 210;
constexpr UINT kFirstAfterLastId = 7120;
constexpr UINT kMinPage = 1;
constexpr UINT kMaxPage = 100;

} // namespace

CPrnAlbumDlg::CPrnAlbumDlg(CWnd* parent, CPrintDialog* printDialog)
    : CDialog(kTemplateId, parent), m_printDialog(printDialog) {}

void CPrnAlbumDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kLastPageId, m_lastPageEdit);
    DDX_Control(exchange, kFirstPageId, m_firstPageEdit);
    DDX_Text(exchange, kFirstPageId, m_firstPage);
    DDV_MinMaxUInt(exchange, m_firstPage, kMinPage, kMaxPage);
    DDX_Text(exchange, kLastPageId, m_lastPage);
    DDV_MinMaxUInt(exchange, m_lastPage, kMinPage, kMaxPage);
}

BOOL CPrnAlbumDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckRadioButton(kEveryPageId, kPageRangeId, kEveryPageId);
    SetPageEditsReadOnly(TRUE);

    DEVMODE* devMode = m_printDialog ? m_printDialog->GetDevMode() : nullptr;
    if (!devMode) {
        AppServices().MessageBox(kNoPrinterId, MB_ICONINFORMATION);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    const int paperSizes = DeviceCapabilities(m_printDialog->GetDeviceName(), m_printDialog->GetPortName(),
                                              DC_PAPERSIZE, nullptr, devMode);
    if (paperSizes <= 0) {
        GlobalUnlock(m_printDialog->m_pd.hDevMode);
        AppServices().MessageBox(kNoPrinterId, MB_ICONINFORMATION);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (HasSavedPrinter())
        RestoreSavedPrinter(devMode);
    GlobalUnlock(m_printDialog->m_pd.hDevMode);
    TakePrinterDC();
    return TRUE;
}

// Names and settings that do not fit the print set-up's blocks stay as they were.
void CPrnAlbumDlg::RestoreSavedPrinter(DEVMODE* devMode) {
    PRINTDLG& setUp = m_printDialog->m_pd;
    if (UniqueGlobal names = ReadSavedDevNames()) {
        if (setUp.hDevNames)
            GlobalFree(setUp.hDevNames);
        setUp.hDevNames = names.release();
    }
    RestoreSavedSettings(devMode, GlobalSize(setUp.hDevMode));
}

void CPrnAlbumDlg::TakePrinterDC() {
    PRINTDLG& setUp = m_printDialog->m_pd;
    if (setUp.hDC) {
        DeleteDC(setUp.hDC);
        setUp.hDC = nullptr;
    }
    delete m_pPrinterDC;
    m_pPrinterDC = nullptr;
    HDC printer = m_printDialog->CreatePrinterDC();
    if (!printer)
        return;
    // The context is ours from now on, not the set-up's.
    setUp.hDC = nullptr;
    m_pPrinterDC = new CDC;
    m_pPrinterDC->Attach(printer);
}

void CPrnAlbumDlg::SetPageEditsReadOnly(BOOL readOnly) {
    m_firstPageEdit.SetReadOnly(readOnly);
    m_lastPageEdit.SetReadOnly(readOnly);
}

void CPrnAlbumDlg::OnPrinterSetUp() {
    m_printDialog->m_pd.Flags &= ~PD_RETURNDEFAULT;
    if (m_printDialog->DoModal() == IDOK)
        TakePrinterDC();
}

BOOL CPrnAlbumDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kEveryPageId:
            SetPageEditsReadOnly(TRUE);
            return TRUE;
        case kPageRangeId:
            SetPageEditsReadOnly(FALSE);
            return TRUE;
        case kPrinterSetUpId:
            OnPrinterSetUp();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPrnAlbumDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    const int range = GetCheckedRadioButton(kEveryPageId, kPageRangeId) == kPageRangeId ? 1 : 0;
    if (range && m_firstPage > m_lastPage) {
        AppServices().MessageBox(kFirstAfterLastId, MB_ICONINFORMATION);
        m_firstPageEdit.SetFocus();
        return;
    }
    m_range = range;
    EndDialog(IDOK);
}
