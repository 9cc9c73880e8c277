// Metafile handles over the WMF player.

#include "platform/gdi/meta/EnhMetaFile.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/meta/WmfPlayer.h"

#include <vector>

struct EnhMetaFileRecord {
    std::vector<BYTE> wmf;
    RECT window{};
};

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* bits, HDC, const RECT* window) {
    if (!bits || !IsWmfBody(std::span<const BYTE>(bits, size)))
        return nullptr;
    const std::span<const BYTE> body(bits, size);
    RECT area = WmfWindowOf(body);
    if (area.right == area.left || area.bottom == area.top) {
        if (!window)
            return nullptr;
        area = *window;
    }
    if (area.right == area.left || area.bottom == area.top)
        return nullptr;
    return new EnhMetaFileRecord{std::vector<BYTE>(bits, bits + size), area};
}

HENHMETAFILE GetEnhMetaFile(LPCTSTR) {
    return nullptr;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* frame) {
    CDC* context = CDC::FromHandle(dc);
    if (!context || !metafile || !frame)
        return FALSE;
    return PlayWmf(*context, metafile->wmf, metafile->window, *frame);
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
    delete metafile;
    return metafile != nullptr;
}
