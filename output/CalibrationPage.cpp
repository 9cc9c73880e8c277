#include "output/CalibrationPage.h"

#include "platform/base/AppServices.h"
#include "platform/base/MulDiv.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kTopArrowText = 301;
constexpr UINT kInstructions = 302;
constexpr UINT kLeftArrowText = 303;
constexpr int kFontPoints = 16;
constexpr LONG kDownwards = 2700; // escapement in tenths of a degree: text running down the page
constexpr int kWidestText = 205;  // millimetres the instructions may reach from the sheet's left edge

// v + 0.5 truncated.
int Round(double value) {
    return static_cast<int>(value + 0.5);
}

LOGFONT InstructionFont(int dpiY) {
    LOGFONT font{};
    font.lfHeight = -MulDiv(kFontPoints, dpiY, 72);
    font.lfWeight = 400;
    font.lfCharSet = 1; // the default character set
    std::strncpy(font.lfFaceName, "Arial", sizeof font.lfFaceName - 1);
    return font;
}

void Triangle(CDC* dc, POINT tip, POINT baseStart, POINT baseEnd) {
    const POINT corners[3] = {tip, baseStart, baseEnd};
    dc->Polygon(corners, 3);
}

} // namespace

void DrawCalibrationPage(CDC* dc, float offsetX, float offsetY) {
    // One millimetre in dots; the horizontal resolution serves every length, vertical ones too.
    const double px = dc->GetDeviceCaps(LOGPIXELSX) / 25.4;
    const double pxY = dc->GetDeviceCaps(LOGPIXELSY) / 25.4;
    const auto dots = [px](int millimetres) { return Round(px * millimetres); };
    const int x0 = Round(px * offsetX) - dc->GetDeviceCaps(PHYSICALOFFSETX);
    const int y0 = Round(pxY * offsetY) - dc->GetDeviceCaps(PHYSICALOFFSETY);

    LOGFONT plain = InstructionFont(dc->GetDeviceCaps(LOGPIXELSY));
    LOGFONT italic = plain;
    italic.lfItalic = TRUE;
    LOGFONT rotated = plain;
    rotated.lfEscapement = kDownwards;
    CFont plainFont, italicFont, rotatedFont;
    plainFont.CreateFontIndirect(&plain);
    italicFont.CreateFontIndirect(&italic);
    rotatedFont.CreateFontIndirect(&rotated);
    IAppServices& app = AppServices();

    CFont* previousFont = dc->SelectObject(&plainFont);
    CGdiObject* previousBrush = dc->SelectStockObject(BLACK_BRUSH);
    dc->MoveTo(x0, y0 + dots(50));
    dc->LineTo(x0, y0);
    dc->LineTo(x0 + dots(50), y0);
    dc->MoveTo(x0 + dots(20), y0);
    dc->LineTo(x0 + dots(20), 0);
    const int halfBase = dots(4) / 2;
    Triangle(dc, {x0 + dots(20), y0}, {x0 + dots(20) - halfBase, y0 - dots(4)},
             {x0 + dots(20) + halfBase, y0 - dots(4)});
    dc->TextOut(x0 + dots(20) + dots(7), y0 - dots(15), app.LoadString(kTopArrowText));

    dc->SelectObject(&italicFont);
    CRect text(x0 + dots(7), y0 + dots(7), std::min(dots(kWidestText), x0 + dots(90) + dots(7)),
               y0 + dots(90) + dots(7));
    dc->DrawText(app.LoadString(kInstructions), &text, DT_WORDBREAK);

    dc->SelectObject(&rotatedFont);
    dc->MoveTo(x0, y0 + dots(20));
    dc->LineTo(0, y0 + dots(20));
    Triangle(dc, {x0, y0 + dots(20)}, {x0 - dots(4), y0 + dots(20) - halfBase},
             {x0 - dots(4), y0 + dots(20) + halfBase});
    dc->TextOut(x0 - dots(15), y0 + dots(20) + dots(7), app.LoadString(kLeftArrowText));

    dc->SelectObject(previousBrush);
    dc->SelectObject(previousFont);
}
