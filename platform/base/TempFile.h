#pragma once
// Temporary files.

#include "platform/base/WinTypes.h"

// The temporary folder ($TMPDIR, else /tmp) with a trailing '/'. Returns its length; when the buffer of
// bufferLength characters is too small, the length it needs (with the terminator) and the buffer is left
// alone.
DWORD GetTempPath(DWORD bufferLength, LPTSTR buffer);

// A new empty file in the temporary folder, open for reading and writing, that only this handle reaches:
// its name (the prefix and random characters) is removed at once, so the file goes when the handle is
// closed, even when the process dies. INVALID_HANDLE_VALUE when it cannot be made or the prefix holds
// a '/'.
HANDLE CreateDeleteOnCloseTempFile(LPCTSTR prefix);
