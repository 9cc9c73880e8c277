// A codec plug-in for the library's tests: it opens "bmp" files through the picture type's own reader.
// A file whose name holds "masked" also yields a mask (a copy of the picture), so that tests see the
// callers free it. Thumbnails are the whole picture.

#include "image/CodecExports.h"
#include "image/PictureInfo.h"
#include "platform/base/Geometry.h"
#include "platform/base/Lists.h"

namespace {

CPictureInfo* ReadBmp(const CString& path, CPictureInfo*& mask) {
    auto* picture = new CPictureInfo;
    if (!picture->ReadBmpFile(path)) {
        delete picture;
        return nullptr;
    }
    if (path.Find("masked") >= 0) {
        delete mask;
        mask = picture->Clone();
    }
    return picture;
}

} // namespace

bool LoadLibraries() {
    return true;
}

void GetOpenExtensionsAvailable(CStringList& extensions, CStringList& descriptions) {
    extensions.AddTail("bmp");
    descriptions.AddTail("Windows Bitmap");
}

void GetSaveExtensionsAvailable(CStringList& /*extensions*/, CStringList& /*descriptions*/) {}

CPictureInfo* LoadFile(const CString& path, int /*bitsPerPixel*/, CPictureInfo*& mask) {
    return ReadBmp(path, mask);
}

CPictureInfo* CreateThumbnailForFile(const CString& path, const CSize& /*size*/, COLORREF /*background*/,
                                     int /*forceSize*/, int /*resample*/) {
    CPictureInfo* mask = nullptr;
    CPictureInfo* picture = ReadBmp(path, mask);
    delete mask;
    return picture;
}
