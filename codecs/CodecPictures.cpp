#include "codecs/CodecPictures.h"

#include "image/PictureInfo.h"
#include "platform/imaging/ImagingFile.h"

#include <memory>

CPictureInfo* PictureFromBitmap(const CImagingBitmap& bitmap) {
    const std::vector<BYTE>& dib = bitmap.GetDib();
    auto picture = std::make_unique<CPictureInfo>();
    if (!picture->SetExternalDib(dib.data(), dib.size()))
        return nullptr;
    return picture.release();
}

CPictureInfo* PictureFromBlock(std::unique_ptr<BYTE[]> dib, std::size_t size) {
    auto picture = std::make_unique<CPictureInfo>();
    if (!picture->TakeExternalDib(std::move(dib), size))
        return nullptr;
    return picture.release();
}

void TakeMask(CImagingBitmap& bitmap, bool whiten, CPictureInfo*& mask) {
    CImagingBitmap maskBitmap;
    if (!bitmap.GetMask(maskBitmap))
        return;
    if (whiten && !bitmap.WhitenMasked(maskBitmap))
        return;
    CPictureInfo* picture = PictureFromBitmap(maskBitmap);
    if (!picture)
        return;
    delete mask;
    mask = picture;
}

int QualityForLevel(int level, int startValue, bool hasQuality) {
    if (!hasQuality)
        return startValue;
    switch (level) {
    case 0: // print, simple
    case 4: // web, medium
        return 50;
    case 1: // print, medium
        return 25;
    case 2: // print, high
    case 5: // web, high
        return kQualityBest;
    case 3: // web, simple
        return 150;
    default:
        return startValue;
    }
}
