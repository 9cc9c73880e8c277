#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kPenColor = RGB(0, 0, 160);
constexpr COLORREF kFill = RGB(0, 170, 0);
constexpr COLORREF kBack = RGB(250, 200, 0);

// Tools selected for the lifetime of one drawing.
class Tools {
public:
    Tools(CDC& dc, CPen* pen, CBrush* brush) : m_dc(dc) {
        m_pen = pen ? dc.SelectObject(pen) : static_cast<CPen*>(dc.SelectStockObject(NULL_PEN));
        m_brush = brush ? dc.SelectObject(brush) : static_cast<CBrush*>(dc.SelectStockObject(NULL_BRUSH));
    }
    ~Tools() {
        m_dc.SelectObject(m_pen);
        m_dc.SelectObject(m_brush);
    }

private:
    CDC& m_dc;
    CPen* m_pen;
    CBrush* m_brush;
};

TEST(Shapes, RectangleOutlineCoversLeftToRightMinusOne) {
    DibCanvas canvas(10, 8, kPaper);
    CPen pen(PS_SOLID, 1, kPenColor);
    CBrush brush(kFill);
    {
        Tools tools(canvas.dc, &pen, &brush);
        canvas.dc.Rectangle(1, 1, 7, 6);
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 1 && y < 6;
            const bool border = inside && (x == 1 || x == 6 || y == 1 || y == 5);
            EXPECT_EQ(canvas.At(x, y), border ? kPenColor : inside ? kFill : kPaper) << x << ", " << y;
        }
    }
}

TEST(Shapes, RectangleWithoutPenFillsOnePixelLess) {
    DibCanvas canvas(8, 8, kPaper);
    CBrush brush(kFill);
    {
        Tools tools(canvas.dc, nullptr, &brush);
        canvas.dc.Rectangle(1, 1, 5, 4);
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(canvas.At(x, y), x >= 1 && x < 4 && y >= 1 && y < 3 ? kFill : kPaper) << x << ", " << y;
}

TEST(Shapes, InsideFramePenStaysInsideTheRectangle) {
    DibCanvas canvas(20, 20, kPaper);
    CPen pen(PS_INSIDEFRAME, 4, kPenColor);
    {
        Tools tools(canvas.dc, &pen, nullptr);
        canvas.dc.Rectangle(5, 5, 15, 15);
        canvas.dc.Ellipse(5, 5, 15, 15);
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (x < 5 || x >= 15 || y < 5 || y >= 15) {
                EXPECT_EQ(canvas.At(x, y), kPaper) << x << ", " << y;
            }
    EXPECT_EQ(canvas.At(5, 10), kPenColor);
    EXPECT_EQ(canvas.At(14, 10), kPenColor);
}

TEST(Shapes, EllipseFillsItsMiddleNotItsCorners) {
    DibCanvas canvas(21, 13, kPaper);
    CPen pen(PS_SOLID, 1, kPenColor);
    CBrush brush(kFill);
    {
        Tools tools(canvas.dc, &pen, &brush);
        canvas.dc.Ellipse(0, 0, 21, 13);
    }
    EXPECT_EQ(canvas.At(10, 6), kFill);
    EXPECT_EQ(canvas.At(0, 0), kPaper);
    EXPECT_EQ(canvas.At(20, 12), kPaper);
    EXPECT_EQ(canvas.At(0, 6), kPenColor);
    EXPECT_EQ(canvas.At(10, 0), kPenColor);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 21; ++x)
            EXPECT_EQ(canvas.At(x, y), canvas.At(20 - x, y)) << x << ", " << y;
}

TEST(Shapes, RoundRectangleRoundsOnlyItsCorners) {
    DibCanvas canvas(24, 16, kPaper);
    CBrush brush(kFill);
    {
        Tools tools(canvas.dc, nullptr, &brush);
        canvas.dc.RoundRect(0, 0, 25, 17, 16, 16);
    }
    EXPECT_EQ(canvas.At(0, 0), kPaper);
    EXPECT_EQ(canvas.At(23, 15), kPaper);
    EXPECT_EQ(canvas.At(12, 0), kFill);
    EXPECT_EQ(canvas.At(0, 8), kFill);
    EXPECT_EQ(canvas.At(1, 1), kPaper);
    EXPECT_EQ(canvas.At(3, 3), kFill);
}

TEST(Shapes, HatchedBrushRepeatsEveryEightPixelsFromTheDeviceOrigin) {
    DibCanvas canvas(20, 20, kPaper);
    CBrush cross(HS_CROSS, kFill);
    canvas.dc.SetBkColor(kBack);
    const RECT all{0, 0, 20, 20};
    canvas.dc.FillRect(&all, &cross);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            EXPECT_EQ(canvas.At(x, y), canvas.At(x % 8, y % 8)) << x << ", " << y;
            const bool line = x % 8 == 0 || y % 8 == 0;
            EXPECT_EQ(canvas.At(x, y), line ? kFill : kBack) << x << ", " << y;
        }
    }
}

// A 3 x 2 tile in each form a packed DIB can take repeats from device pixel (0, 0), whatever draws with it.
TEST(Shapes, DibPatternBrushTilesFromTheDeviceOrigin) {
    const COLORREF tile[2][3] = {{RGB(200, 30, 40), RGB(30, 160, 60), RGB(20, 40, 220)},
                                 {RGB(250, 250, 0), RGB(0, 0, 0), RGB(255, 255, 255)}};
    std::vector<RGBQUAD> colours;
    std::vector<std::vector<DWORD>> indices(2), values(2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const COLORREF c = tile[y][x];
            colours.push_back(RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0});
            indices[y].push_back(static_cast<DWORD>(colours.size() - 1));
            values[y].push_back(Bgr(c));
        }
    struct Case {
        const char* name;
        PackedDib dib;
    };
    const Case cases[] = {{"24 bits", PackedDib::Make(24, 3, values)},
                          {"8 bits with colours", PackedDib::Make(8, 3, indices, colours)},
                          {"top-down 24 bits", PackedDib::Make(24, 3, values, {}, BI_RGB, {}, true)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CBrush brush;
        ASSERT_TRUE(brush.CreateDIBPatternBrush(c.dib.Info(), DIB_RGB_COLORS));
        DibCanvas canvas(20, 12, kPaper);
        // A shape under a moved window origin, and a pattern transfer beside it.
        canvas.dc.SetWindowOrg(-3, -2);
        canvas.dc.SelectStockObject(NULL_PEN);
        CBrush* previous = canvas.dc.SelectObject(&brush);
        canvas.dc.Rectangle(-3, -2, 8, 11);
        canvas.dc.SetWindowOrg(0, 0);
        canvas.dc.PatBlt(10, 0, 10, 12, PATCOPY);
        canvas.dc.SelectObject(previous);
        // The shape fills device pixels (0, 0)-(10, 12), the transfer the rest.
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(canvas.At(x, y), tile[y % 2][x % 3]) << x << ", " << y;
    }
}

// Palette indices refer to the default palette; a DIB the brush cannot read makes no brush.
TEST(Shapes, DibPatternBrushWithPaletteIndicesAndRefusals) {
    CPalette* palette = CPalette::FromHandle(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    PALETTEENTRY entries[2]{};
    ASSERT_EQ(palette->GetPaletteEntries(1, 2, entries), 2u);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 2 * 2 + 4);
    const BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 2, 1, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
    std::memcpy(dib.data(), &header, sizeof header);
    const BYTE table[] = {1, 0, 2, 0, 0, 1, 0, 0}; // indices 1 and 2, then the row: entries 0 and 1
    std::memcpy(dib.data() + sizeof header, table, sizeof table);
    CBrush brush;
    ASSERT_TRUE(brush.CreateDIBPatternBrush(dib.data(), DIB_PAL_COLORS));
    DibCanvas canvas(4, 1, kPaper);
    const RECT all{0, 0, 4, 1};
    canvas.dc.FillRect(&all, &brush);
    const COLORREF first = RGB(entries[0].peRed, entries[0].peGreen, entries[0].peBlue);
    const COLORREF second = RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue);
    EXPECT_EQ(canvas.Row(0), (std::vector<COLORREF>{first, second, first, second}));

    BITMAPINFOHEADER bad = header;
    bad.biCompression = BI_RLE8;
    std::memcpy(dib.data(), &bad, sizeof bad);
    CBrush refused;
    EXPECT_FALSE(refused.CreateDIBPatternBrush(dib.data(), DIB_PAL_COLORS));
    EXPECT_FALSE(refused.CreateDIBPatternBrush(nullptr, DIB_RGB_COLORS));
    EXPECT_FALSE(refused.CreateDIBPatternBrush(dib.data(), 7));
}

TEST(Shapes, HatchedShapeLeavesItsGapsWhenTransparent) {
    DibCanvas canvas(16, 16, kPaper);
    CBrush diagonal(HS_FDIAGONAL, kFill);
    canvas.dc.SetBkMode(TRANSPARENT);
    {
        Tools tools(canvas.dc, nullptr, &diagonal);
        canvas.dc.Rectangle(0, 0, 17, 17);
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(canvas.At(x, y), x % 8 == y % 8 ? kFill : kPaper) << x << ", " << y;
}

struct DotCase {
    const char* name;
    int bkMode;
    COLORREF gap;
};

class DottedPenTest : public testing::TestWithParam<DotCase> {};

TEST_P(DottedPenTest, GapsTakeTheBackgroundOnlyWhenOpaque) {
    DibCanvas canvas(14, 1, kPaper);
    CPen dotted(PS_DOT, 1, kPenColor);
    canvas.dc.SetBkColor(kBack);
    canvas.dc.SetBkMode(GetParam().bkMode);
    {
        Tools tools(canvas.dc, &dotted, nullptr);
        canvas.dc.MoveTo(0, 0);
        canvas.dc.LineTo(12, 0);
    }
    // Three pixels on, three off.
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(canvas.At(x, 0), (x / 3) % 2 == 0 ? kPenColor : GetParam().gap) << x;
    EXPECT_EQ(canvas.At(12, 0), kPaper);
}

INSTANTIATE_TEST_SUITE_P(Modes, DottedPenTest,
                         testing::Values(DotCase{"Transparent", TRANSPARENT, kPaper},
                                         DotCase{"Opaque", OPAQUE, kBack}),
                         [](const auto& info) { return info.param.name; });

TEST(Shapes, WidePensDrawSolidWhateverTheirStyle) {
    DibCanvas canvas(20, 5, kPaper);
    CPen wide(PS_DOT, 3, kPenColor);
    {
        Tools tools(canvas.dc, &wide, nullptr);
        canvas.dc.MoveTo(0, 2);
        canvas.dc.LineTo(20, 2);
    }
    for (int x = 2; x < 18; ++x)
        EXPECT_EQ(canvas.At(x, 2), kPenColor) << x;
    EXPECT_EQ(canvas.At(5, 1), kPenColor);
    EXPECT_EQ(canvas.At(5, 3), kPenColor);
    EXPECT_EQ(canvas.At(5, 0), kPaper);
}

TEST(Shapes, CoordinatesOfTheWholeRangeAreClippedNotOverflowed) {
    DibCanvas canvas(6, 6, kPaper);
    canvas.dc.FillSolidRect(2, 2, 2147483600, 2147483600, kFill);
    EXPECT_EQ(canvas.At(5, 5), kFill);
    EXPECT_EQ(canvas.At(1, 1), kPaper);
    CBrush brush(kPenColor);
    {
        Tools tools(canvas.dc, nullptr, &brush);
        canvas.dc.Ellipse(-2147483647, -2147483647, 2147483647, 2147483647);
    }
    EXPECT_EQ(canvas.At(0, 0), kPenColor);
}

TEST(Shapes, ClipRegionLimitsShapesAndPixels) {
    DibCanvas canvas(10, 10, kPaper);
    canvas.dc.IntersectClipRect(0, 0, 5, 10);
    CBrush brush(kFill);
    {
        Tools tools(canvas.dc, nullptr, &brush);
        canvas.dc.Rectangle(0, 0, 11, 11);
    }
    EXPECT_EQ(canvas.At(4, 4), kFill);
    EXPECT_EQ(canvas.At(5, 4), kPaper);
    EXPECT_EQ(canvas.dc.SetPixel(7, 7, kFill), CLR_INVALID);
    EXPECT_EQ(canvas.At(7, 7), kPaper);
}

TEST(Shapes, PolyPolygonLeavesTheInnerRingOpenWithAlternateFill) {
    DibCanvas canvas(12, 12, kPaper);
    CBrush brush(kFill);
    const POINT points[] = {{0, 0}, {12, 0}, {12, 12}, {0, 12}, {4, 4}, {8, 4}, {8, 8}, {4, 8}};
    const int counts[] = {4, 4};
    {
        Tools tools(canvas.dc, nullptr, &brush);
        ASSERT_TRUE(canvas.dc.PolyPolygon(points, counts, 2));
    }
    EXPECT_EQ(canvas.At(2, 2), kFill);
    EXPECT_EQ(canvas.At(6, 6), kPaper);
    const int badCounts[] = {4, 1};
    EXPECT_FALSE(canvas.dc.PolyPolygon(points, badCounts, 2));
}

TEST(Shapes, PieAndChordRunCounterclockwiseFromStartToEnd) {
    DibCanvas canvas(20, 20, kPaper);
    CBrush brush(kFill);
    {
        Tools tools(canvas.dc, nullptr, &brush);
        // 3 o'clock to 12 o'clock: the upper right quarter.
        canvas.dc.Pie(0, 0, 20, 20, 20, 10, 10, 0);
    }
    EXPECT_EQ(canvas.At(14, 5), kFill);
    EXPECT_EQ(canvas.At(5, 5), kPaper);
    EXPECT_EQ(canvas.At(14, 14), kPaper);
    DibCanvas chord(20, 20, kPaper);
    {
        Tools tools(chord.dc, nullptr, &brush);
        // 12 o'clock to 6 o'clock through 9: the left half.
        chord.dc.Chord(0, 0, 20, 20, 10, 0, 10, 20);
    }
    EXPECT_EQ(chord.At(4, 10), kFill);
    EXPECT_EQ(chord.At(15, 10), kPaper);
}

} // namespace
