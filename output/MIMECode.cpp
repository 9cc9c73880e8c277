#include "output/MIMECode.h"

#include "library/Base64.h"

#include <cstring>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

CString CBase64::Encode(LPCTSTR bytes, int length) {
    if (!bytes || length <= 0)
        return CString();
    return Base64Text(reinterpret_cast<const BYTE*>(bytes), static_cast<std::size_t>(length));
}

int CBase64::Decode(LPCTSTR text, LPTSTR buffer) {
    if (!text || !buffer)
        return 0;
    const std::size_t length = std::strlen(text);
    std::memset(buffer, 0, length + 1);
    unsigned bits = 0;
    int bitCount = 0;
    int written = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '=')
            continue;
        const char* found = std::strchr(kAlphabet, text[i]);
        if (!found || !*found)
            return 0;
        bits = bits << 6 | static_cast<unsigned>(found - kAlphabet);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            buffer[written++] = static_cast<char>(bits >> bitCount & 0xFF);
        }
    }
    return written;
}
