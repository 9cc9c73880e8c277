#include "image/DibConvert.h"

#include "image/ColorCube.h"
#include "image/DibGeometry.h"
#include "image/DibMemory.h"
#include "image/DibSharpen.h"
#include "platform/base/GlobalMemory.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kTwoColours = 0;
constexpr int kGrey = 1;
constexpr int kPalette = 2;
constexpr int kTrueColour = 3;

bool IsConvertibleSource(const BITMAPINFOHEADER* src) {
    if (!src || (!IsCoreHeader(src) && src->biSize < sizeof(BITMAPINFOHEADER)))
        return false;
    if (!IsCoreHeader(src) && src->biCompression != BI_RGB)
        return false;
    const int bpp = DibBitCount(src);
    return DibWidth(src) > 0 && DibHeight(src) != 0 &&
           (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32);
}

bool IsPaletted(const BITMAPINFOHEADER* src) {
    return DibBitCount(src) <= 8;
}

int ModeOf(const BITMAPINFOHEADER* src, const ADJUST* s) {
    if (s)
        return s->colourMode;
    return IsPaletted(src) ? kPalette : kTrueColour;
}

bool SharpenFlag(const ADJUST* s) {
    return s && s->sharpen;
}

int OrientationOf(const ADJUST* s) {
    if (!s)
        return 0;
    return (s->mirror ? kOrientMirror : 0) | (s->flip ? kOrientFlip : 0);
}

class ConversionJob {
public:
    ConversionJob(BITMAPINFOHEADER* dst, int firstRow, int rowCount, const BITMAPINFOHEADER* src,
                  const CRect& srcRect, const ADJUST* s, int sharpenRadius, int outKind, COLORREF dark,
                  COLORREF light)
        : m_dst(dst), m_src(src), m_s(s), m_mode(ModeOf(src, s)), m_sharpen(SharpenFlag(s)),
          m_outKind(outKind), m_radius(sharpenRadius), m_dark(dark), m_light(light), m_firstRow(firstRow),
          m_rowCount(rowCount), m_width(DibWidth(dst)),
          m_srcRows(const_cast<BYTE*>(DibBitsPtr(src)), DibWidth(src), DibHeight(src), DibBitCount(src)),
          m_dstRows(DibBitsPtr(dst), m_width, rowCount, DibBitCount(dst)),
          m_map(MakeStretchMap(srcRect, m_width, DibHeight(dst), OrientationOf(s))),
          m_table(reinterpret_cast<RGBQUAD*>(DibColorTablePtr(dst))) {
        BuildConversionTables(s, m_tables);
        ReadSourceColours();
    }

    int Run(bool convert) {
        std::memset(m_table, 0, static_cast<size_t>(DibPaletteBytes(m_dst)));
        return IsPaletted(m_src) ? FromPaletted(convert) : FromTrueColour(convert);
    }

private:
    int FromPaletted(bool convert) {
        const StretchBand band = Band();
        switch (m_mode) {
        case kTwoColours:
            for (int i = 0; i < m_srcColourCount; ++i)
                SetEntry(i, ConvertTwoColorPixel(m_srcColours[i], m_tables, m_dark, m_light));
            if (convert)
                StretchIndexes(band);
            return m_srcColourCount;
        case kGrey:
            if (!m_sharpen) {
                for (int i = 0; i < m_srcColourCount; ++i)
                    SetEntry(i, ConvertGreyPixel(m_srcColours[i], m_tables));
                if (convert)
                    StretchIndexes(band);
                return m_srcColourCount;
            }
            WriteGreyRamp();
            if (convert) {
                BYTE lookup[256];
                for (int i = 0; i < 256; ++i)
                    lookup[i] = GreyLevel(m_srcColours[i], m_tables);
                StretchIndexesMapped(band, lookup);
                SharpenDestination();
            }
            return 256;
        default: // kPalette, kTrueColour
            if (m_mode == kPalette || !m_sharpen) {
                for (int i = 0; i < m_srcColourCount; ++i)
                    SetEntry(i, ConvertColorPixel(m_srcColours[i], m_tables));
                if (convert)
                    StretchIndexes(band);
                return m_srcColourCount;
            }
            RGBTRIPLE converted[256];
            for (int i = 0; i < 256; ++i)
                converted[i] = ConvertColorPixel(m_srcColours[i], m_tables);
            if (m_outKind == 0) {
                WriteCube(false);
                if (convert)
                    ThroughSharpenedCopy(
                        [&](const StretchBand& copy) { StretchIndexesToRgb(copy, converted); });
                return kColorCube.Count();
            }
            if (convert) {
                StretchIndexesToRgb(band, converted);
                SharpenDestination();
            }
            return 0;
        }
    }

    int FromTrueColour(bool convert) {
        const StretchBand band = Band();
        switch (m_mode) {
        case kTwoColours:
        case kGrey: {
            const bool sharpenGrey = m_mode == kGrey && m_sharpen;
            if (sharpenGrey) {
                WriteGreyRamp();
            } else {
                // The indexes are grey levels after the tone, and the colour table applies the tone once
                // more: brighter settings reach the light colour sooner than one pass would.
                for (int i = 0; i < 256; ++i) {
                    SetEntry(i, m_mode == kTwoColours ? ConvertTwoColorLevel(i, m_tables, m_dark, m_light)
                                                      : ConvertGreyLevel(i, m_tables));
                }
            }
            if (convert) {
                StretchRgbToGrey(band, m_tables);
                if (sharpenGrey)
                    SharpenDestination();
            }
            return 256;
        }
        default: // kPalette, kTrueColour
            if (m_outKind == 2 || (m_mode == kTrueColour && m_outKind == 1)) {
                if (convert) {
                    StretchConvertRgb(band, m_tables);
                    if (m_mode == kTrueColour && m_sharpen)
                        SharpenDestination();
                }
                return 0;
            }
            if (m_mode == kTrueColour && m_sharpen) {
                WriteCube(false);
                if (convert)
                    ThroughSharpenedCopy([&](const StretchBand& copy) { StretchConvertRgb(copy, m_tables); });
                return kColorCube.Count();
            }
            // The colour table carries the tone; the pixels are dithered as they are.
            WriteCube(true);
            if (convert)
                DitherToColorCube(band, nullptr, kColorCube);
            return kColorCube.Count();
        }
    }

    StretchBand Band() const { return {m_srcRows, m_dstRows, m_map, m_firstRow, m_rowCount}; }

    // Stretches into a 24-bit copy of the band, sharpens it and diffuses it into the cube.
    template <typename Stretch>
    void ThroughSharpenedCopy(Stretch stretch) {
        std::vector<BYTE> copy(sizeof(BITMAPINFOHEADER) +
                               static_cast<size_t>(DibImageBytes(m_width, m_rowCount, 24)));
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(copy.data());
        *header = {sizeof(BITMAPINFOHEADER), m_width, m_rowCount, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        const CDibRows copyRows(DibBitsPtr(header), m_width, m_rowCount, 24);
        stretch(StretchBand{m_srcRows, copyRows, m_map, m_firstRow, m_rowCount});
        SharpenDib(header, m_firstRow, m_rowCount, m_s->sharpness, m_radius);
        DiffuseToColorCube(copyRows, m_dstRows, m_rowCount, kColorCube);
    }

    void SharpenDestination() { SharpenDib(m_dst, m_firstRow, m_rowCount, m_s->sharpness, m_radius); }

    void SetEntry(int i, RGBTRIPLE c) { m_table[i] = {c.rgbtBlue, c.rgbtGreen, c.rgbtRed, 0}; }

    void WriteGreyRamp() {
        for (int i = 0; i < 256; ++i)
            SetEntry(i, {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i)});
    }

    void WriteCube(bool converted) {
        BuildColorCubePalette(m_table, kColorCube.red, kColorCube.green, kColorCube.blue);
        if (!converted)
            return;
        for (int i = 0; i < kColorCube.Count(); ++i)
            SetEntry(
                i, ConvertColorPixel({m_table[i].rgbBlue, m_table[i].rgbGreen, m_table[i].rgbRed}, m_tables));
    }

    // Indexes beyond the source's colour table read as black.
    void ReadSourceColours() {
        if (!IsPaletted(m_src))
            return;
        m_srcColourCount = DibNumColors(m_src);
        const BYTE* entry = DibColorTablePtr(m_src);
        const int entryBytes = IsCoreHeader(m_src) ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
        for (int i = 0; i < m_srcColourCount; ++i, entry += entryBytes)
            m_srcColours[i] = {entry[0], entry[1], entry[2]};
    }

    BITMAPINFOHEADER* m_dst;
    const BITMAPINFOHEADER* m_src;
    const ADJUST* m_s;
    int m_mode;
    bool m_sharpen;
    int m_outKind;
    int m_radius;
    COLORREF m_dark;
    COLORREF m_light;
    int m_firstRow;
    int m_rowCount;
    int m_width;
    CDibRows m_srcRows;
    CDibRows m_dstRows;
    CStretchMap m_map;
    RGBQUAD* m_table;
    ToneTables m_tables;
    RGBTRIPLE m_srcColours[256] = {};
    int m_srcColourCount = 0;
};

} // namespace

int ConvertedColorCount(const BITMAPINFOHEADER* src, const ADJUST* s, int outKind) {
    if (!IsConvertibleSource(src))
        return -1;
    const int mode = ModeOf(src, s);
    const bool sharpen = SharpenFlag(s);
    if (mode < kTwoColours || mode > kTrueColour)
        return -1;
    if (IsPaletted(src)) {
        if (mode == kGrey && sharpen)
            return 256;
        if (mode == kTrueColour && sharpen) {
            if (outKind == 0)
                return kColorCube.Count();
            return outKind == 1 || outKind == 2 ? 0 : -1;
        }
        return DibNumColors(src);
    }
    switch (mode) {
    case kTwoColours:
    case kGrey:
        return 256;
    case kPalette:
        if (outKind == 0 || outKind == 1)
            return kColorCube.Count();
        return outKind == 2 ? 0 : -1;
    default:
        if (outKind == 0)
            return kColorCube.Count();
        return outKind == 1 || outKind == 2 ? 0 : -1;
    }
}

int ConvertDibInto(BITMAPINFOHEADER* dst, int firstRow, int rowCount, const BITMAPINFOHEADER* src,
                   CRect srcRect, const ADJUST* s, bool convert, int sharpenRadius, int outKind,
                   COLORREF dark, COLORREF light) {
    const int colours = ConvertedColorCount(src, s, outKind);
    if (colours < 0 || !dst || dst->biSize != sizeof(BITMAPINFOHEADER) || dst->biWidth <= 0 ||
        dst->biHeight <= 0)
        return -1;
    if (dst->biBitCount != (colours ? 8 : 24) || (colours && DibNumColors(dst) != colours))
        return -1;
    if (firstRow < 0 || rowCount < 1 || firstRow > dst->biHeight - rowCount)
        return -1;
    const int srcHeight = DibHeight(src) < 0 ? -DibHeight(src) : DibHeight(src);
    if (!srcRect.IntersectRect(srcRect, CRect(0, 0, DibWidth(src), srcHeight)))
        return -1;
    ConversionJob job(dst, firstRow, rowCount, src, srcRect, s, sharpenRadius, outKind, dark, light);
    return job.Run(convert);
}

HGLOBAL ConvertDib(const BITMAPINFOHEADER* src, int firstRow, int rowCount, CRect srcRect, int outWidth,
                   int outHeight, const ADJUST* s, int sharpenRadius, int outKind, COLORREF dark,
                   COLORREF light) {
    const int colours = ConvertedColorCount(src, s, outKind);
    if (colours < 0 || !IsPictureSizeAllowed(outWidth, outHeight) || firstRow < 0 || rowCount < 1 ||
        firstRow > outHeight - rowCount)
        return nullptr;
    UniqueGlobal block(AllocDib(outWidth, outHeight, colours ? 8 : 24, colours, firstRow, rowCount));
    CGlobalLock lock(block.get());
    auto* dst = reinterpret_cast<BITMAPINFOHEADER*>(lock.Bytes());
    if (!dst || ConvertDibInto(dst, firstRow, rowCount, src, srcRect, s, true, sharpenRadius, outKind, dark,
                               light) < 0)
        return nullptr;
    dst->biHeight = rowCount;
    return block.release();
}

bool ConversionKeepsTrueColour(const ADJUST* s, int sharpenRadius) {
    if (!s)
        return true;
    if (s->colourMode != kTrueColour || OrientationOf(s) != 0)
        return false;
    if (SharpenFlag(s) && !SharpenKeepsPixels(s->sharpness, sharpenRadius))
        return false;
    ToneTables tables;
    BuildConversionTables(s, tables);
    return ConvertRgbKeepsColours(tables);
}
