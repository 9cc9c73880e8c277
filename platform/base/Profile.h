#pragma once
// The profile store: the program's settings, kept for the current user in
// <config folder>/Morrowgate/Vellumcraft.conf (INI format).
//
// A section is a path of keys separated by '\' ("Settings\Thumbnails\Browse"; "" is the root). Key and
// value names match without regard to case and keep the spelling they were first written with, as
// registry keys do. A name that may hold '\', '/' or '%' (a printer name) goes into a section through
// EscapeProfileKeyPart; the enumerations return such names in that escaped form.
//
// Every function may be called from any thread; a write reaches the file before the function returns.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <vector>

// The string value, or the default (empty for null) when it is missing or is not a string. Text that is
// not valid UTF-8 is read as Windows-1252.
CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
// The integer value, or the default when it is missing or is not a decimal number.
UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
// A binary value. On success *data is a new[] block of *bytes bytes that the caller delete[]s; when the
// value is missing or not binary, FALSE with *data null and *bytes 0.
BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes);

// A null entry deletes the whole section; a null value deletes the entry. Text that is not valid UTF-8
// is taken as Windows-1252.
BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes);

// The names of the keys directly below a section, and of the values in it.
std::vector<CString> GetProfileSubkeyNames(LPCTSTR section);
std::vector<CString> GetProfileValueNames(LPCTSTR section);
// Deletes a section with all its values and keys below it; FALSE when there is none (or for the root).
BOOL DeleteProfileKey(LPCTSTR section);
// FALSE when there is no such value.
BOOL DeleteProfileValue(LPCTSTR section, LPCTSTR entry);

// A name as one key of a section path: '%', '/' and '\' become "%25", "%2F" and "%5C".
CString EscapeProfileKeyPart(const CString& name);
// The name that EscapeProfileKeyPart made this part from.
CString UnescapeProfileKeyPart(const CString& part);

// The file that holds the profile.
CString GetProfileFilePath();
// Keeps the profile below this folder instead of the user's configuration folder; empty goes back.
void SetProfileFolderForTesting(const CString& folder);
