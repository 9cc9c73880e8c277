#include "output/PrintPage.h"

#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "output/PrintBands.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "platform/gdi/Dc.h"

#include <algorithm>

namespace {

CSize PictureSize(const CPictureInfo* picture) {
    return picture ? CSize(picture->GetWidth(), picture->GetHeight()) : CSize();
}

// The progress of the bands, told through the same dialog.
class BandProgress {
public:
    explicit BandProgress(IPrintProgress* progress) : m_progress(progress) {}
    std::function<void(int)> Begin() const {
        return [p = m_progress](int count) {
            if (p)
                p->Begin(count, kPrintSendingText);
        };
    }
    std::function<void()> Step() const {
        return [p = m_progress] {
            if (p)
                p->Step();
        };
    }

private:
    IPrintProgress* m_progress;
};

} // namespace

std::vector<PrintObjectArea> PrintObjectAreasOf(const PrintPageSources& sources, bool editMode, CDC* dc,
                                                float s) {
    std::vector<PrintObjectArea> areas;
    CTemplate* page = sources.page;
    for (int index = 0; page && index < page->GetObjectCount(); ++index) {
        CDrawObj* object = page->GetObjectAt(index);
        if (!object)
            continue;
        PrintObjectArea area;
        area.position = object->GetPosition();
        if (CDrawObj::IsDrawText(object)) {
            area.kind = PrintObjectArea::Kind::Text;
            static_cast<CDrawText*>(object)->CalcTextRect(&area.textExtent, dc, s);
        } else if (CDrawObj::IsDrawClipart(object)) {
            area.kind = PrintObjectArea::Kind::Clipart;
        } else if (editMode) {
            if (!CDrawObj::IsDrawImage(object))
                continue;
            area.picture = PictureSize(static_cast<CDrawImage*>(object)->GetAdjustedDib());
        } else {
            area.picture = PictureSize(sources.picture ? sources.picture->GetAdjustedDib() : nullptr);
        }
        areas.push_back(area);
    }
    return areas;
}

BOOL PrintPage(CDC* printerDc, const PrintPageSources& sources, const PrintPageOptions& options,
               IPrintProgress* progress) {
    if (!options.editMode && !sources.picture)
        return TRUE;
    if (!sources.page)
        return FALSE;
    const CSize stored = sources.page->GetPageSize();
    const CSize page = PrintPageSize(stored, sources.page->GetOrientation());
    const CSize dib = PrintDibSize(page, options.editMode);
    if (page.cx <= 0 || page.cy <= 0 || dib.cx <= 0 || dib.cy <= 0)
        return FALSE;
    const int oldStretch = printerDc->SetStretchBltMode(COLORONCOLOR);

    CDC memory;
    if (!memory.CreateCompatibleDC(nullptr))
        return FALSE;
    memory.m_bPrinting = options.editMode ? TRUE : FALSE;
    BITMAPINFO info{};
    info.bmiHeader = PrintDibHeader(dib);
    void* bits = nullptr;
    CBitmap section;
    if (!section.Attach(CreateDIBSection(memory.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)) ||
        !bits)
        return FALSE;
    CBitmap* old = memory.SelectObject(&section);
    memory.FillSolidRect(0, 0, dib.cx, dib.cy, RGB(255, 255, 255));

    const int scale = static_cast<int>(options.scale);
    BOOL painted = TRUE;
    if (options.editMode)
        painted = RenderTemplateObjects(&memory, dib.cx, dib.cy, scale, sources, progress);
    else
        RenderNormalPage(&memory, dib.cx, dib.cy, scale, sources, progress);

    BOOL result = painted;
    if (painted) {
        const bool fit = !options.editMode && !sources.fillFlag;
        const float s = std::min(static_cast<float>(dib.cx) / static_cast<float>(page.cx),
                                 static_cast<float>(dib.cy) / static_cast<float>(page.cy));
        const std::vector<PrintObjectArea> objects =
            PrintObjectAreasOf(sources, options.editMode, &memory, s);
        PrinterPlacement placement;
        placement.printer = PrinterMetricsOf(printerDc);
        placement.calibration = options.calibration;
        placement.mirror = options.mirror;
        placement.mirrorWidth = stored.cx;
        placement.scale = options.scale;
        const CRect source = UnionOfAreas(CollectDibAreas(objects, dib, page, fit), options.scale);
        const CRect dest = UnionOfAreas(CollectPrinterAreas(objects, placement, page, fit));
        if (!source.IsRectEmpty() && !dest.IsRectEmpty()) {
            const BandProgress bands(progress);
            result = PrintDibInBands(printerDc, dest, bits, &info, source, SRCCOPY, options.bandSize,
                                     bands.Begin(), bands.Step()) > 0;
        }
    }
    memory.SelectObject(old);
    if (!options.editMode)
        printerDc->SetStretchBltMode(oldStretch);
    return result;
}
