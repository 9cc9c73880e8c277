// The DIB image class: creation, pixel access, palettes and drawing.

#include "image/ImageImpl.h"

#include "image/DibGeometry.h"
#include "image/DibMemory.h"
#include "image/DibPalette.h"
#include "image/ImagePalette.h"
#include "platform/base/GlobalMemory.h"
#include "platform/gdi/Dc.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kMaxPaletteEntries = 256;

} // namespace

// A rectangle of a transfer as origin and size.
struct CImageImpl::Area {
    int x, y, width, height;
};

CImageImpl::CImageImpl() = default;

CImageImpl::~CImageImpl() {
    FreeDib();
}

void CImageImpl::FreeDib() {
    if (m_info) {
        HGLOBAL block = GlobalHandle(m_info);
        GlobalUnlock(block);
        GlobalFree(block);
    }
    m_info = nullptr;
    m_bits = nullptr;
    m_palette.reset();
}

bool CImageImpl::IsInside(int x, int y) const {
    return x >= 0 && x < m_width && y >= 0 && y < m_height;
}

bool CImageImpl::Create(int width, int height, int bitsPerPixel, int mode) {
    FreeDib();
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_mode = mode >= 0 ? mode : bitsPerPixel <= 8 ? 0 : 2;
    m_info = CreateBlankDib(bitsPerPixel, width, height);
    if (!m_info) {
        m_width = m_height = m_bitsPerPixel = m_stride = 0;
        return false;
    }
    m_bits = DibBitsPtr(m_info);
    m_stride = ((width * bitsPerPixel + 31) / 32) * 4;
    return true;
}

BYTE* CImageImpl::PixelAddress(int x, int y) const {
    return m_bits + static_cast<std::ptrdiff_t>(m_stride) * y +
           (static_cast<std::ptrdiff_t>(x) * m_bitsPerPixel) / 8;
}

int CImageImpl::GetPixelIndex(int x, int y) const {
    if (!m_bits || !IsInside(x, y) || m_bitsPerPixel != 8)
        return -1;
    return *PixelAddress(x, y);
}

bool CImageImpl::GetPixelColor(int x, int y, BYTE& red, BYTE& green, BYTE& blue) const {
    if (!m_bits || !IsInside(x, y))
        return false;
    if (m_palette)
        return m_bitsPerPixel == 8 && m_palette->GetEntry(*PixelAddress(x, y), red, green, blue);
    if (m_bitsPerPixel != 24)
        return false;
    const BYTE* pixel = PixelAddress(x, y);
    blue = pixel[0];
    green = pixel[1];
    red = pixel[2];
    return true;
}

bool CImageImpl::SetPixelIndex(int x, int y, int index) {
    if (!m_bits || !IsInside(x, y) || m_bitsPerPixel != 8)
        return false;
    *PixelAddress(x, y) = static_cast<BYTE>(index);
    return true;
}

bool CImageImpl::SetPixelColor(int x, int y, BYTE red, BYTE green, BYTE blue) {
    if (!m_bits || !IsInside(x, y))
        return false;
    if (m_mode & kModeIndexed) {
        if (!m_palette || m_bitsPerPixel != 8)
            return false;
        *PixelAddress(x, y) = static_cast<BYTE>(m_palette->GetNearestIndex(red, green, blue));
        return true;
    }
    if (m_bitsPerPixel != 24)
        return false;
    BYTE* pixel = PixelAddress(x, y);
    pixel[0] = blue;
    pixel[1] = green;
    pixel[2] = red;
    return true;
}

bool CImageImpl::Read(const CString&) {
    return false;
}

bool CImageImpl::Write(const CString&) {
    return false;
}

bool CImageImpl::AttachPalette(std::unique_ptr<CImagePalette> palette) {
    if (!palette || !palette->GetSafeHandle())
        return false;
    m_palette = std::move(palette);
    m_mode |= kModePalette;
    FillDibColorTable(m_info, m_palette->GetSafeHandle(), DIB_PAL_COLORS);
    return true;
}

bool CImageImpl::SetPalette(CImagePalette* palette) {
    return AttachPalette(std::unique_ptr<CImagePalette>(palette));
}

bool CImageImpl::SetPalette(int count, const BYTE* red, const BYTE* green, const BYTE* blue) {
    if (!green)
        green = red;
    if (!blue)
        blue = green;
    return AttachPalette(std::make_unique<CImagePalette>(count, red, green, blue));
}

bool CImageImpl::SetPaletteFromTriples(int count, const BYTE* rgb) {
    if (!rgb || count < 1 || count > kMaxPaletteEntries)
        return false;
    BYTE red[kMaxPaletteEntries], green[kMaxPaletteEntries], blue[kMaxPaletteEntries];
    for (int i = 0; i < count; ++i) {
        red[i] = rgb[3 * i];
        green[i] = rgb[3 * i + 1];
        blue[i] = rgb[3 * i + 2];
    }
    return SetPalette(count, red, green, blue);
}

bool CImageImpl::SetPaletteFromQuads(int count, const RGBQUAD* quads) {
    if (!quads || count < 1 || count > kMaxPaletteEntries)
        return false;
    BYTE red[kMaxPaletteEntries], green[kMaxPaletteEntries], blue[kMaxPaletteEntries];
    for (int i = 0; i < count; ++i) {
        red[i] = quads[i].rgbRed;
        green[i] = quads[i].rgbGreen;
        blue[i] = quads[i].rgbBlue;
    }
    return SetPalette(count, red, green, blue);
}

UINT CImageImpl::ColourUsage() const {
    return m_palette ? DIB_PAL_COLORS : DIB_RGB_COLORS;
}

bool CImageImpl::Draw(CDC* dc, int x, int y, int width, int height, int srcX, int srcY) {
    if (!m_info || !dc)
        return false;
    dc->RealizePalette();
    if (width == -1)
        width = m_width;
    if (height == -1)
        height = m_height;
    SetDIBitsToDevice(dc->GetSafeHdc(), x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), srcX,
                      srcY, 0, static_cast<UINT>(m_height), m_bits,
                      reinterpret_cast<const BITMAPINFO*>(m_info), ColourUsage());
    return true;
}

bool CImageImpl::StretchOnce(CDC* dc, const Area& dest, const Area& source, DWORD rop) {
    return StretchDIBits(dc->GetSafeHdc(), dest.x, dest.y, dest.width, dest.height, source.x, source.y,
                         source.width, source.height, m_bits, reinterpret_cast<const BITMAPINFO*>(m_info),
                         ColourUsage(), rop) != GDI_ERROR;
}

// Clears the destination where the picture is opaque (AND with black there, white elsewhere), then paints
// the opaque pixels into it (OR with black at the transparent ones).
void CImageImpl::StretchMasked(CDC* dc, const Area& dest, const Area& source) {
    const std::size_t bytes = static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(m_height);
    const std::vector<BYTE> indices(m_bits, m_bits + bytes);
    const BYTE black = static_cast<BYTE>(m_palette->GetNearestIndex(0, 0, 0));
    const BYTE white = static_cast<BYTE>(m_palette->GetNearestIndex(255, 255, 255));
    const BYTE transparent = static_cast<BYTE>(m_transparentIndex);
    for (std::size_t i = 0; i < bytes; ++i)
        m_bits[i] = indices[i] == transparent ? white : black;
    StretchOnce(dc, dest, source, SRCAND);
    for (std::size_t i = 0; i < bytes; ++i)
        m_bits[i] = indices[i] == transparent ? black : indices[i];
    StretchOnce(dc, dest, source, SRCPAINT);
    std::memcpy(m_bits, indices.data(), bytes);
}

bool CImageImpl::StretchDraw(CDC* dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                             int srcHeight) {
    if (!m_info || !dc)
        return false;
    if (width == -1)
        width = m_width;
    if (height == -1)
        height = m_height;
    if (srcWidth == -1)
        srcWidth = m_width - srcX;
    if (srcHeight == -1)
        srcHeight = m_height - srcY;
    dc->RealizePalette();
    const int oldMode = dc->SetStretchBltMode(COLORONCOLOR);
    const Area dest{x, y, width, height};
    const Area source{srcX, srcY, srcWidth, srcHeight};
    if (m_transparentIndex >= 0 && m_palette && m_bitsPerPixel == 8)
        StretchMasked(dc, dest, source);
    else
        StretchOnce(dc, dest, source, SRCCOPY);
    dc->SetStretchBltMode(oldMode);
    return true;
}

void CImageImpl::TakeOver(CImageImpl& other) {
    if (&other == this)
        return;
    FreeDib();
    m_bits = other.m_bits;
    m_width = other.m_width;
    m_height = other.m_height;
    m_bitsPerPixel = other.m_bitsPerPixel;
    m_mode = other.m_mode;
    m_stride = other.m_stride;
    m_info = other.m_info;
    m_transparentIndex = other.m_transparentIndex;
    m_palette = std::move(other.m_palette);
    other.m_info = nullptr;
    other.m_bits = nullptr;
}
