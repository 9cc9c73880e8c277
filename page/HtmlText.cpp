// Texts written into exported HTML pages.

#include "page/HtmlText.h"

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

CString PercentEncoded(const CString& name) {
    static const char kHex[] = "0123456789ABCDEF";
    CString encoded;
    for (int i = 0; i < name.GetLength(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (IsUnreserved(c)) {
            encoded += static_cast<char>(c);
            continue;
        }
        encoded += '%';
        encoded += kHex[c >> 4];
        encoded += kHex[c & 0x0F];
    }
    return encoded;
}

CString FileNameOf(const CString& path) {
    return path.Mid(path.ReverseFind('/') + 1);
}

CString PathWithoutExtension(const CString& path) {
    // A dot in a folder's name does not start an extension.
    const int dot = path.ReverseFind('.');
    return dot < 0 || dot < path.ReverseFind('/') ? path : path.Left(dot);
}
