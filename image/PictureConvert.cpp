#include "image/ConversionSurface.h"
#include "image/DibConvert.h"
#include "image/DibGeometry.h"
#include "image/PictureInfo.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The picture stretched onto a new 24-bit surface of the given size.
CPictureInfo* StretchOntoSurface(const CPictureInfo& picture, int width, int height) {
    CConversionSurface surface(width, height);
    if (!surface.IsReady())
        return nullptr;
    StretchWholeDib(&surface.Dc(), CRect(0, 0, width, height), picture.GetHeader(), SRCCOPY);
    return surface.TakePicture();
}

bool IsPlain24Bit(const CPictureInfo& picture) {
    const BITMAPINFOHEADER* h = picture.GetHeader();
    return h->biBitCount == 24 && h->biCompression == BI_RGB &&
           DibBitsOffset(h) == sizeof(BITMAPINFOHEADER) && h->biHeight > 0 &&
           DibBitsOffset(h) + DibImageBytes(h->biWidth, h->biHeight, 24) <=
               static_cast<std::int64_t>(picture.GetLength());
}

} // namespace

CPictureInfo* CPictureInfo::ConvertTo24Bit() const {
    if (!IsValid())
        return nullptr;
    if (Is24Bit())
        return Clone();
    return StretchOntoSurface(*this, GetWidth(), GetHeight());
}

CPictureInfo* CPictureInfo::CopyTo24Bit() const {
    if (!IsValid())
        return nullptr;
    return StretchOntoSurface(*this, GetWidth(), GetHeight());
}

CPictureInfo* CPictureInfo::ScaleTo24Bit(const CRect& size) const {
    return ScaleTo24Bit(size.Width(), size.Height());
}

CPictureInfo* CPictureInfo::ScaleTo24Bit(int width, int height) const {
    if (!IsValid())
        return nullptr;
    return StretchOntoSurface(*this, width, height);
}

CPictureInfo* CPictureInfo::Crop24(const CRect& r) const {
    if (!IsValid() || !IsPlain24Bit(*this))
        return nullptr;
    CRect inside;
    if (!inside.IntersectRect(r, CRect(0, 0, GetWidth(), GetHeight())))
        return nullptr;
    const std::int64_t sourceStride = DibRowBytes(GetWidth(), 24);
    const std::int64_t stride = DibRowBytes(inside.Width(), 24);
    auto* cut = new CPictureInfo;
    BYTE* block = cut->Allocate(static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + stride * inside.Height()));
    const BITMAPINFOHEADER header = Dib24Header(inside.Width(), inside.Height());
    std::memcpy(block, &header, sizeof header);
    // Bottom row first: picture row (height - bottom) counted from the bottom.
    const BYTE* from = GetBits() + (GetHeight() - inside.bottom) * sourceStride + inside.left * 3;
    BYTE* to = block + sizeof header;
    for (int y = 0; y < inside.Height(); ++y, from += sourceStride, to += stride)
        std::memcpy(to, from, static_cast<size_t>(inside.Width()) * 3);
    return cut;
}

HGLOBAL CPictureInfo::ScaleToFitHGlobal(const CRect& bounds, int a, int b) const {
    if (!IsValid() || GetWidth() <= 0 || GetHeight() <= 0)
        return nullptr;
    float f = std::min(static_cast<float>(bounds.Width()) / static_cast<float>(GetWidth()),
                       static_cast<float>(bounds.Height()) / static_cast<float>(GetHeight()));
    f = std::min(f, 1.0f);
    const auto width = static_cast<int>(static_cast<float>(GetWidth()) * f);
    const auto height = static_cast<int>(static_cast<float>(GetHeight()) * f);
    const ADJUST neutral;
    return ConvertDib(GetHeader(), 0, height, CRect(0, 0, GetWidth(), GetHeight()), width, height, &neutral,
                      2, 1, static_cast<COLORREF>(a), static_cast<COLORREF>(b));
}

void CPictureInfo::SwapRedBlue() {
    if (!IsValid() || !IsPlain24Bit(*this))
        return;
    const std::int64_t stride = DibRowBytes(GetWidth(), 24);
    for (int y = 0; y < GetHeight(); ++y) {
        BYTE* pixel = GetBits() + y * stride;
        for (int x = 0; x < GetWidth(); ++x, pixel += 3)
            std::swap(pixel[0], pixel[2]);
    }
}

CPictureInfo* CPictureInfo::Merge(const CPictureInfo* other) const {
    if (!IsValid() || !other || !other->IsValid() || !IsPlain24Bit(*this))
        return nullptr;
    const std::unique_ptr<CPictureInfo> scaled(other->ScaleTo24Bit(GetWidth(), GetHeight()));
    if (!scaled)
        return nullptr;
    CPictureInfo* result = Clone();
    const std::int64_t stride = DibRowBytes(GetWidth(), 24);
    for (int y = 0; y < GetHeight(); ++y) {
        BYTE* a = result->GetBits() + y * stride;
        const BYTE* b = scaled->GetBits() + y * stride;
        for (int i = 0; i < GetWidth() * 3; ++i)
            a[i] = static_cast<BYTE>(std::clamp(a[i] + b[i] - 127, 0, 255));
    }
    return result;
}
