#include "output/PrnJustierenDlg.h"

#include "output/CalibrationPage.h"
#include "output/PrintMainWnd.h"
#include "output/PrintOffsets.h"
#include "output/PrinterSection.h"
#include "platform/base/AppServices.h"
#include "platform/base/LastError.h"
#include "platform/base/Profile.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr UINT kPrintFailed = 105;
constexpr UINT kBadOffset = 403;
constexpr float kNominal = 50.0f;
constexpr int kNotCalibrated = 5000; // the nominal 50 mm, in hundredths
constexpr int kMaxEditChars = 128;
// Without a printer context the sheet is as large as a device mode's paper can be.
constexpr double kLargestSheet = kMaxPaperSide / 10.0;
// ERROR_CANCELLED (the user gave up the choice of a file) and the network's end of the job: no message.
constexpr DWORD kNetworkGone = 63;

// The mark position in the text: it must begin with a digit; the first ',' is the decimal point.
bool ParseOffset(CString text, double sheet, float* value) {
    if (text.IsEmpty() || text[0] < '0' || text[0] > '9')
        return false;
    if (const int comma = text.Find(','); comma >= 0)
        text.SetAt(comma, '.');
    const double parsed = std::strtod(text.GetString(), nullptr);
    // Beyond the sheet the mark cannot be printed, and the stored hundredths would overflow.
    if (!std::isfinite(parsed) || parsed > sheet)
        return false;
    *value = static_cast<float>(parsed);
    return true;
}

// "%1.1f" with a decimal comma.
CString OffsetText(float value) {
    CString text;
    text.Format("%1.1f", static_cast<double>(value));
    text.Replace('.', ',');
    return text;
}

int Hundredths(float value) {
    return static_cast<int>(value * 100.0f + 0.5f);
}

} // namespace

CPrnJustierenDlg::CPrnJustierenDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CPrnJustierenDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kOffsetXId, m_offsetXEdit);
    DDX_Control(exchange, kOffsetYId, m_offsetYEdit);
    DDX_Text(exchange, kNominalXId, m_strNominalX);
    DDX_Text(exchange, kNominalYId, m_strNominalY);
    if (exchange->m_bSaveAndValidate && !ValidateOffsets())
        exchange->Fail();
}

BOOL CPrnJustierenDlg::OnInitDialog() {
    if (!m_pPrinter) {
        CDialog::OnInitDialog();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_hPrinterDC = CreateDC(m_pPrinter->pDriverName, m_pPrinter->pPrinterName, nullptr, m_pPrinter->pDevMode);
    if (!m_hPrinterDC)
        AppServices().MessageBox(kPrintFailed, MB_ICONSTOP);
    m_fNominalX = m_fNominalY = kNominal;
    m_strNominalX.Format("%d", static_cast<int>(kNominal));
    m_strNominalY = m_strNominalX;
    const CString section = PrinterSection(m_pPrinter->pPrinterName);
    m_fOffsetX = static_cast<float>(GetProfileInt(section, "PrintOffsetX", kNotCalibrated)) * 0.01f;
    m_fOffsetY = static_cast<float>(GetProfileInt(section, "PrintOffsetY", kNotCalibrated)) * 0.01f;
    if (m_fOffsetX == 0.0f && m_fOffsetY == 0.0f)
        m_fOffsetX = m_fOffsetY = kNominal;
    CDialog::OnInitDialog();
    SetDlgItemText(kPrinterNameId, m_pPrinter->pPrinterName);
    if (CWnd* testPage = GetDlgItem(kTestPageId))
        testPage->EnableWindow(NamesPaper());
    m_offsetXEdit.SetWindowText(OffsetText(m_fOffsetX));
    m_offsetYEdit.SetWindowText(OffsetText(m_fOffsetY));
    return TRUE;
}

BOOL CPrnJustierenDlg::NamesPaper() const {
    const DEVMODE* devMode = m_pPrinter->pDevMode;
    if (!devMode)
        return FALSE;
    if ((devMode->dmFields & DM_PAPERSIZE) && devMode->dmPaperSize != 0)
        return TRUE;
    return (devMode->dmFields & DM_PAPERLENGTH) && (devMode->dmFields & DM_PAPERWIDTH) &&
           devMode->dmPaperLength != 0 && devMode->dmPaperWidth != 0;
}

double CPrnJustierenDlg::SheetWidth() const {
    if (!m_hPrinterDC || GetDeviceCaps(m_hPrinterDC, LOGPIXELSX) <= 0)
        return kLargestSheet;
    return GetDeviceCaps(m_hPrinterDC, PHYSICALWIDTH) * 25.4 / GetDeviceCaps(m_hPrinterDC, LOGPIXELSX);
}

double CPrnJustierenDlg::SheetHeight() const {
    if (!m_hPrinterDC || GetDeviceCaps(m_hPrinterDC, LOGPIXELSY) <= 0)
        return kLargestSheet;
    return GetDeviceCaps(m_hPrinterDC, PHYSICALHEIGHT) * 25.4 / GetDeviceCaps(m_hPrinterDC, LOGPIXELSY);
}

BOOL CPrnJustierenDlg::ValidateOffsets() {
    CString textX, textY;
    m_offsetXEdit.GetWindowText(textX);
    m_offsetYEdit.GetWindowText(textY);
    float x = 0.0f, y = 0.0f;
    if (!ParseOffset(textX.Left(kMaxEditChars), SheetWidth(), &x) ||
        !ParseOffset(textY.Left(kMaxEditChars), SheetHeight(), &y)) {
        AppServices().MessageBox(kBadOffset, MB_ICONINFORMATION);
        return FALSE;
    }
    m_fOffsetX = x;
    m_fOffsetY = y;
    return TRUE;
}

void CPrnJustierenDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    const CString section = m_pPrinter ? PrinterSection(m_pPrinter->pPrinterName) : CString();
    if (m_fOffsetX != m_fNominalX || m_fOffsetY != m_fNominalY) {
        if (auto* offsets = dynamic_cast<IPrintOffsets*>(GetPrintMainWnd()))
            offsets->SetPrintOffsets(m_fOffsetX, m_fOffsetY);
        if (m_pPrinter) {
            WriteProfileInt(section, "PrintOffsetX", Hundredths(m_fOffsetX));
            WriteProfileInt(section, "PrintOffsetY", Hundredths(m_fOffsetY));
        }
    } else if (m_pPrinter) {
        WriteProfileInt(section, "PrintOffsetX", 0);
        WriteProfileInt(section, "PrintOffsetY", 0);
    }
    EndDialog(IDOK);
}

void CPrnJustierenDlg::OnPrintTestPage() {
    if (!ValidateOffsets() || !m_hPrinterDC)
        return;
    CDC* dc = CDC::FromHandle(m_hPrinterDC);
    DOCINFO info;
    info.cbSize = 20;
    info.lpszDocName = "Doc";
    info.lpszDatatype = "BMP";
    if (dc->StartDoc(&info) <= 0) {
        if (const DWORD error = GetLastError(); error != ERROR_CANCELLED && error != kNetworkGone)
            AppServices().MessageBox(kPrintFailed, MB_ICONINFORMATION);
        return;
    }
    dc->StartPage();
    DrawCalibrationPage(dc, m_fOffsetX, m_fOffsetY);
    if (dc->EndPage() < 0)
        AppServices().MessageBox(kPrintFailed);
    if (dc->EndDoc() < 0)
        AppServices().MessageBox(kPrintFailed, MB_ICONINFORMATION);
}

BOOL CPrnJustierenDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kTestPageId && HIWORD(wParam) == BN_CLICKED) {
        OnPrintTestPage();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPrnJustierenDlg::OnDestroy() {
    if (m_hPrinterDC) {
        DeleteDC(m_hPrinterDC);
        m_hPrinterDC = nullptr;
    }
    CDialog::OnDestroy();
}
