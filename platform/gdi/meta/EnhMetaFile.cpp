// Metafile handles: WMF bytes played by our player, EMF files drawn through SVG.

#include "platform/gdi/meta/EnhMetaFile.h"

#include "platform/base/Exception.h"
#include "platform/base/File.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/meta/EmfPlayer.h"
#include "platform/gdi/meta/WmfPlayer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace {

// No metafile the program draws is larger; anything beyond is not read.
constexpr std::uint64_t kMaxEmfBytes = std::uint64_t{1} << 30;

} // namespace

// One of the two: WMF bytes with their logical window, or an EMF picture.
struct EnhMetaFileRecord {
    std::vector<BYTE> wmf;
    RECT window{};
    std::unique_ptr<EmfPicture> emf;
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
    return new EnhMetaFileRecord{std::vector<BYTE>(bits, bits + size), area, nullptr};
}

HENHMETAFILE GetEnhMetaFile(LPCTSTR path) {
    std::vector<BYTE> file;
    try {
        CFile input;
        if (!input.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
            return nullptr;
        const std::uint64_t length = input.GetLength();
        if (length > kMaxEmfBytes)
            return nullptr;
        file.resize(static_cast<std::size_t>(length));
        if (input.Read(file.data(), static_cast<UINT>(file.size())) != file.size())
            return nullptr;
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
    return SetEnhMetaFileBits(static_cast<UINT>(file.size()), file.data());
}

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* bits) {
    if (!bits)
        return nullptr;
    std::unique_ptr<EmfPicture> picture = EmfPicture::FromFile(std::span<const BYTE>(bits, size));
    if (!picture)
        return nullptr;
    return new EnhMetaFileRecord{{}, {}, std::move(picture)};
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* frame) {
    CDC* context = CDC::FromHandle(dc);
    if (!context || !metafile || !frame)
        return FALSE;
    if (metafile->emf)
        return metafile->emf->Play(*context, *frame);
    return PlayWmf(*context, metafile->wmf, metafile->window, *frame);
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
    delete metafile;
    return metafile != nullptr;
}
