#include "platform/gdi/Blit.h"

#include "platform/base/Parallel.h"
#include "platform/gdi/Stretch.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

SurfaceSource::SurfaceSource(const Surface& surface) : m_surface(surface) {
    m_width = surface.width;
    m_height = surface.height;
}

void SurfaceSource::FetchRow(int y, int x, int count, DWORD* out) const {
    const BYTE* p = m_surface.Row(y) + x * m_surface.bytesPerPixel;
    for (int i = 0; i < count; ++i, p += m_surface.bytesPerPixel)
        out[i] = m_surface.LoadPixel(p);
}

void SurfaceSource::Gather(int y, const int* xs, int count, DWORD* out) const {
    const BYTE* row = m_surface.Row(y);
    for (int i = 0; i < count; ++i)
        out[i] = m_surface.LoadPixel(row + xs[i] * m_surface.bytesPerPixel);
}

const BYTE* SurfaceSource::RawRow(int y, int* bytesPerPixel) const {
    *bytesPerPixel = m_surface.bytesPerPixel;
    return m_surface.Row(y);
}

namespace {

// One line per 8 x 8 cell; bit 0x80 is the cell's left column.
constexpr BYTE kHatchRows[6][8] = {
    {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL: top left to bottom right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL: bottom left to top right
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

// Rows of work below this many pixels stay on the calling thread.
constexpr std::int64_t kPixelsPerTask = 64 * 1024;

std::int64_t RowGrain(int width) {
    return std::max<std::int64_t>(1, kPixelsPerTask / std::max(width, 1));
}

// Source pixels [first, last) that one destination pixel takes.
struct SourceSpan {
    int first = 0;
    int last = 0;
    bool IsEmpty() const { return last <= first; }
};

// Source spans of destination pixels [from, from + count) on one axis. Without combining each span is
// the single pixel of the COLORONCOLOR walk; combining (the AND and OR stretch modes) also takes the
// pixels that the walk steps over when shrinking. Spans are clipped to [0, sourceLimit).
std::vector<SourceSpan> MapAxis(int sourceStart, int sourceExtent, int destExtent, bool mirror, int from,
                                int count, bool combine, int sourceLimit) {
    std::vector<int> steps(static_cast<size_t>(count) + 1);
    ColorOnColorSteps(sourceExtent, destExtent, from, count + 1, steps.data());
    std::vector<SourceSpan> spans(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        int first = steps[i];
        int last = combine ? std::max(steps[i + 1], first + 1) : first + 1;
        if (mirror) {
            const int mirroredFirst = sourceExtent - last;
            last = sourceExtent - first;
            first = mirroredFirst;
        }
        spans[i] = {std::max(sourceStart + first, 0), std::min(sourceStart + last, sourceLimit)};
    }
    return spans;
}

template <typename Combine>
void CombineInto(DWORD* into, const DWORD* from, int count, Combine combine) {
    for (int i = 0; i < count; ++i)
        into[i] = combine(into[i], from[i]);
}

// Writes destination pixels [left, right) of row y: rop(pattern, sources[x - left], dest).
template <typename Op>
void WriteRow(const Surface& target, int y, int left, int right, const DWORD* sources,
              const BrushPattern& pattern, Op op) {
    BYTE* p = target.Row(y) + left * target.bytesPerPixel;
    for (int x = left; x < right; ++x, p += target.bytesPerPixel)
        target.StorePixel(p, op(pattern.At(x + pattern.origin.x(), y + pattern.origin.y()), sources[x - left],
                                target.LoadPixel(p)));
}

void WriteRowFor(BYTE code, const Surface& target, int y, int left, int right, const DWORD* sources,
                 const BrushPattern& pattern) {
    switch (code) {
    case 0xCC: {
        BYTE* p = target.Row(y) + left * target.bytesPerPixel;
        for (int x = left; x < right; ++x, p += target.bytesPerPixel)
            target.StorePixel(p, sources[x - left]);
        return;
    }
    case 0x88:
        WriteRow(target, y, left, right, sources, pattern, [](DWORD, DWORD s, DWORD d) { return s & d; });
        return;
    case 0xEE:
        WriteRow(target, y, left, right, sources, pattern, [](DWORD, DWORD s, DWORD d) { return s | d; });
        return;
    default:
        WriteRow(target, y, left, right, sources, pattern,
                 [code](DWORD p, DWORD s, DWORD d) { return ApplyRop(code, p, s, d); });
        return;
    }
}

void FillPattern(const Surface& target, const QRegion& area, BYTE code, const BrushPattern& pattern) {
    for (const QRect& r : area) {
        ParallelFor(r.height(), RowGrain(r.width()), [&](std::int64_t begin, std::int64_t end) {
            for (int y = r.top() + static_cast<int>(begin); y < r.top() + end; ++y) {
                BYTE* p = target.Row(y) + r.left() * target.bytesPerPixel;
                for (int x = r.left(); x <= r.right(); ++x, p += target.bytesPerPixel) {
                    const DWORD dest = target.LoadPixel(p);
                    target.StorePixel(
                        p,
                        ApplyRop(code, pattern.At(x + pattern.origin.x(), y + pattern.origin.y()), 0, dest));
                }
            }
        });
    }
}

// A straight copy of source pixels in the same layout: rows are copied whole, with no per-pixel work.
bool TryCopyRows(const Surface& target, const QRegion& area, const BlitRequest& request) {
    const QRect& s = request.sourceRect;
    const QRect& d = request.dest;
    if (request.rop != 0xCC || request.mirrorX || request.mirrorY || s.size() != d.size() ||
        !QRect(0, 0, request.source->Width(), request.source->Height()).contains(s))
        return false;
    int sourceBytes = 0;
    if (!request.source->RawRow(s.top(), &sourceBytes) || sourceBytes != target.bytesPerPixel)
        return false;
    const QPoint offset = s.topLeft() - d.topLeft();
    for (const QRect& r : area) {
        ParallelFor(r.height(), RowGrain(r.width()), [&](std::int64_t begin, std::int64_t end) {
            for (int y = r.top() + static_cast<int>(begin); y < r.top() + end; ++y) {
                int bytes = 0;
                const BYTE* from =
                    request.source->RawRow(y + offset.y(), &bytes) + (r.left() + offset.x()) * bytes;
                BYTE* to = target.Row(y) + r.left() * bytes;
                std::memcpy(to, from, static_cast<size_t>(r.width()) * bytes);
                if (bytes == 4)
                    for (int x = 0; x < r.width(); ++x)
                        to[4 * x + 3] = 0xFF;
            }
        });
    }
    return true;
}

// The source rectangle scaled smoothly to the destination size (and mirrored), as a new source.
bool BlitHalftone(const Surface& target, const QRegion& area, const BlitRequest& request) {
    const QRect& s = request.sourceRect;
    const QRect& d = request.dest;
    if (static_cast<long long>(d.width()) * d.height() > kMaxScaledPixels ||
        static_cast<long long>(s.width()) * s.height() > kMaxScaledPixels)
        return false;
    QImage picked(s.size(), QImage::Format_RGB32);
    picked.fill(Qt::black);
    const QRect inside = s.intersected(QRect(0, 0, request.source->Width(), request.source->Height()));
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto* row = reinterpret_cast<DWORD*>(picked.scanLine(y - s.top())) + (inside.left() - s.left());
        request.source->FetchRow(y, inside.left(), inside.width(), row);
        for (int i = 0; i < inside.width(); ++i)
            row[i] |= 0xFF000000;
    }
    QImage scaled = picked.scaled(d.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .mirrored(request.mirrorX, request.mirrorY)
                        .convertToFormat(QImage::Format_RGB32);
    const Surface scaledSurface{scaled.bits(), scaled.width(), scaled.height(), scaled.bytesPerLine(), 4,
                                false};
    const SurfaceSource scaledSource(scaledSurface);
    BlitRequest direct = request;
    direct.source = &scaledSource;
    direct.sourceRect = QRect(QPoint(0, 0), d.size());
    direct.mirrorX = direct.mirrorY = false;
    direct.stretchMode = COLORONCOLOR;
    return BlitToSurface(target, area, direct);
}

} // namespace

int PainterModeOfTable(int table) {
    // table bit (operand * 2 + dest) is the result for those operand and destination bits.
    switch (table) {
    case 0x1:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case 0x2:
        return QPainter::RasterOp_NotSourceAndDestination;
    case 0x4:
        return QPainter::RasterOp_SourceAndNotDestination;
    case 0x5:
        return QPainter::RasterOp_NotDestination;
    case 0x6:
        return QPainter::RasterOp_SourceXorDestination;
    case 0x7:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case 0x8:
        return QPainter::RasterOp_SourceAndDestination;
    case 0x9:
        return QPainter::RasterOp_NotSourceXorDestination;
    case 0xB:
        return QPainter::RasterOp_NotSourceOrDestination;
    case 0xD:
        return QPainter::RasterOp_SourceOrNotDestination;
    case 0xE:
        return QPainter::RasterOp_SourceOrDestination;
    default:
        return QPainter::CompositionMode_Source;
    }
}

bool BrushPattern::HatchBitAt(int x, int y) const {
    return kHatchRows[hatch][y & 7] & (0x80 >> (x & 7));
}

DWORD BrushPattern::TileAt(int x, int y) const {
    const int width = tile.width(), height = tile.height();
    const int column = ((x % width) + width) % width, row = ((y % height) + height) % height;
    return reinterpret_cast<const QRgb*>(tile.constScanLine(row))[column] & 0xFFFFFF;
}

bool BlitToSurface(const Surface& target, const QRegion& clip, const BlitRequest& request) {
    const BYTE code = request.rop;
    const bool needsSource = RopUsesSource(code);
    if (needsSource && !request.source)
        return false;
    const QRegion area = clip.intersected(request.dest);
    if (area.isEmpty())
        return true;
    if (!needsSource) {
        FillPattern(target, area, code, request.pattern);
        return true;
    }
    const QRect& s = request.sourceRect;
    const QRect& d = request.dest;
    if (s.isEmpty())
        return true;
    if (request.stretchMode == HALFTONE && s.size() != d.size())
        return BlitHalftone(target, area, request);
    if (TryCopyRows(target, area, request))
        return true;

    const bool combineAnd = request.stretchMode == BLACKONWHITE;
    const bool combineOr = request.stretchMode == WHITEONBLACK;
    const bool combine = combineAnd || combineOr;
    auto merge = [combineAnd](DWORD a, DWORD b) { return combineAnd ? (a & b) : (a | b); };
    const QRect box = area.boundingRect();
    const PixelSource& source = *request.source;
    const auto columns = MapAxis(s.left(), s.width(), d.width(), request.mirrorX, box.left() - d.left(),
                                 box.width(), combine, source.Width());
    const auto rows = MapAxis(s.top(), s.height(), d.height(), request.mirrorY, box.top() - d.top(),
                              box.height(), combine, source.Height());

    for (const QRect& r : area) {
        // Spans run monotonically through the source, so the columns that reach inside it are one range.
        int left = r.left(), right = r.right() + 1;
        while (left < right && columns[left - box.left()].IsEmpty())
            ++left;
        while (right > left && columns[right - 1 - box.left()].IsEmpty())
            --right;
        if (left >= right)
            continue;
        const int count = right - left;
        std::vector<int> sourceColumns(static_cast<size_t>(count));
        int segmentFirst = INT_MAX, segmentLast = INT_MIN;
        for (int x = left; x < right; ++x) {
            const SourceSpan& span = columns[x - box.left()];
            sourceColumns[x - left] = span.first;
            segmentFirst = std::min(segmentFirst, span.first);
            segmentLast = std::max(segmentLast, span.last);
        }
        const int segmentWidth = segmentLast - segmentFirst;
        ParallelFor(r.height(), RowGrain(r.width()), [&](std::int64_t begin, std::int64_t end) {
            std::vector<DWORD> values(count), line(combine ? segmentWidth : 0),
                more(combine ? segmentWidth : 0);
            for (int y = r.top() + static_cast<int>(begin); y < r.top() + end; ++y) {
                const SourceSpan& rowSpan = rows[y - box.top()];
                if (rowSpan.IsEmpty())
                    continue;
                if (!combine) {
                    source.Gather(rowSpan.first, sourceColumns.data(), count, values.data());
                } else {
                    source.FetchRow(rowSpan.first, segmentFirst, segmentWidth, line.data());
                    for (int sy = rowSpan.first + 1; sy < rowSpan.last; ++sy) {
                        source.FetchRow(sy, segmentFirst, segmentWidth, more.data());
                        CombineInto(line.data(), more.data(), segmentWidth, merge);
                    }
                    for (int x = left; x < right; ++x) {
                        const SourceSpan& span = columns[x - box.left()];
                        DWORD value = line[span.first - segmentFirst];
                        for (int sx = span.first + 1; sx < span.last; ++sx)
                            value = merge(value, line[sx - segmentFirst]);
                        values[x - left] = value;
                    }
                }
                WriteRowFor(code, target, y, left, right, values.data(), request.pattern);
            }
        });
    }
    return true;
}

bool BlitToPainter(QPainter& painter, const QRegion& clip, const BlitRequest& request) {
    const BYTE code = request.rop;
    const bool usesSource = RopUsesSource(code), usesPattern = RopUsesPattern(code),
               usesDest = RopUsesDest(code);
    if (usesSource && !request.source)
        return false;
    if (usesSource && usesPattern && usesDest)
        return false;
    const QRegion area = clip.intersected(request.dest);
    if (area.isEmpty())
        return true;

    BYTE renderCode = code;
    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    if (usesDest) {
        int table = 0;
        for (int operand = 0; operand < 2; ++operand) {
            for (int dest = 0; dest < 2; ++dest) {
                const int index = (usesSource ? operand << 1 : 0) | (usesPattern ? operand << 2 : 0) | dest;
                if (code & (1 << index))
                    table |= 1 << (operand * 2 + dest);
            }
        }
        if (table == 0xA)
            return true;
        mode = static_cast<QPainter::CompositionMode>(PainterModeOfTable(table));
        renderCode = usesSource ? 0xCC : 0xF0;
    }

    const QRect box = area.boundingRect();
    QImage rendered(box.size(), QImage::Format_RGB32);
    rendered.fill(Qt::black);
    const Surface surface{
        rendered.bits(), rendered.width(), rendered.height(), rendered.bytesPerLine(), 4, false};
    BlitRequest local = request;
    local.rop = renderCode;
    local.dest.translate(-box.topLeft());
    local.pattern.origin += box.topLeft();
    if (!BlitToSurface(surface, area.translated(-box.topLeft()), local))
        return false;
    painter.save();
    painter.setClipRegion(area, Qt::IntersectClip);
    painter.setCompositionMode(mode);
    painter.drawImage(box.topLeft(), rendered);
    painter.restore();
    return true;
}
