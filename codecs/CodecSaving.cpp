#include "codecs/CodecSaving.h"

#include "codecs/CodecFormats.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/imaging/ImagingFile.h"

#include <cstring>
#include <vector>

bool BitmapFromPicture(const CPictureInfo& picture, CImagingBitmap& bitmap) {
    return picture.IsValid() && bitmap.Load(picture.GetHeader(), picture.GetLength(), 0);
}

int SavePictureFile(const CPictureInfo& picture, const CString& path, int bitsPerPixel, int quality) {
    const CodecFormat* format = FindCodecFormat(ThisCodec().save, CodecExtensionOf(path));
    if (!format)
        return -1;
    CImagingBitmap bitmap;
    if (!BitmapFromPicture(picture, bitmap))
        return kImagingErrorInvalid;
    return SaveImagingFile(path, bitmap, format->formatCode, bitsPerPixel, quality);
}

bool SavePictureInMemory(const CPictureInfo& picture, const CString& extension, int bitsPerPixel, int quality,
                         void*& data, DWORD& size) {
    const CodecFormat* format = FindCodecFormat(ThisCodec().save, extension);
    CImagingBitmap bitmap;
    if (!format || !BitmapFromPicture(picture, bitmap))
        return false;
    std::vector<BYTE> file;
    if (SaveImagingMemory(file, bitmap, format->formatCode, bitsPerPixel, quality) != kImagingSuccess)
        return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, file.size());
    if (!block)
        return false;
    std::memcpy(CGlobalLock(block).Bytes(), file.data(), file.size());
    data = block;
    size = static_cast<DWORD>(file.size());
    return true;
}
