#include "platform/base/TextEncoding.h"

#include <cstdint>

namespace {

// Unicode code points of the bytes 0x80-0x9F in Windows-1252.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at p (1 to 4), or 0 when the bytes there are not one.
int Utf8SequenceLength(const std::uint8_t* p, const std::uint8_t* end) {
    const std::uint8_t lead = *p;
    if (lead < 0x80)
        return 1;
    int extra;
    char32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (end - p <= extra)
        return 0;
    for (int i = 1; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return extra + 1;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const int length = Utf8SequenceLength(p, end);
        if (length == 0)
            return false;
        p += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string StoredTextToUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string Utf8WithWindows1252Fallback(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto* end = begin + bytes.size();
    for (const auto* p = begin; p < end;) {
        const int length = Utf8SequenceLength(p, end);
        if (length > 0) {
            out.append(reinterpret_cast<const char*>(p), static_cast<size_t>(length));
            p += length;
        } else {
            out += Windows1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), 1));
            ++p;
        }
    }
    return out;
}
