#pragma once
// One entry of a zip archive: the fields of its central directory header (APPNOTE.TXT 4.3.12), the
// name as the program holds it, and the writing and checking of its local header (4.3.7).

#include "library/zip/ZipByteBuffer.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <ctime>
#include <string>
#include <string_view>

class CZipEntryHeader {
public:
    static constexpr DWORD kCentralSignature = 0x02014B50; // "PK\1\2"
    static constexpr DWORD kLocalSignature = 0x04034B50;   // "PK\3\4"
    static constexpr DWORD kCentralSize = 46;              // fixed part, before name, extra field, comment
    static constexpr DWORD kLocalSize = 30;                // fixed part, before name and extra field
    static constexpr WORD kVersion = 20;                   // 2.0: deflate and folders
    static constexpr WORD kFlagDataDescriptor = 0x0008;    // CRC and sizes follow the data
    static constexpr WORD kMethodStored = 0;
    static constexpr WORD kMethodDeflated = 8;
    static constexpr DWORD kAttributeDirectory = 0x10;
    static constexpr DWORD kAttributeArchive = 0x20;

    virtual ~CZipEntryHeader() = default;

    // Reads the central header at the start of bytes; false when the signature does not match or the
    // header with its name, extra field and comment does not fit into the bytes. used gets its length.
    bool ReadCentral(const BYTE* bytes, size_t available, size_t& used);
    void WriteCentral(std::string& out) const;
    // The local header of this entry, carrying the given extra field.
    void WriteLocal(std::string& out, const CZipByteBuffer& localExtra) const;
    // Whether the fixed part of a local header agrees with this central header in signature, method and
    // name length. Gives the local extra field's length and the flags.
    bool MatchesLocal(const BYTE* local, WORD& extraLength, WORD& localFlags) const;
    // Without a data descriptor, whether the local CRC and sizes are this header's; sizes escaped to
    // 0xFFFFFFFF are read from the local Zip64 block, as streaming tools write them.
    bool MatchesLocalSizes(const BYTE* local, std::string_view localExtra) const;
    DWORD GetCentralSize() const;
    // Fields that hold the Zip64 escape values, which this component does not read (APPNOTE.TXT 4.4.8).
    bool UsesZip64() const;

    // The name as the program holds it; setting it makes the stored form and the UTF-8 flag.
    const CString& GetFileName() const { return m_fileName; }
    void SetFileName(const CString& name);
    const std::string& GetStoredName() const { return m_storedName; }
    // A folder by its DOS attribute, by a name ending in "/", or, for entries made on Unix, by the folder
    // type in the upper half of the attributes (bsdtar sets no DOS bits).
    bool IsDirectory() const;
    // Modification time as local time (DOS date and time fields).
    void SetTime(std::time_t time);
    std::time_t GetTime() const;

    WORD m_versionMadeBy = kVersion;
    WORD m_versionNeeded = kVersion;
    WORD m_flags = 0;
    WORD m_method = kMethodDeflated;
    WORD m_modTime = 0;
    WORD m_modDate = 0;
    DWORD m_crc32 = 0;
    DWORD m_compressedSize = 0;
    DWORD m_uncompressedSize = 0;
    WORD m_diskStart = 0;
    WORD m_internalAttributes = 0;
    DWORD m_externalAttributes = kAttributeArchive;
    DWORD m_localHeaderOffset = 0; // relative to the start of the archive proper
    CZipByteBuffer m_extraField;
    std::string m_comment;

private:
    CString m_fileName;
    std::string m_storedName;
};
