#pragma once
// Free functions of the application shell: tokens of a text, the profile tree, and the per-printer
// keys of the profile root (each printer's print offsets).

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/print/Spooler.h"

#include <vector>

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;

// TRUE when ch occurs in set; the terminating zero never matches.
BOOL IsCharInSet(LPCTSTR set, char ch);
// The next token of *cursor: skips delimiters, copies the following run of other characters into
// token, leaves *cursor on the delimiter after it (or the end) and returns token's text. NULL when the
// cursor or the text under it is empty.
LPCTSTR GetNextToken(CString& token, LPCTSTR* cursor, LPCTSTR delimiters);
// Exact, case-sensitive equality of a printer name and a key name.
BOOL PrinterNameEquals(LPCTSTR name, const CString& key);

// Deletes subkey of the profile section parent ("" for the root) with all its keys and values.
// ERROR_FILE_NOT_FOUND when there is no such key.
LONG DeleteRegistryTree(LPCTSTR parent, LPCTSTR subkey);

// The keys of the profile root that are no installed printer's: every key except "Printer", "Settings",
// "Printers" and "Page Mapping" that equals the key name (EscapeProfileKeyPart of
// BackslashesToSlashes of the name) of no printer that is not hidden. keys are the root's subkey names
// as the profile lists them (escaped). Network printers' names hold '\', so only this exact comparison
// keeps their keys.
std::vector<CString> FindStalePrinterKeys(const std::vector<CString>& keys, const PRINTER_INFO_2* printers,
                                          DWORD count);
