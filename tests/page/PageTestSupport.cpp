#include "tests/page/PageTestSupport.h"

#include "platform/base/ArchiveException.h"

#include <algorithm>

Bytes Word(WORD value) {
    return {BYTE(value), BYTE(value >> 8)};
}

Bytes Dword(DWORD value) {
    return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

Bytes RectBytes(int left, int top, int right, int bottom) {
    Bytes out;
    for (int v : {left, top, right, bottom}) {
        const Bytes field = Dword(static_cast<DWORD>(v));
        out.insert(out.end(), field.begin(), field.end());
    }
    return out;
}

CCanvas::CCanvas(int width, int height, COLORREF fill) : m_image(width, height, QImage::Format_RGB32) {
    m_image.fill(QColor(GetRValue(fill), GetGValue(fill), GetBValue(fill)));
    m_dc.CreateImageDC(&m_image);
}

COLORREF CCanvas::Pixel(int x, int y) const {
    const QRgb p = m_image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

int CCanvas::CountOther(COLORREF colour) const {
    int count = 0;
    for (int y = 0; y < m_image.height(); ++y)
        for (int x = 0; x < m_image.width(); ++x)
            count += Pixel(x, y) != colour ? 1 : 0;
    return count;
}

CRect CCanvas::InkBounds(COLORREF colour) const {
    CRect bounds(m_image.width(), m_image.height(), 0, 0);
    for (int y = 0; y < m_image.height(); ++y)
        for (int x = 0; x < m_image.width(); ++x) {
            if (Pixel(x, y) == colour)
                continue;
            bounds.left = std::min<int>(bounds.left, x);
            bounds.top = std::min<int>(bounds.top, y);
            bounds.right = std::max<int>(bounds.right, x + 1);
            bounds.bottom = std::max<int>(bounds.bottom, y + 1);
        }
    return bounds.IsRectEmpty() ? CRect() : bounds;
}

void PrintTo(const CRect& rect, std::ostream* os) {
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

void PrintTo(const CPoint& point, std::ostream* os) {
    *os << "(" << point.x << ", " << point.y << ")";
}

int ArchiveCause(const std::function<void()>& action) {
    try {
        action();
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}
