#include "image/ConversionSurface.h"
#include "image/DibGeometry.h"
#include "image/DibPalette.h"
#include "image/PictureInfo.h"

#include <memory>

namespace {

// Tile sizes of the banded draw's attempts, in device pixels.
constexpr int kTileSizes[] = {600, 300, 200, 150, 120};

// trunc(k * extent / parts + offset + 0.5) in floating point: the edge of tile k.
int TileEdge(int k, int extent, int parts, double offset) {
    return static_cast<int>(static_cast<double>(k) * extent / parts + offset + 0.5);
}

// One attempt of the banded draw with tiles of the given size. Returns the scan lines drawn; 0 when the
// first tile failed (nothing was drawn, a smaller tile may go through), or failed when a later one did.
struct Attempt {
    int total = 0;
    bool firstTileFailed = false;
    bool failed = false;
};

Attempt DrawTiles(CDC* dc, const CRect& dest, const BITMAPINFOHEADER* dib, DWORD rop, int tile) {
    const int width = dest.Width(), height = dest.Height();
    const int columns = std::abs(width) / tile + 1;
    const int rows = std::abs(height) / tile + 1;
    const int dibWidth = DibWidth(dib), dibHeight = DibHeight(dib);
    Attempt attempt;
    bool anyDrawn = false;
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const CRect tileRect(TileEdge(i, width, columns, dest.left), TileEdge(j, height, rows, dest.top),
                                 TileEdge(i + 1, width, columns, dest.left),
                                 TileEdge(j + 1, height, rows, dest.top));
            const int sourceLeft = TileEdge(i, dibWidth, columns, 0);
            const int sourceRight = TileEdge(i + 1, dibWidth, columns, 0);
            const int sourceTop = TileEdge(j, dibHeight, rows, 0);
            const int sourceBottom = TileEdge(j + 1, dibHeight, rows, 0);
            const int result = StretchDib(dc, tileRect, dib, sourceLeft, dibHeight - sourceBottom,
                                          sourceRight - sourceLeft, sourceBottom - sourceTop, rop);
            if (result == GDI_ERROR) {
                if (!anyDrawn) {
                    attempt.firstTileFailed = true;
                    return attempt;
                }
                // A hole in the picture: the rest is still drawn, but the draw reports failure.
                attempt.failed = true;
                continue;
            }
            anyDrawn = true;
            attempt.total += result;
        }
    }
    return attempt;
}

} // namespace

void CPictureInfo::Draw(CDC* dc, const CRect& dest, DWORD rop) const {
    if (!dc || !IsValid())
        return;
    CStretchModeScope mode(dc, COLORONCOLOR);
    StretchWholeDib(dc, dest, GetHeader(), rop);
}

void CPictureInfo::DrawStretched(CDC* dc, const CRect& dest, DWORD rop) const {
    Draw(dc, dest, rop);
}

void CPictureInfo::DrawPart(CDC* dc, const CRect& dest, const CRect& src, DWORD rop) const {
    if (!dc || !IsValid())
        return;
    CStretchModeScope mode(dc, COLORONCOLOR);
    StretchDib(dc, dest, GetHeader(), src.left, GetHeight() - src.bottom, src.Width(), src.Height(), rop);
}

void CPictureInfo::DrawSmooth(CDC* dc, const CRect& dest, DWORD rop) const {
    if (!dc || !IsValid())
        return;
    CStretchModeScope mode(dc, COLORONCOLOR);
    DrawBanded(dc, dest, GetHeader(), rop, FALSE);
}

void CPictureInfo::DrawClipped(CDC* dc, const CRect& dest, const CRect& clip, DWORD rop, BOOL smooth) const {
    if (!dc || !IsValid() || dest.Width() == 0 || dest.Height() == 0)
        return;
    const float sx = static_cast<float>(GetWidth()) / static_cast<float>(dest.Width());
    const float sy = static_cast<float>(GetHeight()) / static_cast<float>(dest.Height());
    const auto scaled = [](int v, float scale) {
        return static_cast<int>(static_cast<float>(v) * scale + 0.5);
    };
    const CRect source(scaled(clip.left - dest.left, sx), scaled(clip.top - dest.top, sy),
                       scaled(clip.right - dest.left, sx), scaled(clip.bottom - dest.top, sy));
    CStretchModeScope mode(dc, COLORONCOLOR);
    if (!smooth) {
        StretchDib(dc, clip, GetHeader(), source.left, GetHeight() - source.bottom, source.Width(),
                   source.Height(), rop);
        return;
    }
    const std::unique_ptr<CPictureInfo> resized(FromLeadBitmap(CSize(dest.Width(), dest.Height()), 0, 4));
    if (!resized)
        return;
    CRect inDest = clip;
    inDest.OffsetRect(-dest.left, -dest.top);
    const std::unique_ptr<CPictureInfo> part(resized->CropLead(inDest, 0));
    if (part)
        DrawBanded(dc, clip, part->GetHeader(), rop, FALSE);
}

void CPictureInfo::DrawViaBitmap(CDC* dc, const CRect& dest, const CRect& size, DWORD rop) const {
    if (!dc || !IsValid())
        return;
    CBitmap bitmap;
    CDC memory;
    if (!bitmap.CreateCompatibleBitmap(dc, size.Width(), size.Height()) || !memory.CreateCompatibleDC(dc))
        return;
    CBitmap* previous = memory.SelectObject(&bitmap);
    {
        CStretchModeScope memoryMode(&memory, COLORONCOLOR);
        StretchWholeDib(&memory, CRect(0, 0, size.Width(), size.Height()), GetHeader(), SRCCOPY);
    }
    CStretchModeScope mode(dc, COLORONCOLOR);
    dc->StretchBlt(dest.left, dest.top, dest.Width(), dest.Height(), &memory, 0, 0, size.Width(),
                   size.Height(), rop);
    memory.SelectObject(previous);
}

int CPictureInfo::DrawBanded(CDC* dc, CRect dest, const BITMAPINFOHEADER* dib, DWORD rop, BOOL whole) {
    if (!dc || !dib)
        return 0;
    if (whole) {
        const int result = StretchWholeDib(dc, dest, dib, rop);
        return result == GDI_ERROR ? 0 : result;
    }
    for (const int tile : kTileSizes) {
        const Attempt attempt = DrawTiles(dc, dest, dib, rop, tile);
        if (attempt.firstTileFailed)
            continue;
        return attempt.failed ? 0 : attempt.total;
    }
    return 0;
}

CBitmap* CPictureInfo::CreateBitmap() const {
    if (!IsValid())
        return nullptr;
    const std::unique_ptr<CPalette> palette(CreateDibPalette(GetHeader(), PC_NOCOLLAPSE));
    CDC screen;
    auto bitmap = std::make_unique<CBitmap>();
    if (!screen.CreateCompatibleDC(nullptr) ||
        !bitmap->CreateCompatibleBitmap(&screen, GetWidth(), GetHeight()))
        return nullptr;
    CBitmap* previousBitmap = screen.SelectObject(bitmap.get());
    CPalette* previousPalette = nullptr;
    if (palette) {
        previousPalette = screen.SelectPalette(palette.get(), FALSE);
        screen.RealizePalette();
    }
    {
        CStretchModeScope mode(&screen, COLORONCOLOR);
        DrawBanded(&screen, CRect(0, 0, GetWidth(), GetHeight()), GetHeader(), SRCCOPY, FALSE);
    }
    if (palette)
        screen.SelectPalette(previousPalette, FALSE);
    screen.SelectObject(previousBitmap);
    return bitmap.release();
}
