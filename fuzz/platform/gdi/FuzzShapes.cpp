// Drives pens, brushes, shapes, fills, regions and clipping with arbitrary tools and coordinates of the
// whole integer range, under arbitrary mappings and raster operations.

#include "platform/gdi/Dc.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

constexpr int kSurfaceSide = 32;

int AnyInt(FuzzedDataProvider& data) {
    // Mostly near the surface, sometimes anywhere.
    return data.ConsumeBool() ? data.ConsumeIntegralInRange(-48, 80) : data.ConsumeIntegral<int>();
}

std::vector<POINT> Points(FuzzedDataProvider& data) {
    std::vector<POINT> points(data.ConsumeIntegralInRange(0, 12));
    for (POINT& p : points)
        p = POINT{AnyInt(data), AnyInt(data)};
    return points;
}

void SelectRegion(FuzzedDataProvider& data, CDC& dc) {
    CRgn region;
    switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
        region.CreateRectRgn(AnyInt(data), AnyInt(data), AnyInt(data), AnyInt(data));
        break;
    case 1:
        region.CreateEllipticRgn(AnyInt(data), AnyInt(data), AnyInt(data), AnyInt(data));
        break;
    case 2:
        region.CreateRoundRectRgn(AnyInt(data), AnyInt(data), AnyInt(data), AnyInt(data), AnyInt(data),
                                  AnyInt(data));
        break;
    default: {
        const std::vector<POINT> points = Points(data);
        region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()),
                                data.ConsumeIntegralInRange(0, 3));
    }
    }
    region.OffsetRgn(AnyInt(data), AnyInt(data));
    dc.SelectClipRgn(&region, data.ConsumeIntegralInRange(0, 6));
    CBrush brush(data.ConsumeIntegral<COLORREF>());
    dc.FillRgn(&region, &brush);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER),
                                      kSurfaceSide,
                                      kSurfaceSide,
                                      1,
                                      static_cast<WORD>(data.ConsumeBool() ? 24 : 32),
                                      BI_RGB,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0};
    void* bits = nullptr;
    CBitmap surface;
    surface.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previousBitmap = dc.SelectObject(&surface);

    const LOGPEN logPen{data.ConsumeIntegralInRange<UINT>(0, 7),
                        POINT{data.ConsumeIntegralInRange(-3, 70), 0}, data.ConsumeIntegral<COLORREF>()};
    CPen pen;
    pen.CreatePenIndirect(&logPen);
    const LOGBRUSH logBrush{data.ConsumeIntegralInRange<UINT>(0, 3), data.ConsumeIntegral<COLORREF>(),
                            data.ConsumeIntegralInRange<DWORD>(0, 6)};
    CBrush brush;
    brush.CreateBrushIndirect(&logBrush);
    CPen* previousPen = dc.SelectObject(&pen);
    CBrush* previousBrush = dc.SelectObject(&brush);
    dc.SetROP2(data.ConsumeIntegralInRange(0, 17));
    dc.SetBkMode(data.ConsumeIntegralInRange(0, 3));
    dc.SetBkColor(data.ConsumeIntegral<COLORREF>());
    dc.SetPolyFillMode(data.ConsumeIntegralInRange(0, 3));
    if (data.ConsumeBool()) {
        dc.SetMapMode(data.ConsumeIntegralInRange(MM_TEXT, MM_ANISOTROPIC));
        dc.SetWindowExt(AnyInt(data), AnyInt(data));
        dc.SetViewportExt(AnyInt(data), AnyInt(data));
        dc.SetWindowOrg(AnyInt(data), AnyInt(data));
        dc.SetViewportOrg(AnyInt(data), AnyInt(data));
    }

    while (data.remaining_bytes() > 0) {
        const int a = AnyInt(data), b = AnyInt(data), c = AnyInt(data), d = AnyInt(data);
        switch (data.ConsumeIntegralInRange(0, 12)) {
        case 0:
            dc.Rectangle(a, b, c, d);
            break;
        case 1:
            dc.Ellipse(a, b, c, d);
            break;
        case 2:
            dc.RoundRect(a, b, c, d, AnyInt(data), AnyInt(data));
            break;
        case 3: {
            const std::vector<POINT> points = Points(data);
            dc.Polygon(points.data(), static_cast<int>(points.size()));
            break;
        }
        case 4: {
            const std::vector<POINT> points = Points(data);
            dc.Polyline(points.data(), static_cast<int>(points.size()));
            break;
        }
        case 5:
            dc.MoveTo(a, b);
            dc.LineTo(c, d);
            break;
        case 6:
            dc.FillSolidRect(a, b, c, d, data.ConsumeIntegral<COLORREF>());
            break;
        case 7: {
            const RECT r{a, b, c, d};
            dc.FillRect(&r, &brush);
            dc.FrameRect(&r, &brush);
            break;
        }
        case 8:
            dc.PatBlt(a, b, c, d, static_cast<DWORD>(data.ConsumeIntegral<BYTE>()) << 16);
            break;
        case 9:
            dc.SetPixel(a, b, data.ConsumeIntegral<COLORREF>());
            dc.GetPixel(c, d);
            break;
        case 10:
            SelectRegion(data, dc);
            break;
        case 11:
            dc.IntersectClipRect(a, b, c, d);
            break;
        default: {
            RECT box{};
            dc.GetClipBox(&box);
            POINT p{a, b};
            dc.LPtoDP(&p);
            dc.DPtoLP(&p);
            dc.ExcludeClipRect(a, b, c, d);
        }
        }
    }

    dc.SelectObject(previousBrush);
    dc.SelectObject(previousPen);
    dc.SelectObject(previousBitmap);
    return 0;
}
