#include "platform/base/TextEncoding.h"

#include <cstdint>

namespace {

// Unicode code points of the bytes 0x80-0x9F in Windows-1252.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Unicode code points of the bytes 0x80-0xFF in code page 850; 0x00-0x7F are ASCII.
constexpr char16_t kCp850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
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

// The code point of the well-formed sequence of length bytes at p.
char32_t CodePointAt(const std::uint8_t* p, int length) {
    if (length == 1)
        return *p;
    char32_t cp = *p & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        cp = (cp << 6) | (p[i] & 0x3F);
    return cp;
}

// UTF-8 text in a single-byte code page whose bytes below 0x80 are ASCII; byteOf gives the byte of any
// other code point, or a negative value when the code page has none.
template <typename ByteOf>
std::optional<std::string> Utf8ToSingleByte(std::string_view utf8, ByteOf byteOf) {
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto* end = p + utf8.size();
    while (p < end) {
        const int length = Utf8SequenceLength(p, end);
        if (length == 0)
            return std::nullopt;
        const char32_t cp = CodePointAt(p, length);
        p += length;
        const int byte = cp < 0x80 ? static_cast<int>(cp) : byteOf(cp);
        if (byte < 0)
            return std::nullopt;
        out += static_cast<char>(byte);
    }
    return out;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
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

std::string Cp850ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        AppendUtf8(out, b >= 0x80 ? kCp850High[b - 0x80] : char32_t{b});
    }
    return out;
}

std::optional<std::string> Utf8ToCp850(std::string_view utf8) {
    return Utf8ToSingleByte(utf8, [](char32_t cp) {
        for (int byte = 0; byte < 128; ++byte) {
            if (kCp850High[byte] == cp)
                return 0x80 + byte;
        }
        return -1;
    });
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
    return Utf8ToSingleByte(utf8, [](char32_t cp) {
        for (int byte = 0; byte < 32; ++byte) {
            if (kWindows1252High[byte] == cp)
                return 0x80 + byte;
        }
        // 0xA0-0xFF are Latin-1; the code points 0x80-0x9F other than the five C1 controls above are
        // not in the code page.
        return cp >= 0xA0 && cp <= 0xFF ? static_cast<int>(cp) : -1;
    });
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto* end = p + utf8.size();
    while (p < end) {
        const int length = Utf8SequenceLength(p, end);
        const char32_t cp = length > 0 ? CodePointAt(p, length) : kReplacementCharacter;
        p += length > 0 ? length : 1;
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (size_t i = 0; i < utf16.size(); ++i) {
        const char32_t unit = utf16[i];
        if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (utf16[++i] - 0xDC00));
        } else {
            AppendUtf8(out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacementCharacter : unit);
        }
    }
    return out;
}
