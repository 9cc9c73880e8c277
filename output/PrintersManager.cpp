#include "output/PrintersManager.h"

#include "platform/base/Profile.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace {

constexpr char kSection[] = "Printers";
constexpr char kDevModePrefix[] = "DevMode";

CPrintersManager* g_instance = nullptr;

DEVMODE* CopyDevMode(const DEVMODE* devMode) {
    const SIZE_T bytes = DevModeBytes(devMode);
    BYTE* block = new BYTE[bytes];
    std::memcpy(block, devMode, bytes);
    return reinterpret_cast<DEVMODE*>(block);
}

void FreeDevMode(DEVMODE* devMode) {
    delete[] reinterpret_cast<BYTE*>(devMode);
}

// The index of a "DevMode%d" value name, or -1 for any other name.
long long DevModeIndex(const CString& valueName) {
    const int prefix = static_cast<int>(sizeof kDevModePrefix) - 1;
    if (valueName.GetLength() <= prefix || valueName.Left(prefix).CompareNoCase(kDevModePrefix) != 0)
        return -1;
    const CString digits = valueName.Mid(prefix);
    long long index = 0;
    for (char ch : digits.view()) {
        if (ch < '0' || ch > '9' || index > 0x7FFFFFFF)
            return -1;
        index = index * 10 + (ch - '0');
    }
    return index;
}

// A binary value that holds one valid device mode, or null.
std::unique_ptr<BYTE[]> ReadDevMode(const CString& entry, UINT* bytes) {
    BYTE* data = nullptr;
    if (!GetProfileBinary(kSection, entry, &data, bytes))
        return nullptr;
    std::unique_ptr<BYTE[]> block(data);
    return IsValidDevMode(block.get(), *bytes) ? std::move(block) : nullptr;
}

} // namespace

void CopyDevModeOver(DEVMODE* target, const DEVMODE* source, SIZE_T sourceBytes) {
    const WORD size = target->dmSize;
    const WORD driverExtra = target->dmDriverExtra;
    const WORD version = target->dmSpecVersion;
    std::memmove(target, source, std::min(sourceBytes, DevModeBytes(target)));
    target->dmSize = size;
    target->dmDriverExtra = driverExtra;
    target->dmSpecVersion = version;
}

CPrintersManager::CPrintersManager() : CList(10) {
    g_instance = this;
}

CPrintersManager::~CPrintersManager() {
    RemoveAllDevModes();
    FreePrinterInfo();
    if (g_instance == this)
        g_instance = nullptr;
}

CPrintersManager* CPrintersManager::GetInstance() {
    return g_instance;
}

BOOL CPrintersManager::Load(LPCTSTR, LPCTSTR) {
    RemoveAllDevModes();
    // "Count" bounds the indices; the values are found by name, so a huge count costs nothing and gaps
    // are skipped.
    const long long count = GetProfileInt(kSection, "Count", 0);
    std::map<long long, CString> entries;
    for (const CString& name : GetProfileValueNames(kSection)) {
        const long long index = DevModeIndex(name);
        if (index >= 0 && index < count)
            entries.emplace(index, name);
    }
    for (const auto& [index, name] : entries) {
        UINT bytes = 0;
        if (std::unique_ptr<BYTE[]> block = ReadDevMode(name, &bytes))
            AddTail(reinterpret_cast<DEVMODE*>(block.release()));
    }

    CString name = GetProfileString(kSection, "DefaultPrinterName");
    if (name.IsEmpty())
        name = GetDefaultPrinterName();
    FreePrinterInfo();
    if (PRINTER_INFO_2* info = FetchPrinterInfo(name)) {
        SetPrinterInfo(info);
        UINT bytes = 0;
        if (std::unique_ptr<BYTE[]> stored = ReadDevMode("DefaultPrinterDevMode", &bytes)) {
            if (info->pDevMode)
                CopyDevModeOver(info->pDevMode, reinterpret_cast<DEVMODE*>(stored.get()), bytes);
            else
                AttachDevMode(reinterpret_cast<DEVMODE*>(stored.get()), bytes);
        }
    }
    if (!FindPrinter(name))
        name = GetDefaultPrinterName();
    m_strCurrentPrinter = name;
    return TRUE;
}

BOOL CPrintersManager::Save(LPCTSTR, LPCTSTR) {
    DeleteProfileKey(kSection);
    BOOL written = WriteProfileInt(kSection, "Count", static_cast<int>(GetCount()));
    int index = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        const DEVMODE* devMode = GetNext(pos);
        CString entry;
        entry.Format("DevMode%d", index++);
        written &= WriteProfileBinary(kSection, entry, reinterpret_cast<const BYTE*>(devMode),
                                      static_cast<UINT>(DevModeBytes(devMode)));
    }
    if (!m_pPrinterInfo)
        return written;
    const auto text = [](LPCSTR value) { return value ? value : ""; };
    written &= WriteProfileString(kSection, "DefaultPrinterName", text(m_pPrinterInfo->pPrinterName));
    written &= WriteProfileString(kSection, "DefaultPrinterDriver", text(m_pPrinterInfo->pDriverName));
    written &= WriteProfileString(kSection, "DefaultPrinterPort", text(m_pPrinterInfo->pPortName));
    if (const DEVMODE* devMode = m_pPrinterInfo->pDevMode) {
        written &=
            WriteProfileBinary(kSection, "DefaultPrinterDevMode", reinterpret_cast<const BYTE*>(devMode),
                               static_cast<UINT>(DevModeBytes(devMode)));
    }
    return written;
}

void CPrintersManager::MergePrinters(PRINTER_INFO_2* printers, UINT count, BOOL keepEnumerated) {
    if (!keepEnumerated) {
        for (UINT i = 0; i < count; ++i) {
            DEVMODE* own = printers[i].pDevMode;
            if (!own)
                continue;
            for (POSITION pos = GetHeadPosition(); pos;) {
                const DEVMODE* stored = GetNext(pos);
                if (std::strncmp(stored->dmDeviceName, own->dmDeviceName, CCHDEVICENAME) == 0) {
                    CopyDevModeOver(own, stored, DevModeBytes(stored));
                    break;
                }
            }
        }
    }
    RemoveAllDevModes();
    for (UINT i = 0; i < count; ++i) {
        if (printers[i].pDevMode)
            AddTail(CopyDevMode(printers[i].pDevMode));
    }
}

POSITION CPrintersManager::FindPrinter(const CString& name) {
    // Compared as a device mode holds the name, so that a long printer name still finds its record.
    const CString deviceName = DeviceNameOf(name);
    for (POSITION pos = GetHeadPosition(); pos;) {
        const POSITION current = pos;
        if (GetDeviceName(GetNext(pos)).CompareNoCase(deviceName) == 0)
            return current;
    }
    return nullptr;
}

CString CPrintersManager::GetDefaultPrinterName() {
    DWORD chars = 0;
    GetDefaultPrinter(nullptr, &chars);
    CString name;
    if (!GetDefaultPrinter(name.GetBufferSetLength(static_cast<int>(chars)), &chars))
        return CString();
    name.ReleaseBuffer();
    return name;
}

void CPrintersManager::SetCurrentPrinterName(const CString& name) {
    m_strCurrentPrinter = name;
}

CString CPrintersManager::GetCurrentPrinterName() {
    if (!FindPrinter(m_strCurrentPrinter))
        m_strCurrentPrinter = GetDefaultPrinterName();
    return m_strCurrentPrinter;
}

BOOL CPrintersManager::LoadPrinterInfo(const CString& printerName, const DEVMODE* devMode) {
    PRINTER_INFO_2* info = FetchPrinterInfo(printerName);
    if (!info)
        return FALSE;
    SetPrinterInfo(info);
    if (devMode && devMode->dmSpecVersion == DM_SPECVERSION && devMode->dmSize == sizeof(DEVMODE)) {
        if (info->pDevMode)
            CopyDevModeOver(info->pDevMode, devMode, DevModeBytes(devMode));
        else
            AttachDevMode(devMode, DevModeBytes(devMode));
    }
    return TRUE;
}

void CPrintersManager::SetPrinterInfo(PRINTER_INFO_2* info) {
    FreePrinterInfo();
    m_pPrinterInfo = info;
}

PRINTER_INFO_2* CPrintersManager::GetPrinterInfo() {
    return m_pPrinterInfo;
}

void CPrintersManager::RemoveAllDevModes() {
    while (!IsEmpty())
        FreeDevMode(RemoveHead());
}

PRINTER_INFO_2* CPrintersManager::FetchPrinterInfo(const CString& printerName) {
    HANDLE printer = nullptr;
    if (!OpenPrinter(printerName, &printer, nullptr))
        return nullptr;
    DWORD needed = 0;
    GetPrinter(printer, 2, nullptr, 0, &needed);
    std::unique_ptr<BYTE[]> block;
    if (needed >= sizeof(PRINTER_INFO_2)) {
        block.reset(new BYTE[needed]);
        if (!GetPrinter(printer, 2, block.get(), needed, &needed))
            block.reset();
    }
    ClosePrinter(printer);
    return reinterpret_cast<PRINTER_INFO_2*>(block.release());
}

void CPrintersManager::AttachDevMode(const DEVMODE* devMode, SIZE_T bytes) {
    m_pAttachedDevMode = new BYTE[bytes];
    std::memcpy(m_pAttachedDevMode, devMode, bytes);
    m_pPrinterInfo->pDevMode = reinterpret_cast<DEVMODE*>(m_pAttachedDevMode);
}

void CPrintersManager::FreePrinterInfo() {
    delete[] reinterpret_cast<BYTE*>(m_pPrinterInfo);
    delete[] m_pAttachedDevMode;
    m_pPrinterInfo = nullptr;
    m_pAttachedDevMode = nullptr;
}
