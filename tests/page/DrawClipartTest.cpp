#include "page/DrawClipart.h"

#include "library/Clipart.h"
#include "platform/base/Archive.h"
#include "platform/gdi/GdiTypes.h"
#include "tests/page/PageFixture.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kHatchGrey = 0x808080;

class DrawClipartTest : public PageFixture {
protected:
    // A loaded clipart of a red 8 x 8 picture, opaque all over.
    CClipart* RedClipart() {
        WriteBmp(Res("rot.bmp"), 8, 8, {0xFF0000});
        auto* clipart = new CClipart;
        clipart->SetFilePath(Res("rot.bmp"));
        return clipart;
    }
};

TEST_F(DrawClipartTest, WithoutClipartAHatchedPlaceholderInABlackFrame) {
    CDrawClipart object(CRect(0, 0, 40, 40));
    CCanvas canvas(40, 40);
    object.Draw(&canvas.Dc(), 0, 0, 1.0f);
    EXPECT_EQ(canvas.Pixel(0, 20), kBlack);
    EXPECT_EQ(canvas.Pixel(39, 20), kBlack);
    int grey = 0;
    int white = 0;
    for (int x = 2; x < 38; ++x) {
        grey += canvas.Pixel(x, 20) == kHatchGrey ? 1 : 0;
        white += canvas.Pixel(x, 20) == kWhite ? 1 : 0;
    }
    EXPECT_GT(grey, 2) << "the hatch";
    EXPECT_GT(white, 2) << "between its lines";
}

TEST_F(DrawClipartTest, WholeTurnsDrawTheClipartItselfOtherTurnsItsTurnedCopy) {
    for (int rotation : {0, 3600, 900}) {
        SCOPED_TRACE(rotation);
        CDrawClipart object(CRect(0, 0, 40, 40));
        object.SetClipart(RedClipart());
        ASSERT_TRUE(object.GetClipart()->IsLoaded());
        object.SetRotation(rotation);
        object.UpdateRotated();
        EXPECT_EQ(object.GetRotatedPicture().IsValid(), rotation % 3600 != 0);
        CCanvas canvas(40, 40);
        object.Draw(&canvas.Dc(), 0, 0, 1.0f);
        EXPECT_EQ(canvas.Pixel(20, 20), kRed);
    }
}

TEST_F(DrawClipartTest, RebuildLoadsTheClipartAndReportsAMissingOne) {
    CDrawClipart empty(CRect(0, 0, 40, 40));
    EXPECT_TRUE(empty.RebuildRotated());
    CDrawClipart missing(CRect(0, 0, 40, 40));
    auto* gone = new CClipart;
    gone->SetFilePath(Res("fehlt.bmp"));
    missing.SetClipart(gone);
    EXPECT_FALSE(missing.RebuildRotated());
}

TEST_F(DrawClipartTest, ArchiveKeepsRotationAndEntry) {
    CDrawClipart object(CRect(1, 2, 3, 4));
    object.SetRotation(450);
    const Bytes common = StoredBytes([&](CArchive& ar) { object.CDrawObj::Serialize(ar); });
    EXPECT_EQ(StoredBytes([&](CArchive& ar) { object.Serialize(ar); }),
              Joined({common, Dword(450), Dword(0)}));

    object.SetClipart(RedClipart());
    const Bytes entry = StoredBytes([&](CArchive& ar) { object.GetClipart()->Serialize(ar); });
    const Bytes stored = StoredBytes([&](CArchive& ar) { object.Serialize(ar); });
    EXPECT_EQ(stored, Joined({common, Dword(450), Dword(1), entry}));

    CDrawClipart loaded;
    LoadFromBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetRotation(), 450);
    ASSERT_NE(loaded.GetClipart(), nullptr);
    EXPECT_EQ(loaded.GetClipart()->GetFilePath(), Res("rot.bmp"));
    EXPECT_FALSE(loaded.GetClipart()->IsLoaded()) << "not loaded while reading";
}

TEST_F(DrawClipartTest, PrintingUsesPageUnitsWithTheYAxisUpAndOffsetsBelowAnInch) {
    CDrawClipart object(CRect(10, 20, 50, 60));
    object.SetClipart(RedClipart());
    object.SetRotation(900);
    object.UpdateRotated();
    CCanvas canvas(60, 100);
    CDC& dc = canvas.Dc();
    // 50 of 600 dots is 21 tenths of a millimetre: integer division first would make it 0.
    dc.SetDeviceCaps(LOGPIXELSX, 600);
    dc.SetDeviceCaps(LOGPIXELSY, 600);
    dc.SetDeviceCaps(PHYSICALOFFSETX, 50);
    dc.SetDeviceCaps(PHYSICALOFFSETY, 0);
    // Logical y -100..0 on the device's rows 0..100, x moved right by 21.
    dc.SetWindowOrg(-21, -100);
    object.DrawToPrinter(&dc);
    const CRect ink = canvas.InkBounds(kWhite);
    EXPECT_EQ(ink.left, 10);
    EXPECT_EQ(ink.right, 50);
    // Rows 100 - 60 .. 100 - 20; a destination given upside down starts one row lower.
    EXPECT_NEAR(ink.top, 40, 1);
    EXPECT_NEAR(ink.bottom, 80, 1);

    CDrawClipart flat(CRect(10, 20, 10, 60));
    flat.SetClipart(RedClipart());
    flat.SetRotation(900);
    flat.UpdateRotated();
    CCanvas empty(60, 100);
    empty.Dc().SetWindowOrg(0, -100);
    flat.DrawToPrinter(&empty.Dc());
    EXPECT_EQ(empty.CountOther(kWhite), 0) << "zero width prints nothing";
}

TEST_F(DrawClipartTest, CloneTakesToolsAndAClipartCopyButNoRotation) {
    CDrawClipart object(CRect(1, 2, 3, 4));
    object.SetClipart(RedClipart());
    object.SetRotation(900);
    object.SetBrushFlag(FALSE);
    std::unique_ptr<CDrawObj> cloned(object.Clone());
    auto* copy = DYNAMIC_DOWNCAST(CDrawClipart, cloned.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetRotation(), 0);
    EXPECT_EQ(copy->HasBrush(), FALSE);
    ASSERT_NE(copy->GetClipart(), nullptr);
    EXPECT_NE(copy->GetClipart(), object.GetClipart());
    EXPECT_EQ(copy->GetKind(), kDrawKindClipart);
}

TEST_F(DrawClipartTest, FrameOutlinesTheTurnedPosition) {
    CDrawClipart object(CRect(10, 20, 50, 30));
    object.SetRotation(900);
    CCanvas canvas(60, 60, 0x00FF00);
    object.DrawFrame(&canvas.Dc(), 1.0f, 0, 0);
    EXPECT_EQ(canvas.InkBounds(0x00FF00), CRect(25, 5, 36, 46));
}

} // namespace
