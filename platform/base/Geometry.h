#pragma once
// CPoint, CSize and CRect: the framework's value classes over POINT, SIZE and RECT.

#include <algorithm>

#include "platform/base/WinStructs.h"

class CSize : public SIZE {
public:
    constexpr CSize() : SIZE{0, 0} {}
    constexpr CSize(int x, int y) : SIZE{x, y} {}
    constexpr CSize(SIZE s) : SIZE(s) {}

    constexpr bool operator==(const SIZE& o) const { return cx == o.cx && cy == o.cy; }
    constexpr bool operator!=(const SIZE& o) const { return !(*this == o); }
    constexpr CSize operator+(SIZE o) const { return {cx + o.cx, cy + o.cy}; }
    constexpr CSize operator-(SIZE o) const { return {cx - o.cx, cy - o.cy}; }
    constexpr CSize operator-() const { return {-cx, -cy}; }
    constexpr void operator+=(SIZE o) { cx += o.cx, cy += o.cy; }
    constexpr void operator-=(SIZE o) { cx -= o.cx, cy -= o.cy; }
};

class CPoint : public POINT {
public:
    constexpr CPoint() : POINT{0, 0} {}
    constexpr CPoint(int px, int py) : POINT{px, py} {}
    constexpr CPoint(POINT p) : POINT(p) {}
    constexpr explicit CPoint(SIZE s) : POINT{s.cx, s.cy} {}

    constexpr void Offset(int dx, int dy) { x += dx, y += dy; }
    constexpr void Offset(POINT p) { Offset(p.x, p.y); }
    constexpr void Offset(SIZE s) { Offset(s.cx, s.cy); }
    constexpr void SetPoint(int px, int py) { x = px, y = py; }

    constexpr bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(const POINT& o) const { return !(*this == o); }
    constexpr CPoint operator+(SIZE s) const { return {x + s.cx, y + s.cy}; }
    constexpr CPoint operator+(POINT p) const { return {x + p.x, y + p.y}; }
    constexpr CPoint operator-(SIZE s) const { return {x - s.cx, y - s.cy}; }
    constexpr CSize operator-(POINT p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr void operator+=(SIZE s) { Offset(s); }
    constexpr void operator+=(POINT p) { Offset(p); }
    constexpr void operator-=(SIZE s) { Offset(-s.cx, -s.cy); }
    constexpr void operator-=(POINT p) { Offset(-p.x, -p.y); }
};

class CRect : public RECT {
public:
    constexpr CRect() : RECT{0, 0, 0, 0} {}
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}
    constexpr CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    constexpr CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    constexpr void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void CopyRect(const RECT* r) { *this = *r; }
    constexpr void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    constexpr void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    constexpr void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    constexpr void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    constexpr void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }
    constexpr void InflateRect(int dx, int dy) { left -= dx, top -= dy, right += dx, bottom += dy; }
    constexpr void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    constexpr void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
    constexpr void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    // Like the system call: an empty intersection leaves an empty (all-zero) rectangle and returns false.
    constexpr bool IntersectRect(const RECT& a, const RECT& b) {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // The union of two rectangles, ignoring empty ones.
    constexpr bool UnionRect(const RECT& a, const RECT& b) {
        const CRect ra(a), rb(b);
        if (ra.IsRectEmpty() && rb.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        if (ra.IsRectEmpty()) {
            *this = rb;
            return true;
        }
        if (rb.IsRectEmpty()) {
            *this = ra;
            return true;
        }
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
        return true;
    }

    constexpr bool operator==(const RECT& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    constexpr bool operator!=(const RECT& o) const { return !(*this == o); }
    constexpr void operator+=(POINT p) { OffsetRect(p); }
    constexpr void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
    constexpr CRect operator+(POINT p) const { return {left + p.x, top + p.y, right + p.x, bottom + p.y}; }
    constexpr CRect operator-(POINT p) const { return {left - p.x, top - p.y, right - p.x, bottom - p.y}; }
    constexpr CRect operator&(const RECT& o) const {
        CRect r;
        r.IntersectRect(*this, o);
        return r;
    }
    constexpr CRect operator|(const RECT& o) const {
        CRect r;
        r.UnionRect(*this, o);
        return r;
    }

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }
};
