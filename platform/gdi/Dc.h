#pragma once
// CDC: device contexts over memory bitmaps, images and window painters, with the transfer functions
// that take a context handle.
//
// A context belongs to one thread at a time; contexts, bitmaps and DIB sections work on any thread.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"

#include <memory>

class QImage;
class QPainter;
struct DOCINFO;

class CDC {
public:
    CDC() = default;
    // Deletes the context it owns.
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    // Set by the printing code on contexts that render for the printer.
    BOOL m_bPrinting = FALSE;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }
    // The wrapper of a handle: the CDC that owns it, or a temporary one that lives as long as the context.
    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();

    // A memory context with a 1 x 1 bitmap selected; dc may be null (the screen).
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    // Hooks for the window and printing layers: a context that draws into an image (32-bit RGB or ARGB,
    // or 24-bit BGR) or through a painter of the given device size. Neither is owned.
    BOOL CreateImageDC(QImage* image);
    BOOL CreatePainterDC(QPainter* painter, int width, int height);

    // Print jobs on printer contexts; the printing layer (platform/print/PrintJob.h) defines them.
    int StartDoc(const DOCINFO* docInfo);
    int StartPage();
    int EndPage();
    int EndDoc();

    // Selection returns the previous object of the kind, or null on failure.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    // Selects a copy of the region as the clip region; returns the region type or ERROR.
    int SelectObject(CRgn* region);
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    CBitmap* GetCurrentBitmap() const;
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;

    int SaveDC();
    // Restores a level SaveDC returned, or the latest one for -1.
    BOOL RestoreDC(int savedDC);

    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;

    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(LPSIZE size) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(LPSIZE size) const;

    int GetDeviceCaps(int index) const;
    // Replaces what GetDeviceCaps reports for one index, for contexts that stand for other devices.
    void SetDeviceCaps(int index, int value);
    // Test hook: the next count transfers (BitBlt, StretchBlt, StretchDIBits, SetDIBitsToDevice) fail,
    // after the given number of transfers that still go through.
    void FailNextTransfers(int count, int afterSuccesses = 0);

    // Clip regions are in device units; a null region removes clipping.
    int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect) {
        return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    int ExcludeClipRect(int left, int top, int right, int bottom);
    // The smallest logical rectangle around what can be drawn; returns the clip's region type.
    int GetClipBox(LPRECT rect) const;

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                    int sourceWidth, int sourceHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    void FillRect(LPCRECT rect, CBrush* brush);
    // Like the framework, leaves the background colour set to color.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush);
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    BOOL RoundRect(LPCRECT rect, POINT ellipse) {
        return RoundRect(rect->left, rect->top, rect->right, rect->bottom, ellipse.x, ellipse.y);
    }
    BOOL Polygon(const POINT* points, int count);
    // counts[i] points of polygon i follow one another in points; filled together with the fill mode.
    BOOL PolyPolygon(const POINT* points, const int* counts, int polygonCount);
    // The ellipse of the box from the radial through start counterclockwise to the radial through end:
    // the arc alone, closed by its chord, or closed through the centre.
    BOOL Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    BOOL Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    BOOL Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    BOOL Polyline(const POINT* points, int count);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    // Where TextOut and ExtTextOut put the text around their point (TA_ flags); returns the old flags.
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    // TextOut with ETO_OPAQUE (rect filled with the background colour first) and ETO_CLIPPED (the text
    // cut to rect); dx, when given, holds each character's advance.
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx);
    // count -1 takes the text up to its terminator. Returns the text's height, 0 on failure.
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format) {
        return DrawText(text, text.GetLength(), rect, format);
    }
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;

    // Edges and frame controls in the system colours (BDR_/EDGE_, BF_, DFC_/DFCS_ flags).
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    // Inverts every other pixel of the rectangle's outline, so drawing it twice removes it.
    void DrawFocusRect(LPCRECT rect);
};

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state);
BOOL DrawFocusRect(HDC dc, const RECT* rect);

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);

// What the layer that made a context keeps with it (a printer's page and its job); freed with the context.
class CDeviceExtension {
public:
    virtual ~CDeviceExtension() = default;
};
// Replaces the context's extension.
void AttachDeviceExtension(HDC dc, std::unique_ptr<CDeviceExtension> extension);
CDeviceExtension* GetDeviceExtension(HDC dc);
// Makes the context draw through painter over a device of the given size, keeping its state and its
// device caps; a null painter makes it a memory context again. The painter is not owned.
BOOL RetargetToPainter(HDC dc, QPainter* painter, int width, int height);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int GetDeviceCaps(HDC dc, int index);
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);

// Stretches the source rectangle of a packed DIB (1, 4, 8, 16, 24 or 32 bits; ySource counts from the
// DIB's bottom row for bottom-up DIBs) onto the destination rectangle with the raster operation and the
// context's stretch mode. Returns the number of source scan lines, or GDI_ERROR.
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
                  int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);
// Copies a rectangle of a DIB 1:1; bits hold scanLines rows starting at DIB row startScan (counted from
// the bottom). Returns the number of scan lines, or 0 on failure.
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSource, int ySource,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage);
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop);
BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int sourceWidth, int sourceHeight, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
