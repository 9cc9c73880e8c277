#pragma once
// CZipException: a damaged archive, a checksum mismatch or a failure of zlib, with the archive's path.
// Thrown as a heap pointer like every framework exception; the handler calls Delete().

#include "platform/base/Exception.h"
#include "platform/base/String.h"

class CZipException : public CException {
    DECLARE_DYNAMIC(CZipException)
public:
    enum {
        CauseGeneric = 1,
        CauseStreamEnd,         // zlib Z_STREAM_END where it is not expected
        CauseNeedDictionary,    // zlib Z_NEED_DICT
        CauseErrno,             // zlib Z_ERRNO
        CauseStreamError,       // zlib Z_STREAM_ERROR
        CauseDataError,         // zlib Z_DATA_ERROR: damaged deflate data
        CauseMemoryError,       // zlib Z_MEM_ERROR
        CauseBufferError,       // zlib Z_BUF_ERROR
        CauseVersionError,      // zlib Z_VERSION_ERROR
        CauseCorruptArchive,    // a record that does not match, is missing or is cut short
        CauseChecksumMismatch,  // CRC-32 of a fully read entry differs from its header
        CauseNoVolumeCallback,  // the archive is spread over volumes, which are not read here
        CauseAbortedByCallback, // the volume callback refused
        CauseNotRemovable,      // removable-media volumes on a fixed drive
        CauseTooManyVolumes,    // a volume index of 999 or more
        CauseNameTooLong,       // an entry name longer than 65535 bytes
    };

    // The component's own error numbers; zlib's results share the table with them.
    enum {
        kErrorCorruptArchive = -101,
        kErrorChecksumMismatch = -102,
        kErrorNoVolumeCallback = -103,
        kErrorAbortedByCallback = -104,
        kErrorNotRemovable = -105,
        kErrorTooManyVolumes = -106,
        kErrorNameTooLong = -107,
    };

    explicit CZipException(int cause = CauseGeneric, LPCSTR fileName = nullptr)
        : m_iCause(cause), m_strFileName(fileName) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    // The cause for a zlib result or one of the component's error numbers; CauseGeneric for others.
    static int ErrorToCause(int error);

    int m_iCause;
    CString m_strFileName;
};

// Throws a new CZipException for a zlib result or one of the component's error numbers.
[[noreturn]] void AfxThrowZipException(int error, LPCSTR fileName);
// Lets zlib's Z_OK and Z_NEED_DICT pass and throws the mapped cause for any other result.
void CheckZlibResult(int result, LPCSTR fileName);
