// The main window's print set-up: the printer the program uses, its page, and the print offsets.

#include "app/MainWnd.h"
#include "platform/base/AppServices.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Profile.h"
#include "platform/gdi/Dc.h"
#include "platform/print/PrintDialog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr UINT kNoDefaultPrinterId = 212;
constexpr UINT kNoDevModeId = 201;
// The offsets are stored in hundredths of a millimetre.
constexpr float kOffsetUnit = 0.01f;
// Tenths of a millimetre per inch.
constexpr float kTenthsPerInch = 254.0f;
// The saved device names' block is as long as the three names and this much more.
constexpr size_t kDevNamesSlack = 151;

// The saved printer's device names, built only when every offset and name fits in the block: each name
// with its terminator lies behind the header, inside the block and apart from the other two. Null
// otherwise, or when the printer has no name.
UniqueGlobal SavedDevNames() {
    struct Name {
        CString text;
        UINT offset;
    };
    const std::array<Name, 3> names = {{
        {GetProfileString("Printer", "Driver"), GetProfileInt("Printer", "wDriverOffset", 0)},
        {GetProfileString("Printer", "Device"), GetProfileInt("Printer", "wDeviceOffset", 0)},
        {GetProfileString("Printer", "Output"), GetProfileInt("Printer", "wOutputOffset", 0)},
    }};
    const UINT defaultFlag = GetProfileInt("Printer", "wDefault", 0);
    if (names[1].text.IsEmpty() || defaultFlag > 0xFFFF)
        return nullptr;
    size_t bytes = kDevNamesSlack;
    for (const Name& name : names)
        bytes += static_cast<size_t>(name.text.GetLength());
    if (bytes > 0xFFFF)
        return nullptr;
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t begin = names[i].offset;
        const size_t end = begin + static_cast<size_t>(names[i].text.GetLength()) + 1;
        if (begin < sizeof(DEVNAMES) || end > bytes)
            return nullptr;
        for (size_t j = 0; j < i; ++j) {
            const size_t otherBegin = names[j].offset;
            const size_t otherEnd = otherBegin + static_cast<size_t>(names[j].text.GetLength()) + 1;
            if (begin < otherEnd && otherBegin < end)
                return nullptr;
        }
    }

    UniqueGlobal block(GlobalAlloc(GHND, bytes));
    auto* data = block ? static_cast<BYTE*>(GlobalLock(block.get())) : nullptr;
    if (!data)
        return nullptr;
    const DEVNAMES header{static_cast<WORD>(names[0].offset), static_cast<WORD>(names[1].offset),
                          static_cast<WORD>(names[2].offset), static_cast<WORD>(defaultFlag)};
    std::memcpy(data, &header, sizeof header);
    for (const Name& name : names)
        std::memcpy(data + name.offset, name.text.GetString(),
                    static_cast<size_t>(name.text.GetLength()) + 1);
    GlobalUnlock(block.get());
    return block;
}

// The saved device mode when it is one whole record of ours, else null.
UniqueGlobal SavedDevMode() {
    BYTE* data = nullptr;
    UINT bytes = 0;
    if (!GetProfileBinary("Printer", "DevMode", &data, &bytes))
        return nullptr;
    const std::unique_ptr<BYTE[]> value(data);
    if (!IsValidDevMode(value.get(), bytes))
        return nullptr;
    UniqueGlobal block(GlobalAlloc(GHND, bytes));
    if (!block)
        return nullptr;
    std::memcpy(CGlobalLock(block.get()).Bytes(), value.get(), bytes);
    return block;
}

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
    if (static_cast<int>(GetProfileInt("Printer", "Orientation", -1)) != -1)
        RestoreSavedPrinter();
    ReadPrinterPage();
    if (m_printDialog->m_pd.hDevMode)
        GlobalLock(m_printDialog->m_pd.hDevMode);
    return TRUE;
}

void CMainWnd::ReadPrintOffsets() {
    m_printOffsetX = static_cast<float>(GetProfileInt("Settings", "PrintOffsetX", 0)) * kOffsetUnit;
    m_printOffsetY = static_cast<float>(GetProfileInt("Settings", "PrintOffsetY", 0)) * kOffsetUnit;
}

// Saved names and device mode are taken over only when they fit; what does not stays the default
// printer's.
void CMainWnd::RestoreSavedPrinter() {
    PRINTDLG& setUp = m_printDialog->m_pd;
    if (UniqueGlobal names = SavedDevNames()) {
        ReleaseBlock(setUp.hDevNames);
        setUp.hDevNames = names.release();
    }
    if (UniqueGlobal devMode = SavedDevMode()) {
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
