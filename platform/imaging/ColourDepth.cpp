#include "platform/imaging/ColourDepth.h"

#include "platform/base/Parallel.h"
#include "platform/imaging/PaletteQuantizer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr std::int64_t kRowsPerThread = 64;

RGBQUAD Quad(BYTE red, BYTE green, BYTE blue) {
    return RGBQUAD{blue, green, red, 0};
}

DWORD Key(BYTE blue, BYTE green, BYTE red) {
    return DWORD(blue) | DWORD(green) << 8 | DWORD(red) << 16;
}

int Distance(const RGBQUAD& entry, int blue, int green, int red) {
    const int db = entry.rgbBlue - blue, dg = entry.rgbGreen - green, dr = entry.rgbRed - red;
    // Weighted roughly by how strongly the eye sees each primary.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

// The first palette entry nearest to a colour: a colour of the palette finds its own first entry.
BYTE NearestEntry(const std::vector<RGBQUAD>& palette, int blue, int green, int red) {
    int best = 0;
    int bestDistance = Distance(palette[0], blue, green, red);
    for (std::size_t i = 1; i < palette.size() && bestDistance != 0; ++i) {
        const int d = Distance(palette[i], blue, green, red);
        if (d < bestDistance)
            best = int(i), bestDistance = d;
    }
    return BYTE(best);
}

// NearestEntry for many pixels: palette colours through a small hash, anything else through a table
// over 5 bits per channel that is filled as colours come up.
class PaletteMatcher {
public:
    explicit PaletteMatcher(const std::vector<RGBQUAD>& palette) : m_palette(palette) {
        m_cells.fill(kUnknown);
        for (std::size_t i = palette.size(); i-- > 0;) {
            const DWORD key = Key(palette[i].rgbBlue, palette[i].rgbGreen, palette[i].rgbRed);
            std::size_t slot = Hash(key);
            while (m_exact[slot].used && m_exact[slot].key != key)
                slot = (slot + 1) % kExactSlots;
            m_exact[slot] = {key, BYTE(i), true}; // going backwards, the first entry wins
        }
    }

    BYTE Match(int blue, int green, int red) {
        const DWORD key = Key(BYTE(blue), BYTE(green), BYTE(red));
        for (std::size_t slot = Hash(key); m_exact[slot].used; slot = (slot + 1) % kExactSlots)
            if (m_exact[slot].key == key)
                return m_exact[slot].index;
        const std::size_t cell = std::size_t(red >> 3) << 10 | std::size_t(green >> 3) << 5 | (blue >> 3);
        if (m_cells[cell] == kUnknown)
            m_cells[cell] = NearestEntry(m_palette, (blue & ~7) | 4, (green & ~7) | 4, (red & ~7) | 4);
        return BYTE(m_cells[cell]);
    }

private:
    // Twice the largest palette, so that probes stay short.
    static constexpr std::size_t kExactSlots = 512;
    static constexpr short kUnknown = -1;
    struct Slot {
        DWORD key = 0;
        BYTE index = 0;
        bool used = false;
    };

    static std::size_t Hash(DWORD key) { return (key * 2654435761u >> 16) % kExactSlots; }

    const std::vector<RGBQUAD>& m_palette;
    std::array<Slot, kExactSlots> m_exact{};
    std::array<short, 1 << 15> m_cells;
};

// The distinct colours of a picture, sorted, or nothing when there are more than limit.
std::vector<DWORD> DistinctColours(const BytePixels& bgr, std::size_t limit) {
    std::vector<DWORD> colours;
    for (int y = 0; y < bgr.height; ++y) {
        const BYTE* p = bgr.Row(y);
        for (int x = 0; x < bgr.width; ++x, p += 3) {
            const DWORD key = Key(p[0], p[1], p[2]);
            const auto at = std::lower_bound(colours.begin(), colours.end(), key);
            if (at != colours.end() && *at == key)
                continue;
            if (colours.size() == limit)
                return {};
            colours.insert(at, key);
        }
    }
    return colours;
}

BYTE Clamp(int v) {
    return BYTE(std::clamp(v, 0, 255));
}

// Floyd-Steinberg error diffusion onto a palette, row after row in one direction.
void DiffuseOntoPalette(const BytePixels& bgr, PaletteMatcher& matcher, const std::vector<RGBQUAD>& palette,
                        BytePixels& indexes) {
    const std::size_t width = std::size_t(bgr.width);
    std::vector<int> errors((width + 2) * 3, 0), nextErrors((width + 2) * 3, 0);
    // Rows go top to bottom on screen, the last DIB row first.
    for (int y = bgr.height - 1; y >= 0; --y) {
        const BYTE* in = bgr.Row(y);
        BYTE* out = indexes.Row(y);
        std::fill(nextErrors.begin(), nextErrors.end(), 0);
        for (std::size_t x = 0; x < width; ++x) {
            int value[3];
            for (int c = 0; c < 3; ++c)
                value[c] = Clamp(in[x * 3 + c] + errors[(x + 1) * 3 + c] / 16);
            const BYTE index = matcher.Match(value[0], value[1], value[2]);
            out[x] = index;
            const int chosen[3] = {palette[index].rgbBlue, palette[index].rgbGreen, palette[index].rgbRed};
            for (int c = 0; c < 3; ++c) {
                const int error = value[c] - chosen[c];
                errors[(x + 2) * 3 + c] += error * 7;
                nextErrors[x * 3 + c] += error * 3;
                nextErrors[(x + 1) * 3 + c] += error * 5;
                nextErrors[(x + 2) * 3 + c] += error;
            }
        }
        std::swap(errors, nextErrors);
    }
}

std::vector<BYTE> ReduceToPalette(const BytePixels& bgr, int bitsPerPixel,
                                  const std::vector<RGBQUAD>* given) {
    std::vector<RGBQUAD> palette;
    bool diffuse = false;
    if (given != nullptr && !given->empty()) {
        palette = *given;
    } else {
        const std::vector<DWORD> colours = DistinctColours(bgr, std::size_t{1} << bitsPerPixel);
        for (DWORD c : colours)
            palette.push_back(Quad(BYTE(c >> 16), BYTE(c >> 8), BYTE(c)));
        if (palette.empty()) {
            palette = StandardPalette(bitsPerPixel);
            diffuse = true;
        }
    }

    BytePixels indexes(bgr.width, bgr.height, 1);
    if (diffuse) {
        auto matcher = std::make_unique<PaletteMatcher>(palette);
        DiffuseOntoPalette(bgr, *matcher, palette, indexes);
    } else {
        ParallelFor(bgr.height, kRowsPerThread, [&](std::int64_t begin, std::int64_t end) {
            auto matcher = std::make_unique<PaletteMatcher>(palette);
            for (std::int64_t y = begin; y < end; ++y) {
                const BYTE* in = bgr.Row(int(y));
                BYTE* out = indexes.Row(int(y));
                for (int x = 0; x < bgr.width; ++x, in += 3)
                    out[x] = matcher->Match(in[0], in[1], in[2]);
            }
        });
    }
    return WriteDib(indexes, bitsPerPixel, palette);
}

WORD To555(int blue, int green, int red) {
    auto five = [](int v) { return (v * 31 + 127) / 255; };
    return WORD(five(red) << 10 | five(green) << 5 | five(blue));
}

} // namespace

std::vector<RGBQUAD> StandardPalette(int bitsPerPixel) {
    if (bitsPerPixel == 1)
        return {Quad(0, 0, 0), Quad(255, 255, 255)};
    if (bitsPerPixel == 4)
        return {Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
                Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
                Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
                Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
    std::vector<RGBQUAD> palette;
    for (int b = 0; b < 6; ++b)
        for (int g = 0; g < 6; ++g)
            for (int r = 0; r < 6; ++r)
                palette.push_back(Quad(BYTE(r * 51), BYTE(g * 51), BYTE(b * 51)));
    for (int i = 1; i <= 40; ++i) {
        const BYTE grey = BYTE(i * 255 / 41);
        palette.push_back(Quad(grey, grey, grey));
    }
    return palette;
}

void EncodeColour(COLORREF colour, int bitsPerPixel, const std::vector<RGBQUAD>& palette, BYTE* pixel) {
    const int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    if (bitsPerPixel <= 8) {
        pixel[0] = palette.empty() ? 0 : NearestEntry(palette, blue, green, red);
    } else if (bitsPerPixel == 16) {
        const WORD word = To555(blue, green, red);
        pixel[0] = BYTE(word), pixel[1] = BYTE(word >> 8);
    } else {
        pixel[0] = BYTE(blue), pixel[1] = BYTE(green), pixel[2] = BYTE(red);
        if (bitsPerPixel == 32)
            pixel[3] = 0;
    }
}

BytePixels ExpandToBgr(const BytePixels& pixels, int bitsPerPixel, const std::vector<RGBQUAD>& palette) {
    BytePixels bgr(pixels.width, pixels.height, 3);
    ParallelFor(pixels.height, kRowsPerThread, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = pixels.Row(int(y));
            BYTE* out = bgr.Row(int(y));
            for (int x = 0; x < pixels.width; ++x, out += 3) {
                if (bitsPerPixel <= 8) {
                    const RGBQUAD entry = in[x] < palette.size() ? palette[in[x]] : RGBQUAD{};
                    out[0] = entry.rgbBlue, out[1] = entry.rgbGreen, out[2] = entry.rgbRed;
                } else if (bitsPerPixel == 16) {
                    const int word = in[2 * x] | in[2 * x + 1] << 8;
                    auto eight = [](int five) { return BYTE(five << 3 | five >> 2); };
                    out[0] = eight(word & 31), out[1] = eight(word >> 5 & 31),
                    out[2] = eight(word >> 10 & 31);
                } else {
                    const BYTE* p = in + std::ptrdiff_t{x} * pixels.bytesPerPixel;
                    out[0] = p[0], out[1] = p[1], out[2] = p[2];
                }
            }
        }
    });
    return bgr;
}

std::vector<BYTE> ReduceFromBgr(const BytePixels& bgr, int bitsPerPixel,
                                const std::vector<RGBQUAD>* palette) {
    if (bitsPerPixel <= 8)
        return ReduceToPalette(bgr, bitsPerPixel, palette);
    if (bitsPerPixel == 24)
        return WriteDib(bgr, 24, {});
    BytePixels packed(bgr.width, bgr.height, BytesPerPixelOf(bitsPerPixel));
    ParallelFor(bgr.height, kRowsPerThread, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = bgr.Row(int(y));
            BYTE* out = packed.Row(int(y));
            for (int x = 0; x < bgr.width; ++x, in += 3) {
                if (bitsPerPixel == 16) {
                    const WORD word = To555(in[0], in[1], in[2]);
                    *out++ = BYTE(word), *out++ = BYTE(word >> 8);
                } else {
                    *out++ = in[0], *out++ = in[1], *out++ = in[2], *out++ = 0;
                }
            }
        }
    });
    return WriteDib(packed, bitsPerPixel, {});
}

std::vector<BYTE> QuantizeFromBgr(const BytePixels& bgr, int bitsPerPixel, int colours) {
    colours = std::clamp(colours, 2, 1 << bitsPerPixel);
    std::vector<RGBQUAD> palette;
    for (DWORD c : DistinctColours(bgr, std::size_t(colours)))
        palette.push_back(Quad(BYTE(c >> 16), BYTE(c >> 8), BYTE(c)));
    if (!palette.empty())
        return ReduceToPalette(bgr, bitsPerPixel, &palette);

    palette = MedianCutPalette(bgr, colours);
    BytePixels indexes(bgr.width, bgr.height, 1);
    auto matcher = std::make_unique<PaletteMatcher>(palette);
    DiffuseOntoPalette(bgr, *matcher, palette, indexes);
    return WriteDib(indexes, bitsPerPixel, palette);
}
