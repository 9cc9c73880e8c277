#include "library/zip/ZipEntryName.h"

#include "library/zip/ZipExtraField.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/TextEncoding.h"

#include <algorithm>
#include <optional>
#include <zlib.h>

namespace {

constexpr BYTE kUnicodePathVersion = 1;
constexpr size_t kUnicodePathHeader = 5;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<BYTE>(ch) < 0x80; });
}

DWORD NameCrc(std::string_view stored) {
    return static_cast<DWORD>(
        crc32(0, reinterpret_cast<const Bytef*>(stored.data()), static_cast<uInt>(stored.size())));
}

std::string WithSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// The name of a Unicode path field whose checksum matches the stored name (APPNOTE.TXT 4.6.9).
std::optional<std::string> UnicodePathName(std::string_view stored, std::string_view extra) {
    const auto block = FindZipExtraBlock(extra, kUnicodePathTag);
    if (!block || block->size() < kUnicodePathHeader || static_cast<BYTE>((*block)[0]) != kUnicodePathVersion)
        return std::nullopt;
    const std::string_view name = block->substr(kUnicodePathHeader);
    if (ReadLe32(reinterpret_cast<const BYTE*>(block->data() + 1)) != NameCrc(stored) || !IsValidUtf8(name))
        return std::nullopt;
    return std::string(name);
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

std::string UnicodePathData(std::string_view stored, std::string_view name) {
    if (IsAscii(stored) && IsAscii(name))
        return {};
    std::string data(1, static_cast<char>(kUnicodePathVersion));
    AppendLe32(data, NameCrc(stored));
    return data += name;
}
