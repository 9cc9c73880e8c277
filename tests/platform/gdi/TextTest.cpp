#include "GdiTestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(250, 200, 0);

LOGFONT Font(const char* face, LONG height, LONG weight = FW_NORMAL) {
    LOGFONT font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

// The rectangle around every pixel that differs from the paper.
CRect InkBox(const DibCanvas& canvas, int width, int height) {
    CRect box(width, height, -1, -1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.At(x, y) == kPaper)
                continue;
            box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

class TextTest : public testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    // A canvas with a font selected; the font is deselected before it is deleted.
    struct Writer {
        Writer(int width, int height, const LOGFONT& logFont) : canvas(width, height, kPaper) {
            font.CreateFontIndirect(&logFont);
            previous = canvas.dc.SelectObject(&font);
        }
        ~Writer() { canvas.dc.SelectObject(previous); }
        DibCanvas canvas;
        CFont font;
        CFont* previous = nullptr;
    };
};

TEST_F(TextTest, ArialIsTheMetricCompatibleSansFace) {
    Writer arial(10, 10, Font("Arial", -12)), liberation(10, 10, Font("Liberation Sans", -12));
    TEXTMETRIC metrics{};
    ASSERT_TRUE(arial.canvas.dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 12)
        << "a negative height is the character height";
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
    EXPECT_EQ(arial.canvas.dc.GetTextExtent("Vellumcraft Seite 12"),
              liberation.canvas.dc.GetTextExtent("Vellumcraft Seite 12"));
}

TEST_F(TextTest, FamiliesIncludeTheSystemFaceNamesAsOutlineFonts) {
    std::map<std::string, DWORD> families;
    const auto collect = [](const LOGFONT* font, const TEXTMETRIC*, DWORD type, LPARAM data) {
        (*reinterpret_cast<std::map<std::string, DWORD>*>(data))[font->lfFaceName] = type;
        return 1;
    };
    EXPECT_EQ(EnumFontFamilies(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&families)), 1);
    EXPECT_EQ(families["Arial"], TRUETYPE_FONTTYPE);
    EXPECT_EQ(families["Liberation Sans"], TRUETYPE_FONTTYPE);
    families.clear();
    EnumFontFamilies(nullptr, "arial", collect, reinterpret_cast<LPARAM>(&families));
    EXPECT_EQ(families.size(), 1u);
    int calls = 0;
    const auto stopAtOnce = [](const LOGFONT*, const TEXTMETRIC*, DWORD, LPARAM data) {
        ++*reinterpret_cast<int*>(data);
        return 0;
    };
    EXPECT_EQ(EnumFontFamilies(nullptr, nullptr, stopAtOnce, reinterpret_cast<LPARAM>(&calls)), 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(TextTest, PositiveHeightIsTheCellHeight) {
    Writer writer(10, 10, Font("Arial", 30));
    TEXTMETRIC metrics{};
    writer.canvas.dc.GetTextMetrics(&metrics);
    EXPECT_NEAR(metrics.tmHeight, 30, 1);
    EXPECT_GT(metrics.tmInternalLeading, 0);
}

TEST_F(TextTest, BoldIsWiderThanNormal) {
    Writer normal(10, 10, Font("Arial", -20)), bold(10, 10, Font("Arial", -20, FW_BOLD));
    EXPECT_GT(bold.canvas.dc.GetTextExtent("Bilder und Rahmen").cx,
              normal.canvas.dc.GetTextExtent("Bilder und Rahmen").cx);
    TEXTMETRIC metrics{};
    bold.canvas.dc.GetTextMetrics(&metrics);
    EXPECT_EQ(metrics.tmWeight, FW_BOLD);
}

TEST_F(TextTest, CalcRectMeasuresLinesWithoutDrawing) {
    Writer writer(200, 100, Font("Arial", -14));
    CDC& dc = writer.canvas.dc;
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    CRect one(10, 10, 10, 10);
    EXPECT_EQ(dc.DrawText("Fotoseite", &one, DT_CALCRECT | DT_SINGLELINE), metrics.tmHeight);
    EXPECT_EQ(one.Width(), dc.GetTextExtent("Fotoseite").cx);
    EXPECT_EQ(one.TopLeft(), CPoint(10, 10));
    CRect two(0, 0, 0, 0);
    dc.DrawText("kurz\r\neine längere Zeile", &two, DT_CALCRECT);
    EXPECT_EQ(two.Height(), 2 * metrics.tmHeight);
    EXPECT_EQ(two.Width(), dc.GetTextExtent("eine längere Zeile").cx);
    EXPECT_EQ(InkBox(writer.canvas, 200, 100), CRect(200, 100, -1, -1)) << "measuring draws nothing";
}

TEST_F(TextTest, EmptyTextIsAnEmptyBlock) {
    Writer writer(50, 30, Font("Arial", -14));
    CRect box(5, 5, 40, 25);
    EXPECT_EQ(writer.canvas.dc.DrawText("", &box, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(box, CRect(5, 5, 5, 5));
    CRect area(0, 0, 50, 30);
    EXPECT_EQ(writer.canvas.dc.DrawText("", -1, &area, DT_WORDBREAK), 0);
    EXPECT_EQ(InkBox(writer.canvas, 50, 30), CRect(50, 30, -1, -1));
}

TEST_F(TextTest, WordBreakWrapsAtBlanksToTheRectangleWidth) {
    Writer writer(200, 200, Font("Arial", -14));
    CDC& dc = writer.canvas.dc;
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    const int wordWidth = dc.GetTextExtent("Rahmen").cx;
    CRect narrow(0, 0, wordWidth + 2, 0);
    const int height = dc.DrawText("Rahmen Rahmen Rahmen", &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(height, 3 * metrics.tmHeight);
    EXPECT_LE(narrow.Width(), wordWidth + 2);
    CRect tooNarrow(0, 0, 5, 0);
    dc.DrawText("Unzerbrechlich", &tooNarrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(tooNarrow.Width(), dc.GetTextExtent("Unzerbrechlich").cx) << "a long word keeps its line";
}

TEST_F(TextTest, PrefixAmpersandsAreRemovedUnlessNoPrefix) {
    Writer writer(100, 30, Font("Arial", -14));
    CDC& dc = writer.canvas.dc;
    CRect prefixed(0, 0, 0, 0), plain(0, 0, 0, 0);
    dc.DrawText("A&&B", &prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), dc.GetTextExtent("A&B").cx);
    dc.DrawText("A&&B", &plain, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(plain.Width(), dc.GetTextExtent("A&&B").cx);
}

TEST_F(TextTest, CentredSingleLineLandsInTheMiddle) {
    Writer writer(200, 60, Font("Arial", -16));
    CDC& dc = writer.canvas.dc;
    dc.SetBkMode(TRANSPARENT);
    CRect box(0, 0, 200, 60);
    dc.DrawText("HHHH", &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const CRect ink = InkBox(writer.canvas, 200, 60);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 2);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30, 4);
}

TEST_F(TextTest, EllipsisKeepsALongLineInsideItsRectangle) {
    Writer writer(300, 30, Font("Arial", -14));
    CDC& dc = writer.canvas.dc;
    dc.SetBkMode(TRANSPARENT);
    CRect box(10, 5, 90, 25);
    dc.DrawText("Ein sehr langer Albumtitel, der nicht passt", &box,
                DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    const CRect ink = InkBox(writer.canvas, 300, 30);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 91);
    EXPECT_GT(ink.Width(), 40);
}

TEST_F(TextTest, OpaqueTextFillsItsCellTransparentTextOnlyInks) {
    Writer writer(100, 30, Font("Arial", -14));
    CDC& dc = writer.canvas.dc;
    dc.SetTextColor(kInk);
    dc.SetBkColor(kBack);
    const CSize extent = dc.GetTextExtent("Album");
    dc.TextOut(2, 2, "Album");
    EXPECT_EQ(writer.canvas.At(2, 2), kBack);
    EXPECT_EQ(writer.canvas.At(2 + extent.cx - 1, 2 + extent.cy - 1), kBack);
    EXPECT_EQ(writer.canvas.At(2 + extent.cx, 2), kPaper);
    writer.canvas.Fill(kPaper);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(2, 2, "Album");
    EXPECT_EQ(writer.canvas.At(2, 2), kPaper);
    const CRect ink = InkBox(writer.canvas, 100, 30);
    EXPECT_GE(ink.left, 2);
    EXPECT_LE(ink.right, 2 + extent.cx + 1);
    EXPECT_GT(ink.Height(), 6);
}

TEST_F(TextTest, BottomUpSectionShowsTextUpright) {
    // The same text on a bottom-up DIB section and on a top-down device bitmap gives the same picture.
    Writer section(60, 24, Font("Arial", -16));
    section.canvas.dc.SetBkMode(TRANSPARENT);
    section.canvas.dc.TextOut(3, 2, "Tg");
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap device;
    device.CreateCompatibleBitmap(&memory, 60, 24);
    CBitmap* previousBitmap = memory.SelectObject(&device);
    CFont font;
    const LOGFONT logFont = Font("Arial", -16);
    font.CreateFontIndirect(&logFont);
    CFont* previousFont = memory.SelectObject(&font);
    memory.FillSolidRect(0, 0, 60, 24, kPaper);
    memory.SetBkMode(TRANSPARENT);
    memory.TextOut(3, 2, "Tg");
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(section.canvas.At(x, y), memory.GetPixel(x, y)) << x << ", " << y;
    // The descender of "g" hangs below the bar of "T": ink reaches lower than it starts.
    const CRect ink = InkBox(section.canvas, 60, 24);
    EXPECT_LE(ink.top, 5);
    EXPECT_GE(ink.bottom, 16);
    memory.SelectObject(previousFont);
    memory.SelectObject(previousBitmap);
}

TEST_F(TextTest, TextAlignPutsTheReferencePointRightOrAtTheBaseline) {
    Writer left(120, 40, Font("Arial", -16));
    left.canvas.dc.SetBkMode(TRANSPARENT);
    left.canvas.dc.TextOut(60, 10, "Wm");
    const CRect leftInk = InkBox(left.canvas, 120, 40);
    Writer right(120, 40, Font("Arial", -16));
    right.canvas.dc.SetBkMode(TRANSPARENT);
    EXPECT_EQ(right.canvas.dc.SetTextAlign(TA_RIGHT | TA_BASELINE), TA_TOP | TA_LEFT);
    right.canvas.dc.TextOut(60, 30, "Wm");
    const CRect rightInk = InkBox(right.canvas, 120, 40);
    EXPECT_LE(rightInk.right, 61);
    EXPECT_GE(leftInk.left, 59);
    EXPECT_LE(rightInk.bottom, 31);
    EXPECT_EQ(rightInk.Width(), leftInk.Width());
}

TEST_F(TextTest, ExtTextOutFillsAndClipsToItsRectangle) {
    Writer writer(80, 30, Font("Arial", -20));
    writer.canvas.dc.SetBkColor(RGB(0, 200, 0));
    const RECT rect{10, 5, 30, 25};
    ASSERT_TRUE(writer.canvas.dc.ExtTextOut(12, 5, ETO_OPAQUE | ETO_CLIPPED, &rect, "WWWW", 4, nullptr));
    EXPECT_EQ(writer.canvas.At(10, 24), RGB(0, 200, 0));
    const CRect ink = InkBox(writer.canvas, 80, 30);
    EXPECT_EQ(ink, CRect(10, 5, 30, 25));
}

} // namespace

namespace {

struct EscapementCase {
    const char* name;
    LONG escapement;
    // Where the ink lies around the reference point (100, 100), by the text's width w and height h.
    int left, top, right, bottom; // in units: 1 = w, 2 = h, 0 = none, negated for "before the point"
};

class EscapementTest : public testing::TestWithParam<EscapementCase> {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
};

TEST(EscapementExtents, StayUnturned) {
    EnsureGuiApplication();
    DibCanvas canvas(10, 10, kPaper);
    LOGFONT plain = Font("Arial", -20);
    LOGFONT turned = plain;
    turned.lfEscapement = 900;
    CFont a, b;
    a.CreateFontIndirect(&plain);
    b.CreateFontIndirect(&turned);
    CFont* previous = canvas.dc.SelectObject(&a);
    const CSize unturned = canvas.dc.GetTextExtent("Seite");
    canvas.dc.SelectObject(&b);
    EXPECT_EQ(canvas.dc.GetTextExtent("Seite"), unturned);
    canvas.dc.SelectObject(previous);
}

TEST_P(EscapementTest, TurnsTheTextCounterClockwiseAboutTheReferencePoint) {
    const EscapementCase& c = GetParam();
    LOGFONT font = Font("Arial", -20);
    font.lfEscapement = c.escapement;
    DibCanvas canvas(200, 200, kPaper);
    CFont turned;
    turned.CreateFontIndirect(&font);
    CFont* previous = canvas.dc.SelectObject(&turned);
    const CSize extent = canvas.dc.GetTextExtent("Seite");
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.TextOut(100, 100, "Seite");
    canvas.dc.SelectObject(previous);
    const CRect ink = InkBox(canvas, 200, 200);
    const auto expected = [&](int unit) {
        const int size = std::abs(unit) == 1 ? extent.cx : std::abs(unit) == 2 ? extent.cy : 0;
        return 100 + (unit < 0 ? -size : size);
    };
    // Glyphs do not fill their cells: the ink lies inside the turned cell, near its far edges.
    EXPECT_GE(ink.left, expected(c.left) - 2);
    EXPECT_GE(ink.top, expected(c.top) - 2);
    EXPECT_LE(ink.right, expected(c.right) + 2);
    EXPECT_LE(ink.bottom, expected(c.bottom) + 2);
    EXPECT_GT(ink.Width() * ink.Height(), 0);
    const bool upright = c.escapement % 1800 == 0;
    EXPECT_GT(upright ? ink.Width() : ink.Height(), extent.cx * 3 / 4) << "the text runs along its direction";
}

INSTANTIATE_TEST_SUITE_P(Turns, EscapementTest,
                         testing::Values(EscapementCase{"None", 0, 0, 0, 1, 2},
                                         EscapementCase{"Upwards", 900, 0, -1, 2, 0},
                                         EscapementCase{"Downwards", 2700, -2, 0, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
