#include "image/WorkBitmap.h"

#include "image/DibExpand.h"
#include "image/PictureInfo.h"
#include "platform/base/AppServices.h"
#include "platform/base/FileApi.h"
#include "platform/base/GlobalMemory.h"

#include <cstring>
#include <memory>

namespace {

// Text-module messages: the picture is compressed, or has 16 bits per pixel, and cannot be taken in.
constexpr UINT kMessageCompressed = 104;
constexpr UINT kMessageSixteenBit = 124;

// Read from the stored header before any check of the picture: a header of 40 bytes or more that the data
// holds names its compression.
bool IsCompressed(DWORD size, const void* data) {
    if (size < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    // A core header has no compression field.
    return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biSize <= size &&
           header.biCompression != BI_RGB;
}

bool IsSixteenBit(const CPictureInfo& picture) {
    return picture.GetHeader()->biBitCount == 16;
}

// The picture at 24 bits per pixel; 1- and 4-bit pictures go through 8 bits, and 16-bit ones keep their
// resolution. Null when the conversion fails.
OwnedPicture MakeTrueColour(OwnedPicture picture) {
    const int bpp = picture->GetHeader()->biBitCount;
    if (bpp == 1 || bpp == 4) {
        picture.reset(ExpandTo8Bit(*picture));
        if (!picture)
            return nullptr;
    }
    if (picture->Is24Bit())
        return picture;
    OwnedPicture converted(picture->ConvertTo24Bit());
    if (converted && bpp == 16) {
        converted->GetHeader()->biXPelsPerMeter = picture->GetHeader()->biXPelsPerMeter;
        converted->GetHeader()->biYPelsPerMeter = picture->GetHeader()->biYPelsPerMeter;
    }
    return converted;
}

} // namespace

CWorkBitmap::CWorkBitmap() : CAdjustImage(true) {}

CWorkBitmap::~CWorkBitmap() = default;

bool CWorkBitmap::SetTo(DWORD size, const void* data) {
    FreeOriginalDib();
    if (!data || size < 1)
        return false;
    if (IsCompressed(size, data)) {
        AppServices().MessageBox(kMessageCompressed);
        return false;
    }
    OwnedPicture picture(new CPictureInfo);
    if (!picture->SetExternalDib(data, size))
        return false;
    picture = MakeTrueColour(std::move(picture));
    if (!picture)
        return false;
    SetOriginalDib(picture.get());
    return true;
}

bool CWorkBitmap::SetFromImage(HGLOBAL block) {
    FreeOriginalDib();
    const bool fromFile = !block;
    OwnedPicture picture(ReadFileToMemory(block));
    if (!picture)
        return false;
    // A 16-bit file stays as read, for SetFromFile to refuse.
    if (!picture->Is24Bit() && !(fromFile && IsSixteenBit(*picture)))
        picture.reset(picture->ConvertTo24Bit());
    if (!picture)
        return false;
    SetOriginalDib(picture.get());
    return true;
}

bool CWorkBitmap::SetFromFile(HGLOBAL block) {
    if (!SetFromImage(block))
        return false;
    if (IsSixteenBit(*GetOriginalDib())) {
        AppServices().MessageBox(kMessageSixteenBit);
        return false;
    }
    ApplyAdjustments(true, true);
    return true;
}

bool CWorkBitmap::SaveAdjusted(const CString& path) {
    return GetAdjustedDib() && GetAdjustedDib()->WriteBmpFile(path);
}

bool CWorkBitmap::SaveOriginal(const CString& path) {
    return GetOriginalDib() && GetOriginalDib()->WriteBmpFile(path);
}

HGLOBAL CWorkBitmap::ReadTempFile(DWORD* size) {
    if (size)
        *size = 0;
    const HANDLE file = GetTempFile();
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    DWORD high = 0;
    const DWORD fileSize = GetFileSize(file, &high);
    if (fileSize == INVALID_FILE_SIZE || high != 0 || fileSize == 0)
        return nullptr;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return nullptr;
    UniqueGlobal block(GlobalAlloc(GPTR, fileSize));
    if (!block)
        return nullptr;
    {
        const CGlobalLock lock(block.get());
        DWORD filled = 0;
        while (filled < fileSize) {
            DWORD got = 0;
            if (!ReadFile(file, lock.Bytes() + filled, fileSize - filled, &got, nullptr) || got == 0)
                return nullptr;
            filled += got;
        }
    }
    if (size)
        *size = fileSize;
    return block.release();
}
