#include "GdiTestSupport.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

// A page-like drawing that touches every part of the layer: fills, a stretched paletted DIB, clipping,
// shapes with shared tools, and text.
std::vector<BYTE> DrawPage(CPen& sharedPen, CFont& sharedFont) {
    DibCanvas canvas(120, 80, RGB(239, 241, 211));
    CDC& dc = canvas.dc;
    const PackedDib dib = PackedDib::Make(
        8, 4, {{0, 1, 2, 3}, {3, 2, 1, 0}},
        {RGBQUAD{0, 0, 255, 0}, RGBQUAD{0, 255, 0, 0}, RGBQUAD{255, 0, 0, 0}, RGBQUAD{128, 128, 128, 0}});
    dc.SetStretchBltMode(COLORONCOLOR);
    StretchDIBits(dc, 5, 5, 50, 30, 0, 0, 4, 2, dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    CRgn ellipse;
    ellipse.CreateEllipticRgn(60, 5, 115, 45);
    dc.SelectClipRgn(&ellipse);
    CBrush hatch(HS_DIAGCROSS, RGB(128, 128, 128));
    CPen* previousPen = dc.SelectObject(&sharedPen);
    CBrush* previousBrush = dc.SelectObject(&hatch);
    dc.Rectangle(55, 0, 120, 50);
    dc.SelectClipRgn(nullptr);
    CFont* previousFont = dc.SelectObject(&sharedFont);
    dc.SetBkMode(TRANSPARENT);
    CRect box(5, 50, 115, 75);
    dc.DrawText("Fotoseite 1", &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(previousFont);
    dc.SelectObject(previousBrush);
    dc.SelectObject(previousPen);
    return std::vector<BYTE>(canvas.Bits(), canvas.Bits() + canvas.Stride() * 80);
}

TEST(Threads, WorkerThreadsDrawTheSamePixelsAsTheMainThread) {
    EnsureGuiApplication();
    CPen pen(PS_DOT, 1, RGB(0, 0, 200));
    LOGFONT logFont{};
    logFont.lfHeight = -14;
    std::strcpy(logFont.lfFaceName, "Arial");
    CFont font;
    font.CreateFontIndirect(&logFont);
    const std::vector<BYTE> expected = DrawPage(pen, font);

    constexpr int kWorkers = 4;
    std::vector<std::vector<BYTE>> results(kWorkers);
    std::vector<std::thread> workers;
    for (int i = 0; i < kWorkers; ++i)
        workers.emplace_back([&, i] {
            for (int round = 0; round < 3; ++round)
                results[i] = DrawPage(pen, font);
        });
    for (std::thread& worker : workers)
        worker.join();
    for (int i = 0; i < kWorkers; ++i)
        EXPECT_EQ(results[i], expected) << "worker " << i;
}

} // namespace
