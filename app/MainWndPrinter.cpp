// The main window's print set-up: the printer the program uses, its page, and the print offsets.

#include "app/MainWnd.h"
#include "output/SavedPrinter.h"
#include "platform/base/AppServices.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Profile.h"
#include "platform/gdi/Dc.h"
#include "platform/print/PrintDialog.h"

#include <cmath>
#include <memory>

namespace {

constexpr UINT kNoDefaultPrinterId = 212;
constexpr UINT kNoDevModeId = 201;
// The offsets are stored in hundredths of a millimetre.
constexpr float kOffsetUnit = 0.01f;
// Tenths of a millimetre per inch.
constexpr float kTenthsPerInch = 254.0f;

// Unlocks a block of the dialog as often as it is locked, then frees it.
void ReleaseBlock(HGLOBAL& block) {
    if (!block)
        return;
    while (GlobalFlags(block) != GMEM_INVALID_HANDLE && (GlobalFlags(block) & GMEM_LOCKCOUNT) != 0)
        GlobalUnlock(block);
    GlobalFree(block);
    block = nullptr;
}

} // namespace

std::unique_ptr<CPrintDialog> CMainWnd::NewPrintSetUpDialog() {
    return std::make_unique<CPrintDialog>(TRUE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES |
                                                    PD_HIDEPRINTTOFILE);
}

void CMainWnd::ReleasePrintSetUpDialog() {
    if (!m_printDialog)
        return;
    ReleaseBlock(m_printDialog->m_pd.hDevMode);
    ReleaseBlock(m_printDialog->m_pd.hDevNames);
    if (m_printDialog->m_pd.hDC) {
        DeleteDC(m_printDialog->m_pd.hDC);
        m_printDialog->m_pd.hDC = nullptr;
    }
    m_printDialog.reset();
}

BOOL CMainWnd::SetUpPrinter() {
    if (!m_printDialog->GetDefaults()) {
        AppServices().MessageBox(kNoDefaultPrinterId, 0);
        return FALSE;
    }
    if (!m_printDialog->GetDevMode()) {
        AppServices().MessageBox(kNoDevModeId, MB_ICONHAND);
        return FALSE;
    }
    ReadPrintOffsets();
    if (HasSavedPrinter())
        RestoreSavedPrinter();
    ReadPrinterPage();
    if (m_printDialog->m_pd.hDevMode)
        GlobalLock(m_printDialog->m_pd.hDevMode);
    return TRUE;
}

void CMainWnd::SetPrintOffsets(float offsetX, float offsetY) {
    m_printOffsetX = offsetX;
    m_printOffsetY = offsetY;
}

void CMainWnd::ReadPrintOffsets() {
    m_printOffsetX = static_cast<float>(GetProfileInt("Settings", "PrintOffsetX", 0)) * kOffsetUnit;
    m_printOffsetY = static_cast<float>(GetProfileInt("Settings", "PrintOffsetY", 0)) * kOffsetUnit;
}

// Saved names and device mode are taken over only when they fit; what does not stays the default
// printer's.
void CMainWnd::RestoreSavedPrinter() {
    PRINTDLG& setUp = m_printDialog->m_pd;
    if (UniqueGlobal names = ReadSavedDevNames()) {
        ReleaseBlock(setUp.hDevNames);
        setUp.hDevNames = names.release();
    }
    if (UniqueGlobal devMode = ReadSavedDevMode()) {
        ReleaseBlock(setUp.hDevMode);
        setUp.hDevMode = devMode.release();
    }
}

// Orientation, paper number and the physical page of the printer the set-up names. Without a printer
// context the page stays as it was.
void CMainWnd::ReadPrinterPage() {
    PRINTDLG& setUp = m_printDialog->m_pd;
    {
        const CGlobalLock lock(setUp.hDevMode);
        if (const auto* devMode = reinterpret_cast<const DEVMODE*>(lock.Bytes())) {
            m_printerOrientation = devMode->dmOrientation;
            m_paperNumber = static_cast<WORD>(devMode->dmPaperSize);
        }
    }
    if (setUp.hDC) {
        DeleteDC(setUp.hDC);
        setUp.hDC = nullptr;
    }
    HDC printer = m_printDialog->CreatePrinterDC();
    if (!printer)
        return;
    const CDC* dc = CDC::FromHandle(printer);
    const int dotsX = dc->GetDeviceCaps(LOGPIXELSX);
    const int dotsY = dc->GetDeviceCaps(LOGPIXELSY);
    if (dotsX > 0 && dotsY > 0) {
        m_paperSize.cx = static_cast<int>(std::trunc(static_cast<float>(dc->GetDeviceCaps(PHYSICALWIDTH)) /
                                                     static_cast<float>(dotsX) * kTenthsPerInch));
        m_paperSize.cy = static_cast<int>(std::trunc(static_cast<float>(dc->GetDeviceCaps(PHYSICALHEIGHT)) /
                                                     static_cast<float>(dotsY) * kTenthsPerInch));
    }
    DeleteDC(printer);
    setUp.hDC = nullptr;
}
