// The exports of codecwmf: metafiles played into pictures at most 800 pixels on their larger side, with
// a mask of what they paint; saving through the imaging library.

#include "codecs/CodecFormats.h"
#include "codecs/CodecPictures.h"
#include "codecs/CodecSaving.h"
#include "codecs/wmf/Metafile.h"
#include "image/CodecExports.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/imaging/ImagingFile.h"

#include <algorithm>
#include <cstring>

namespace {

// Pictures are played so that their larger side is at most this many pixels.
constexpr double kPixelsPerSide = 800.0;

// The open entry for extension whose file the imaging library recognises: its size, or false.
bool MetafileSize(const CString& path, const CString& extension, int& width, int& height) {
    ImagingFileInfo info;
    if (!FindCodecFormat(ThisCodec().open, extension) || !ReadImagingFileInfo(path, info) ||
        info.format != kFormatMetafile || info.width <= 0 || info.height <= 0)
        return false;
    width = info.width;
    height = info.height;
    return true;
}

RECT PlayRect(int width, int height) {
    double scale = std::max(width / kPixelsPerSide, height / kPixelsPerSide);
    if (scale < 1)
        scale = 1;
    return RECT{0, 0, static_cast<LONG>(width / scale), static_cast<LONG>(height / scale)};
}

CPictureInfo* Load(const CString& path, const CString& extension, bool mask, CPictureInfo*& second) {
    int width = 0, height = 0;
    if (!MetafileSize(path, extension, width, height))
        return nullptr;
    const CMetafile metafile(path);
    if (!metafile.IsOpen())
        return nullptr;
    const RECT rect = PlayRect(width, height);
    // The caller's earlier picture stays the caller's to delete.
    second = mask ? metafile.RenderMask(rect) : metafile.Render(rect, RGB(0, 0, 0));
    return metafile.Render(rect, RGB(255, 255, 255));
}

} // namespace

bool LoadLibraries() {
    return true;
}

CPictureInfo* LoadFile(const CString& path, int, CPictureInfo*& mask) {
    return Guarded<CPictureInfo*>(nullptr, [&] { return Load(path, CodecExtensionOf(path), true, mask); });
}

CPictureInfo* LoadFileAs(const CString& path, const CString& asExtension, int, CPictureInfo*& mask) {
    return Guarded<CPictureInfo*>(nullptr, [&] { return Load(path, asExtension, false, mask); });
}

// A metafile in memory plays at its own size on white, without a mask.
CPictureInfo* LoadFromMemory(void* data, DWORD size, const CString& extension, CPictureInfo*&) {
    return Guarded<CPictureInfo*>(nullptr, [&]() -> CPictureInfo* {
        if (!data || !FindCodecFormat(ThisCodec().open, extension))
            return nullptr;
        const CMemoryFile file(data, size);
        ImagingFileInfo info;
        if (!file.Bytes() || !ReadImagingMemoryInfo(file.Bytes(), file.Size(), info) ||
            info.format != kFormatMetafile)
            return nullptr;
        CMetafile metafile;
        if (!metafile.OpenMemory(std::span<const BYTE>(file.Bytes(), file.Size())))
            return nullptr;
        return metafile.Render(RECT{0, 0, info.width, info.height}, RGB(255, 255, 255));
    });
}

int SaveFile(const CPictureInfo* picture, const CString& path, int bitsPerPixel, int quality) {
    if (!picture)
        return -1;
    return Guarded(kImagingErrorMemory,
                   [&] { return SavePictureFile(*picture, path, bitsPerPixel, quality); });
}

bool SaveFileInMemory(const CPictureInfo* picture, const CString& extension, int bitsPerPixel, int quality,
                      void*& data, DWORD& size) {
    return Guarded(false, [&] {
        return picture && SavePictureInMemory(*picture, extension, bitsPerPixel, quality, data, size);
    });
}

// The metafile fitted into size and centred on the background; the flags are not used.
CPictureInfo* CreateThumbnailForFile(const CString& path, const CSize& size, COLORREF background, int, int) {
    return Guarded<CPictureInfo*>(nullptr, [&]() -> CPictureInfo* {
        int width = 0, height = 0;
        if (!MetafileSize(path, CodecExtensionOf(path), width, height))
            return nullptr;
        const double scale = std::min(double(size.cx) / width, double(size.cy) / height);
        const RECT play{static_cast<LONG>((size.cx - width * scale) * 0.5),
                        static_cast<LONG>((size.cy - height * scale) * 0.5),
                        static_cast<LONG>((size.cx + width * scale) * 0.5),
                        static_cast<LONG>((size.cy + height * scale) * 0.5)};
        const CMetafile metafile(path);
        return metafile.RenderInto(RECT{0, 0, size.cx, size.cy}, play, background);
    });
}
