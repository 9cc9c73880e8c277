#pragma once
// The file types a file dialog offers: the list of "text", "pattern;pattern" pairs that the caller gives
// ("JPEG-Bild|*.jpg;*.jpeg|Alle Dateien|*.*||", kept NUL-separated), and the default extension a typed
// name without one receives.

#include "platform/base/String.h"

#include <vector>

struct FileTypeFilter {
    CString text;
    std::vector<CString> patterns; // "*.jpg", as given
};

// The '|'-separated form turned into the NUL-separated list, ending in two NULs.
std::vector<char> FilterListFromText(LPCTSTR text);
// The pairs of a NUL-separated list, up to the first empty text; an unpaired text is left out.
std::vector<FileTypeFilter> ReadFilterList(LPCTSTR list);
// The path with the extension added when its name has none: the type's own extension (its first pattern
// "*.ext" without wildcards), else defaultExtension (a leading '.' ignored). Nothing is added without a
// default extension, as the system's dialog does.
CString WithDefaultExtension(const CString& path, const FileTypeFilter* type, LPCTSTR defaultExtension);
// The pattern with every letter matching both cases ("*.jpg" -> "*.[jJ][pP][gG]"), for file listings of a
// file system that tells them apart.
CString CaseInsensitivePattern(const CString& pattern);
