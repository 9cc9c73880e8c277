#pragma once
// Blocks of a zip extra field (APPNOTE.TXT 4.5.1): a 2-byte tag, a 2-byte data size, the data.

#include "platform/base/WinTypes.h"

#include <optional>
#include <string>
#include <string_view>

// Zip64 extended information (4.5.3); in a local header it holds the uncompressed and the compressed size.
inline constexpr WORD kZip64ExtraTag = 0x0001;
// Info-ZIP Unicode path (4.6.9): version byte, CRC-32 of the stored name, the name in UTF-8.
inline constexpr WORD kUnicodePathTag = 0x7075;

// The data of the first block with the tag; nullopt when there is none before the field ends or a block
// claims more bytes than are left.
std::optional<std::string_view> FindZipExtraBlock(std::string_view extra, WORD tag);

// The sizes in a local header's Zip64 block, which holds both (4.5.3).
struct ZipSizes {
    ULONGLONG compressed = 0;
    ULONGLONG uncompressed = 0;
};
std::optional<ZipSizes> LocalZip64Sizes(std::string_view extra);

// Appends a block; false (and nothing appended) when the data or the whole field would exceed 65535 bytes.
bool AppendZipExtraBlock(std::string& extra, WORD tag, std::string_view data);
