#include "platform/print/Spooler.h"

#include "platform/base/LastError.h"
#include "platform/base/MessageBoxStyles.h"
#include "platform/print/PrinterCatalog.h"
#include "platform/print/PrinterPropertiesDlg.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

namespace {

struct PrinterHandleRecord {
    InstalledPrinter printer;
    PrinterCapabilities capabilities;
};

// Handles given out and not yet closed, so that a stale or foreign handle is refused, not followed.
std::set<PrinterHandleRecord*>& OpenHandles() {
    static std::set<PrinterHandleRecord*> handles;
    return handles;
}

PrinterHandleRecord* FromHandle(HANDLE printer) {
    auto* record = static_cast<PrinterHandleRecord*>(printer);
    return OpenHandles().count(record) ? record : nullptr;
}

// One printer of a level-2 answer: its record and what the record points to.
struct PrinterEntry {
    InstalledPrinter printer;
    bool hasDevMode = false;
    DEVMODE devMode{};
};

PrinterEntry EntryOf(const InstalledPrinter& printer) {
    PrinterEntry entry{.printer = printer};
    PrinterCapabilities capabilities;
    if (GetPrinterCapabilities(printer.name, &capabilities)) {
        entry.hasDevMode = true;
        entry.devMode = DefaultDevMode(printer.name, capabilities);
    }
    return entry;
}

constexpr size_t AlignUp(size_t bytes) {
    return (bytes + 7) & ~size_t{7};
}

size_t TextBytes(const PrinterEntry& entry) {
    const auto text = [](const CString& s) { return static_cast<size_t>(s.GetLength()) + 1; };
    return text(entry.printer.name) + text(entry.printer.driver) + text(entry.printer.port);
}

// Lays the records out as the system does: the array first, then the device modes (each aligned for
// its fields), then the names.
class PrinterInfoWriter {
public:
    PrinterInfoWriter(BYTE* buffer, size_t count, size_t devModeCount)
        : m_records(reinterpret_cast<PRINTER_INFO_2*>(buffer)),
          m_devModes(buffer + AlignUp(count * sizeof(PRINTER_INFO_2))),
          m_text(m_devModes + devModeCount * AlignUp(sizeof(DEVMODE))) {}

    void Write(size_t index, const PrinterEntry& entry, const CString& defaultName) {
        PRINTER_INFO_2& info = m_records[index];
        std::memset(&info, 0, sizeof info);
        if (entry.hasDevMode) {
            info.pDevMode = reinterpret_cast<DEVMODE*>(m_devModes);
            std::memcpy(m_devModes, &entry.devMode, sizeof(DEVMODE));
            m_devModes += AlignUp(sizeof(DEVMODE));
        }
        info.pPrinterName = Text(entry.printer.name);
        info.pDriverName = Text(entry.printer.driver);
        info.pPortName = Text(entry.printer.port);
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        if (entry.printer.hidden)
            info.Attributes |= PRINTER_ATTRIBUTE_HIDDEN;
        if (entry.printer.name == defaultName)
            info.Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    }

private:
    LPSTR Text(const CString& text) {
        auto* start = reinterpret_cast<LPSTR>(m_text);
        std::memcpy(start, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
        m_text += text.GetLength() + 1;
        return start;
    }

    PRINTER_INFO_2* m_records;
    BYTE* m_devModes;
    BYTE* m_text;
};

BOOL WritePrinterInfos(const std::vector<PrinterEntry>& entries, const CString& defaultName, LPBYTE buffer,
                       DWORD bufferBytes, LPDWORD bytesNeeded) {
    size_t devModeCount = 0;
    size_t needed = entries.empty() ? 0 : AlignUp(entries.size() * sizeof(PRINTER_INFO_2));
    for (const PrinterEntry& entry : entries) {
        devModeCount += entry.hasDevMode ? 1 : 0;
        needed += TextBytes(entry);
    }
    needed += devModeCount * AlignUp(sizeof(DEVMODE));
    *bytesNeeded = static_cast<DWORD>(needed);
    if (!buffer || bufferBytes < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PrinterInfoWriter writer(buffer, entries.size(), devModeCount);
    for (size_t index = 0; index < entries.size(); ++index)
        writer.Write(index, entries[index], defaultName);
    return TRUE;
}

int WritePaperNames(const PrinterCapabilities& capabilities, LPSTR output) {
    for (const PrinterPaper& paper : capabilities.papers) {
        std::memset(output, 0, kPaperNameChars);
        std::memcpy(output, paper.name.GetString(),
                    std::min<size_t>(static_cast<size_t>(paper.name.GetLength()), kPaperNameChars));
        output += kPaperNameChars;
    }
    return static_cast<int>(capabilities.papers.size());
}

} // namespace

BOOL EnumPrinters(DWORD flags, LPCSTR, DWORD level, LPBYTE printerEnum, DWORD bufferBytes,
                  LPDWORD bytesNeeded, LPDWORD returned) {
    if (!bytesNeeded || !returned) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *bytesNeeded = 0;
    *returned = 0;
    if (level != 2) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    std::vector<PrinterEntry> entries;
    const CString defaultName = DefaultPrinterName();
    for (const InstalledPrinter& printer : ListAllPrinters()) {
        if (!(flags & PRINTER_ENUM_DEFAULT) || printer.name == defaultName)
            entries.push_back(EntryOf(printer));
        if ((flags & PRINTER_ENUM_DEFAULT) && !entries.empty())
            break;
    }
    if (!WritePrinterInfos(entries, defaultName, printerEnum, bufferBytes, bytesNeeded))
        return FALSE;
    *returned = static_cast<DWORD>(entries.size());
    return TRUE;
}

DWORD EnumerateInstalledPrinters(std::vector<BYTE>& buffer) {
    constexpr DWORD kInstalled = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrinters(kInstalled, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return 0;
    buffer.assign(needed, 0);
    if (!EnumPrinters(kInstalled, nullptr, 2, buffer.data(), needed, &needed, &count))
        return 0;
    return count;
}

BOOL OpenPrinter(LPCSTR printerName, HANDLE* printer, LPVOID) {
    if (!printer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *printer = nullptr;
    auto record = std::make_unique<PrinterHandleRecord>();
    if (!printerName || !OpenPrinterRecord(printerName, &record->printer, &record->capabilities)) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    OpenHandles().insert(record.get());
    *printer = record.release();
    return TRUE;
}

BOOL ClosePrinter(HANDLE printer) {
    PrinterHandleRecord* record = FromHandle(printer);
    if (!record) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    OpenHandles().erase(record);
    delete record;
    return TRUE;
}

BOOL GetPrinter(HANDLE printer, DWORD level, LPBYTE printerInfo, DWORD bufferBytes, LPDWORD bytesNeeded) {
    const PrinterHandleRecord* record = FromHandle(printer);
    if (!record || !bytesNeeded) {
        SetLastError(record ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *bytesNeeded = 0;
    if (level != 2) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    const PrinterEntry entry{.printer = record->printer,
                             .hasDevMode = true,
                             .devMode = DefaultDevMode(record->printer.name, record->capabilities)};
    return WritePrinterInfos({entry}, DefaultPrinterName(), printerInfo, bufferBytes, bytesNeeded);
}

LONG DocumentProperties(HWND window, HANDLE printer, LPCSTR, DEVMODE* output, const DEVMODE* input,
                        DWORD mode) {
    const PrinterHandleRecord* record = FromHandle(printer);
    if (!record) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    if (mode == 0)
        return sizeof(DEVMODE);
    const bool prompt = (mode & DM_IN_PROMPT) != 0;
    if (!prompt && (!(mode & DM_OUT_BUFFER) || !output)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return -1;
    }
    DEVMODE devMode = DefaultDevMode(record->printer.name, record->capabilities);
    if ((mode & DM_IN_BUFFER) && input) {
        if (input->dmSpecVersion != DM_SPECVERSION || input->dmSize != sizeof(DEVMODE)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return -1;
        }
        MergeDevMode(&devMode, *input, record->capabilities);
    }
    LONG result = IDOK;
    if (prompt) {
        DEVMODE chosen = devMode;
        CPrinterPropertiesDlg dialog(record->capabilities, chosen, CWnd::FromHandle(window));
        result = static_cast<LONG>(dialog.DoModal());
        if (result == IDOK)
            devMode = chosen;
        else if (result != IDCANCEL)
            return -1;
    }
    if ((mode & DM_OUT_BUFFER) && output)
        std::memcpy(output, &devMode, sizeof devMode);
    return result;
}

int DeviceCapabilities(LPCSTR device, LPCSTR, WORD capability, LPSTR output, const DEVMODE*) {
    PrinterCapabilities capabilities;
    if (!device || !GetPrinterCapabilities(device, &capabilities))
        return -1;
    const auto& papers = capabilities.papers;
    switch (capability) {
    case DC_PAPERS:
        for (size_t index = 0; output && index < papers.size(); ++index) {
            const WORD number = static_cast<WORD>(papers[index].number);
            std::memcpy(output + index * sizeof(WORD), &number, sizeof number);
        }
        return static_cast<int>(papers.size());
    case DC_PAPERSIZE:
        for (size_t index = 0; output && index < papers.size(); ++index) {
            const POINT size{papers[index].width, papers[index].length};
            std::memcpy(output + index * sizeof(POINT), &size, sizeof size);
        }
        return static_cast<int>(papers.size());
    case DC_PAPERNAMES:
        return output ? WritePaperNames(capabilities, output) : static_cast<int>(papers.size());
    case DC_ENUMRESOLUTIONS:
        for (size_t index = 0; output && index < capabilities.resolutions.size(); ++index) {
            const LONG pair[2] = {capabilities.resolutions[index], capabilities.resolutions[index]};
            std::memcpy(output + index * sizeof pair, pair, sizeof pair);
        }
        return static_cast<int>(capabilities.resolutions.size());
    default:
        return -1;
    }
}

BOOL GetDefaultPrinter(LPSTR buffer, LPDWORD bufferChars) {
    if (!bufferChars) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const CString name = DefaultPrinterName();
    const DWORD needed = static_cast<DWORD>(name.GetLength()) + 1;
    const DWORD available = *bufferChars;
    *bufferChars = needed;
    if (!buffer || available < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, name.GetString(), needed);
    return TRUE;
}
