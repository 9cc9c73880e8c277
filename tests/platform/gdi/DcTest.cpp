#include "GdiTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kInk = RGB(200, 10, 10);
constexpr COLORREF kPaper = RGB(255, 255, 255);

TEST(GdiObjects, NewContextsStartWithTheStockTools) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.GetCurrentBrush()->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.GetCurrentFont()->m_hObject, GetStockObject(SYSTEM_FONT));
    BITMAP bitmap{};
    dc.GetCurrentBitmap()->GetBitmap(&bitmap);
    EXPECT_EQ(bitmap.bmWidth, 1);
    EXPECT_EQ(bitmap.bmBitsPixel, 1);
    EXPECT_EQ(dc.GetStretchBltMode(), BLACKONWHITE);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetBkColor(), kPaper);
}

TEST(GdiObjects, StockRecordsReadBackAsTheSystemGivesThem) {
    LOGFONT system{};
    ASSERT_EQ(GetObject(GetStockObject(SYSTEM_FONT), sizeof system, &system),
              static_cast<int>(sizeof system));
    EXPECT_EQ(system.lfHeight, 16);
    EXPECT_EQ(system.lfWeight, FW_BOLD);
    EXPECT_STREQ(system.lfFaceName, "System");
    LOGBRUSH hollow{};
    GetObject(GetStockObject(NULL_BRUSH), sizeof hollow, &hollow);
    EXPECT_EQ(hollow.lbStyle, BS_NULL);
    LOGPEN pen{};
    GetObject(GetStockObject(WHITE_PEN), sizeof pen, &pen);
    EXPECT_EQ(pen.lopnColor, kPaper);
    WORD entries = 0;
    GetObject(GetStockObject(DEFAULT_PALETTE), sizeof entries, &entries);
    EXPECT_EQ(entries, 20);
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN))) << "deleting a stock object does nothing";
    EXPECT_EQ(GetStockObject(-1), nullptr);
}

TEST(GdiObjects, CreatedToolsKeepTheirRecords) {
    const LOGPEN dashed{PS_DASH, POINT{1, 0}, kInk};
    CPen pen;
    ASSERT_TRUE(pen.CreatePenIndirect(&dashed));
    LOGPEN penBack{};
    pen.GetLogPen(&penBack);
    EXPECT_EQ(penBack.lopnStyle, PS_DASH);
    EXPECT_EQ(penBack.lopnColor, kInk);
    CBrush hatch(HS_DIAGCROSS, kInk);
    LOGBRUSH brushBack{};
    hatch.GetLogBrush(&brushBack);
    EXPECT_EQ(brushBack.lbStyle, BS_HATCHED);
    EXPECT_EQ(brushBack.lbHatch, static_cast<DWORD>(HS_DIAGCROSS));
    const LOGBRUSH pattern{3, 0, 0};
    CBrush unsupported;
    EXPECT_FALSE(unsupported.CreateBrushIndirect(&pattern));
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, 0)) << "an object holds one handle";
}

TEST(GdiObjects, SelectionReturnsThePreviousObject) {
    DibCanvas canvas(4, 4);
    CPen first(PS_SOLID, 1, kInk), second(PS_SOLID, 2, kInk);
    CPen* original = canvas.dc.SelectObject(&first);
    EXPECT_EQ(original->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(canvas.dc.SelectObject(&second), &first) << "the program's own wrapper comes back";
    EXPECT_EQ(canvas.dc.SelectObject(original), &second);
    EXPECT_EQ(CPen::FromHandle(nullptr), nullptr);
}

TEST(GdiObjects, BitmapDrawsIntoOneContextAtATime) {
    CBitmap bitmap;
    CDC first, second;
    first.CreateCompatibleDC(nullptr);
    second.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&first, 4, 4);
    CBitmap* previous = first.SelectObject(&bitmap);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(second.SelectObject(&bitmap), nullptr);
    first.SaveDC();
    first.SelectObject(previous);
    EXPECT_EQ(second.SelectObject(&bitmap), nullptr) << "a saved state still holds it";
    first.RestoreDC(-1);
    first.SelectObject(previous);
    EXPECT_NE(second.SelectObject(&bitmap), nullptr);
    second.SelectObject(previous);
}

TEST(GdiObjects, ObjectDeletedWhileSelectedLivesUntilDeselected) {
    DibCanvas canvas(6, 1, kPaper);
    auto* brush = new CBrush(kInk);
    CBrush* previous = canvas.dc.SelectObject(brush);
    delete brush; // deletes the handle while the context still draws with it
    canvas.dc.PatBlt(0, 0, 3, 1, PATCOPY);
    EXPECT_EQ(canvas.At(2, 0), kInk);
    EXPECT_EQ(canvas.dc.SelectObject(previous), nullptr) << "the deleted brush has no handle to return";
    canvas.dc.PatBlt(3, 0, 3, 1, PATCOPY);
    EXPECT_EQ(canvas.At(3, 0), kPaper);
}

TEST(GdiObjects, AttachDetachAndDeleteKeepHandlesConsistent) {
    CBrush owner;
    HBRUSH handle = CreateSolidBrush(kInk);
    ASSERT_TRUE(owner.Attach(handle));
    EXPECT_EQ(CBrush::FromHandle(handle), &owner);
    CBrush other;
    EXPECT_FALSE(other.Attach(handle)) << "one owner per handle";
    EXPECT_EQ(owner.Detach(), handle);
    EXPECT_NE(CBrush::FromHandle(handle), &owner);
    EXPECT_TRUE(owner.Attach(handle));
    EXPECT_TRUE(DeleteObject(handle));
    EXPECT_EQ(owner.m_hObject, nullptr) << "deleting the handle empties its owner";
    EXPECT_FALSE(owner.DeleteObject());
}

TEST(DeviceContext, SaveAndRestoreBringBackToolsModesAndOrigins) {
    DibCanvas canvas(4, 4);
    CPen pen(PS_SOLID, 1, kInk);
    CPen* original = canvas.dc.SelectObject(&pen);
    const int first = canvas.dc.SaveDC();
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetTextColor(kInk);
    canvas.dc.SetViewportOrg(5, 6);
    canvas.dc.SelectStockObject(NULL_PEN);
    const int second = canvas.dc.SaveDC();
    EXPECT_EQ(second, first + 1);
    canvas.dc.SetROP2(R2_XORPEN);
    EXPECT_TRUE(canvas.dc.RestoreDC(first));
    EXPECT_EQ(canvas.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(canvas.dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(canvas.dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(canvas.dc.GetCurrentPen(), &pen);
    EXPECT_FALSE(canvas.dc.RestoreDC(second)) << "restoring the first level dropped the later one";
    EXPECT_FALSE(canvas.dc.RestoreDC(-1));
    canvas.dc.SelectObject(original);
}

TEST(DeviceContext, ModeSettersRefuseValuesOutOfRange) {
    DibCanvas canvas(1, 1);
    EXPECT_EQ(canvas.dc.SetStretchBltMode(COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(canvas.dc.SetStretchBltMode(9), 0);
    EXPECT_EQ(canvas.dc.GetStretchBltMode(), COLORONCOLOR);
    EXPECT_EQ(canvas.dc.SetROP2(0), 0);
    EXPECT_EQ(canvas.dc.SetBkMode(3), 0);
    EXPECT_EQ(canvas.dc.SetMapMode(9), 0);
}

TEST(DeviceContext, OriginsAndExtentsMapLogicalToDevice) {
    DibCanvas canvas(20, 20, kPaper);
    canvas.dc.SetWindowOrg(10, 10);
    canvas.dc.SetViewportOrg(2, 3);
    POINT p{10, 10};
    canvas.dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(p), CPoint(2, 3));
    canvas.dc.FillSolidRect(10, 10, 1, 1, kInk);
    EXPECT_EQ(canvas.At(2, 3), kInk);

    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(1, 1);
    canvas.dc.SetViewportExt(2, 3);
    canvas.dc.SetWindowOrg(0, 0);
    canvas.dc.SetViewportOrg(0, 0);
    RECT r{1, 1, 3, 2};
    canvas.dc.LPtoDP(&r);
    EXPECT_EQ(CRect(r), CRect(2, 3, 6, 6));
    canvas.dc.DPtoLP(&r);
    EXPECT_EQ(CRect(r), CRect(1, 1, 3, 2));

    canvas.dc.SetMapMode(MM_ISOTROPIC);
    canvas.dc.SetWindowExt(100, 100);
    canvas.dc.SetViewportExt(50, 80);
    EXPECT_EQ(canvas.dc.GetViewportExt(), CSize(50, 50)) << "isotropic units stay square";
    SIZE size{10, 10};
    canvas.dc.LPtoDP(&size);
    EXPECT_EQ(CSize(size), CSize(5, 5));

    canvas.dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(canvas.dc.SetWindowExt(5, 5), CSize(1, 1)) << "text mode ignores extents";
    EXPECT_EQ(canvas.dc.GetWindowExt(), CSize(1, 1));
}

TEST(DeviceContext, ScaledMappingStretchesTransfers) {
    DibCanvas canvas(4, 4, kPaper);
    DibCanvas source(1, 1, kInk);
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(1, 1);
    canvas.dc.SetViewportExt(2, 2);
    canvas.dc.BitBlt(1, 1, 1, 1, &source.dc, 0, 0, SRCCOPY);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(canvas.At(x, y), x >= 2 && y >= 2 ? kInk : kPaper) << x << ", " << y;
}

TEST(DeviceContext, DeviceCapsDescribeTheSurfaceUnlessOverridden) {
    DibCanvas canvas(30, 20);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(HORZRES), 30);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(VERTRES), 20);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(PHYSICALOFFSETX), 0);
    EXPECT_TRUE(canvas.dc.GetDeviceCaps(RASTERCAPS) & RC_STRETCHDIB);
    canvas.dc.SetDeviceCaps(LOGPIXELSX, 600);
    canvas.dc.SetDeviceCaps(PHYSICALOFFSETX, 118);
    canvas.dc.SetDeviceCaps(HORZRES, 4724);
    EXPECT_EQ(GetDeviceCaps(canvas.dc, LOGPIXELSX), 600);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(PHYSICALOFFSETX), 118);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(HORZSIZE), 200) << "millimetres follow the overridden values";
}

TEST(DeviceContext, WrappersFollowTheirHandles) {
    CDC owner;
    owner.CreateCompatibleDC(nullptr);
    HDC handle = owner.GetSafeHdc();
    EXPECT_EQ(CDC::FromHandle(handle), &owner);
    EXPECT_EQ(owner.Detach(), handle);
    CDC* temporary = CDC::FromHandle(handle);
    EXPECT_NE(temporary, &owner);
    EXPECT_EQ(temporary->GetSafeHdc(), handle);
    EXPECT_TRUE(DeleteDC(handle));
    EXPECT_FALSE(owner.DeleteDC());
}

TEST(DeviceContext, ImageContextDrawsIntoTheCallersImage) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_BGR888}) {
        QImage image(4, 2, format);
        image.fill(Qt::white);
        CDC dc;
        ASSERT_TRUE(dc.CreateImageDC(&image));
        dc.FillSolidRect(1, 1, 2, 1, kInk);
        EXPECT_EQ(image.pixel(1, 1), qRgb(200, 10, 10));
        EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
        EXPECT_EQ(dc.GetPixel(2, 1), kInk);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 4);
    }
    QImage indexed(4, 4, QImage::Format_Indexed8);
    CDC dc;
    EXPECT_FALSE(dc.CreateImageDC(&indexed));
}

struct PainterRopCase {
    const char* name;
    DWORD rop;
};

class PainterContextTest : public testing::TestWithParam<PainterRopCase> {};

// A window's painter cannot be read back, so its transfers combine through the painter's own raster
// operations. They must give the same pixels as drawing into memory.
TEST_P(PainterContextTest, TransfersMatchTheMemoryContext) {
    const COLORREF source = RGB(0xA5, 0xC3, 0x0F), dest = RGB(0xF0, 0x5A, 0x3C);
    DibCanvas sourceCanvas(2, 1, source);
    DibCanvas memory(3, 1, dest);
    QImage window(3, 1, QImage::Format_RGB32);
    window.fill(QColor(0xF0, 0x5A, 0x3C));
    {
        QPainter painter(&window);
        CDC dc;
        ASSERT_TRUE(dc.CreatePainterDC(&painter, 3, 1));
        CBrush brush(RGB(0x81, 0x33, 0xCC));
        dc.SelectObject(&brush);
        memory.dc.SelectObject(&brush);
        EXPECT_TRUE(dc.BitBlt(1, 0, 2, 1, &sourceCanvas.dc, 0, 0, GetParam().rop));
        EXPECT_TRUE(memory.dc.BitBlt(1, 0, 2, 1, &sourceCanvas.dc, 0, 0, GetParam().rop));
        dc.SelectStockObject(WHITE_BRUSH);
        memory.dc.SelectStockObject(WHITE_BRUSH);
    }
    for (int x = 0; x < 3; ++x) {
        const COLORREF expected = memory.At(x, 0);
        EXPECT_EQ(
            window.pixel(x, 0) & 0xFFFFFF,
            static_cast<QRgb>((GetRValue(expected) << 16) | (GetGValue(expected) << 8) | GetBValue(expected)))
            << x;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, PainterContextTest,
    testing::Values(PainterRopCase{"SrcCopy", SRCCOPY}, PainterRopCase{"SrcPaint", SRCPAINT},
                    PainterRopCase{"SrcAnd", SRCAND}, PainterRopCase{"SrcInvert", SRCINVERT},
                    PainterRopCase{"NotSrcCopy", NOTSRCCOPY}, PainterRopCase{"DstInvert", DSTINVERT},
                    PainterRopCase{"PatCopy", PATCOPY}, PainterRopCase{"PatInvert", PATINVERT},
                    PainterRopCase{"MergeCopy", MERGECOPY}),
    [](const auto& info) { return info.param.name; });

// Shapes through a window's painter take the same pixels as through our own raster loops.
TEST(PainterContext, ShapesMatchTheImageContext) {
    QImage direct(40, 30, QImage::Format_RGB32), painted(40, 30, QImage::Format_RGB32);
    for (QImage* image : {&direct, &painted})
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                image->setPixel(x, y, qRgb(x * 6, y * 8, 100));
    const auto draw = [](CDC& dc) {
        CPen pen(PS_SOLID, 1, RGB(0x81, 0x33, 0xCC));
        CBrush brush(RGB(10, 200, 30));
        CPen* previousPen = dc.SelectObject(&pen);
        CBrush* previousBrush = dc.SelectObject(&brush);
        dc.Rectangle(2, 3, 20, 15);
        dc.SetROP2(R2_XORPEN);
        dc.Rectangle(10, 8, 35, 27);
        const POINT outline[] = {{1, 1}, {38, 4}, {30, 28}, {1, 1}};
        dc.Polyline(outline, 4);
        dc.SetROP2(R2_NOT);
        dc.MoveTo(0, 20);
        dc.LineTo(39, 20);
        dc.SelectObject(previousBrush);
        dc.SelectObject(previousPen);
    };
    CDC imageDc;
    imageDc.CreateImageDC(&direct);
    draw(imageDc);
    {
        QPainter painter(&painted);
        CDC painterDc;
        painterDc.CreatePainterDC(&painter, 40, 30);
        draw(painterDc);
    }
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(painted.pixel(x, y) & 0xFFFFFF, direct.pixel(x, y) & 0xFFFFFF) << x << ", " << y;
}

TEST(PainterContext, RefusesWhatItCannotDo) {
    QImage window(2, 2, QImage::Format_RGB32);
    QPainter painter(&window);
    CDC dc;
    dc.CreatePainterDC(&painter, 2, 2);
    DibCanvas source(2, 2);
    // Pattern, source and destination together cannot be composed by the painter.
    EXPECT_FALSE(dc.BitBlt(0, 0, 2, 2, &source.dc, 0, 0, PATPAINT));
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
    DibCanvas target(2, 2);
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 2, 2, &dc, 0, 0, SRCCOPY)) << "a window painter is no source";
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 2, 2);
    EXPECT_EQ(dc.SelectObject(&bitmap), nullptr) << "bitmaps go into memory contexts only";
}

} // namespace
