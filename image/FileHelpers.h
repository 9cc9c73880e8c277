#pragma once
// Small helpers on paths and texts that the album, resource and output code share. They work on the text
// alone and never touch the file system.

#include "platform/base/String.h"

// Trims trailing white space, then appends a '/' unless the path already ends in '/' or '\'.
void AddTrailingBackslash(CString& path);

// The drive of a Windows path ("C:"), or empty.
CString SplitPathDrive(const char* path);

// The text after the last '.' anywhere in the path, without the dot; empty when there is none.
CString GetFileExtension(const CString& path);
void GetFileExtension(CString& extension, const CString& path);

// The text after the last '/' or '\'; empty when the path holds neither.
CString GetFileNamePart(const CString& path);

// Removes "/./" and "/../" steps (and their backslash forms, never mixing the two separators).
CString NormalizePath(const CString& path);

// True when a description holds two blanks in a row or a line feed; it is then stored Base64-encoded.
bool NeedsBase64Encoding(const CString& text);
