#include "platform/base/TempFile.h"

#include "platform/base/String.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

CString TempFolder() {
    const char* folder = getenv("TMPDIR");
    CString result = folder && *folder ? CString(folder) : CString("/tmp");
    if (result[result.GetLength() - 1] != '/') {
        result += '/';
    }
    return result;
}

} // namespace

DWORD GetTempPath(DWORD bufferLength, LPTSTR buffer) {
    const CString folder = TempFolder();
    const auto length = static_cast<DWORD>(folder.GetLength());
    if (!buffer || bufferLength <= length) {
        return length + 1;
    }
    std::memcpy(buffer, folder.GetString(), length + 1);
    return length;
}

HANDLE CreateDeleteOnCloseTempFile(LPCTSTR prefix) {
    const CString safePrefix(prefix);
    if (safePrefix.Find('/') >= 0) {
        errno = EINVAL;
        return INVALID_HANDLE_VALUE;
    }
    CString name = TempFolder() + safePrefix + "XXXXXX";
    const int descriptor = mkostemp(name.GetBuffer(), O_CLOEXEC);
    name.ReleaseBuffer();
    if (descriptor < 0) {
        return INVALID_HANDLE_VALUE;
    }
    if (unlink(name) != 0) {
        const int error = errno;
        close(descriptor);
        errno = error;
        return INVALID_HANDLE_VALUE;
    }
    return HandleFromDescriptor(descriptor);
}
