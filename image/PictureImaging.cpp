// The CPictureInfo operations done through the imaging library: resize, crop, rotate with a fill colour,
// and a picture of one colour. The library takes the packed DIB as it is; no BMP file image is built.
#include "image/PictureInfo.h"
#include "platform/imaging/ImagingBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr std::int64_t kFullTurnHundredths = 36000;

// A new picture holding a copy of the library's DIB.
CPictureInfo* PictureOf(const CImagingBitmap& bitmap) {
    const std::vector<BYTE>& dib = bitmap.GetDib();
    auto* picture = new CPictureInfo;
    std::memcpy(picture->Allocate(static_cast<DWORD>(dib.size())), dib.data(), dib.size());
    return picture;
}

// Loads the picture into the library at a depth, runs the operation and hands back the result; null when
// any step fails, memory included.
template <typename Operation>
CPictureInfo* Through(const CPictureInfo& picture, int bitsPerPixel, Operation operation) {
    if (!picture.IsValid())
        return nullptr;
    try {
        CImagingBitmap bitmap;
        if (!bitmap.Load(picture.GetHeader(), picture.GetLength(), bitsPerPixel) || !operation(bitmap))
            return nullptr;
        return PictureOf(bitmap);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

CPictureInfo* CPictureInfo::FromLeadBitmap(const CSize& size, int bitsPerPixel, int flags) const {
    return Through(*this, bitsPerPixel,
                   [&](CImagingBitmap& bitmap) { return bitmap.Resize(size.cx, size.cy, flags); });
}

CPictureInfo* CPictureInfo::CropLead(const CRect& r, int bitsPerPixel) const {
    return Through(*this, bitsPerPixel, [&](CImagingBitmap& bitmap) {
        // Clamped here in 64 bits, so that no edge of a wild rectangle overflows on its way.
        const std::int64_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
        const std::int64_t left = std::max<std::int64_t>(r.left, 0),
                           right = std::min<std::int64_t>(r.right, width);
        const std::int64_t top = std::max<std::int64_t>(r.top, 0),
                           bottom = std::min<std::int64_t>(r.bottom, height);
        if (left >= right || top >= bottom)
            return false;
        // The library counts rows from the bottom, as DIB rows are stored.
        return bitmap.Crop(int(left), int(height - bottom), int(right - left), int(bottom - top));
    });
}

CPictureInfo* CPictureInfo::RotateFilled(int tenths, COLORREF fill, int bitsPerPixel, int flags) const {
    // The library turns clockwise for positive hundredths: the sign is turned so that a positive angle
    // turns anticlockwise like the program's own rotation.
    const int hundredths = static_cast<int>(-10 * std::int64_t{tenths} % kFullTurnHundredths);
    return Through(*this, bitsPerPixel,
                   [&](CImagingBitmap& bitmap) { return bitmap.Rotate(hundredths, flags, fill); });
}

CPictureInfo* CPictureInfo::CreateFilled(const CSize& size, COLORREF colour, int bitsPerPixel) {
    try {
        CImagingBitmap bitmap;
        if (!bitmap.Create(size.cx, size.cy, bitsPerPixel))
            return nullptr;
        bitmap.Fill(colour);
        return PictureOf(bitmap);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
