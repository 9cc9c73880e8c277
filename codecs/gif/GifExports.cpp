// The loading exports of codecgif, over the program's own GIF reader instead of the imaging library.

#include "codecs/CodecPictures.h"
#include "codecs/PictureHelper.h"
#include "image/CodecExports.h"
#include "image/ConversionSurface.h"
#include "image/DibPalette.h"
#include "image/ImageGIF.h"
#include "image/ImagePalette.h"
#include "image/PictureInfo.h"
#include "platform/base/Geometry.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int kUnknownColours = -1;

// The file's first image as a picture whose colour table holds the colours (a palette-less image takes
// the system's default palette, black past its entries); null when the file does not read.
std::unique_ptr<CPictureInfo> ReadGifPicture(const CString& path) {
    CImageGIF image;
    if (!image.Read(path) || image.GetWidth() <= 0 || image.GetHeight() <= 0)
        return nullptr;
    BITMAPINFOHEADER* header = image.GetInfo();
    const CImagePalette* palette = image.GetPalette();
    FillDibColorTable(header, palette ? palette->GetSafeHandle() : nullptr, DIB_RGB_COLORS);
    // The reader made the block in the program's own form: it needs no gate, only a copy.
    const std::size_t length = header->biSize + header->biSizeImage + 4 * header->biClrUsed;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[length]);
    if (!block)
        return nullptr;
    std::memcpy(block.get(), header, length);
    auto picture = std::make_unique<CPictureInfo>();
    picture->Attach(block.release(), static_cast<DWORD>(length));
    return picture;
}

} // namespace

bool LoadLibraries() {
    return true;
}

CPictureInfo* LoadFile(const CString& path, int, CPictureInfo*&) {
    return Guarded<CPictureInfo*>(nullptr, [&] { return ReadGifPicture(path).release(); });
}

CPictureInfo* LoadFileAs(const CString&, const CString&, int, CPictureInfo*&) {
    return nullptr;
}

CPictureInfo* LoadFromMemory(void*, DWORD, const CString&, CPictureInfo*&) {
    return nullptr;
}

int SaveFile(const CPictureInfo* picture, const CString&, int, int) {
    return picture ? -1 : 0;
}

bool SaveFileInMemory(const CPictureInfo*, const CString&, int, int, void*&, DWORD&) {
    return false;
}

// The picture fitted into size, centred on the background; the flags are not used.
CPictureInfo* CreateThumbnailForFile(const CString& path, const CSize& size, COLORREF background, int, int) {
    return Guarded<CPictureInfo*>(nullptr, [&]() -> CPictureInfo* {
        const std::unique_ptr<CPictureInfo> picture = ReadGifPicture(path);
        if (!picture)
            return nullptr;
        const CPictureHelper helper(*picture);
        const double scale = std::min(static_cast<double>(size.cx) / helper.GetWidth(),
                                      static_cast<double>(size.cy) / helper.GetHeight());
        const int drawnWidth = static_cast<int>(helper.GetWidth() * scale);
        const int drawnHeight = static_cast<int>(scale * helper.GetHeight());
        CConversionSurface surface(size.cx, size.cy);
        if (!surface.IsReady())
            return nullptr;
        surface.Fill(background);
        const CRect place((size.cx - drawnWidth) / 2, (size.cy - drawnHeight) / 2, (size.cx + drawnWidth) / 2,
                          (size.cy + drawnHeight) / 2);
        helper.Draw(&surface.Dc(), place, SRCCOPY);
        return surface.TakePicture();
    });
}

int CountColorsUsedFile(const CString&) {
    return kUnknownColours;
}

int CountColorsUsedMemory(void*, DWORD, const CString&) {
    return kUnknownColours;
}
