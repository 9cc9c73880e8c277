#include "page/DrawText.h"

#include "platform/base/Archive.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/FakeAppServices.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr COLORREF kShadowGrey = 0x999999;
constexpr COLORREF kReliefGrey = 0xC0C0C0;

class DrawTextTest : public testing::Test {
protected:
    DrawTextTest() {
        EnsureGuiApplication();
        m_app.SetString(299, "Ihr Text");
    }

    // A text at (10, 10) in a font of height -8 (about 27 pixels at scale 1).
    static std::unique_ptr<CDrawText> Sample(const char* text, int effect = kTextPlain) {
        auto object = std::make_unique<CDrawText>(CRect(10, 10, 11, 11), text);
        LOGFONT font = object->GetLogFont();
        font.lfHeight = -8;
        object->SetLogFont(font);
        object->SetEffect(effect);
        return object;
    }

    FakeAppServices m_app;
};

// The mean position of the pixels of exactly that colour; (-1, -1) when there are none.
CPoint Centre(const CCanvas& canvas, COLORREF colour) {
    long long sx = 0, sy = 0, n = 0;
    for (int y = 0; y < canvas.Image().height(); ++y)
        for (int x = 0; x < canvas.Image().width(); ++x)
            if (canvas.Pixel(x, y) == colour)
                sx += x, sy += y, ++n;
    return n ? CPoint(static_cast<int>(sx * 100 / n), static_cast<int>(sy * 100 / n)) : CPoint(-1, -1);
}

TEST_F(DrawTextTest, NewTextsStartInArialAtMinusTwelveWithTheDefaultText) {
    const CDrawText text(CRect(0, 0, 10, 10));
    EXPECT_EQ(text.GetText(), CString("Ihr Text"));
    EXPECT_EQ(text.GetEffect(), -1);
    EXPECT_STREQ(text.GetLogFont().lfFaceName, "Arial");
    EXPECT_EQ(text.GetLogFont().lfHeight, -12);
    EXPECT_EQ(text.GetLogFont().lfWidth, 0);
    EXPECT_EQ(CDrawText(CRect(), "x").GetEffect(), kTextPlain);
    EXPECT_EQ(text.GetColor(), kBlack);
}

TEST_F(DrawTextTest, ArchiveHoldsTheFontAsSixtyBytesThenTextColourAndEffect) {
    auto text = Sample("Hallo", kTextRelief);
    text->SetColor(0x123456);
    text->SetHeightOverride(-30);
    const Bytes common = StoredBytes([&](CArchive& ar) { text->CDrawObj::Serialize(ar); });
    Bytes font(60);
    std::memcpy(font.data(), &text->GetLogFont(), 60);
    const Bytes stored = StoredBytes([&](CArchive& ar) { text->Serialize(ar); });
    EXPECT_EQ(stored, Joined({common, font, Bytes{5, 'H', 'a', 'l', 'l', 'o'}, Dword(0x123456), Dword(3)}));

    CDrawText loaded(CRect(), "alt");
    loaded.SetHeightOverride(-5);
    LoadFromBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetText(), CString("Hallo"));
    EXPECT_EQ(loaded.GetColor(), 0x123456u);
    EXPECT_EQ(loaded.GetEffect(), kTextRelief);
    EXPECT_EQ(loaded.GetLogFont().lfHeight, -8);
    EXPECT_STREQ(loaded.GetLogFont().lfFaceName, "Arial");
    EXPECT_EQ(loaded.GetHeightOverride(), 0);
}

TEST_F(DrawTextTest, HeightsScaleByThreePointThreeFiveAndZeroBecomesMinusOne) {
    EXPECT_EQ(CDrawText::ScaledHeight(-12, 1.0f), -40);
    EXPECT_EQ(CDrawText::ScaledHeight(-12, 0.5f), -20);
    EXPECT_EQ(CDrawText::ScaledHeight(0, 1.0f), -1);
    EXPECT_EQ(CDrawText::ScaledHeight(1, 0.01f), -1);
}

TEST_F(DrawTextTest, EmptyTextMeasuresEmptyAndDrawsNothing) {
    auto text = Sample("");
    CCanvas canvas(100, 60);
    text->FitToText(&canvas.Dc(), 1.0f);
    EXPECT_EQ(text->GetPosition(), CRect(10, 10, 10, 10));
    text->Draw(&canvas.Dc(), 0, 0, 1.0f);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
}

TEST_F(DrawTextTest, FitToTextFollowsTheLinesAndTheScale) {
    auto one = Sample("Wort");
    auto two = Sample("Wort\r\nWort\nlängeres Wort");
    CCanvas canvas(10, 10);
    one->FitToText(&canvas.Dc(), 1.0f);
    two->FitToText(&canvas.Dc(), 1.0f);
    const CRect a = one->GetPosition();
    const CRect b = two->GetPosition();
    EXPECT_GT(a.Width(), 20);
    EXPECT_EQ(b.Height(), 3 * a.Height()) << "three lines";
    EXPECT_GT(b.Width(), a.Width()) << "the widest line";
    EXPECT_EQ(two->GetSavedPosition(), b);
    // At half scale the font is half as high, and the page size comes back the same.
    auto half = Sample("Wort");
    half->FitToText(&canvas.Dc(), 0.5f);
    EXPECT_NEAR(half->GetPosition().Height(), a.Height(), 4);
}

TEST_F(DrawTextTest, DrawPutsTheTextAtTheScaledCornerInItsColour) {
    auto text = Sample("Wort");
    text->SetColor(0x0000FF);
    CCanvas canvas(200, 80);
    text->Draw(&canvas.Dc(), 5, 6, 2.0f);
    const CRect ink = canvas.InkBounds(kWhite);
    EXPECT_GE(ink.left, 25);
    EXPECT_GE(ink.top, 26);
    EXPECT_LT(ink.left, 35);
    EXPECT_GT(Centre(canvas, 0x0000FF).x, 0) << "in its colour";
}

TEST_F(DrawTextTest, TheOverrideReplacesTheScaledHeightAndMeasuringForPrintUsesItUp) {
    auto text = Sample("Wort");
    CCanvas canvas(10, 10);
    CRect plain;
    text->CalcTextRect(&plain, &canvas.Dc(), 1.0f);
    text->SetHeightOverride(-60);
    CRect large;
    text->CalcTextRect(&large, &canvas.Dc(), 1.0f);
    EXPECT_GT(large.Height(), plain.Height() + 20);
    EXPECT_EQ(text->GetHeightOverride(), 0);
    CRect again;
    text->CalcTextRect(&again, &canvas.Dc(), 1.0f);
    EXPECT_EQ(again, plain);
    EXPECT_EQ(plain.TopLeft(), CPoint(10, 10));
}

TEST_F(DrawTextTest, EachEffectDrawsItsGreyCopyInItsDirection) {
    struct EffectCase {
        const char* name;
        int effect;
        COLORREF grey;
        int direction; // +1 lower right, -1 upper left, 0 no copy
    };
    const EffectCase cases[] = {
        {"None", -1, kShadowGrey, 0},
        {"Plain", kTextPlain, kShadowGrey, 0},
        {"Unknown", 4, kShadowGrey, 0},
        {"LowerRight", kTextShadowLowerRight, kShadowGrey, 1},
        {"UpperLeft", kTextShadowUpperLeft, kShadowGrey, -1},
        {"Relief", kTextRelief, kReliefGrey, 1},
    };
    for (const EffectCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto text = Sample("HHH", c.effect);
        CCanvas canvas(160, 80);
        text->Draw(&canvas.Dc(), 0, 0, 1.0f);
        const CPoint grey = Centre(canvas, c.grey);
        const CPoint black = Centre(canvas, kBlack);
        ASSERT_NE(black.x, -1);
        if (c.direction == 0) {
            EXPECT_EQ(grey.x, -1);
            continue;
        }
        ASSERT_NE(grey.x, -1);
        EXPECT_GT((grey.x - black.x) * c.direction, 0);
        EXPECT_GT((grey.y - black.y) * c.direction, 0);
    }
}

TEST_F(DrawTextTest, PrintFittingChoosesTheNearestNegativeHeight) {
    auto text = Sample("Wort");
    CCanvas canvas(10, 10);
    text->FitToText(&canvas.Dc(), 1.0f);
    const CRect fitted = text->GetPosition();
    text->FitPrintFontHeight(&canvas.Dc(), 1.0f);
    EXPECT_LT(text->GetHeightOverride(), 0);
    EXPECT_NEAR(text->GetHeightOverride(), CDrawText::ScaledHeight(-8, 1.0f), 1);

    // A rectangle far too small drives the search to the smallest fonts, which stay negative.
    auto tiny = Sample("Wort");
    LOGFONT font = tiny->GetLogFont();
    font.lfHeight = -1;
    tiny->SetLogFont(font);
    tiny->SetPosition(CRect(0, 0, 1, 1));
    tiny->FitPrintFontHeight(&canvas.Dc(), 1.0f);
    EXPECT_LT(tiny->GetHeightOverride(), 0);
    EXPECT_EQ(fitted, text->GetPosition());
}

TEST_F(DrawTextTest, CopiesTakeTextFontColourAndEffect) {
    auto text = Sample("Kopie", kTextShadowUpperLeft);
    text->SetColor(0x00AA00);
    text->SetPenFlag(TRUE);
    text->SetHeightOverride(-17);
    std::unique_ptr<CDrawObj> clone(text->Clone());
    auto* copy = DYNAMIC_DOWNCAST(CDrawText, clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetText(), CString("Kopie"));
    EXPECT_EQ(copy->GetColor(), 0x00AA00u);
    EXPECT_EQ(copy->GetEffect(), kTextShadowUpperLeft);
    EXPECT_EQ(copy->GetLogFont().lfHeight, -8);
    EXPECT_EQ(copy->HasPen(), FALSE) << "the flags are not cloned";
    EXPECT_EQ(copy->GetHeightOverride(), 0);
    std::unique_ptr<CDrawText> duplicate(text->Duplicate());
    EXPECT_EQ(duplicate->HasPen(), TRUE);
    EXPECT_EQ(duplicate->GetHeightOverride(), -17);
}

TEST_F(DrawTextTest, DrawInRectDrawsOneLineAndNothingForAnEmptyRectangle) {
    auto text = Sample("Eins\nZwei");
    CCanvas canvas(200, 100);
    text->DrawInRect(&canvas.Dc(), CRect(5, 5, 5, 60));
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
    text->DrawInRect(&canvas.Dc(), CRect(5, 5, 195, 95));
    EXPECT_GT(canvas.CountOther(kWhite), 0);
}

} // namespace
