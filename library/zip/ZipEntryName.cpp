#include "library/zip/ZipEntryName.h"

#include "platform/base/ByteOrder.h"
#include "platform/base/TextEncoding.h"

#include <algorithm>
#include <optional>
#include <zlib.h>

namespace {

// Info-ZIP Unicode path extra field: version byte, CRC-32 of the stored name, the UTF-8 name.
constexpr WORD kUnicodePathTag = 0x7075;
constexpr BYTE kUnicodePathVersion = 1;
constexpr size_t kUnicodePathHeader = 5;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<BYTE>(ch) < 0x80; });
}

std::string WithSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// The name of a Unicode path field whose checksum matches the stored name (APPNOTE.TXT 4.6.9).
std::optional<std::string> UnicodePathName(std::string_view stored, std::string_view extra) {
    const auto* p = reinterpret_cast<const BYTE*>(extra.data());
    size_t left = extra.size();
    while (left >= 4) {
        const WORD tag = ReadLe16(p);
        const WORD size = ReadLe16(p + 2);
        if (size > left - 4)
            return std::nullopt;
        if (tag == kUnicodePathTag && size >= kUnicodePathHeader && p[4] == kUnicodePathVersion) {
            const uLong storedCrc =
                crc32(0, reinterpret_cast<const Bytef*>(stored.data()), static_cast<uInt>(stored.size()));
            const std::string_view name(reinterpret_cast<const char*>(p + 4 + kUnicodePathHeader),
                                        size - kUnicodePathHeader);
            if (ReadLe32(p + 5) == storedCrc && IsValidUtf8(name))
                return std::string(name);
        }
        p += 4 + size;
        left -= 4 + size;
    }
    return std::nullopt;
}

} // namespace

std::string DecodeZipEntryName(std::string_view stored, WORD flags, std::string_view extraField) {
    if (auto unicode = UnicodePathName(stored, extraField))
        return WithSlashes(std::move(*unicode));
    const bool utf8 = IsValidUtf8(stored) && ((flags & kZipFlagUtf8) != 0 || !IsAscii(stored));
    return WithSlashes(utf8 ? std::string(stored) : Cp850ToUtf8(stored));
}

ZipStoredName EncodeZipEntryName(std::string_view name) {
    std::string utf8 = WithSlashes(StoredTextToUtf8(name));
    // A code page 850 form that happens to be valid UTF-8 would read back as UTF-8: store those as UTF-8.
    if (auto cp850 = Utf8ToCp850(utf8); cp850 && (IsAscii(*cp850) || !IsValidUtf8(*cp850)))
        return {std::move(*cp850), 0};
    return {std::move(utf8), kZipFlagUtf8};
}
