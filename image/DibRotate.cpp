#include "image/DibRotate.h"

#include "image/DibGeometry.h"
#include "image/DibMemory.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The angle's constant: fixed, so that turned pictures keep their sizes and pixels from release to release.
constexpr double kPi = 3.141592;

struct Turn {
    float cosine;
    float sine;
};

Turn TurnOf(int tenths) {
    const double radians = tenths * kPi / 1800;
    return {static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(static_cast<float>(radians)))};
}

// The new size: the extent of the turned corners (0, 0), (0, h), (w, h) and (w, 0), truncated.
struct Extent {
    int minX = 0, minY = 0, width = 0, height = 0;
};

Extent TurnedExtent(int w, int h, Turn t) {
    const float c = t.cosine, s = t.sine;
    const int xs[] = {0, static_cast<int>(-h * s), static_cast<int>(w * c - h * s), static_cast<int>(w * c)};
    const int ys[] = {0, static_cast<int>(h * c), static_cast<int>(h * c + w * s), static_cast<int>(w * s)};
    const auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));
    return {*minX, *minY, *maxX - *minX, *maxY - *minY};
}

// Quarter turns counter-clockwise (0..3) for angles that are whole multiples of 90 degrees, else -1. The
// general mapping turns pixel corners, not pixel centres, and with the truncated constant it would shift a
// quarter turn by one pixel: a line of fill along one edge and a row of the picture lost at the other.
int QuarterTurns(int tenths) {
    if (tenths % 900 != 0)
        return -1;
    return ((tenths / 900) % 4 + 4) % 4;
}

bool SameColour(const RGBQUAD& entry, COLORREF colour) {
    return entry.rgbRed == GetRValue(colour) && entry.rgbGreen == GetGValue(colour) &&
           entry.rgbBlue == GetBValue(colour);
}

// 16-bit pixels are 5-5-5 unless their colour masks say 5-6-5.
bool Is555(const BITMAPINFOHEADER* h) {
    if (h->biCompression != BI_BITFIELDS)
        return true;
    DWORD redMask;
    std::memcpy(&redMask, reinterpret_cast<const BYTE*>(h) + h->biSize, sizeof redMask);
    return redMask == 0x7C00;
}

COLORREF FillColour(RotationFill fill, COLORREF colour) {
    switch (fill) {
    case RotationFill::White:
        return RGB(255, 255, 255);
    case RotationFill::Black:
        return RGB(0, 0, 0);
    default:
        return colour;
    }
}

// The bytes of a 16-, 24- or 32-bit corner pixel; none for paletted pixels, which start as the fill.
std::vector<BYTE> FillPixel(const BITMAPINFOHEADER* h, COLORREF colour) {
    const BYTE r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    switch (h->biBitCount) {
    case 16: {
        const WORD v = Is555(h) ? static_cast<WORD>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
                                : static_cast<WORD>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
        return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8)};
    }
    case 24:
        return {b, g, r};
    case 32:
        return {b, g, r, 0};
    default:
        return {};
    }
}

// The byte every paletted pixel starts as: the fill's colour-table index (in both halves at 4 bits), 0
// when the table lacks it; at 1 bit all ones for white and all zeros otherwise.
BYTE PalettedFillByte(const BITMAPINFOHEADER* h, COLORREF colour) {
    if (h->biBitCount == 1)
        return colour == RGB(255, 255, 255) ? 0xFF : 0x00;
    const auto* table = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(h));
    const int count = DibNumColors(h);
    for (int i = 0; i < count; ++i) {
        if (SameColour(table[i], colour))
            return static_cast<BYTE>(h->biBitCount == 4 ? i << 4 | i : i);
    }
    return 0;
}

class Rotation {
public:
    Rotation(const BITMAPINFOHEADER* src, Turn turn, int quarters, Extent extent)
        : m_src(src), m_turn(turn), m_quarters(quarters), m_extent(extent), m_bpp(src->biBitCount),
          m_srcStride(DibRowBytes(src->biWidth, m_bpp)), m_dstStride(DibRowBytes(extent.width, m_bpp)),
          m_maskStride(DibRowBytes(extent.width, 1)) {}

    // Writes every row of the new pixels (preset to the fill) and clears the mask bits of source pixels.
    void Run(BYTE* dst, const std::vector<BYTE>& fillPixel, BYTE* mask) const {
        const std::int64_t grain = std::max<std::int64_t>(1, (1 << 16) / m_extent.width);
        ParallelFor(m_extent.height, grain, [&](std::int64_t begin, std::int64_t end) {
            std::vector<int> sx(static_cast<size_t>(m_extent.width)), sy(sx.size());
            for (auto y = static_cast<int>(begin); y < end; ++y) {
                MapRow(y, sx.data(), sy.data());
                CopyRowOfDepth(sx.data(), sy.data(), dst + y * m_dstStride, fillPixel,
                               mask ? mask + y * m_maskStride : nullptr);
            }
        });
    }

private:
    // Source coordinates of every pixel of new row y; both bottom-up like the rows in memory.
    void MapRow(int y, int* sx, int* sy) const {
        if (m_quarters >= 0) {
            MapQuarterRow(y, sx, sy);
            return;
        }
        const float c = m_turn.cosine, s = m_turn.sine;
        const auto yy = static_cast<float>(y + m_extent.minY);
        for (int x = 0; x < m_extent.width; ++x) {
            const auto xx = static_cast<float>(x + m_extent.minX);
            sx[x] = static_cast<int>(xx * c + yy * s);
            sy[x] = static_cast<int>(yy * c - xx * s);
        }
    }

    void MapQuarterRow(int y, int* sx, int* sy) const {
        const int w = m_src->biWidth, h = m_src->biHeight;
        for (int x = 0; x < m_extent.width; ++x) {
            switch (m_quarters) {
            case 0:
                sx[x] = x, sy[x] = y;
                break;
            case 1:
                sx[x] = y, sy[x] = h - 1 - x;
                break;
            case 2:
                sx[x] = w - 1 - x, sy[x] = h - 1 - y;
                break;
            default:
                sx[x] = w - 1 - y, sy[x] = x;
                break;
            }
        }
    }

    template <int Bpp>
    void CopyRow(const int* sx, const int* sy, BYTE* out, const std::vector<BYTE>& fillPixel,
                 BYTE* mask) const {
        const BYTE* bits = DibBitsPtr(m_src);
        const int w = m_src->biWidth, h = m_src->biHeight;
        constexpr int kBytes = Bpp / 8;
        for (int x = 0; x < m_extent.width; ++x) {
            if (sx[x] < 0 || sx[x] >= w || sy[x] < 0 || sy[x] >= h) {
                if constexpr (Bpp >= 16) // paletted pixels are preset to the fill
                    std::memcpy(out + x * kBytes, fillPixel.data(), kBytes);
                continue;
            }
            const BYTE* row = bits + sy[x] * m_srcStride;
            if constexpr (Bpp == 1) {
                const bool set = row[sx[x] >> 3] & (0x80 >> (sx[x] & 7));
                const BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
                out[x >> 3] = static_cast<BYTE>(set ? out[x >> 3] | bit : out[x >> 3] & ~bit);
            } else if constexpr (Bpp == 4) {
                const int nibble = (sx[x] & 1) ? row[sx[x] >> 1] & 0x0F : row[sx[x] >> 1] >> 4;
                BYTE& target = out[x >> 1];
                target =
                    static_cast<BYTE>((x & 1) ? (target & 0xF0) | nibble : (target & 0x0F) | nibble << 4);
            } else {
                std::memcpy(out + x * kBytes, row + sx[x] * kBytes, kBytes);
            }
            if (mask)
                mask[x >> 3] = static_cast<BYTE>(mask[x >> 3] & ~(0x80 >> (x & 7)));
        }
    }

    void CopyRowOfDepth(const int* sx, const int* sy, BYTE* out, const std::vector<BYTE>& fillPixel,
                        BYTE* mask) const {
        switch (m_bpp) {
        case 1:
            return CopyRow<1>(sx, sy, out, fillPixel, mask);
        case 4:
            return CopyRow<4>(sx, sy, out, fillPixel, mask);
        case 8:
            return CopyRow<8>(sx, sy, out, fillPixel, mask);
        case 16:
            return CopyRow<16>(sx, sy, out, fillPixel, mask);
        case 24:
            return CopyRow<24>(sx, sy, out, fillPixel, mask);
        default:
            return CopyRow<32>(sx, sy, out, fillPixel, mask);
        }
    }

    const BITMAPINFOHEADER* m_src;
    Turn m_turn;
    int m_quarters;
    Extent m_extent;
    int m_bpp;
    std::int64_t m_srcStride;
    std::int64_t m_dstStride;
    std::int64_t m_maskStride;
};

bool IsRotatable(const BYTE* dib, std::size_t length) {
    if (!dib || length < sizeof(BITMAPINFOHEADER))
        return false;
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    const int bpp = h->biBitCount;
    if (h->biSize != sizeof(BITMAPINFOHEADER) || h->biWidth <= 0 || h->biHeight <= 0)
        return false;
    if (h->biCompression != BI_RGB && !(h->biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    return DibBitsOffset(h) + DibImageBytes(h->biWidth, h->biHeight, bpp) <=
           static_cast<std::int64_t>(length);
}

} // namespace

RotatedDib RotateDib(const BYTE* dib, std::size_t length, int tenths, RotationFill fill, COLORREF colour) {
    if (!IsRotatable(dib, length))
        return {};
    const auto* src = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    const Turn turn = TurnOf(tenths);
    const int quarters = QuarterTurns(tenths);
    const bool sideways = quarters == 1 || quarters == 3;
    const Extent extent = quarters < 0 ? TurnedExtent(src->biWidth, src->biHeight, turn)
                                       : Extent{0, 0, sideways ? src->biHeight : src->biWidth,
                                                sideways ? src->biWidth : src->biHeight};
    if (!IsPictureSizeAllowed(extent.width, extent.height))
        return {};

    RotatedDib result;
    const std::int64_t prefix = DibBitsOffset(src);
    const std::int64_t image = DibImageBytes(extent.width, extent.height, src->biBitCount);
    result.length = static_cast<DWORD>(prefix + image);
    result.block.reset(new BYTE[result.length]);
    std::memcpy(result.block.get(), dib, static_cast<size_t>(prefix));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(result.block.get());
    header->biWidth = extent.width;
    header->biHeight = extent.height;
    header->biSizeImage = static_cast<DWORD>(image);
    BYTE* bits = result.block.get() + prefix;
    std::memset(bits, src->biBitCount <= 8 ? PalettedFillByte(src, FillColour(fill, colour)) : 0,
                static_cast<size_t>(image));

    BYTE* maskBits = nullptr;
    if (fill != RotationFill::Colour) {
        const std::int64_t maskImage = DibImageBytes(extent.width, extent.height, 1);
        result.maskLength = static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + maskImage);
        result.mask.reset(new BYTE[result.maskLength]);
        BITMAPINFOHEADER maskHeader = *header;
        maskHeader.biBitCount = 1;
        maskHeader.biCompression = BI_RGB;
        maskHeader.biClrUsed = 0;
        maskHeader.biSizeImage = static_cast<DWORD>(maskImage);
        std::memcpy(result.mask.get(), &maskHeader, sizeof maskHeader);
        const RGBQUAD white{255, 255, 255, 0}, black{0, 0, 0, 0};
        auto* table = reinterpret_cast<RGBQUAD*>(result.mask.get() + sizeof maskHeader);
        table[0] = fill == RotationFill::White ? white : black;
        table[1] = fill == RotationFill::White ? black : white;
        maskBits = result.mask.get() + sizeof maskHeader + 2 * sizeof(RGBQUAD);
        std::memset(maskBits, 0xFF, static_cast<size_t>(maskImage));
    }

    Rotation(src, turn, quarters, extent).Run(bits, FillPixel(src, FillColour(fill, colour)), maskBits);
    return result;
}
