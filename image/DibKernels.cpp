#include "image/DibKernels.h"

#include "platform/base/Parallel.h"

#include <algorithm>
#include <cstring>

namespace {

// Rows per thread worth starting one for: about a quarter of a megapixel.
std::int64_t RowGrain(int width) {
    return std::max<std::int64_t>(1, (1 << 18) / std::max(1, width));
}

// Calls perRow(destination row, source row it takes its pixels from) for every row of the band, spread
// over the cores.
template <typename PerRow>
void ForEachBandRow(const StretchBand& band, PerRow perRow) {
    ParallelFor(band.rowCount, RowGrain(band.dst.Width()), [&](std::int64_t begin, std::int64_t end) {
        for (auto k = static_cast<int>(begin); k < end; ++k) {
            const int y = band.firstRow + k;
            perRow(band.dst.Row(k), band.src.Row(band.map.rows[static_cast<size_t>(y)]));
        }
    });
}

template <int Bits>
int IndexAt(const BYTE* row, int x) {
    if constexpr (Bits == 8)
        return row[x];
    else if constexpr (Bits == 4)
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    else
        return (row[x >> 3] >> (7 - (x & 7))) & 0x01;
}

// Calls the kernel with the source's index width fixed at compile time.
template <typename Kernel>
void WithIndexBits(int bitCount, Kernel kernel) {
    switch (bitCount) {
    case 1:
        kernel(std::integral_constant<int, 1>{});
        break;
    case 4:
        kernel(std::integral_constant<int, 4>{});
        break;
    default:
        kernel(std::integral_constant<int, 8>{});
        break;
    }
}

template <typename Kernel>
void WithPixelBytes(int bitCount, Kernel kernel) {
    if (bitCount == 32)
        kernel(std::integral_constant<int, 4>{});
    else
        kernel(std::integral_constant<int, 3>{});
}

// A lookup that leaves indexes as they are.
struct Unmapped {
    BYTE operator[](int index) const { return static_cast<BYTE>(index); }
};

template <typename Lookup>
void StretchIndexesThrough(const StretchBand& band, const Lookup& lookup) {
    const int* columns = band.map.columns.data();
    const int width = band.dst.Width();
    WithIndexBits(band.src.BitCount(), [&](auto bits) {
        ForEachBandRow(band, [&](BYTE* out, const BYTE* in) {
            for (int x = 0; x < width; ++x)
                out[x] = lookup[IndexAt<bits()>(in, columns[x])];
        });
    });
}

// Without a grey part (saturation 1, the usual case) the grey sum is the same for every pixel, so each
// channel depends on itself alone and one lookup per channel does the whole conversion.
bool HasConstantGreySum(const ToneTables& t) {
    for (int i = 0; i < 256; ++i) {
        if (t[1][i] != t[1][0] || t[2][i] != 0.0f || t[3][i] != 0.0f)
            return false;
    }
    return true;
}

// The channel lookup of a conversion with a constant grey sum.
void SeparableChannels(const ToneTables& t, BYTE (&channel)[256]) {
    for (int i = 0; i < 256; ++i)
        channel[i] = ToByte(t[1][0] + t[2][0] + t[3][0] + t[0][i]);
}

} // namespace

void StretchIndexes(const StretchBand& band) {
    StretchIndexesThrough(band, Unmapped{});
}

void StretchIndexesMapped(const StretchBand& band, const BYTE (&lookup)[256]) {
    StretchIndexesThrough(band, lookup);
}

void StretchIndexesToRgb(const StretchBand& band, const RGBTRIPLE (&colours)[256]) {
    const int* columns = band.map.columns.data();
    const int width = band.dst.Width();
    WithIndexBits(band.src.BitCount(), [&](auto bits) {
        ForEachBandRow(band, [&](BYTE* out, const BYTE* in) {
            for (int x = 0; x < width; ++x, out += 3) {
                const RGBTRIPLE c = colours[IndexAt<bits()>(in, columns[x])];
                out[0] = c.rgbtBlue;
                out[1] = c.rgbtGreen;
                out[2] = c.rgbtRed;
            }
        });
    });
}

void StretchConvertRgb(const StretchBand& band, const ToneTables& tables) {
    const int* columns = band.map.columns.data();
    const int width = band.dst.Width();
    BYTE channel[256];
    const bool separable = HasConstantGreySum(tables);
    if (separable)
        SeparableChannels(tables, channel);
    WithPixelBytes(band.src.BitCount(), [&](auto bytesPerPixel) {
        constexpr int kStep = bytesPerPixel();
        ForEachBandRow(band, [&](BYTE* out, const BYTE* in) {
            if (separable) {
                for (int x = 0; x < width; ++x, out += 3) {
                    const BYTE* p = in + static_cast<std::int64_t>(columns[x]) * kStep;
                    out[0] = channel[p[0]];
                    out[1] = channel[p[1]];
                    out[2] = channel[p[2]];
                }
                return;
            }
            for (int x = 0; x < width; ++x, out += 3) {
                const RGBTRIPLE c = ConvertColorPixel(RgbAt(in, columns[x], kStep), tables);
                out[0] = c.rgbtBlue;
                out[1] = c.rgbtGreen;
                out[2] = c.rgbtRed;
            }
        });
    });
}

void StretchRgbToGrey(const StretchBand& band, const ToneTables& tables) {
    const int* columns = band.map.columns.data();
    const int width = band.dst.Width();
    WithPixelBytes(band.src.BitCount(), [&](auto bytesPerPixel) {
        constexpr int kStep = bytesPerPixel();
        ForEachBandRow(band, [&](BYTE* out, const BYTE* in) {
            for (int x = 0; x < width; ++x)
                out[x] = GreyLevel(RgbAt(in, columns[x], kStep), tables);
        });
    });
}

bool ConvertRgbKeepsColours(const ToneTables& tables) {
    if (!HasConstantGreySum(tables))
        return false;
    BYTE channel[256];
    SeparableChannels(tables, channel);
    for (int i = 0; i < 256; ++i) {
        if (channel[i] != i)
            return false;
    }
    return true;
}
