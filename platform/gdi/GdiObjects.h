#pragma once
// The drawing tools: pens, brushes, fonts and palettes.

#include "platform/gdi/GdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    static CPen* FromHandle(HPEN pen);

    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* pen);
    int GetLogPen(LOGPEN* pen) const;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    static CBrush* FromHandle(HBRUSH brush);

    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    // Solid, hollow and hatched brushes; other styles are refused.
    BOOL CreateBrushIndirect(const LOGBRUSH* brush);
    // A brush that tiles a packed DIB (header, colour table, rows) from device pixel (0, 0). Colour
    // indices of DIB_PAL_COLORS tables refer to the default palette.
    BOOL CreateDIBPatternBrush(const void* packedDib, UINT usage);
    int GetLogBrush(LOGBRUSH* brush) const;
};

// Fonts are matched by face name ("Arial" is Liberation Sans); the height is in logical units, negative
// for the character height and positive for the cell height, as in LOGFONT.
class CFont : public CGdiObject {
public:
    static CFont* FromHandle(HFONT font);

    BOOL CreateFontIndirect(const LOGFONT* font);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    int GetLogFont(LOGFONT* font) const;
};

// Palettes only map DIB_PAL_COLORS tables and PALETTEINDEX colours: every surface is true-colour.
class CPalette : public CGdiObject {
public:
    static CPalette* FromHandle(HPALETTE palette);

    BOOL CreatePalette(const LOGPALETTE* palette);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
    UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries);
    UINT GetNearestPaletteIndex(COLORREF color) const;
};

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HFONT CreateFontIndirect(const LOGFONT* font);
// Calls proc for every installed font family (family null), or for the named one, with the system's
// face names ("Arial", "Times New Roman", "Courier New") where their stand-ins are installed. Outline
// fonts report TRUETYPE_FONTTYPE. Returns the last value proc returned, or 1 when it was never called.
int EnumFontFamilies(HDC dc, LPCTSTR family, FONTENUMPROC proc, LPARAM data);
HPALETTE CreatePalette(const LOGPALETTE* palette);
