#include "platform/imaging/ImagingBitmap.h"

#include "platform/imaging/BytePixels.h"
#include "platform/imaging/ColourDepth.h"
#include "platform/imaging/DibLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

int CImagingBitmap::GetWidth() const {
    return IsEmpty() ? 0 : Header().biWidth;
}
int CImagingBitmap::GetHeight() const {
    return IsEmpty() ? 0 : Header().biHeight;
}
int CImagingBitmap::GetBitsPerPixel() const {
    return IsEmpty() ? 0 : Header().biBitCount;
}

std::vector<RGBQUAD> CImagingBitmap::Palette() const {
    if (IsEmpty() || Header().biBitCount > 8)
        return {};
    const auto* first = reinterpret_cast<const RGBQUAD*>(m_dib.data() + Header().biSize);
    return {first, first + Header().biClrUsed};
}

bool CImagingBitmap::Load(const BITMAPINFOHEADER* dib, std::size_t length, int bitsPerPixel) {
    DibLayout layout;
    if (length == 0 || !ReadDibLayout(dib, length, layout))
        return false;
    if (bitsPerPixel != 0 && !IsDibDepth(bitsPerPixel))
        return false;
    const int target = bitsPerPixel == 0 ? layout.bitsPerPixel : bitsPerPixel;
    const std::vector<RGBQUAD> palette(layout.palette, layout.palette + layout.paletteEntries);
    const BytePixels pixels = ReadBytePixels(layout);
    m_alpha.clear();
    if (target == layout.bitsPerPixel)
        m_dib = WriteDib(pixels, target, palette);
    else
        m_dib = ReduceFromBgr(ExpandToBgr(pixels, layout.bitsPerPixel, palette), target, nullptr);
    return true;
}

bool CImagingBitmap::Create(int width, int height, int bitsPerPixel) {
    if (!IsDibSizeAllowed(width, height) || !IsDibDepth(bitsPerPixel))
        return false;
    m_alpha.clear();
    m_dib = MakeDib(width, height, bitsPerPixel,
                    bitsPerPixel <= 8 ? StandardPalette(bitsPerPixel) : std::vector<RGBQUAD>{});
    return true;
}

bool CImagingBitmap::Fill(COLORREF colour) {
    if (IsEmpty())
        return false;
    const int bitsPerPixel = GetBitsPerPixel();
    const std::vector<RGBQUAD> palette = Palette();
    BytePixels pixels(GetWidth(), GetHeight(), BytesPerPixelOf(bitsPerPixel));
    BYTE value[4] = {};
    EncodeColour(colour, bitsPerPixel, palette, value);
    for (BYTE *p = pixels.bytes.data(), *end = p + pixels.bytes.size(); p < end; p += pixels.bytesPerPixel)
        std::memcpy(p, value, std::size_t(pixels.bytesPerPixel));
    m_dib = WriteDib(pixels, bitsPerPixel, palette);
    m_alpha.clear();
    return true;
}

bool CImagingBitmap::Crop(int left, int bottom, int width, int height) {
    if (IsEmpty() || width <= 0 || height <= 0)
        return false;
    const std::int64_t x0 = std::max<std::int64_t>(left, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{left} + width, GetWidth());
    const std::int64_t y0 = std::max<std::int64_t>(bottom, 0);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{bottom} + height, GetHeight());
    if (x0 >= x1 || y0 >= y1)
        return false;

    DibLayout layout;
    ReadDibLayout(&Header(), m_dib.size(), layout);
    const BytePixels pixels = ReadBytePixels(layout);
    BytePixels cut(int(x1 - x0), int(y1 - y0), pixels.bytesPerPixel);
    for (int y = 0; y < cut.height; ++y)
        std::memcpy(cut.Row(y), pixels.Row(int(y0) + y) + x0 * pixels.bytesPerPixel,
                    std::size_t(cut.RowBytes()));
    m_dib = WriteDib(cut, layout.bitsPerPixel, Palette());
    m_alpha.clear();
    return true;
}
