#include "image/ColorCube.h"

#include <algorithm>
#include <vector>

namespace {

// The error diffusion of one channel: the error handed down each column and the carry along the row.
class ChannelDiffusion {
public:
    ChannelDiffusion(int levels, int width) : m_levels(levels), m_columnError(static_cast<size_t>(width)) {
        for (int level = 0; level < levels; ++level)
            m_value[level] = level * 255 / (levels - 1);
    }

    void StartRow() { m_carry = 0; }

    int Level(int value, int x) {
        int& below = m_columnError[static_cast<size_t>(x)];
        int acc = value + m_carry + below;
        // Below 0 gives level 0 and from 255 up the top level: (255 * n) >> 8 is n - 1 for any n <= 256.
        const int level = (std::clamp(acc, 0, 255) * m_levels) >> 8;
        acc -= m_value[level];
        below = acc / 2;
        m_carry = acc - below;
        return level;
    }

private:
    int m_levels;
    int m_carry = 0;
    int m_value[256] = {};
    std::vector<int> m_columnError;
};

class CubeDiffusion {
public:
    CubeDiffusion(CubeLevels levels, int width)
        : m_levels(levels), m_red(levels.red, width), m_green(levels.green, width),
          m_blue(levels.blue, width) {}

    void StartRow() {
        m_red.StartRow();
        m_green.StartRow();
        m_blue.StartRow();
    }

    BYTE Index(RGBTRIPLE c, int x) {
        const int r = m_red.Level(c.rgbtRed, x);
        const int g = m_green.Level(c.rgbtGreen, x);
        const int b = m_blue.Level(c.rgbtBlue, x);
        return static_cast<BYTE>(r + m_levels.red * (g + m_levels.green * b));
    }

private:
    CubeLevels m_levels;
    ChannelDiffusion m_red;
    ChannelDiffusion m_green;
    ChannelDiffusion m_blue;
};

} // namespace

bool CubeLevels::IsUsable() const {
    const auto usable = [](int n) { return n >= 2 && n <= 256; };
    return usable(red) && usable(green) && usable(blue) && Count() <= 256;
}

void BuildColorCubePalette(RGBQUAD* table, int nr, int ng, int nb) {
    if (!CubeLevels{nr, ng, nb}.IsUsable())
        return;
    for (int b = 0; b < nb; ++b) {
        for (int g = 0; g < ng; ++g) {
            for (int r = 0; r < nr; ++r) {
                table[r + nr * (g + ng * b)] = {static_cast<BYTE>(b * 255 / (nb - 1)),
                                                static_cast<BYTE>(g * 255 / (ng - 1)),
                                                static_cast<BYTE>(r * 255 / (nr - 1)), 0};
            }
        }
    }
}

void DitherToColorCube(const StretchBand& band, const ToneTables* tables, CubeLevels levels) {
    if (!levels.IsUsable())
        return;
    const int width = band.dst.Width();
    const int bytesPerPixel = band.src.BitCount() / 8;
    const int* columns = band.map.columns.data();
    CubeDiffusion diffusion(levels, width);
    for (int k = 0; k < band.rowCount; ++k) {
        const BYTE* in = band.src.Row(band.map.rows[static_cast<size_t>(band.firstRow + k)]);
        BYTE* out = band.dst.Row(k);
        diffusion.StartRow();
        for (int x = 0; x < width; ++x) {
            const RGBTRIPLE c = RgbAt(in, columns[x], bytesPerPixel);
            out[x] = diffusion.Index(tables ? ConvertColorPixel(c, *tables) : c, x);
        }
    }
}

void DiffuseToColorCube(const CDibRows& src, const CDibRows& dst, int rowCount, CubeLevels levels) {
    if (!levels.IsUsable())
        return;
    const int width = dst.Width();
    CubeDiffusion diffusion(levels, width);
    for (int y = 0; y < rowCount; ++y) {
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        diffusion.StartRow();
        for (int x = 0; x < width; ++x)
            out[x] = diffusion.Index(RgbAt(in, x, 3), x);
    }
}
