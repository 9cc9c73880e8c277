// Pixel transfers, fills and single pixels of CDC.

#include "platform/gdi/Dc.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/DibPixels.h"

#include <QImage>
#include <QPainter>

namespace {

// A DIB's source rectangle in top-down rows; y counts from the bottom row of a bottom-up DIB.
QRect DibSourceRect(const DibPixels& pixels, int x, int y, int width, int height) {
    const QPoint start(ClampCoordinate(x), ClampCoordinate(y));
    const QPoint end(ClampCoordinate(static_cast<double>(x) + width),
                     ClampCoordinate(static_cast<double>(y) + height));
    const QRect span = TransferSpan(start, end, nullptr, nullptr);
    if (pixels.IsBottomUp())
        return QRect(span.left(), pixels.Height() - (span.top() + span.height()), span.width(),
                     span.height());
    return span;
}

// The pattern operand of an operation; false when it reads a hollow brush, which draws nothing.
bool PatternFor(const DeviceContextRecord& dc, BYTE code, const BrushRecord* brush, BrushPattern& pattern) {
    if (!RopUsesPattern(code))
        return true;
    if (!brush || brush->brush.lbStyle == BS_NULL)
        return false;
    pattern = dc.PatternOf(brush);
    return true;
}

// Pixels of another context, copied first when they are the ones being drawn on.
struct ContextSource {
    Surface surface;
    QImage snapshot;
    QPoint offset;
};

bool SourceOf(const DeviceContextRecord& source, const Surface& target, const QRect& sourceRect,
              ContextSource& out) {
    out.surface = source.TargetSurface();
    if (!out.surface.IsValid())
        return false;
    if (out.surface.bits != target.bits)
        return true;
    const QRect inside = sourceRect.intersected(QRect(0, 0, out.surface.width, out.surface.height));
    out.snapshot = QImage(std::max(inside.width(), 1), std::max(inside.height(), 1), QImage::Format_RGB32);
    for (int y = 0; y < inside.height(); ++y) {
        auto* row = reinterpret_cast<DWORD*>(out.snapshot.scanLine(y));
        for (int x = 0; x < inside.width(); ++x)
            row[x] = out.surface.Get(inside.left() + x, inside.top() + y);
    }
    out.surface = Surface{out.snapshot.bits(),
                          out.snapshot.width(),
                          out.snapshot.height(),
                          out.snapshot.bytesPerLine(),
                          4,
                          false};
    out.offset = inside.topLeft();
    return true;
}

BOOL StretchFromContext(HDC dc, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                        int sourceWidth, int sourceHeight, DWORD rop, int stretchMode) {
    if (!dc || dc->TakeInjectedFailure())
        return FALSE;
    const BYTE code = RopCode(rop);
    BlitRequest request;
    request.rop = code;
    request.stretchMode = stretchMode;
    request.dest = dc->ToTransferRect(x, y, width, height, &request.mirrorX, &request.mirrorY);
    if (!PatternFor(*dc, code, dc->state.brush.get(), request.pattern))
        return TRUE;
    if (!RopUsesSource(code))
        return dc->Draw(request);
    if (!source)
        return FALSE;
    bool sourceMirrorX = false, sourceMirrorY = false;
    const QRect sourceRect =
        source->ToTransferRect(xSource, ySource, sourceWidth, sourceHeight, &sourceMirrorX, &sourceMirrorY);
    ContextSource pixels;
    if (!SourceOf(*source, dc->TargetSurface(), sourceRect, pixels))
        return FALSE;
    const SurfaceSource surfaceSource(pixels.surface);
    request.source = &surfaceSource;
    request.sourceRect = sourceRect.translated(-pixels.offset);
    request.mirrorX ^= sourceMirrorX;
    request.mirrorY ^= sourceMirrorY;
    return dc->Draw(request);
}

} // namespace

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
                  int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
    if (!dc || dc->TakeInjectedFailure())
        return GDI_ERROR;
    DibPixels pixels;
    if (!pixels.Open(info, bits, usage, dc->PaletteEntries()))
        return GDI_ERROR;
    if (destWidth == 0 || destHeight == 0 || sourceWidth == 0 || sourceHeight == 0)
        return 0;
    const BYTE code = RopCode(rop);
    BlitRequest request;
    request.rop = code;
    request.stretchMode = dc->state.stretchMode;
    request.dest =
        dc->ToTransferRect(xDest, yDest, destWidth, destHeight, &request.mirrorX, &request.mirrorY);
    request.mirrorX ^= sourceWidth < 0;
    request.mirrorY ^= sourceHeight < 0;
    request.source = &pixels;
    request.sourceRect = DibSourceRect(pixels, xSource, ySource, sourceWidth, sourceHeight);
    if (!PatternFor(*dc, code, dc->state.brush.get(), request.pattern))
        return sourceHeight;
    return dc->Draw(request) ? sourceHeight : GDI_ERROR;
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSource, int ySource,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage) {
    if (!dc || dc->TakeInjectedFailure())
        return 0;
    DibPixels pixels;
    if (width > static_cast<DWORD>(kMaxDrawnDibSide) || height > static_cast<DWORD>(kMaxDrawnDibSide) ||
        startScan > static_cast<UINT>(kMaxDrawnDibSide) || scanLines > static_cast<UINT>(kMaxDrawnDibSide) ||
        !pixels.Open(info, bits, usage, dc->PaletteEntries(), static_cast<int>(startScan)))
        return 0;
    const int h = pixels.Height(), first = static_cast<int>(startScan), lines = static_cast<int>(scanLines);
    // The rows the caller's bits hold, as top-down rows.
    const QRect held = (pixels.IsBottomUp() ? QRect(0, h - first - lines, pixels.Width(), lines)
                                            : QRect(0, first, pixels.Width(), lines))
                           .intersected(QRect(0, 0, pixels.Width(), h));
    const QRect wanted =
        DibSourceRect(pixels, xSource, ySource, static_cast<int>(width), static_cast<int>(height));
    const QRect sourceRect = wanted.intersected(held);
    if (sourceRect.isEmpty())
        return static_cast<int>(scanLines);
    const QPoint origin = dc->ToDevice(xDest, yDest);
    BlitRequest request;
    request.rop = RopCode(SRCCOPY);
    request.stretchMode = COLORONCOLOR;
    request.source = &pixels;
    request.sourceRect = sourceRect;
    request.dest = QRect(origin + (sourceRect.topLeft() - wanted.topLeft()), sourceRect.size());
    return dc->Draw(request) ? static_cast<int>(scanLines) : 0;
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop) {
    return StretchFromContext(dc, x, y, width, height, source, xSource, ySource, width, height, rop,
                              COLORONCOLOR);
}

BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int sourceWidth, int sourceHeight, DWORD rop) {
    if (!dc)
        return FALSE;
    return StretchFromContext(dc, x, y, width, height, source, xSource, ySource, sourceWidth, sourceHeight,
                              rop, dc->state.stretchMode);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (!dc || RopUsesSource(RopCode(rop)))
        return FALSE;
    BlitRequest request;
    request.rop = RopCode(rop);
    request.dest = dc->ToTransferRect(x, y, width, height, nullptr, nullptr);
    if (!PatternFor(*dc, request.rop, dc->state.brush.get(), request.pattern))
        return TRUE;
    return dc->Draw(request);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                     int sourceWidth, int sourceHeight, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource,
                        sourceWidth, sourceHeight, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

namespace {

void FillWithBrush(HDC dc, const QRect& dest, const BrushRecord* brush, const QRegion* limit = nullptr) {
    if (!dc || !brush || brush->brush.lbStyle == BS_NULL)
        return;
    BlitRequest request;
    request.rop = RopCode(PATCOPY);
    request.dest = dest;
    request.pattern = dc->PatternOf(brush);
    dc->Draw(request, limit);
}

} // namespace

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (!m_hDC || !rect || !brush)
        return;
    FillWithBrush(m_hDC, m_hDC->ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom),
                  BrushOf(brush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    if (!m_hDC || !rect)
        return;
    SetBkColor(color);
    BlitRequest request;
    request.rop = RopCode(PATCOPY);
    request.dest = m_hDC->ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom);
    request.pattern.color = m_hDC->ResolveColor(color);
    m_hDC->Draw(request);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    const RECT rect{x, y, ClampCoordinate(static_cast<double>(x) + cx),
                    ClampCoordinate(static_cast<double>(y) + cy)};
    FillSolidRect(&rect, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    if (!m_hDC || !rect || !brush)
        return;
    const QRect box = m_hDC->ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom);
    if (box.isEmpty())
        return;
    const QRegion frame = QRegion(box).subtracted(box.adjusted(1, 1, -1, -1));
    FillWithBrush(m_hDC, box, BrushOf(brush->m_hObject), &frame);
}

BOOL CDC::FillRgn(CRgn* region, CBrush* brush) {
    const RegionRecord* record = region ? RegionOf(region->m_hObject) : nullptr;
    if (!m_hDC || !record || !brush)
        return FALSE;
    const QRegion area = m_hDC->LogicalToDevice().map(record->region);
    FillWithBrush(m_hDC, area.boundingRect(), BrushOf(brush->m_hObject), &area);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    if (!m_hDC)
        return CLR_INVALID;
    const QPoint p = m_hDC->ToDevice(x, y);
    if (!m_hDC->DrawableArea().contains(p))
        return CLR_INVALID;
    const DWORD pixel = m_hDC->ResolveColor(color);
    const Surface surface = m_hDC->TargetSurface();
    if (surface.IsValid())
        surface.Put(p.x(), p.y(), pixel);
    else if (m_hDC->painter)
        m_hDC->painter->fillRect(QRect(p, QSize(1, 1)), QColor(QRgb(pixel)));
    else
        return CLR_INVALID;
    return ColorRefFromPixel(pixel);
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (!m_hDC)
        return CLR_INVALID;
    const QPoint p = m_hDC->ToDevice(x, y);
    const Surface surface = m_hDC->TargetSurface();
    if (!surface.IsValid() || !m_hDC->DrawableArea().contains(p))
        return CLR_INVALID;
    return ColorRefFromPixel(surface.Get(p.x(), p.y()));
}
