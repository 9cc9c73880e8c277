#include "platform/xml/XmlCharset.h"

#include "platform/base/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// The XML declaration comes first and is short; looking further would only read document content.
constexpr size_t kDeclarationSearchLength = 1024;

bool IsUtf8Name(const CString& charset) {
    return charset.CompareNoCase("UTF-8") == 0 || charset.CompareNoCase("UTF8") == 0;
}

// Charsets whose documents are not ASCII-compatible: the parser reads those bytes itself.
bool IsWideCharsetName(const CString& charset) {
    CString upper = charset;
    upper.MakeUpper();
    return upper.Find("UTF-16") == 0 || upper.Find("UTF16") == 0 || upper.Find("UCS-2") == 0 ||
           upper.Find("UCS2") == 0 || upper.Find("UTF-32") == 0 || upper.Find("UTF32") == 0 ||
           upper.Find("UCS-4") == 0 || upper.Find("UCS4") == 0;
}

bool IsXmlBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

bool IsEncodingNameChar(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '.' ||
           ch == '_' || ch == '-';
}

// The encoding pseudo-attribute of the XML declaration (XML 1.0, production EncodingDecl), or "".
CString DeclaredEncoding(std::string_view text) {
    if (text.size() < 6 || !text.starts_with("<?xml") || !IsXmlBlank(text[5]))
        return {};
    const size_t end = text.substr(0, kDeclarationSearchLength).find("?>");
    if (end == std::string_view::npos)
        return {};
    const std::string_view declaration = text.substr(5, end - 5);
    for (size_t at = declaration.find("encoding"); at != std::string_view::npos;
         at = declaration.find("encoding", at + 1)) {
        if (!IsXmlBlank(declaration[at - 1]))
            continue;
        size_t p = at + 8;
        while (p < declaration.size() && IsXmlBlank(declaration[p]))
            ++p;
        if (p >= declaration.size() || declaration[p] != '=')
            continue;
        ++p;
        while (p < declaration.size() && IsXmlBlank(declaration[p]))
            ++p;
        if (p >= declaration.size() || (declaration[p] != '"' && declaration[p] != '\''))
            return {};
        const size_t close = declaration.find(declaration[p], p + 1);
        if (close == std::string_view::npos)
            return {};
        const std::string_view name = declaration.substr(p + 1, close - p - 1);
        if (name.empty() || !std::all_of(name.begin(), name.end(), IsEncodingNameChar))
            return {};
        return CString(name);
    }
    return {};
}

class CIconv {
public:
    CIconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~CIconv() {
        if (IsOpen())
            iconv_close(m_handle);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool IsOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t Handle() const { return m_handle; }

private:
    iconv_t m_handle;
};

// Converts to UTF-8; each byte the charset cannot read becomes the Windows-1252 character of that byte.
std::string ConvertWithFallback(CIconv& converter, std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char chunk[4096];
    while (inLeft > 0) {
        char* o = chunk;
        size_t outLeft = sizeof chunk;
        const size_t result = iconv(converter.Handle(), &in, &inLeft, &o, &outLeft);
        const int error = errno;
        out.append(chunk, static_cast<size_t>(o - chunk));
        if (result != static_cast<size_t>(-1))
            break;
        if (error == E2BIG)
            continue;
        // EILSEQ, or EINVAL for a sequence cut short at the end.
        out += Windows1252ToUtf8(std::string_view(in, 1));
        ++in;
        --inLeft;
        iconv(converter.Handle(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

} // namespace

XmlDecodedText DecodeXmlBytes(std::string_view bytes) {
    // UTF-16 and UTF-32 byte-order marks, and a first character "<" encoded in more than one byte.
    if (bytes.starts_with("\xFE\xFF") || bytes.starts_with("\xFF\xFE") ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)) ||
        (bytes.size() >= 2 && (bytes[0] == '\0' || bytes[1] == '\0')))
        return {};

    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
        return {.decoded = true, .text = Utf8WithWindows1252Fallback(bytes), .charset = "UTF-8"};
    }
    const CString declared = DeclaredEncoding(bytes);
    if (declared.IsEmpty() || IsUtf8Name(declared)) {
        return {.decoded = true,
                .text = Utf8WithWindows1252Fallback(bytes),
                .charset = declared.IsEmpty() ? CString("UTF-8") : declared};
    }
    if (IsWideCharsetName(declared))
        return {};
    CIconv converter("UTF-8", declared);
    if (!converter.IsOpen())
        return {};
    return {.decoded = true, .text = ConvertWithFallback(converter, bytes), .charset = declared};
}

std::string ToXmlText(std::string_view text) {
    const std::string utf8 = StoredTextToUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(utf8[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
            continue;
        // U+FFFE and U+FFFF are not characters of XML either.
        if (byte == 0xEF && utf8.compare(i + 1, 2, "\xBF\xBE") == 0) {
            i += 2;
            continue;
        }
        if (byte == 0xEF && utf8.compare(i + 1, 2, "\xBF\xBF") == 0) {
            i += 2;
            continue;
        }
        out += utf8[i];
    }
    return out;
}

bool IsWritableCharset(const CString& charset) {
    if (charset.IsEmpty())
        return false;
    const CIconv converter(charset, "UTF-8");
    return converter.IsOpen();
}

bool EncodeXmlText(std::string_view utf8, const CString& charset, std::string& out) {
    out.clear();
    if (IsUtf8Name(charset)) {
        out = utf8;
        return true;
    }
    CIconv converter(charset, "UTF-8");
    if (!converter.IsOpen())
        return false;
    out.reserve(utf8.size());
    char* in = const_cast<char*>(utf8.data());
    const char* end = utf8.data() + utf8.size();
    char chunk[4096];
    while (in < end) {
        size_t inLeft = static_cast<size_t>(end - in);
        char* o = chunk;
        size_t outLeft = sizeof chunk;
        const size_t result = iconv(converter.Handle(), &in, &inLeft, &o, &outLeft);
        const int error = errno;
        out.append(chunk, static_cast<size_t>(o - chunk));
        if (result != static_cast<size_t>(-1) || error == E2BIG)
            continue;
        if (error != EILSEQ)
            return false;
        // A character the charset lacks: a character reference, which the reader turns back into it.
        const auto* p = reinterpret_cast<const std::uint8_t*>(in);
        const int length = p[0] < 0xE0 ? 2 : p[0] < 0xF0 ? 3 : 4;
        if (p[0] < 0xC2 || end - in < length)
            return false;
        char32_t cp = p[0] & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        for (int i = 1; i < length; ++i)
            cp = (cp << 6) | (p[i] & 0x3F);
        out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
        in += length;
        iconv(converter.Handle(), nullptr, nullptr, nullptr, nullptr);
    }
    char* o = chunk;
    size_t outLeft = sizeof chunk;
    iconv(converter.Handle(), nullptr, nullptr, &o, &outLeft);
    out.append(chunk, static_cast<size_t>(o - chunk));
    return true;
}

bool CanEncode(std::string_view utf8, const CString& charset) {
    if (std::all_of(utf8.begin(), utf8.end(), [](char ch) { return static_cast<std::uint8_t>(ch) < 0x80; }) ||
        IsUtf8Name(charset) || IsWideCharsetName(charset))
        return true;
    CIconv converter(charset, "UTF-8");
    if (!converter.IsOpen())
        return false;
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char chunk[256];
    while (inLeft > 0) {
        char* o = chunk;
        size_t outLeft = sizeof chunk;
        if (iconv(converter.Handle(), &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) &&
            errno != E2BIG)
            return false;
    }
    return true;
}
