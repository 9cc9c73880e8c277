// BMP files as device bitmaps, read from a file or from an entry of an open zip archive.
// The bitmap's code lives in this plug-in: it must be deleted while the plug-in is loaded.

#include "codecs/CodecPictures.h"
#include "image/CodecExports.h"
#include "image/DibGeometry.h"
#include "image/PictureInfo.h"
#include "library/zip/ZipArchive.h"
#include "platform/gdi/Bitmap.h"

#include <memory>

namespace {

// A true-colour bitmap holding the picture, whatever its depth: the colour table maps the pixels.
CBitmap* DeviceBitmapOf(const CPictureInfo& picture) {
    const BITMAPINFOHEADER* header = picture.GetHeader();
    HBITMAP handle = CreateDIBitmap(nullptr, header, CBM_INIT, DibBitsPtr(header),
                                    reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    if (!handle)
        return nullptr;
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->Attach(handle)) {
        DeleteObject(handle);
        return nullptr;
    }
    return bitmap.release();
}

} // namespace

CBitmap* MyLoadBitmapFile(const char* path) {
    return Guarded<CBitmap*>(nullptr, [&]() -> CBitmap* {
        CPictureInfo picture;
        // The reader insists on "BM" and on a size field equal to the file's size.
        if (!path || !picture.ReadBmpFile(path))
            return nullptr;
        return DeviceBitmapOf(picture);
    });
}

CBitmap* MyLoadBitmapZip(const char* entryPath, CZipArchive& archive) {
    return Guarded<CBitmap*>(nullptr, [&]() -> CBitmap* {
        if (!entryPath || archive.IsClosed())
            return nullptr;
        const int index = archive.FindFile(entryPath);
        if (index < 0)
            return nullptr;
        DWORD size = 0;
        const UniqueGlobal file(archive.ExtractToMemory(static_cast<WORD>(index), size));
        CPictureInfo picture;
        if (!file || !picture.FromBmpHGlobal(file.get(), size))
            return nullptr;
        return DeviceBitmapOf(picture);
    });
}
