#include "app/ShellFunctions.h"

#include "platform/base/Path.h"
#include "platform/base/Profile.h"

#include <algorithm>
#include <cstring>

BOOL IsCharInSet(LPCTSTR set, char ch) {
    return set && ch != '\0' && std::strchr(set, ch) ? TRUE : FALSE;
}

LPCTSTR GetNextToken(CString& token, LPCTSTR* cursor, LPCTSTR delimiters) {
    if (!cursor || !*cursor || !**cursor)
        return nullptr;
    const char* position = *cursor;
    while (IsCharInSet(delimiters, *position))
        ++position;
    const char* start = position;
    while (*position && !IsCharInSet(delimiters, *position))
        ++position;
    token = CString(std::string(start, position));
    *cursor = position;
    return token.GetString();
}

BOOL PrinterNameEquals(LPCTSTR name, const CString& key) {
    return name && key == name ? TRUE : FALSE;
}

LONG DeleteRegistryTree(LPCTSTR parent, LPCTSTR subkey) {
    if (!subkey || !*subkey)
        return ERROR_FILE_NOT_FOUND;
    const CString section = parent && *parent ? CString(parent) + "\\" + subkey : CString(subkey);
    return DeleteProfileKey(section) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

std::vector<CString> FindStalePrinterKeys(const std::vector<CString>& keys, const PRINTER_INFO_2* printers,
                                          DWORD count) {
    static constexpr const char* kOwnKeys[] = {"Printer", "Settings", "Printers", "Page Mapping"};
    std::vector<CString> stale;
    for (const CString& key : keys) {
        const bool own = std::any_of(std::begin(kOwnKeys), std::end(kOwnKeys),
                                     [&](const char* name) { return key.CompareNoCase(name) == 0; });
        if (own)
            continue;
        const bool installed = std::any_of(printers, printers + count, [&](const PRINTER_INFO_2& printer) {
            return (printer.Attributes & PRINTER_ATTRIBUTE_HIDDEN) == 0 && printer.pPrinterName &&
                   PrinterNameEquals(EscapeProfileKeyPart(BackslashesToSlashes(printer.pPrinterName)), key);
        });
        if (!installed)
            stale.push_back(key);
    }
    return stale;
}
