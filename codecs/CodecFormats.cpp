#include "codecs/CodecFormats.h"

const CodecFormat* FindCodecFormat(const std::vector<CodecFormat>& list, const CString& extension) {
    for (const CodecFormat& format : list) {
        if (extension.CompareNoCase(format.extension) == 0)
            return &format;
    }
    return nullptr;
}

CString CodecExtensionOf(const CString& path) {
    const int dot = path.ReverseFind('.');
    return dot < 0 ? CString() : path.Mid(dot + 1);
}
