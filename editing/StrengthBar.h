#pragma once
// CStrengthBar: a bar of values 0 to 100 on a skinned dialog's background. It turns points into values,
// paints the two-pixel marker of a value and tells the points over it apart from the background by which
// the borderless dialog moves.

#include "platform/base/Geometry.h"

class CDC;
class CWnd;

class CStrengthBar {
public:
    // bar: the bar in client pixels.
    constexpr explicit CStrengthBar(const RECT& bar) : m_bar(bar) {}

    // The value a point of the bar stands for, and where the marker stands for a value. The marker is two
    // pixels wide and stays inside the bar.
    constexpr int ValueAtX(int x) const { return (x - m_bar.left) * 100 / Steps(); }
    constexpr int MarkerX(int value) const { return m_bar.left + Steps() * value / 100; }

    bool Contains(CPoint clientPoint) const;
    // Whether a point in screen coordinates lies over the bar of dialog.
    bool IsUnder(const CWnd* dialog, CPoint screenPoint) const;
    // The marker with the context's pen and brush.
    void PaintMarker(CDC* dc, int value) const;
    // Invalidates the bar with erase.
    void Invalidate(CWnd* dialog) const;

private:
    constexpr int Steps() const { return m_bar.right - m_bar.left - 2; }

    RECT m_bar;
};
