#include "platform/ui/FileFilter.h"

#include <cctype>
#include <cstring>

namespace {

// The extension a pattern names outright ("*.jpg" -> "jpg"); empty for "*.*", "*.jp?" or "Bild*".
CString ConcreteExtension(const CString& pattern) {
    if (pattern.Left(2) != "*.")
        return {};
    const CString extension = pattern.Mid(2);
    if (extension.IsEmpty() || extension.FindOneOf("*?[.") >= 0)
        return {};
    return extension;
}

} // namespace

std::vector<char> FilterListFromText(LPCTSTR text) {
    std::vector<char> list;
    for (const char* at = text ? text : ""; *at; ++at)
        list.push_back(*at == '|' ? '\0' : *at);
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

std::vector<FileTypeFilter> ReadFilterList(LPCTSTR list) {
    std::vector<FileTypeFilter> types;
    if (!list)
        return types;
    for (const char* at = list; *at;) {
        const char* patterns = at + std::strlen(at) + 1;
        if (!*patterns)
            break;
        FileTypeFilter type{.text = at, .patterns = {}};
        const CString joined(patterns);
        for (int start = 0; start <= joined.GetLength();) {
            int end = joined.Find(';', start);
            if (end < 0)
                end = joined.GetLength();
            CString pattern = joined.Mid(start, end - start);
            if (!pattern.Trim().IsEmpty())
                type.patterns.push_back(pattern);
            start = end + 1;
        }
        types.push_back(type);
        at = patterns + std::strlen(patterns) + 1;
    }
    return types;
}

CString WithDefaultExtension(const CString& path, const FileTypeFilter* type, LPCTSTR defaultExtension) {
    if (!defaultExtension)
        return path;
    const CString name = path.Mid(path.ReverseFind('/') + 1);
    if (name.IsEmpty() || name.Find('.') >= 0)
        return path;
    CString extension =
        type && !type->patterns.empty() ? ConcreteExtension(type->patterns.front()) : CString();
    if (extension.IsEmpty())
        extension = CString(defaultExtension).TrimLeft('.');
    return extension.IsEmpty() ? path : path + '.' + extension;
}

CString CaseInsensitivePattern(const CString& pattern) {
    CString result;
    for (int i = 0; i < pattern.GetLength(); ++i) {
        const auto ch = static_cast<unsigned char>(pattern[i]);
        if (!std::isalpha(ch)) {
            result += pattern[i];
            continue;
        }
        result += '[';
        result += static_cast<char>(std::tolower(ch));
        result += static_cast<char>(std::toupper(ch));
        result += ']';
    }
    return result;
}
