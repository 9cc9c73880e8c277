#include "platform/print/PrintDialog.h"

#include "platform/gdi/Dc.h"
#include "platform/print/PrintSetupDlg.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"

#include <cstring>
#include <vector>

namespace {

thread_local DWORD t_extendedError = 0;

CString DefaultPrinterName() {
    DWORD chars = 0;
    GetDefaultPrinter(nullptr, &chars);
    CString name;
    if (!GetDefaultPrinter(name.GetBufferSetLength(static_cast<int>(chars)), &chars))
        return CString();
    name.ReleaseBuffer();
    return name;
}

// The name at a DEVNAMES offset, when it starts behind the header and ends inside the block.
CString DevNamesText(HGLOBAL devNames, WORD DEVNAMES::*offset) {
    CGlobalLock lock(devNames);
    if (!lock.Bytes() || lock.Size() < sizeof(DEVNAMES))
        return CString();
    DEVNAMES header;
    std::memcpy(&header, lock.Bytes(), sizeof header);
    const size_t start = header.*offset;
    if (start < sizeof(DEVNAMES) || start >= lock.Size())
        return CString();
    const auto* text = reinterpret_cast<const char*>(lock.Bytes() + start);
    const void* end = std::memchr(text, '\0', lock.Size() - start);
    return end ? CString(text, static_cast<int>(static_cast<const char*>(end) - text)) : CString();
}

HGLOBAL DevModeBlock(const DEVMODE& devMode) {
    HGLOBAL block = GlobalAlloc(GHND, sizeof devMode);
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    std::memcpy(lock.Bytes(), &devMode, sizeof devMode);
    return block;
}

} // namespace

HGLOBAL MakeDevNames(const CString& driver, const CString& device, const CString& port, WORD defaultFlag) {
    const size_t bytes = sizeof(DEVNAMES) + driver.GetLength() + device.GetLength() + port.GetLength() + 3;
    if (bytes > 0xFFFF)
        return nullptr; // the offsets are 16-bit
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    DEVNAMES header{};
    size_t cursor = sizeof header;
    const auto put = [&](const CString& text, WORD* offset) {
        *offset = static_cast<WORD>(cursor);
        std::memcpy(lock.Bytes() + cursor, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
        cursor += static_cast<size_t>(text.GetLength()) + 1;
    };
    put(driver, &header.wDriverOffset);
    put(device, &header.wDeviceOffset);
    put(port, &header.wOutputOffset);
    header.wDefault = defaultFlag;
    std::memcpy(lock.Bytes(), &header, sizeof header);
    return block;
}

DWORD CommDlgExtendedError() {
    return t_extendedError;
}

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : m_pParentWnd(parent) {
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0);
}

INT_PTR CPrintDialog::DoModal() {
    t_extendedError = 0;
    const CString device = m_pd.hDevNames ? GetDeviceName() : DefaultPrinterName();
    HANDLE printer = nullptr;
    if (device.IsEmpty() || !OpenPrinter(device, &printer, nullptr)) {
        t_extendedError = PDERR_PRINTERNOTFOUND;
        return IDCANCEL;
    }
    DEVMODE devMode{};
    const DEVMODE* held = nullptr;
    DEVMODE heldCopy{};
    if (m_pd.hDevMode) {
        CGlobalLock lock(m_pd.hDevMode);
        if (lock.Bytes() && lock.Size() >= sizeof heldCopy) {
            std::memcpy(&heldCopy, lock.Bytes(), sizeof heldCopy);
            held = &heldCopy;
        }
    }
    const bool valid = DocumentProperties(nullptr, printer, device, &devMode, held,
                                          held ? DM_IN_BUFFER | DM_OUT_BUFFER : DM_OUT_BUFFER) == IDOK ||
                       DocumentProperties(nullptr, printer, device, &devMode, nullptr, DM_OUT_BUFFER) == IDOK;
    ClosePrinter(printer);
    if (!valid) {
        t_extendedError = PDERR_PRINTERNOTFOUND;
        return IDCANCEL;
    }

    CPrintSetupDlg dialog(device, devMode, m_pParentWnd);
    const INT_PTR result = dialog.DoModal();
    if (result != IDOK) {
        if (result != IDCANCEL)
            t_extendedError = CDERR_DIALOGFAILURE;
        return IDCANCEL;
    }
    UniqueGlobal devModeBlock(DevModeBlock(devMode));
    UniqueGlobal devNamesBlock;
    if (dialog.GetDevice() != device || !m_pd.hDevNames) {
        const WORD isDefault = dialog.GetDevice() == DefaultPrinterName() ? DN_DEFAULTPRN : 0;
        devNamesBlock.reset(
            MakeDevNames(dialog.GetDriver(), dialog.GetDevice(), dialog.GetPort(), isDefault));
        if (!devNamesBlock) {
            t_extendedError = CDERR_DIALOGFAILURE;
            return IDCANCEL;
        }
    }
    if (!devModeBlock) {
        t_extendedError = CDERR_DIALOGFAILURE;
        return IDCANCEL;
    }
    // The same printer keeps its block, which a caller may still hold locked.
    bool kept = false;
    if (!devNamesBlock && m_pd.hDevMode) {
        CGlobalLock held(m_pd.hDevMode);
        kept = held.Bytes() && held.Size() >= sizeof devMode;
        if (kept)
            std::memcpy(held.Bytes(), &devMode, sizeof devMode);
    }
    if (!kept) {
        if (m_pd.hDevMode)
            GlobalFree(m_pd.hDevMode);
        m_pd.hDevMode = devModeBlock.release();
    }
    if (devNamesBlock) {
        if (m_pd.hDevNames)
            GlobalFree(m_pd.hDevNames);
        m_pd.hDevNames = devNamesBlock.release();
    }
    if (m_pd.Flags & PD_RETURNDC)
        CreatePrinterDC();
    return IDOK;
}

BOOL CPrintDialog::GetDefaults() {
    if (m_pd.hDevMode || m_pd.hDevNames)
        return FALSE;
    const CString name = DefaultPrinterName();
    if (name.IsEmpty())
        return FALSE;

    HANDLE printer = nullptr;
    if (!OpenPrinter(name, &printer, nullptr))
        return FALSE;
    DEVMODE devMode{};
    DWORD needed = 0;
    GetPrinter(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    const bool described =
        GetPrinter(printer, 2, info.data(), needed, &needed) &&
        DocumentProperties(nullptr, printer, name, &devMode, nullptr, DM_OUT_BUFFER) == IDOK;
    ClosePrinter(printer);
    if (!described)
        return FALSE;

    const auto* record = reinterpret_cast<const PRINTER_INFO_2*>(info.data());
    UniqueGlobal devModeBlock(DevModeBlock(devMode));
    UniqueGlobal devNamesBlock(
        MakeDevNames(record->pDriverName, record->pPrinterName, record->pPortName, DN_DEFAULTPRN));
    if (!devModeBlock || !devNamesBlock)
        return FALSE;
    m_pd.hDevMode = devModeBlock.release();
    m_pd.hDevNames = devNamesBlock.release();
    if (m_pd.Flags & PD_RETURNDC)
        CreatePrinterDC();
    return TRUE;
}

DEVMODE* CPrintDialog::GetDevMode() const {
    if (!m_pd.hDevMode)
        return nullptr;
    return static_cast<DEVMODE*>(GlobalLock(m_pd.hDevMode));
}

CString CPrintDialog::GetDriverName() const {
    return m_pd.hDevNames ? DevNamesText(m_pd.hDevNames, &DEVNAMES::wDriverOffset) : CString();
}

CString CPrintDialog::GetDeviceName() const {
    return m_pd.hDevNames ? DevNamesText(m_pd.hDevNames, &DEVNAMES::wDeviceOffset) : CString();
}

CString CPrintDialog::GetPortName() const {
    return m_pd.hDevNames ? DevNamesText(m_pd.hDevNames, &DEVNAMES::wOutputOffset) : CString();
}

HDC CPrintDialog::CreatePrinterDC() {
    const CString device = GetDeviceName();
    if (device.IsEmpty())
        return nullptr;
    DEVMODE devMode{};
    bool haveDevMode = false;
    if (m_pd.hDevMode) {
        CGlobalLock lock(m_pd.hDevMode);
        if (lock.Bytes() && lock.Size() >= sizeof devMode) {
            std::memcpy(&devMode, lock.Bytes(), sizeof devMode);
            haveDevMode = true;
        }
    }
    m_pd.hDC = CreateDC(GetDriverName(), device, GetPortName(), haveDevMode ? &devMode : nullptr);
    return m_pd.hDC;
}
