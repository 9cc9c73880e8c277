#pragma once
// What the page tests share: a canvas to draw objects on, a stand-in for the page canvas window, and
// spelling of little-endian fields.

#include "page/PageWindow.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/Dc.h"
#include "tests/support/GuiApplication.h"

#include <QImage>
#include <functional>
#include <ostream>
#include <vector>

using Bytes = std::vector<BYTE>;

Bytes Word(WORD value);
Bytes Dword(DWORD value);
// A rectangle as its four INT32 fields.
Bytes RectBytes(int left, int top, int right, int bottom);

void PrintTo(const CRect& rect, std::ostream* os);
void PrintTo(const CPoint& point, std::ostream* os);

// The cause of the CArchiveException that action throws (the exception deleted), or -1 for none.
int ArchiveCause(const std::function<void()>& action);

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

// A 32-bit image with a device context on it.
class CCanvas {
public:
    CCanvas(int width, int height, COLORREF fill = kWhite);
    CDC& Dc() { return m_dc; }
    COLORREF Pixel(int x, int y) const;
    // Pixels that differ from colour.
    int CountOther(COLORREF colour) const;
    // The smallest rectangle around the pixels that differ from colour; empty when there are none.
    CRect InkBounds(COLORREF colour) const;
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
    CDC m_dc;
};

// The page canvas window: page units map to its pixels by a divisor; its client area is a canvas.
class CStandInWindow : public CPageWindow {
public:
    CStandInWindow(CCanvas& canvas, int divisor) : m_canvas(canvas), m_divisor(divisor) {}
    CPoint PageToWindow(CPoint page) const override { return {page.x / m_divisor, page.y / m_divisor}; }
    CDC* GetClientDC() override {
        ++m_clientDCs;
        return &m_canvas.Dc();
    }
    void ReleaseClientDC(CDC*) override { ++m_released; }

    int m_clientDCs = 0;
    int m_released = 0;

private:
    CCanvas& m_canvas;
    int m_divisor;
};
