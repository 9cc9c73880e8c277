// Dropped files as a CF_HDROP block.

#include "platform/ui/OleDataObject.h"

#include <algorithm>
#include <cstring>

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format, const FORMATETC*) const {
    return format == CF_HDROP && !m_files.empty();
}

BOOL COleDataObject::GetData(CLIPFORMAT format, STGMEDIUM* medium, const FORMATETC*) const {
    if (!medium || !IsDataAvailable(format))
        return FALSE;
    SIZE_T size = sizeof(DROPFILES) + 1;
    for (const CString& file : m_files)
        size += static_cast<SIZE_T>(file.GetLength()) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    if (!bytes)
        return FALSE;
    DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, FALSE};
    std::memcpy(bytes, &header, sizeof(header));
    SIZE_T at = sizeof(DROPFILES);
    for (const CString& file : m_files) {
        std::memcpy(bytes + at, file.GetString(), static_cast<size_t>(file.GetLength()));
        at += static_cast<SIZE_T>(file.GetLength()) + 1;
    }
    GlobalUnlock(block);
    *medium = STGMEDIUM{TYMED_HGLOBAL, block, nullptr};
    return TRUE;
}

void ReleaseStgMedium(STGMEDIUM* medium) {
    if (!medium || !medium->hGlobal)
        return;
    GlobalFree(medium->hGlobal);
    medium->hGlobal = nullptr;
}

UINT DragQueryFile(HDROP drop, UINT index, LPTSTR buffer, UINT size) {
    auto block = static_cast<HGLOBAL>(drop);
    const SIZE_T length = GlobalSize(block);
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    if (!bytes || length < sizeof(DROPFILES))
        return 0;
    DROPFILES header;
    std::memcpy(&header, bytes, sizeof(header));
    UINT result = 0;
    UINT count = 0;
    // Walks the zero-ended paths, never beyond the block.
    for (SIZE_T at = header.pFiles; at < length && bytes[at] != 0; ++count) {
        const auto* end = static_cast<const BYTE*>(std::memchr(bytes + at, 0, length - at));
        if (!end)
            break;
        const auto pathLength = static_cast<UINT>(end - (bytes + at));
        if (count == index) {
            result = pathLength;
            if (buffer && size > 0) {
                result = std::min(pathLength, size - 1);
                std::memcpy(buffer, bytes + at, result);
                buffer[result] = 0;
            }
            break;
        }
        at += pathLength + 1;
    }
    GlobalUnlock(block);
    return index == 0xFFFFFFFF ? count : result;
}
