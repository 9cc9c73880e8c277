// A substring test, not a glob match: the browser has always matched this way.

#include "albums/BrowseFilePattern.h"

bool MatchesFilterPattern(const CStringArray& patterns, int filterIndex, const CString& path) {
    if (filterIndex < 0 || filterIndex >= patterns.GetSize())
        return true;
    CString pattern = patterns[filterIndex];
    if (pattern.IsEmpty() || pattern.CompareNoCase("*.*") == 0)
        return true;
    const int dot = path.ReverseFind('.');
    CString extension = dot < 0 ? path : path.Mid(dot);
    extension.MakeLower();
    return pattern.MakeLower().Find(extension) >= 0;
}
