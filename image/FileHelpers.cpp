#include "image/FileHelpers.h"

#include <algorithm>

namespace {

// Replaces every "<sep>.<sep>" by a single separator, searching again from the start after each change.
void RemoveCurrentSteps(CString& path, char separator) {
    const CString step = CString(separator) + "." + separator;
    for (int at = path.Find(step); at >= 0; at = path.Find(step))
        path = path.Left(at) + path.Mid(at + 2);
}

// Replaces every "<folder><sep>..<sep>" by nothing, so "a/b/../c" becomes "a/c". A step without a folder
// in front keeps its leading separator: "b/../c" becomes "/c".
void RemoveParentSteps(CString& path, char separator) {
    const CString step = CString(separator) + ".." + separator;
    for (int at = path.Find(step); at >= 0; at = path.Find(step)) {
        const int folderStart = path.Left(at).ReverseFind(separator);
        path = (folderStart >= 0 ? path.Left(folderStart) : CString()) + path.Mid(at + 3);
    }
}

} // namespace

void AddTrailingBackslash(CString& path) {
    path.TrimRight();
    if (path.IsEmpty() || (path.Right(1) != "/" && path.Right(1) != "\\"))
        path += '/';
}

CString SplitPathDrive(const char* path) {
    if (!path || path[0] == '\0' || path[1] != ':')
        return CString();
    return CString(path, 2);
}

CString GetFileExtension(const CString& path) {
    const int dot = path.ReverseFind('.');
    return dot >= 0 ? path.Mid(dot + 1) : CString();
}

void GetFileExtension(CString& extension, const CString& path) {
    extension = GetFileExtension(path);
}

CString GetFileNamePart(const CString& path) {
    const int separator = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return separator >= 0 ? path.Mid(separator + 1) : CString();
}

CString NormalizePath(const CString& path) {
    CString result = path;
    RemoveCurrentSteps(result, '/');
    RemoveCurrentSteps(result, '\\');
    RemoveParentSteps(result, '/');
    RemoveParentSteps(result, '\\');
    return result;
}

bool NeedsBase64Encoding(const CString& text) {
    return text.Find("  ") >= 0 || text.Find('\n') >= 0;
}
