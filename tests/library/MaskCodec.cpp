// A codec plug-in for the resource kinds' tests. Every format it opens is read as a BMP file, so tests
// write their pictures as BMP under any extension. "wmf" stands in for the metafile plug-in: beside the
// picture it returns a 1x1 mask whose red value is the bits per pixel asked for, so a test sees both
// that the mask came from the metafile and at which depth it was loaded.

#include "image/CodecExports.h"
#include "image/PictureInfo.h"
#include "platform/base/Lists.h"
#include "tests/image/DibFixtures.h"

#include <memory>
#include <vector>

namespace {

constexpr const char* kExtensions[] = {"bmp", "png", "jpg", "wmf"};

CPictureInfo* ReadBmp(const CString& path) {
    auto picture = std::make_unique<CPictureInfo>();
    return picture->ReadBmpFile(path) ? picture.release() : nullptr;
}

CPictureInfo* DepthMarker(int bitsPerPixel) {
    const std::vector<BYTE> dib = BuildDib({.bits = Rows24({{DWORD(bitsPerPixel) << 16}})});
    auto* picture = new CPictureInfo;
    picture->SetExternalDib(dib.data(), dib.size());
    return picture;
}

} // namespace

bool LoadLibraries() {
    return true;
}

void GetOpenExtensionsAvailable(CStringList& extensions, CStringList& descriptions) {
    for (const char* extension : kExtensions) {
        extensions.AddTail(extension);
        descriptions.AddTail(CString("Test ") + extension);
    }
}

void GetSaveExtensionsAvailable(CStringList&, CStringList&) {}

CPictureInfo* LoadFile(const CString& path, int bitsPerPixel, CPictureInfo*& mask) {
    CPictureInfo* picture = ReadBmp(path);
    if (picture != nullptr && path.Right(4).CompareNoCase(".wmf") == 0) {
        delete mask;
        mask = DepthMarker(bitsPerPixel);
    }
    return picture;
}

CPictureInfo* LoadFileAs(const CString& path, const CString&, int, CPictureInfo*&) {
    return ReadBmp(path);
}
