#include "platform/gdi/Region.h"

#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Curved and polygonal regions reach this far from the origin at most: no device the program draws on
// comes near it (a page at 1200 dpi is 14000 pixels), and it bounds the rows a region is built from.
constexpr int kRegionLimit = 1 << 16;

bool WithinLimit(int x, int y) {
    // Compared on both sides: the magnitude of INT_MIN does not fit an int.
    const auto within = [](int value) { return value >= -kRegionLimit && value <= kRegionLimit; };
    return within(x) && within(y);
}

// Rectangles are clamped instead, which keeps every pixel they cover within the limit.
QRect RegionRect(int left, int top, int right, int bottom) {
    const auto limit = [](int value) { return std::clamp(value, -kRegionLimit, kRegionLimit); };
    left = limit(left), top = limit(top), right = limit(right), bottom = limit(bottom);
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return QRect(left, top, right - left, bottom - top);
}

// One span per pixel row, merged into taller rectangles where neighbouring rows span alike.
QRegion RegionFromRowSpans(const std::vector<QRect>& rows) {
    std::vector<QRect> merged;
    for (const QRect& row : rows) {
        if (!merged.empty() && merged.back().left() == row.left() && merged.back().right() == row.right() &&
            merged.back().bottom() + 1 == row.top()) {
            merged.back().setBottom(row.bottom());
            continue;
        }
        merged.push_back(row);
    }
    QRegion region;
    region.setRects(merged.data(), static_cast<int>(merged.size()));
    return region;
}

// Rows of a rectangle with elliptic corners, sampled at pixel centres. An ellipse is the case where the
// corners take the whole rectangle.
QRegion RoundedRegion(const QRect& box, int cornerWidth, int cornerHeight) {
    if (box.isEmpty())
        return QRegion();
    const double rx = std::min(cornerWidth, box.width()) / 2.0;
    const double ry = std::min(cornerHeight, box.height()) / 2.0;
    if (rx <= 0 || ry <= 0)
        return QRegion(box);
    const double left = box.left(), right = box.left() + box.width();
    const double top = box.top(), bottom = box.top() + box.height();
    std::vector<QRect> rows;
    for (int y = box.top(); y < box.top() + box.height(); ++y) {
        const double centre = y + 0.5;
        double dy = 0;
        if (centre < top + ry)
            dy = (top + ry - centre) / ry;
        else if (centre > bottom - ry)
            dy = (centre - (bottom - ry)) / ry;
        if (dy >= 1)
            continue;
        const double inset = rx * (1 - std::sqrt(1 - dy * dy));
        const int x0 = static_cast<int>(std::lround(left + inset));
        const int x1 = static_cast<int>(std::lround(right - inset));
        if (x1 > x0)
            rows.emplace_back(x0, y, x1 - x0, 1);
    }
    return RegionFromRowSpans(rows);
}

HRGN NewRegion(QRegion region, QPolygon polygon = {}) {
    auto record = std::make_unique<RegionRecord>();
    record->region = std::move(region);
    record->polygon = std::move(polygon);
    return NewHandle(std::move(record));
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return NewRegion(QRegion(RegionRect(left, top, right, bottom)));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    if (!WithinLimit(left, top) || !WithinLimit(right, bottom))
        return nullptr;
    const QRect box = RegionRect(left, top, right, bottom);
    return NewRegion(RoundedRegion(box, box.width(), box.height()));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (!WithinLimit(left, top) || !WithinLimit(right, bottom) || !WithinLimit(ellipseWidth, ellipseHeight))
        return nullptr;
    return NewRegion(
        RoundedRegion(RegionRect(left, top, right, bottom), std::abs(ellipseWidth), std::abs(ellipseHeight)));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 2 || (fillMode != ALTERNATE && fillMode != WINDING))
        return nullptr;
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i) {
        if (!WithinLimit(points[i].x, points[i].y))
            return nullptr;
        polygon.setPoint(i, points[i].x, points[i].y);
    }
    return NewRegion(QRegion(polygon, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill), polygon);
}

int CombineRgn(HRGN destination, HRGN first, HRGN second, int mode) {
    RegionRecord* target = RegionOf(destination);
    const RegionRecord* a = RegionOf(first);
    const RegionRecord* b = RegionOf(second);
    if (!target || !a || (mode != RGN_COPY && !b))
        return ERROR;
    QPolygon polygon;
    QRegion result;
    switch (mode) {
    case RGN_AND:
        result = a->region.intersected(b->region);
        break;
    case RGN_OR:
        result = a->region.united(b->region);
        break;
    case RGN_XOR:
        result = a->region.xored(b->region);
        break;
    case RGN_DIFF:
        result = a->region.subtracted(b->region);
        break;
    case RGN_COPY:
        result = a->region;
        polygon = a->polygon;
        break;
    default:
        return ERROR;
    }
    target->region = result;
    target->polygon = polygon;
    return RegionType(result);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    RegionRecord* record = RegionOf(region);
    if (!record)
        return ERROR;
    // Regions stay within the device coordinate range, so that no coordinate overflows.
    const QRect box = record->region.boundingRect();
    const auto outside = [](long long value) {
        return value < -kCoordinateLimit || value > kCoordinateLimit;
    };
    if (!box.isEmpty() && (outside(static_cast<long long>(box.left()) + dx) ||
                           outside(static_cast<long long>(box.right()) + dx) ||
                           outside(static_cast<long long>(box.top()) + dy) ||
                           outside(static_cast<long long>(box.bottom()) + dy)))
        return ERROR;
    record->region.translate(dx, dy);
    record->polygon.translate(dx, dy);
    return RegionType(record->region);
}

BOOL PtInRegion(HRGN region, int x, int y) {
    const RegionRecord* record = RegionOf(region);
    return record && record->region.contains(QPoint(x, y));
}

int GetRgnBox(HRGN region, LPRECT rect) {
    const RegionRecord* record = RegionOf(region);
    if (!record || !rect)
        return ERROR;
    const QRect box = record->region.boundingRect();
    *rect = box.isEmpty() ? RECT{}
                          : RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    return RegionType(record->region);
}

CRgn* CRgn::FromHandle(HRGN region) {
    return static_cast<CRgn*>(CGdiObject::FromHandle(region));
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    return AttachNew(::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) {
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom) {
    return AttachNew(::CreateEllipticRgn(left, top, right, bottom));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect) {
    return rect && CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    return AttachNew(::CreateRoundRectRgn(left, top, right, bottom, ellipseWidth, ellipseHeight));
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    return AttachNew(::CreatePolygonRgn(points, count, fillMode));
}

int CRgn::CombineRgn(const CRgn* first, const CRgn* second, int mode) {
    return ::CombineRgn(m_hObject, first ? first->m_hObject : nullptr, second ? second->m_hObject : nullptr,
                        mode);
}

int CRgn::CopyRgn(const CRgn* source) {
    return CombineRgn(source, nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* other) const {
    const RegionRecord* a = RegionOf(m_hObject);
    const RegionRecord* b = other ? RegionOf(other->m_hObject) : nullptr;
    return a && b && a->region == b->region;
}

int CRgn::OffsetRgn(int dx, int dy) {
    return ::OffsetRgn(m_hObject, dx, dy);
}

void CRgn::SetRectRgn(int left, int top, int right, int bottom) {
    if (RegionRecord* record = RegionOf(m_hObject)) {
        record->region = QRegion(RegionRect(left, top, right, bottom));
        record->polygon.clear();
    }
}

BOOL CRgn::PtInRegion(int x, int y) const {
    return ::PtInRegion(m_hObject, x, y);
}

BOOL CRgn::RectInRegion(LPCRECT rect) const {
    const RegionRecord* record = RegionOf(m_hObject);
    return record && rect &&
           record->region.intersects(RegionRect(rect->left, rect->top, rect->right, rect->bottom));
}

int CRgn::GetRgnBox(LPRECT rect) const {
    return ::GetRgnBox(m_hObject, rect);
}
