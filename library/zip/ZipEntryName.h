#pragma once
// Entry names as stored in zip records and as the program holds them (UTF-8, "/" between folders).

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>

// General-purpose flag bit 11: the stored name and comment are UTF-8 (APPNOTE.TXT 4.4.4).
inline constexpr WORD kZipFlagUtf8 = 0x0800;

struct ZipStoredName {
    std::string bytes;
    WORD flags = 0; // kZipFlagUtf8 or 0
};

// The name as the program holds it. A name flagged as UTF-8 is UTF-8; an unflagged name that is valid
// UTF-8 and not plain ASCII is UTF-8 too (Info-ZIP on Linux writes such names without the flag); anything
// else is code page 850. An Info-ZIP Unicode path extra field whose checksum matches the stored name wins.
// "\" written by old Windows tools becomes "/".
std::string DecodeZipEntryName(std::string_view stored, WORD flags, std::string_view extraField);

// The stored form of a name: code page 850 when every character fits, else UTF-8 with flag bit 11.
// "\" becomes "/". Text that is not UTF-8 is taken as Windows-1252, as the program reads stored strings.
ZipStoredName EncodeZipEntryName(std::string_view name);

// The data of the Info-ZIP Unicode path block that gives tools without code page 850 the name: version 1,
// the CRC-32 of the stored name, the name in UTF-8. Empty for a plain ASCII name, which needs none.
std::string UnicodePathData(std::string_view stored, std::string_view name);
