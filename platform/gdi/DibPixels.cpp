#include "platform/gdi/DibPixels.h"

#include <bit>
#include <cstring>

namespace {

constexpr DWORD kCoreHeaderSize = sizeof(BITMAPCOREHEADER);
constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
// BITMAPV2INFOHEADER and later carry the colour masks inside the header, after the first 40 bytes.
constexpr DWORD kHeaderWithMasksSize = 52;

DWORD ReadDword(const BYTE* p) {
    DWORD value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

} // namespace

DWORD DibPixels::Channel::Expand(DWORD value) const {
    if (width == 0)
        return 0;
    const DWORD v = (value & mask) >> shift;
    if (width >= 8)
        return v >> (width - 8);
    // Replicate the high bits into the low ones, so that the largest value becomes 255.
    DWORD result = v << (8 - width);
    for (int filled = width; filled < 8; filled += width)
        result |= result >> width;
    return result & 0xFF;
}

bool DibPixels::Open(const BITMAPINFO* info, const void* bits, UINT usage,
                     const std::vector<PALETTEENTRY>& palette, int firstScan) {
    if (!info || !bits || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS))
        return false;
    const auto* header = reinterpret_cast<const BYTE*>(info);
    const DWORD headerSize = info->bmiHeader.biSize;
    DWORD compression = BI_RGB;
    DWORD colorsUsed = 0;
    long long width = 0, height = 0;
    bool coreTable = false;
    if (headerSize == kCoreHeaderSize) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(info);
        width = core->bcWidth;
        height = core->bcHeight;
        m_bitCount = core->bcBitCount;
        coreTable = true;
    } else if (headerSize >= kInfoHeaderSize) {
        width = info->bmiHeader.biWidth;
        height = info->bmiHeader.biHeight;
        m_bitCount = info->bmiHeader.biBitCount;
        compression = info->bmiHeader.biCompression;
        colorsUsed = info->bmiHeader.biClrUsed;
    } else {
        return false;
    }
    m_bottomUp = height > 0;
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || width > kMaxDrawnDibSide || height > kMaxDrawnDibSide)
        return false;
    switch (m_bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (compression != BI_RGB)
            return false;
        break;
    case 16:
    case 32:
        if (compression != BI_RGB && compression != BI_BITFIELDS)
            return false;
        break;
    default:
        return false;
    }
    m_width = static_cast<int>(width);
    m_height = static_cast<int>(height);
    m_stride = static_cast<std::ptrdiff_t>(DibRowBytes(width, m_bitCount));
    m_bits = static_cast<const BYTE*>(bits);
    m_firstScan = firstScan;
    std::memset(m_colors, 0, sizeof m_colors);

    const BYTE* table = header + headerSize;
    if (m_bitCount <= 8) {
        const int fullCount = 1 << m_bitCount;
        // Indexes past the table's end read black.
        const int count = colorsUsed && !coreTable && colorsUsed < static_cast<DWORD>(fullCount)
                              ? static_cast<int>(colorsUsed)
                              : fullCount;
        for (int i = 0; i < count; ++i) {
            if (usage == DIB_PAL_COLORS) {
                WORD index;
                std::memcpy(&index, table + 2 * i, sizeof index);
                if (index < palette.size()) {
                    const PALETTEENTRY& e = palette[index];
                    m_colors[i] = (static_cast<DWORD>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
                }
            } else {
                const BYTE* entry = table + (coreTable ? 3 : 4) * i;
                m_colors[i] = (static_cast<DWORD>(entry[2]) << 16) | (entry[1] << 8) | entry[0];
            }
        }
        return true;
    }
    if (m_bitCount == 24)
        return true;
    DWORD masks[3];
    if (compression == BI_BITFIELDS) {
        const BYTE* at = headerSize >= kHeaderWithMasksSize ? header + kInfoHeaderSize : table;
        for (int i = 0; i < 3; ++i)
            masks[i] = ReadDword(at + 4 * i);
    } else if (m_bitCount == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    for (int i = 0; i < 3; ++i) {
        m_channels[i].mask = masks[i];
        m_channels[i].shift = masks[i] ? std::countr_zero(masks[i]) : 0;
        m_channels[i].width = std::popcount(masks[i]);
    }
    return true;
}

const BYTE* DibPixels::RawRow(int y, int* bytesPerPixel) const {
    // 32-bit rows are plain quads only with the standard masks.
    const bool plain = m_bitCount == 24 || (m_bitCount == 32 && m_channels[0].mask == 0xFF0000 &&
                                            m_channels[1].mask == 0xFF00 && m_channels[2].mask == 0xFF);
    *bytesPerPixel = plain ? m_bitCount / 8 : 0;
    return plain ? Row(y) : nullptr;
}

DWORD DibPixels::PixelAt(const BYTE* row, int x) const {
    switch (m_bitCount) {
    case 1:
        return m_colors[(row[x >> 3] >> (7 - (x & 7))) & 1];
    case 4:
        return m_colors[(x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4)];
    case 8:
        return m_colors[row[x]];
    case 24: {
        const BYTE* p = row + 3 * x;
        return p[0] | (p[1] << 8) | (static_cast<DWORD>(p[2]) << 16);
    }
    default: {
        const BYTE* p = row + (m_bitCount / 8) * x;
        const DWORD value = m_bitCount == 16 ? static_cast<DWORD>(p[0] | (p[1] << 8)) : ReadDword(p);
        return (m_channels[0].Expand(value) << 16) | (m_channels[1].Expand(value) << 8) |
               m_channels[2].Expand(value);
    }
    }
}

void DibPixels::FetchRow(int y, int x, int count, DWORD* out) const {
    const BYTE* row = Row(y);
    if (m_bitCount == 24) {
        const BYTE* p = row + 3 * x;
        for (int i = 0; i < count; ++i, p += 3)
            out[i] = p[0] | (p[1] << 8) | (static_cast<DWORD>(p[2]) << 16);
        return;
    }
    for (int i = 0; i < count; ++i)
        out[i] = PixelAt(row, x + i);
}

void DibPixels::Gather(int y, const int* xs, int count, DWORD* out) const {
    const BYTE* row = Row(y);
    if (m_bitCount == 24) {
        for (int i = 0; i < count; ++i) {
            const BYTE* p = row + 3 * xs[i];
            out[i] = p[0] | (p[1] << 8) | (static_cast<DWORD>(p[2]) << 16);
        }
        return;
    }
    for (int i = 0; i < count; ++i)
        out[i] = PixelAt(row, xs[i]);
}
