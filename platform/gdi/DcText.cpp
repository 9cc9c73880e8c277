// Text output and measurement of CDC.

#include "platform/gdi/Coverage.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/DeviceContext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Tab stops lie every eight average character widths.
constexpr int kTabStopChars = 8;
// Italic glyphs reach past their advance; masks get this much room on every side.
constexpr int kGlyphOverhang = 4;

struct FontMetrics {
    explicit FontMetrics(const DeviceContextRecord& dc)
        : font(dc.state.font->QtFont()), metrics(font), ascent(metrics.ascent()),
          height(ascent + metrics.descent()) {}
    QFont font;
    QFontMetrics metrics;
    int ascent;
    int height;
};

QString TextOf(LPCTSTR text, int count) {
    if (!text)
        return QString();
    if (count < 0)
        count = static_cast<int>(std::strlen(text));
    return QString::fromUtf8(text, count);
}

// A piece of text placed in logical units: its baseline origin and the cell behind it.
struct PlacedText {
    QString text;
    QPoint origin;
    QRect cell;
    // Logical x range of an underlined prefix character; empty for none.
    int underlineLeft = 0;
    int underlineWidth = 0;
};

// One line of DrawText: a slice of a paragraph, with the paragraph's prefixed character when it falls
// inside the slice.
struct TextLine {
    QString text;
    int underlined = -1;
    // Measured once the lines are final.
    int width = 0;
};

class TextLayout {
public:
    TextLayout(const FontMetrics& font, UINT format) : m_font(font), m_format(format) {
        m_tabWidth = kTabStopChars * std::max(1, font.metrics.averageCharWidth());
    }

    int Width(const QString& text) const {
        if (!(m_format & DT_EXPANDTABS))
            return m_font.metrics.horizontalAdvance(text);
        int x = 0;
        const auto segments = text.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < segments.size(); ++i) {
            if (i > 0)
                x = (x / m_tabWidth + 1) * m_tabWidth;
            x += m_font.metrics.horizontalAdvance(segments[i]);
        }
        return x;
    }

    // The line's pieces at (x, top), one per tab-separated segment.
    void Place(const TextLine& line, int x, int top, std::vector<PlacedText>& out) const {
        const int baseline = top + m_font.ascent;
        const QRect cell(x, top, line.width, m_font.height);
        if (!(m_format & DT_EXPANDTABS)) {
            out.push_back(Piece(line.text, QPoint(x, baseline), cell, line.underlined, 0));
            return;
        }
        int position = 0, offset = 0;
        const auto segments = line.text.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < segments.size(); ++i) {
            if (i > 0)
                position = (position / m_tabWidth + 1) * m_tabWidth;
            out.push_back(Piece(segments[i], QPoint(x + position, baseline), i == 0 ? cell : QRect(),
                                line.underlined, offset));
            position += m_font.metrics.horizontalAdvance(segments[i]);
            offset += static_cast<int>(segments[i].size()) + 1;
        }
    }

private:
    PlacedText Piece(const QString& text, QPoint origin, QRect cell, int underlined, int offset) const {
        PlacedText piece{text, origin, cell};
        const int index = underlined - offset;
        if (underlined >= 0 && index >= 0 && index < text.size()) {
            piece.underlineLeft = origin.x() + m_font.metrics.horizontalAdvance(text.left(index));
            piece.underlineWidth = m_font.metrics.horizontalAdvance(text.at(index));
        }
        return piece;
    }

    const FontMetrics& m_font;
    UINT m_format;
    int m_tabWidth;
};

// Removes prefix marks: "&&" stands for "&", and "&x" underlines x. Returns the last underlined index.
QString StripPrefixes(const QString& text, int* underlined) {
    QString out;
    *underlined = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&'))
                *underlined = static_cast<int>(out.size());
        }
        out += text[i];
    }
    return out;
}

// Breaks a paragraph into lines no wider than width at blanks; a word wider than the line keeps a line
// of its own.
std::vector<TextLine> WrapParagraph(const QString& text, int underlined, int width,
                                    const TextLayout& layout) {
    std::vector<TextLine> lines;
    qsizetype start = 0;
    const qsizetype length = text.size();
    do {
        // Most paragraphs fit whole: one measurement then.
        if (layout.Width(text.mid(start)) <= width) {
            QString line = text.mid(start);
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            lines.push_back(TextLine{line, underlined >= start ? static_cast<int>(underlined - start) : -1});
            break;
        }
        qsizetype end = -1;
        qsizetype next = start;
        while (true) {
            qsizetype blank = text.indexOf(QLatin1Char(' '), next);
            if (blank < 0)
                blank = length;
            if (end >= 0 && layout.Width(text.mid(start, blank - start)) > width)
                break;
            end = blank;
            if (blank >= length)
                break;
            next = blank + 1;
        }
        QString line = text.mid(start, end - start);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        const int index = underlined >= start && underlined < end ? static_cast<int>(underlined - start) : -1;
        lines.push_back(TextLine{line, index});
        start = end;
        while (start < length && text[start] == QLatin1Char(' '))
            ++start;
    } while (start < length);
    return lines;
}

std::vector<TextLine> LayOutLines(const QString& text, UINT format, int width, const TextLayout& layout) {
    QString body = text;
    if (!(format & DT_EXPANDTABS))
        body.remove(QLatin1Char('\t'));
    std::vector<QString> paragraphs;
    if (format & DT_SINGLELINE) {
        body.remove(QLatin1Char('\r'));
        body.remove(QLatin1Char('\n'));
        paragraphs.push_back(body);
    } else {
        body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& paragraph : body.split(QLatin1Char('\n')))
            paragraphs.push_back(paragraph);
    }
    std::vector<TextLine> lines;
    for (const QString& paragraph : paragraphs) {
        int underlined = -1;
        const QString shown = (format & DT_NOPREFIX) ? paragraph : StripPrefixes(paragraph, &underlined);
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            for (TextLine& line : WrapParagraph(shown, underlined, width, layout))
                lines.push_back(std::move(line));
        } else {
            lines.push_back(TextLine{shown, underlined});
        }
    }
    return lines;
}

void ElideLines(std::vector<TextLine>& lines, UINT format, int width, const FontMetrics& font,
                const TextLayout& layout) {
    const UINT ellipsis = format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
    if (!ellipsis)
        return;
    const Qt::TextElideMode mode = (ellipsis & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
    for (TextLine& line : lines) {
        if (layout.Width(line.text) <= width)
            continue;
        line.text = font.metrics.elidedText(line.text, mode, width);
        line.underlined = -1;
    }
}

QColor OpaqueColor(DWORD pixel) {
    return QColor(QRgb(pixel | 0xFF000000));
}

// The font's escapement (tenths of a degree) turns its text counter-clockwise about the reference
// point; the logical placement stays unturned, as extents are measured.
QTransform EscapementTurn(const DeviceContextRecord& dc, QPoint reference) {
    const LONG escapement = dc.state.font->font.lfEscapement;
    if (escapement % 3600 == 0)
        return {};
    return QTransform().translate(-reference.x(), -reference.y()) * QTransform().rotate(-escapement / 10.0) *
           QTransform().translate(reference.x(), reference.y());
}

// Draws placed text with the context's font, text colour and background mode, inside clip (logical)
// when given, turned by the font's escapement about reference.
void PaintText(DeviceContextRecord& dc, const FontMetrics& font, const std::vector<PlacedText>& pieces,
               const QRect* clip, QPoint reference) {
    const QTransform turn = EscapementTurn(dc, reference);
    const QTransform toDevice = turn * dc.LogicalToDevice();
    // A turned cell or box covers the device area of its turned outline.
    const auto deviceArea = [&](const QRect& logical) {
        return turn.isIdentity() ? QRegion(toDevice.mapRect(QRectF(logical)).toAlignedRect())
                                 : QRegion(toDevice.map(QPolygonF(QRectF(logical))).toPolygon());
    };
    QRegion area = dc.DrawableArea();
    if (clip)
        area &= deviceArea(*clip);
    QRect extent;
    for (const PlacedText& piece : pieces)
        extent |= piece.cell.isEmpty() ? QRect(piece.origin, QSize(1, 1)) : piece.cell;
    const QRect bounds =
        DeviceBounds(toDevice.mapRect(QRectF(extent))
                         .adjusted(-kGlyphOverhang, -kGlyphOverhang, kGlyphOverhang, kGlyphOverhang),
                     area);
    if (bounds.isEmpty())
        return;
    const DWORD textColor = dc.ResolveColor(dc.state.textColor);
    const DWORD background = dc.ResolveColor(dc.state.bkColor);
    const bool opaque = dc.state.bkMode == OPAQUE;
    const int underlineHeight = std::max(1, font.metrics.lineWidth());
    const auto draw = [&](QPainter& painter, const QColor& color) {
        painter.setFont(font.font);
        painter.setPen(color);
        for (const PlacedText& piece : pieces) {
            painter.drawText(piece.origin, piece.text);
            if (piece.underlineWidth > 0)
                painter.fillRect(
                    QRect(piece.underlineLeft, piece.origin.y() + 1, piece.underlineWidth, underlineHeight),
                    color);
        }
    };

    const auto paintThrough = [&](QPainter& painter) {
        painter.save();
        painter.setClipRegion(area, Qt::IntersectClip);
        painter.setTransform(toDevice, true);
        if (opaque)
            for (const PlacedText& piece : pieces)
                painter.fillRect(piece.cell, OpaqueColor(background));
        draw(painter, OpaqueColor(textColor));
        painter.restore();
    };
    if (dc.target == DeviceContextRecord::Target::Painter) {
        paintThrough(*dc.painter);
        return;
    }

    const Surface surface = dc.TargetSurface();
    if (!surface.IsValid())
        return;
    // Top-down 32-bit pixels are an image the painter draws on directly, as it blends text the same way
    // the mask below does.
    if (surface.bytesPerPixel == 4 && !surface.bottomUp) {
        QImage direct(surface.bits, surface.width, surface.height, surface.stride, QImage::Format_RGB32);
        QPainter painter(&direct);
        paintThrough(painter);
        return;
    }
    if (opaque) {
        QRegion cells;
        for (const PlacedText& piece : pieces)
            cells |= deviceArea(piece.cell);
        for (const QRect& r : cells.intersected(area))
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    surface.Put(x, y, background);
    }
    const CoverageMask glyphs =
        CoverageMask::Render(bounds, toDevice, true, [&](QPainter& painter) { draw(painter, kCoverageInk); });
    ApplyMask(surface, area, glyphs, [textColor](int, int, BYTE coverage, DWORD& pixel) {
        DWORD blended = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int d = (pixel >> shift) & 0xFF, c = (textColor >> shift) & 0xFF;
            blended |= static_cast<DWORD>(d + ((c - d) * coverage + (c > d ? 127 : -127)) / 255) << shift;
        }
        pixel = blended;
        return true;
    });
}

} // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) {
    if (!text)
        return FALSE;
    const UINT bytes = static_cast<UINT>(count < 0 ? std::strlen(text) : static_cast<std::size_t>(count));
    return ExtTextOut(x, y, 0, nullptr, text, bytes, nullptr);
}

UINT CDC::SetTextAlign(UINT flags) {
    return m_hDC ? std::exchange(m_hDC->state.textAlign, flags) : 0;
}

UINT CDC::GetTextAlign() const {
    return m_hDC ? m_hDC->state.textAlign : 0;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx) {
    if (!m_hDC || !text)
        return FALSE;
    const FontMetrics font(*m_hDC);
    const QString shown = TextOf(text, static_cast<int>(count));
    if (rect && (options & ETO_OPAQUE))
        FillSolidRect(rect, m_hDC->state.bkColor);
    const UINT align = m_hDC->state.textAlign;
    if (align & TA_UPDATECP)
        x = m_hDC->state.position.x, y = m_hDC->state.position.y;
    // Each character at its own advance when dx gives them, else the whole text as one piece.
    std::vector<int> advances;
    int width = 0;
    if (dx) {
        for (int i = 0; i < shown.size(); ++i)
            advances.push_back(i < static_cast<int>(count) ? dx[i] : 0), width += advances.back();
    } else {
        width = font.metrics.horizontalAdvance(shown);
    }
    const UINT horizontal = align & TA_CENTER;
    const int left = horizontal == TA_CENTER ? x - width / 2 : horizontal == TA_RIGHT ? x - width : x;
    const UINT vertical = align & TA_BASELINE;
    const int baseline = vertical == TA_BASELINE ? y
                         : vertical == TA_BOTTOM ? y - (font.height - font.ascent)
                                                 : y + font.ascent;
    const int top = baseline - font.ascent;
    std::vector<PlacedText> pieces;
    if (dx) {
        int at = left;
        for (int i = 0; i < shown.size(); ++i) {
            pieces.push_back(
                PlacedText{shown.mid(i, 1), QPoint(at, baseline), QRect(at, top, advances[i], font.height)});
            at += advances[i];
        }
    } else {
        pieces.push_back(PlacedText{shown, QPoint(left, baseline), QRect(left, top, width, font.height)});
    }
    const QRect clip =
        rect ? QRect(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1)) : QRect();
    PaintText(*m_hDC, font, pieces, rect && (options & ETO_CLIPPED) ? &clip : nullptr, QPoint(x, y));
    if (align & TA_UPDATECP)
        m_hDC->state.position.x = horizontal == TA_RIGHT ? x - width : x + width;
    return TRUE;
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
    if (!m_hDC || !text || !rect)
        return 0;
    const QString shown = TextOf(text, count);
    // An empty text is an empty block: no line height, nothing drawn.
    if (shown.isEmpty()) {
        if (format & DT_CALCRECT)
            rect->right = rect->left, rect->bottom = rect->top;
        return 0;
    }
    const FontMetrics font(*m_hDC);
    const TextLayout layout(font, format);
    const int width = rect->right - rect->left;
    std::vector<TextLine> lines = LayOutLines(shown, format, width, layout);
    ElideLines(lines, format, width, font, layout);
    int widest = 0;
    for (TextLine& line : lines) {
        line.width = layout.Width(line.text);
        widest = std::max(widest, line.width);
    }
    const int height = static_cast<int>(lines.size()) * font.height;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect->top + (rect->bottom - rect->top - height) / 2;
        else if (format & DT_BOTTOM)
            top = rect->bottom - height;
    }
    std::vector<PlacedText> pieces;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineWidth = lines[i].width;
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (width - lineWidth) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - lineWidth;
        layout.Place(lines[i], x, top + static_cast<int>(i) * font.height, pieces);
    }
    const QRect box = RectFromCorners(rect->left, rect->top, rect->right, rect->bottom);
    PaintText(*m_hDC, font, pieces, (format & DT_NOCLIP) ? nullptr : &box, QPoint(rect->left, rect->top));
    return top - rect->top + height;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
    if (!m_hDC || !text)
        return CSize();
    const FontMetrics font(*m_hDC);
    return CSize(font.metrics.horizontalAdvance(TextOf(text, count)), font.height);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const {
    if (!m_hDC || !metrics)
        return FALSE;
    const FontMetrics font(*m_hDC);
    const LOGFONT& logFont = m_hDC->state.font->font;
    *metrics = TEXTMETRIC{};
    metrics->tmAscent = font.ascent;
    metrics->tmDescent = font.height - font.ascent;
    metrics->tmHeight = font.height;
    metrics->tmInternalLeading = std::max(0, font.height - font.font.pixelSize());
    metrics->tmExternalLeading = std::max(0, font.metrics.leading());
    metrics->tmAveCharWidth = font.metrics.averageCharWidth();
    metrics->tmMaxCharWidth = font.metrics.maxWidth();
    metrics->tmWeight = logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : logFont.lfWeight;
    metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = GetDeviceCaps(LOGPIXELSY);
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFF;
    metrics->tmDefaultChar = 0x1F;
    metrics->tmBreakChar = 0x20;
    metrics->tmItalic = logFont.lfItalic;
    metrics->tmUnderlined = logFont.lfUnderline;
    metrics->tmStruckOut = logFont.lfStrikeOut;
    // Outline fonts; the low "fixed pitch" bit is set for proportional fonts, as the system reports it.
    constexpr BYTE kVectorTrueTypeVariable = 0x07;
    metrics->tmPitchAndFamily =
        static_cast<BYTE>((logFont.lfPitchAndFamily & 0xF0) | kVectorTrueTypeVariable);
    metrics->tmCharSet = logFont.lfCharSet;
    return TRUE;
}
