// CImagingBitmap's transparency: taking it over from a loader, the 1-bit mask, whitening under a mask.
#include "platform/imaging/DepthConversion.h"
#include "platform/imaging/ImagingBitmap.h"

#include <cstdint>
#include <cstring>

namespace {

// Alpha below this is transparent.
constexpr BYTE kOpaqueAlpha = 128;

} // namespace

void CImagingBitmap::Attach(std::vector<BYTE> dib, std::vector<BYTE> alpha) {
    m_dib = std::move(dib);
    m_alpha = std::move(alpha);
}

bool CImagingBitmap::GetMask(CImagingBitmap& mask) const {
    if (IsEmpty() || !HasTransparency())
        return false;
    const int width = GetWidth(), height = GetHeight();
    BytePixels bits(width, height, 1);
    for (std::size_t i = 0; i < bits.bytes.size(); ++i)
        bits.bytes[i] = m_alpha[i] >= kOpaqueAlpha ? 1 : 0;
    mask.Attach(WriteDib(bits, 1, {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}}));
    return true;
}

bool CImagingBitmap::WhitenMasked(const CImagingBitmap& mask) {
    if (IsEmpty() || mask.IsEmpty() || mask.GetWidth() != GetWidth() || mask.GetHeight() != GetHeight())
        return false;
    const BytePixels maskBgr = BgrPixelsOf(mask);
    DibLayout layout;
    ReadDibLayout(&Header(), m_dib.size(), layout);
    BytePixels pixels = ReadBytePixels(layout);
    std::vector<RGBQUAD> palette = Palette();

    // Palette pictures get white from their palette: the nearest entry, or a new one when there is
    // room, so that the AND draw leaves the background untouched.
    BYTE white[4] = {255, 255, 255, 255};
    if (layout.bitsPerPixel <= 8) {
        std::size_t entry = palette.size();
        for (std::size_t i = 0; i < palette.size() && entry == palette.size(); ++i)
            if (palette[i].rgbRed == 255 && palette[i].rgbGreen == 255 && palette[i].rgbBlue == 255)
                entry = i;
        if (entry == palette.size()) {
            if (palette.size() >= (std::size_t{1} << layout.bitsPerPixel))
                return ConvertDepth(24) && WhitenMasked(mask);
            palette.push_back(RGBQUAD{255, 255, 255, 0});
        }
        white[0] = BYTE(entry);
    } else if (layout.bitsPerPixel == 16) {
        white[0] = 0xFF, white[1] = 0x7F; // 5-5-5 white
    }

    for (int y = 0; y < pixels.height; ++y) {
        const BYTE* m = maskBgr.Row(y);
        BYTE* p = pixels.Row(y);
        for (int x = 0; x < pixels.width; ++x, m += 3, p += pixels.bytesPerPixel)
            if (Brightness(m[2], m[1], m[0]) < 128)
                std::memcpy(p, white, std::size_t(pixels.bytesPerPixel == 4 ? 3 : pixels.bytesPerPixel));
    }
    m_dib = WriteDib(pixels, layout.bitsPerPixel, palette);
    return true;
}
