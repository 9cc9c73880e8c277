#pragma once
// CRC-32 of files and texts: the zip and PNG checksum (ISO 3309, reflected polynomial 0xEDB88320).
// Results are Windows error codes, 0 on success.

#include "platform/base/WinTypes.h"

class CCrc32Static {
public:
    virtual ~CCrc32Static() = default;

    static DWORD FileCrcByReadFile(LPCTSTR path, DWORD& crc);
    // Reads in blocks too: a mapping would kill the process when the file is cut short under it.
    static DWORD FileCrcMapped(LPCTSTR path, DWORD& crc);
    static DWORD FileCrcBytewise(LPCTSTR path, DWORD& crc);
    // The CRC over the bytes up to the terminator; 23 (and CRC 0) for a null text.
    static DWORD TextCrc(LPCTSTR text, DWORD& crc);
    // One step on a running (not yet complemented) CRC.
    static void AddByteToCrc(BYTE byte, DWORD& crc);
    // False (and size 0) when the handle's status cannot be read.
    static bool QueryFileSize64(HANDLE file, ULONGLONG& size);
};
