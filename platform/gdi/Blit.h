#pragma once
// The transfer engine behind BitBlt, StretchBlt, PatBlt and the DIB calls. Private to platform/gdi.

#include "platform/gdi/Surface.h"

#include <QImage>
#include <QRect>
#include <QRegion>

class QPainter;

// Rows of a source picture, top row first.
class PixelSource {
public:
    virtual ~PixelSource() = default;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels x .. x + count - 1 of row y; the caller keeps them inside the picture.
    virtual void FetchRow(int y, int x, int count, DWORD* out) const = 0;
    // Pixels xs[0 .. count) of row y, for stretches that skip most of a row.
    virtual void Gather(int y, const int* xs, int count, DWORD* out) const = 0;
    // Row y as stored, when its pixels are blue, green, red triples (3) or quads (4); else null.
    virtual const BYTE* RawRow(int y, int* bytesPerPixel) const {
        (void)y;
        *bytesPerPixel = 0;
        return nullptr;
    }

protected:
    int m_width = 0;
    int m_height = 0;
};

class SurfaceSource : public PixelSource {
public:
    explicit SurfaceSource(const Surface& surface);
    void FetchRow(int y, int x, int count, DWORD* out) const override;
    void Gather(int y, const int* xs, int count, DWORD* out) const override;
    const BYTE* RawRow(int y, int* bytesPerPixel) const override;

private:
    Surface m_surface;
};

// The brush as the pattern operand: a solid colour, or an 8 x 8 hatch of the brush colour on the
// background colour, aligned to device pixel (0, 0). origin moves a target whose pixel (0, 0) is not
// device pixel (0, 0).
struct BrushPattern {
    DWORD color = 0;
    DWORD background = 0xFFFFFF;
    int hatch = -1;
    // The tile of a DIB pattern brush, which then gives every pixel's colour.
    QImage tile;
    QPoint origin;

    bool IsHatched() const { return hatch >= 0; }
    bool HatchBitAt(int x, int y) const;
    DWORD TileAt(int x, int y) const;
    DWORD At(int x, int y) const {
        if (!tile.isNull())
            return TileAt(x, y);
        return hatch < 0 || HatchBitAt(x, y) ? color : background;
    }
};

struct BlitRequest {
    // Device pixels, normalised; the mirror flags say that the picture lands reversed on that axis.
    QRect dest;
    bool mirrorX = false;
    bool mirrorY = false;
    // Null when the operation reads no source. sourceRect is in source pixels and may reach outside the
    // source: destination pixels that map outside it are left alone.
    const PixelSource* source = nullptr;
    QRect sourceRect;
    BYTE rop = 0xCC;
    int stretchMode = 3;
    BrushPattern pattern;
};

// Transfers onto the surface inside clip (device pixels within the surface). False when the request
// needs a source it was not given or a size beyond kMaxScaledPixels.
bool BlitToSurface(const Surface& target, const QRegion& clip, const BlitRequest& request);
// The same through a painter whose pixels cannot be read: the source and pattern are rendered first and
// combined with the destination by the painter's raster composition. False for operations that combine
// source, pattern and destination together.
bool BlitToPainter(QPainter& painter, const QRegion& clip, const BlitRequest& request);

// The painter composition that combines an operand with the destination by a binary truth table
// (bit operand * 2 + dest); tables that ignore the destination map to plain source copying.
int PainterModeOfTable(int table);

// Halftone stretching goes through a scaled copy; larger destinations are refused.
inline constexpr long long kMaxScaledPixels = 16LL * 1024 * 1024;
