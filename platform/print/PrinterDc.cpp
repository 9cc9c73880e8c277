#include "platform/print/PrinterDc.h"

#include "platform/print/PaperSizes.h"
#include "platform/print/PrinterCatalog.h"
#include "platform/print/PrinterPage.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The sheet as the printer feeds it: portrait sides and edges, tenths of a millimetre.
struct Sheet {
    int width = 0;
    int length = 0;
    RECT margins{};
};

Sheet SheetOf(const DEVMODE& devMode, const PrinterCapabilities& capabilities) {
    if (devMode.dmPaperSize != 0) {
        if (const PrinterPaper* paper = FindPrinterPaper(capabilities, devMode.dmPaperSize))
            return Sheet{paper->width, paper->length, paper->margins};
        if (const auto entry = FindPaperByNumber(devMode.dmPaperSize))
            return Sheet{entry->width, entry->length, RECT{}};
    }
    if (devMode.dmPaperWidth > 0 && devMode.dmPaperLength > 0)
        return Sheet{devMode.dmPaperWidth, devMode.dmPaperLength, RECT{}};
    if (const PrinterPaper* paper = FindPrinterPaper(capabilities, capabilities.defaultPaper))
        return Sheet{paper->width, paper->length, paper->margins};
    const PaperSizeEntry a4 = *FindPaperByNumber(DMPAPER_A4);
    return Sheet{a4.width, a4.length, RECT{}};
}

// Landscape turns the sheet a quarter to the left: its top edge becomes the left one.
Sheet Oriented(Sheet sheet, SHORT orientation) {
    if (orientation != DMORIENT_LANDSCAPE)
        return sheet;
    const RECT m = sheet.margins;
    return Sheet{sheet.length, sheet.width, RECT{m.top, m.right, m.bottom, m.left}};
}

int ToDots(int tenthsOfMillimetre, int dpi) {
    return static_cast<int>(std::lround(tenthsOfMillimetre * static_cast<double>(dpi) / 254.0));
}

} // namespace

PrinterPage* PrinterPageOf(HDC dc) {
    return dynamic_cast<PrinterPage*>(GetDeviceExtension(dc));
}

HDC CreateDC(LPCTSTR, LPCTSTR device, LPCTSTR, const DEVMODE* devMode) {
    PrinterCapabilities capabilities;
    if (!device || !GetPrinterCapabilities(device, &capabilities))
        return nullptr;
    DEVMODE settings = DefaultDevMode(device, capabilities);
    if (devMode && devMode->dmSpecVersion == DM_SPECVERSION && devMode->dmSize == sizeof(DEVMODE))
        MergeDevMode(&settings, *devMode, capabilities);

    const Sheet portrait = SheetOf(settings, capabilities);
    const Sheet sheet = Oriented(portrait, settings.dmOrientation);
    const int dpiY = settings.dmYResolution > 0 ? settings.dmYResolution : capabilities.defaultResolution;
    const int dpiX = settings.dmPrintQuality > 0 ? settings.dmPrintQuality : dpiY;
    const int physicalWidth = ToDots(sheet.width, dpiX);
    const int physicalHeight = ToDots(sheet.length, dpiY);
    const int offsetX = ToDots(sheet.margins.left, dpiX);
    const int offsetY = ToDots(sheet.margins.top, dpiY);
    const int horzRes = std::max(0, physicalWidth - offsetX - ToDots(sheet.margins.right, dpiX));
    const int vertRes = std::max(0, physicalHeight - offsetY - ToDots(sheet.margins.bottom, dpiY));

    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return nullptr;
    CDC* context = CDC::FromHandle(dc);
    const std::pair<int, int> caps[] = {
        {TECHNOLOGY, DT_RASPRINTER},
        {LOGPIXELSX, dpiX},
        {LOGPIXELSY, dpiY},
        {PHYSICALWIDTH, physicalWidth},
        {PHYSICALHEIGHT, physicalHeight},
        {PHYSICALOFFSETX, offsetX},
        {PHYSICALOFFSETY, offsetY},
        {HORZRES, horzRes},
        {VERTRES, vertRes},
    };
    for (const auto& [index, value] : caps)
        context->SetDeviceCaps(index, value);

    auto page = std::make_unique<PrinterPage>();
    page->device = device;
    page->sheetWidth = portrait.width;
    page->sheetLength = portrait.length;
    page->landscape = settings.dmOrientation == DMORIENT_LANDSCAPE;
    page->dpiX = dpiX;
    page->dpiY = dpiY;
    page->offsetX = offsetX;
    page->offsetY = offsetY;
    page->printableWidth = horzRes;
    page->printableHeight = vertRes;
    page->color = settings.dmColor;
    page->duplex = settings.dmDuplex;
    AttachDeviceExtension(dc, std::move(page));
    return dc;
}
