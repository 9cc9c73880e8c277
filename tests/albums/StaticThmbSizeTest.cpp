// The thumbnail preview's pixels in both modes: where the cells stand, what they show, and the white
// field around them.

#include "albums/StaticThmbSize.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Dc.h"
#include "skinart/SkinArt.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The control's pixels, row by row.
struct Pixels {
    int width = 0;
    std::vector<COLORREF> colors;
    COLORREF At(int x, int y) const { return colors[static_cast<size_t>(y * width + x)]; }
};

class StaticThmbSizeTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_resources);
        s_resources = nullptr;
    }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_resources, nullptr);
        m_services.SetResourceModule(s_resources);
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "Vorschau", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr,
                                     nullptr));
    }

    void TearDown() override {
        m_owner.DestroyWindow();
        UiTest::TearDown();
    }

    void Create(int width, int height) {
        ASSERT_TRUE(m_preview.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + width, 10 + height),
                                     &m_owner, 6017));
    }

    void SetFractions(int horizontalValue, int horizontalRange, int verticalValue, int verticalRange) {
        m_preview.SetHorizontalValue(horizontalValue);
        m_preview.SetHorizontalRange(horizontalRange);
        m_preview.SetVerticalValue(verticalValue);
        m_preview.SetVerticalRange(verticalRange);
        m_preview.Invalidate();
    }

    Pixels Grab() {
        CRect client;
        m_preview.GetClientRect(&client);
        m_preview.UpdateWindow();
        Pixels pixels{client.Width(), {}};
        CDC* dc = m_preview.GetDC();
        for (int y = 0; y < client.Height(); ++y) {
            for (int x = 0; x < client.Width(); ++x)
                pixels.colors.push_back(dc->GetPixel(x, y));
        }
        m_preview.ReleaseDC(dc);
        return pixels;
    }

    // Every pixel outside cells is white, every one inside is not.
    static void ExpectCells(const Pixels& pixels, const std::vector<CRect>& cells) {
        const int height = static_cast<int>(pixels.colors.size()) / pixels.width;
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < pixels.width; ++x) {
                bool inCell = false;
                for (const CRect& cell : cells)
                    inCell = inCell || cell.PtInRect(CPoint(x, y));
                if ((pixels.At(x, y) == kWhite) == inCell && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << (inCell ? " is white" : " is not white");
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    static HMODULE s_resources;
    FakeAppServices m_services;
    CWnd m_owner;
    CStaticThmbSize m_preview;
};

HMODULE StaticThmbSizeTest::s_resources = nullptr;

TEST_F(StaticThmbSizeTest, WithoutRangesShowsOnlyTheWhiteField) {
    Create(120, 90);
    ASSERT_TRUE(m_preview.CreateMemDC());
    SetFractions(10, 0, 10, -5);
    ExpectCells(Grab(), {});
}

struct LayoutCase {
    const char* name;
    int mode;
    int horizontalValue, horizontalRange, verticalValue, verticalRange;
    std::vector<CRect> cells; // in a control of 120 × 90
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class StaticThmbSizeLayoutTest : public StaticThmbSizeTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(StaticThmbSizeLayoutTest, PlacesItsCellsOnTheWhiteField) {
    Create(120, 90);
    ASSERT_TRUE(m_preview.CreateMemDC());
    m_preview.SetMode(GetParam().mode);
    SetFractions(GetParam().horizontalValue, GetParam().horizontalRange, GetParam().verticalValue,
                 GetParam().verticalRange);
    ExpectCells(Grab(), GetParam().cells);
}

const LayoutCase kLayoutCases[] = {
    // (120 - 32) / 2 and (90 - 32) / 2; a negative value counts as 0.
    {"SizeAtZeroIsOneCentredCellOf32", 1, -4, 68, 0, 68, {CRect(44, 29, 76, 61)}},
    // 32 + round(88 × 0.5) = 76 wide, 32 + round(58 × 0.25) = 47 high: halves round up.
    {"SizeFollowsEachFraction", 1, 34, 68, 17, 68, {CRect(22, 21, 98, 68)}},
    {"SizeAtFullRangeFillsTheControl", 1, 68, 68, 68, 68, {CRect(0, 0, 120, 90)}},
    // Four touching cells make one square of 64 in the middle.
    {"SpacingAtZeroMakesTheFourCellsTouch", 2, 0, 30, 0, 30, {CRect(28, 13, 92, 77)}},
    // Gaps of 120 - 84 = 36 and 90 - 84 = 6.
    {"SpacingAtFullRangeSpreadsTheCells",
     2,
     30,
     30,
     30,
     30,
     {CRect(10, 10, 42, 42), CRect(78, 10, 110, 42), CRect(10, 48, 42, 80), CRect(78, 48, 110, 80)}},
    {"UnknownModeDrawsNoCell", 3, 30, 30, 30, 30, {}},
};

INSTANTIATE_TEST_SUITE_P(Preview, StaticThmbSizeLayoutTest, testing::ValuesIn(kLayoutCases),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST_F(StaticThmbSizeTest, ACellOfTheSampleSizeShowsTheSamplePixelForPixel) {
    Create(100, 100);
    ASSERT_TRUE(m_preview.CreateMemDC());
    SetFractions(68, 68, 68, 68);
    const SkinArt::BitmapProbe* sample = SkinArt::FindBitmap("6008");
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(Grab().At(sample->probe.x, sample->probe.y), sample->colour);
}

TEST_F(StaticThmbSizeTest, WithoutTheSampleTheCellsAreBlack) {
    Create(120, 90);
    m_preview.SetMode(CStaticThmbSize::kSpacingMode);
    SetFractions(30, 30, 30, 30);
    const Pixels pixels = Grab();
    for (const CPoint corner : {CPoint(10, 10), CPoint(78, 10), CPoint(10, 48), CPoint(78, 48)})
        EXPECT_EQ(pixels.At(corner.x + 5, corner.y + 5), kBlack) << corner.x << "," << corner.y;
    EXPECT_EQ(pixels.At(60, 45), kWhite);
}

} // namespace
