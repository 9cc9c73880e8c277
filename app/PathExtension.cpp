#include "app/PathExtension.h"

CString WithExtension(const CString& path, const char* extension) {
    const int slash = path.ReverseFind('/');
    const int dot = path.ReverseFind('.');
    if (dot > slash && path.Mid(dot + 1).CompareNoCase(extension) == 0)
        return path;
    return path + "." + extension;
}

CString FolderOfPath(const CString& path) {
    const int slash = path.ReverseFind('/');
    return slash < 0 ? CString() : path.Left(slash);
}
