#include "output/MailEncoding.h"

#include "library/Base64.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace mail {
namespace {

constexpr char kSpecials[] = "()<>[]:;@\\,.\"";
constexpr char kHexDigits[] = "0123456789ABCDEF";
// An encoded word may be 75 characters long; "=?UTF-8?B?" and "?=" take 12 of them, and 60 Base64
// characters carry 45 bytes.
constexpr int kBytesPerEncodedWord = 45;
// Quoted-printable lines are at most 76 characters, the soft break's "=" included.
constexpr int kQuotedPrintableLine = 76;

bool IsPlainAscii(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80 || byte < 0x20 || byte == 0x7F)
            return false;
    }
    return true;
}

// The length of the UTF-8 sequence that starts with lead (1 for a stray byte).
int SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

CString EncodedWords(const CString& text) {
    CString words;
    const std::string& bytes = text.str();
    std::size_t start = 0;
    while (start < bytes.size()) {
        // A word never splits a character.
        std::size_t end = start;
        while (end < bytes.size()) {
            const auto length =
                static_cast<std::size_t>(SequenceLength(static_cast<unsigned char>(bytes[end])));
            if (end + length - start > static_cast<std::size_t>(kBytesPerEncodedWord))
                break;
            end += length;
        }
        if (end == start)
            end = std::min(bytes.size(), start + 1);
        if (!words.IsEmpty())
            words += "\r\n ";
        words += "=?UTF-8?B?" + Base64Text(reinterpret_cast<const BYTE*>(bytes.data()) + start, end - start) +
                 "?=";
        start = end;
    }
    return words;
}

CString Quoted(const CString& text) {
    CString quoted = "\"";
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '"' || text[i] == '\\')
            quoted += '\\';
        quoted += text[i];
    }
    return quoted + "\"";
}

} // namespace

CString OneLine(const CString& text) {
    CString line = text;
    line.Replace('\r', ' ');
    line.Replace('\n', ' ');
    return line;
}

CString EncodeDisplayName(const CString& name) {
    CString line = OneLine(name);
    line.Trim();
    if (!IsPlainAscii(line))
        return EncodedWords(line);
    return line.FindOneOf(kSpecials) < 0 ? line : Quoted(line);
}

CString FormatMailbox(const CString& name, const CString& address) {
    const CString display = EncodeDisplayName(name);
    return display.IsEmpty() ? "<" + address + ">" : display + " <" + address + ">";
}

CString HeaderLine(const char* field, const CString& text) {
    const CString value = OneLine(text);
    const CString line = CString(field) + ": " + value;
    if (IsPlainAscii(value) && line.GetLength() <= kMaxLineLength)
        return line;
    return CString(field) + ": " + EncodedWords(value);
}

CString AddressLine(const char* field, const std::vector<CString>& mailboxes) {
    CString oneLine = CString(field) + ": ";
    CString folded = oneLine;
    for (std::size_t i = 0; i < mailboxes.size(); ++i) {
        oneLine += (i ? ", " : "") + mailboxes[i];
        folded += (i ? ",\r\n " : "") + mailboxes[i];
    }
    return oneLine.GetLength() <= kMaxLineLength ? oneLine : folded;
}

CString FileNameParameter(const char* parameter, const CString& fileName) {
    const CString name = OneLine(fileName);
    if (!IsPlainAscii(name)) {
        CString encoded = CString(parameter) + "*=UTF-8''";
        for (int i = 0; i < name.GetLength(); ++i) {
            const auto byte = static_cast<unsigned char>(name[i]);
            if (std::isalnum(byte) || std::strchr("!#$&+-.^_`|~", byte)) {
                encoded += static_cast<char>(byte);
            } else {
                encoded += '%';
                encoded += kHexDigits[byte >> 4];
                encoded += kHexDigits[byte & 15];
            }
        }
        return encoded;
    }
    if (name.FindOneOf(" ()<>[]:;@\\,\"/?=") >= 0)
        return CString(parameter) + "=" + Quoted(name);
    return CString(parameter) + "=" + name;
}

bool NeedsQuotedPrintable(const CString& text) {
    int lineLength = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80)
            return true;
        lineLength = byte == '\n' ? 0 : lineLength + 1;
        if (lineLength > kMaxLineLength + 1)
            return true;
    }
    return false;
}

CString EncodeQuotedPrintable(const CString& text) {
    std::string encoded;
    std::string line;
    auto flushLine = [&](bool hardBreak) {
        // A blank at the end of a line would be lost on the way.
        if (hardBreak && !line.empty() && (line.back() == ' ' || line.back() == '\t')) {
            const auto byte = static_cast<unsigned char>(line.back());
            line.pop_back();
            line += '=';
            line += kHexDigits[byte >> 4];
            line += kHexDigits[byte & 15];
        }
        encoded += line;
        encoded += hardBreak ? "\r\n" : "=\r\n";
        line.clear();
    };
    const std::string& bytes = text.str();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            flushLine(true);
            ++i;
            continue;
        }
        std::string piece;
        if ((byte >= 33 && byte <= 126 && byte != '=') || byte == ' ' || byte == '\t') {
            piece = static_cast<char>(byte);
        } else {
            piece = {'=', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
        }
        if (line.size() + piece.size() > static_cast<std::size_t>(kQuotedPrintableLine - 1))
            flushLine(false);
        line += piece;
    }
    if (!line.empty())
        flushLine(true);
    return CString(encoded);
}

CString FormatDate(std::time_t time) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    localtime_r(&time, &local);
    const long offsetMinutes = local.tm_gmtoff / 60;
    const long absolute = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    CString date;
    date.Format("%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[local.tm_wday], local.tm_mday,
                kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec,
                offsetMinutes < 0 ? '-' : '+', absolute / 60, absolute % 60);
    return date;
}

} // namespace mail
