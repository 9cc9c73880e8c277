#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Operand colours whose bits differ in every combination somewhere.
constexpr COLORREF kSource = RGB(0xA5, 0xC3, 0x0F);
constexpr COLORREF kDest = RGB(0xF0, 0x5A, 0x3C);
constexpr COLORREF kPattern = RGB(0x81, 0x33, 0xCC);
constexpr COLORREF kNeighbour = RGB(1, 2, 3);

constexpr COLORREF Bits(DWORD value) {
    return value & 0xFFFFFF;
}

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF expected;
};

const RopCase kRopCases[] = {
    {"SrcCopy", SRCCOPY, kSource},
    {"SrcPaint", SRCPAINT, kSource | kDest},
    {"SrcAnd", SRCAND, kSource& kDest},
    {"SrcInvert", SRCINVERT, kSource ^ kDest},
    {"SrcErase", SRCERASE, Bits(kSource & ~kDest)},
    {"NotSrcCopy", NOTSRCCOPY, Bits(~kSource)},
    {"NotSrcErase", NOTSRCERASE, Bits(~(kSource | kDest))},
    {"MergeCopy", MERGECOPY, kPattern& kSource},
    {"MergePaint", MERGEPAINT, Bits(~kSource | kDest)},
    {"PatCopy", PATCOPY, kPattern},
    {"PatPaint", PATPAINT, Bits(kPattern | ~kSource | kDest)},
    {"PatInvert", PATINVERT, kPattern ^ kDest},
    {"DstInvert", DSTINVERT, Bits(~kDest)},
    {"Blackness", BLACKNESS, 0},
    {"Whiteness", WHITENESS, 0xFFFFFF},
};

enum class Target { DibSection, CompatibleBitmap };

class RasterOpTest : public testing::TestWithParam<std::tuple<RopCase, Target>> {
protected:
    // A 3 x 1 destination whose middle pixel takes the operation.
    void SetUp() override {
        m_dc.CreateCompatibleDC(nullptr);
        if (std::get<1>(GetParam()) == Target::DibSection) {
            BITMAPINFO info{};
            info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 3, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
            void* bits = nullptr;
            m_target.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        } else {
            m_target.CreateCompatibleBitmap(&m_dc, 3, 1);
        }
        m_previous = m_dc.SelectObject(&m_target);
        m_dc.SetPixel(0, 0, kNeighbour);
        m_dc.SetPixel(1, 0, kDest);
        m_dc.SetPixel(2, 0, kNeighbour);
        m_brush.CreateSolidBrush(kPattern);
        m_dc.SelectObject(&m_brush);
    }
    void TearDown() override {
        m_dc.SelectObject(m_previous);
        m_dc.SelectStockObject(WHITE_BRUSH);
    }
    void ExpectOnlyMiddleChanged() {
        const RopCase& c = std::get<0>(GetParam());
        EXPECT_EQ(m_dc.GetPixel(1, 0), c.expected);
        EXPECT_EQ(m_dc.GetPixel(0, 0), kNeighbour);
        EXPECT_EQ(m_dc.GetPixel(2, 0), kNeighbour);
    }

    CDC m_dc;
    CBitmap m_target;
    CBitmap* m_previous = nullptr;
    CBrush m_brush;
};

TEST_P(RasterOpTest, BitBltFromMemoryContext) {
    DibCanvas source(1, 1, kSource);
    ASSERT_TRUE(m_dc.BitBlt(1, 0, 1, 1, &source.dc, 0, 0, std::get<0>(GetParam()).rop));
    ExpectOnlyMiddleChanged();
}

TEST_P(RasterOpTest, StretchDIBitsFromPackedDib) {
    const PackedDib dib = PackedDib::Make(24, 2, {{Bgr(kSource), Bgr(kSource)}});
    ASSERT_EQ(StretchDIBits(m_dc, 1, 0, 1, 1, 0, 0, 2, 1, dib.Bits(), dib.Info(), DIB_RGB_COLORS,
                            std::get<0>(GetParam()).rop),
              1);
    ExpectOnlyMiddleChanged();
}

TEST_P(RasterOpTest, PatBltWhenNoSourceIsRead) {
    const RopCase& c = std::get<0>(GetParam());
    const bool readsSource = ((c.rop >> 18) ^ (c.rop >> 16)) & 0x33;
    if (readsSource) {
        EXPECT_FALSE(m_dc.PatBlt(1, 0, 1, 1, c.rop));
        return;
    }
    ASSERT_TRUE(m_dc.PatBlt(1, 0, 1, 1, c.rop));
    ExpectOnlyMiddleChanged();
}

INSTANTIATE_TEST_SUITE_P(Operations, RasterOpTest,
                         testing::Combine(testing::ValuesIn(kRopCases),
                                          testing::Values(Target::DibSection, Target::CompatibleBitmap)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Target::DibSection ? "OnDibSection"
                                                                                   : "OnDdb");
                         });

struct Rop2Case {
    const char* name;
    int mode;
    COLORREF expected;
};

constexpr COLORREF kPen = kPattern;

const Rop2Case kRop2Cases[] = {
    {"CopyPen", R2_COPYPEN, kPen},
    {"XorPen", R2_XORPEN, kPen ^ kDest},
    {"Not", R2_NOT, Bits(~kDest)},
    {"NotXorPen", R2_NOTXORPEN, Bits(~(kPen ^ kDest))},
    {"MergePen", R2_MERGEPEN, kPen | kDest},
    {"MaskPen", R2_MASKPEN, kPen& kDest},
    {"NotCopyPen", R2_NOTCOPYPEN, Bits(~kPen)},
    {"Black", R2_BLACK, 0},
    {"White", R2_WHITE, 0xFFFFFF},
    {"Nop", R2_NOP, kDest},
};

class Rop2Test : public testing::TestWithParam<Rop2Case> {};

TEST_P(Rop2Test, LineCombinesPenWithEveryPixelButTheEndPoint) {
    DibCanvas canvas(8, 3, kDest);
    CPen pen(PS_SOLID, 1, kPen);
    CPen* previous = canvas.dc.SelectObject(&pen);
    canvas.dc.SetROP2(GetParam().mode);
    canvas.dc.MoveTo(1, 1);
    canvas.dc.LineTo(6, 1);
    canvas.dc.SelectObject(previous);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(canvas.At(x, 1), x >= 1 && x < 6 ? GetParam().expected : kDest) << "x = " << x;
    EXPECT_EQ(canvas.Row(0), std::vector<COLORREF>(8, kDest));
    EXPECT_EQ(canvas.Row(2), std::vector<COLORREF>(8, kDest));
}

INSTANTIATE_TEST_SUITE_P(Modes, Rop2Test, testing::ValuesIn(kRop2Cases),
                         [](const auto& info) { return info.param.name; });

// The selection tracker and the rotated outline are erased by drawing them again.
TEST(RasterOpTwice, XorOutlineAndInvertedSquaresRestoreThePicture) {
    DibCanvas canvas(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            canvas.Set(x, y, RGB(x * 12, y * 12, (x + y) * 6));
    const std::vector<BYTE> before(canvas.Bits(), canvas.Bits() + canvas.Stride() * 20);
    CPen dotted(PS_DOT, 1, RGB(0, 0, 0));
    for (int pass = 0; pass < 2; ++pass) {
        CPen* previousPen = canvas.dc.SelectObject(&dotted);
        CGdiObject* previousBrush = canvas.dc.SelectStockObject(NULL_BRUSH);
        const int previousMode = canvas.dc.SetROP2(R2_XORPEN);
        const POINT corners[] = {{2, 3}, {17, 5}, {15, 18}, {1, 14}, {2, 3}};
        canvas.dc.Polyline(corners, 5);
        canvas.dc.Rectangle(4, 4, 12, 9);
        canvas.dc.SetROP2(previousMode);
        canvas.dc.SelectObject(previousBrush);
        canvas.dc.SelectObject(previousPen);
        canvas.dc.PatBlt(5, 5, 7, 7, DSTINVERT);
        if (pass == 0) {
            ASSERT_NE(std::vector<BYTE>(canvas.Bits(), canvas.Bits() + canvas.Stride() * 20), before);
        }
    }
    EXPECT_EQ(std::vector<BYTE>(canvas.Bits(), canvas.Bits() + canvas.Stride() * 20), before);
}

} // namespace
