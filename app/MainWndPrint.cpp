// The two print commands and the print job they end in: one page on one printer, with the progress
// dialog shown while the page is rendered and sent.

#include "app/MainWnd.h"
#include "output/CustomPrintDlg.h"
#include "output/PageMappings.h"
#include "output/PrintDlg.h"
#include "output/PrintMsgDlg.h"
#include "output/PrintPage.h"
#include "output/PrinterMappingList.h"
#include "output/PrinterSection.h"
#include "output/PrintersManager.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/LastError.h"
#include "platform/base/Profile.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"
#include "platform/sound/PlaySound.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kPrintZone = 9;
constexpr UINT kNoDefaultPrinterId = 28;
constexpr UINT kNoStoredDevModeId = 29;
constexpr UINT kNoPrinterDevModeId = 30;
constexpr UINT kNoPageId = 31;
constexpr UINT kNoFittingPaperId = 32;
constexpr UINT kPaperListFailedId = 43;
constexpr UINT kPaperCountFailedId = 44;
constexpr UINT kPrintFailedId = 105;
constexpr UINT kNoPaperMappingId = 31369;
constexpr DWORD kCustomSize = DM_PAPERLENGTH | DM_PAPERWIDTH;
// The offsets are stored in hundredths of a millimetre.
constexpr double kOffsetUnit = 100.0;

// The one progress dialog of the run; each job makes and destroys its window.
CPrintDlg& PrintProgress() {
    static CPrintDlg dialog;
    return dialog;
}

void ShowFormatted(UINT stringId, UINT style, const CString& argument) {
    CString text;
    text.Format(AppServices().LoadString(stringId), argument.GetString());
    AppServices().MessageBoxText(text, style);
}

// A device mode copied into a block of its own.
std::unique_ptr<BYTE[]> CopyDevMode(const DEVMODE* devMode) {
    const SIZE_T bytes = DevModeBytes(devMode);
    auto copy = std::make_unique<BYTE[]>(bytes);
    std::memcpy(copy.get(), devMode, bytes);
    return copy;
}

// The paper a device mode that names none prints on: the printer's paper that the page mapping names,
// made when needed (the mapping list may ask the user). FALSE after telling the user why there is none.
BOOL FindMappedPaper(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver, LPCTSTR port,
                     const CString& templateName, SHORT* paper) {
    const int count = DeviceCapabilities(device, port, DC_PAPERS, nullptr, devMode);
    if (count <= 0) {
        ShowFormatted(kPaperCountFailedId, MB_ICONINFORMATION, device);
        return FALSE;
    }
    std::vector<WORD> papers(static_cast<size_t>(count));
    if (DeviceCapabilities(device, port, DC_PAPERS, reinterpret_cast<LPSTR>(papers.data()), devMode) <= 0) {
        ShowFormatted(kPaperListFailedId, MB_ICONINFORMATION, device);
        return FALSE;
    }
    CPrinterMappingList* mappings = GetPageMappings();
    _tPRINTER_MAPPING* mapping =
        mappings ? mappings->BuildForPrinter(devMode, device, driver, port, templateName) : nullptr;
    if (!mapping || mapping->paperIndex >= papers.size()) {
        AppServices().MessageBox(kNoPaperMappingId);
        return FALSE;
    }
    *paper = static_cast<SHORT>(papers[mapping->paperIndex]);
    return TRUE;
}

// The fields the job changes in the caller's device mode.
struct PaperFields {
    DWORD fields;
    SHORT paperSize;
    SHORT orientation;
    SHORT paperLength;
    SHORT paperWidth;

    explicit PaperFields(const DEVMODE& devMode)
        : fields(devMode.dmFields), paperSize(devMode.dmPaperSize), orientation(devMode.dmOrientation),
          paperLength(devMode.dmPaperLength), paperWidth(devMode.dmPaperWidth) {}
    void WriteTo(DEVMODE* devMode) const {
        devMode->dmFields = fields;
        devMode->dmPaperSize = paperSize;
        devMode->dmOrientation = orientation;
        devMode->dmPaperLength = paperLength;
        devMode->dmPaperWidth = paperWidth;
    }
};

} // namespace

CTemplate* CMainWnd::GetPrintTemplate() {
    return AppServices().IsEditMode() ? m_template : m_normalTemplate;
}

CWnd* CMainWnd::GetPrintParent() {
    return this;
}

void CMainWnd::PrintWithDialog() {
    KnobCommand(kPrintZone);
    if (CPrintMsgDlg::IsWanted()) {
        CPrintMsgDlg note(this);
        note.DoModal();
    }
    CCustomPrintDlg dialog(this);
    dialog.DoModal();
}

void CMainWnd::PrintCurrentPage() {
    CPrintersManager* printers = CPrintersManager::GetInstance();
    const PRINTER_INFO_2* info = printers ? printers->GetPrinterInfo() : nullptr;
    if (!info) {
        AppServices().MessageBox(kNoDefaultPrinterId);
        return;
    }
    const CString printerName = info->pPrinterName;
    if (!printers->FindPrinter(printerName)) {
        ShowFormatted(kNoStoredDevModeId, MB_OK, printerName);
        return;
    }
    if (!info->pDevMode) {
        ShowFormatted(kNoPrinterDevModeId, MB_OK, printerName);
        return;
    }
    CTemplate* page = GetPrintTemplate();
    if (!page) {
        AppServices().MessageBox(kNoPageId);
        return;
    }
    const std::unique_ptr<BYTE[]> block = CopyDevMode(info->pDevMode);
    auto* devMode = reinterpret_cast<DEVMODE*>(block.get());
    devMode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
    devMode->dmOrientation = static_cast<SHORT>(page->GetOrientation());
    devMode->dmPaperSize = static_cast<SHORT>(MatchPaperSize(printerName, info->pPortName, devMode, *page));
    if (devMode->dmPaperSize == 0) {
        CString text;
        text.Format(AppServices().LoadString(kNoFittingPaperId), page->GetName().GetString(),
                    page->GetPageSize().cx / 10.0, page->GetPageSize().cy / 10.0, printerName.GetString());
        AppServices().MessageBoxText(text);
        return;
    }
    devMode->dmFields &= ~kCustomSize;
    const float scale = static_cast<float>(static_cast<int>(GetProfileInt("Settings", "ScaledFactor", 0)));
    RunPrintJob(devMode, printerName, info->pDriverName, info->pPortName, scale, TRUE, 1);
}

void CMainWnd::RunPrintJob(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver, LPCTSTR port, float scale,
                           BOOL showHint, int copies) {
    if (AppServices().IsSoundEnabled())
        sndPlaySound(AppServices().GetSoundPath() + "/camera.wav", SND_ASYNC);
    const BOOL editMode = AppServices().IsEditMode();
    CTemplate* page = GetPrintTemplate();
    if ((!editMode && !m_workBitmap) || !page)
        return;

    const CString section = PrinterSection(device);
    m_printOffsetX = static_cast<float>(GetProfileInt(section, "PrintOffsetX", 0) / kOffsetUnit);
    m_printOffsetY = static_cast<float>(GetProfileInt(section, "PrintOffsetY", 0) / kOffsetUnit);

    // A paper number, or a whole custom size, is printed as it is; anything else goes by the page mapping.
    const bool customSize =
        devMode->dmPaperSize == 0 && devMode->dmPaperLength != 0 && devMode->dmPaperWidth != 0;
    SHORT paper = devMode->dmPaperSize;
    if (paper == 0 && !customSize && !FindMappedPaper(devMode, device, driver, port, page->GetName(), &paper))
        return;
    const PaperFields before(*devMode);
    devMode->dmFields = customSize ? (before.fields | DM_ORIENTATION | kCustomSize) & ~DM_PAPERSIZE
                                   : (before.fields | DM_ORIENTATION | DM_PAPERSIZE) & ~kCustomSize;
    devMode->dmPaperSize = paper;
    devMode->dmOrientation = static_cast<SHORT>(page->GetOrientation());

    HDC printer = CreateDC(driver, device, nullptr, devMode);
    if (!printer) {
        AppServices().MessageBox(kPrintFailedId, MB_ICONHAND);
        before.WriteTo(devMode);
        return;
    }
    if (showHint && CPrintMsgDlg::IsWanted()) {
        CPrintMsgDlg note(this);
        note.DoModal();
    }

    // Without its window the page still prints, only unseen.
    CPrintDlg& progress = PrintProgress();
    if (!progress.m_hWnd)
        progress.Create(CPrintDlg::kTemplateId, this);
    if (progress.m_hWnd) {
        progress.SetStatusText(CString());
        progress.m_progress.SendMessage(PBM_SETPOS, 0, 0);
        progress.m_progress.SendMessage(PBM_SETRANGE32, 0, 0);
    }
    EnableWindow(FALSE);
    if (progress.m_hWnd) {
        progress.CenterWindow();
        progress.ShowWindow(SW_SHOW);
        progress.UpdateWindow();
    }
    const auto endJob = [&] {
        DeleteDC(printer);
        EnableWindow(TRUE);
        if (progress.m_hWnd)
            progress.DestroyWindow();
    };

    CDC* dc = CDC::FromHandle(printer);
    DOCINFO docInfo;
    docInfo.cbSize = static_cast<int>(sizeof docInfo);
    docInfo.lpszDocName = "Doc";
    docInfo.lpszDatatype = "BMP";
    if (dc->StartDoc(&docInfo) <= 0) {
        const DWORD error = GetLastError();
        if (error != ERROR_CANCELLED && error != ERROR_PRINT_CANCELLED)
            AppServices().MessageBox(kPrintFailedId, MB_ICONINFORMATION);
        endJob();
        return;
    }

    PrintPageSources sources;
    sources.page = page;
    if (m_previewWnd) {
        CRect client;
        m_previewWnd->GetClientRect(&client);
        sources.canvasClient = client.Size();
    }
    sources.picture = m_workBitmap.get();
    sources.mat = m_mat.get();
    sources.stencil = m_stencil.get();
    sources.fillFlag = !IsFlagClear();
    sources.matPictureRect = [this](const CRect& frame) {
        CRect inside;
        GetMatPictureRect(&inside, frame.left, frame.top, frame.right, frame.bottom);
        return inside;
    };
    PrintPageOptions options;
    options.editMode = editMode != FALSE;
    options.calibration = PrintCalibration{m_printOffsetX, m_printOffsetY};
    options.scale = scale;
    for (int left = copies; left > 0; --left) {
        dc->StartPage();
        if (!PrintPage(dc, sources, options, progress.m_hWnd ? &progress : nullptr))
            left = 0;
        if (dc->EndPage() < 0) {
            AppServices().MessageBox(kPrintFailedId);
            left = 0;
        }
    }
    if (dc->EndDoc() < 0)
        AppServices().MessageBox(kPrintFailedId, MB_ICONINFORMATION);
    endJob();
}
