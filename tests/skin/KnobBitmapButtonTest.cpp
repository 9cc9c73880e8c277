// The knob: a press in one of its nine zones turns it there and the release posts the zone's command;
// a press between zones does nothing; zones 1 and 2 meet at y = 22; on the main window's layout its
// round hole passes clicks to the "Print" button beneath. The drawn position is told by its probe pixel.

#include "skin/KnobBitmapButton.h"

#include "skin/MyBitmapButton.h"
#include "skinart/SkinArt.h"
#include "tests/skin/SkinTestWindow.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::array<LPCTSTR, CKnobBitmapButton::kPositions> kKnobBitmaps = {
    "KNOBLADENU", "KNOBSPEICHERNU", "KNOBALBUMU",         "KNOBSCANNERU", "KNOBCAMERAU",
    "KNOBDISKU",  "KNOBEFFEKTEU",   "KNOBEINSTELLUNGENU", "KNOBDRUCKENU"};

class KnobTest : public SkinTest {
protected:
    // The knob at the skin's origin with a plain rectangular shape, so that every zone can be reached.
    void BuildPlain() {
        ASSERT_TRUE(m_knob.Create("Knob", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 200, 210),
                                  &m_parent, 1004));
        CRgn whole;
        whole.CreateRectRgn(0, 0, 200, 210);
        ASSERT_TRUE(m_knob.SetRegion(&whole, nullptr, TRUE));
        ASSERT_TRUE(m_knob.LoadBitmaps(kKnobBitmaps));
        m_log.clear();
    }
    bool ShowsPosition(int position) { return Shows(&m_knob, kKnobBitmaps[position - 1]); }

    CKnobBitmapButton m_knob;
};

struct ZoneCase {
    const char* name;
    POINT point;
    int position;
    const char* command;
};

std::ostream& operator<<(std::ostream& out, const ZoneCase& zone) {
    return out << zone.name;
}

const ZoneCase kZoneCases[] = {
    {"Load", {61, 12}, 1, "parent command 2047 code 0 from Knob"},
    {"SaveWhereItMeetsLoadAtY22", {70, 22}, 2, "parent command 2048 code 0 from Knob"},
    {"Album", {54, 46}, 3, "parent command 2029 code 0 from Knob"},
    {"ScannerPostsTheScannerCommand", {20, 85}, 4, "parent command 2051 code 0 from Knob"},
    {"CameraPostsTheCameraCommand", {20, 100}, 5, "parent command 2050 code 0 from Knob"},
    {"Disk", {20, 110}, 6, "parent command 1004 code 0 from Knob"},
    {"Effects", {20, 155}, 7, "parent command 1014 code 0 from Knob"},
    {"Settings", {40, 190}, 8, "parent command 2040 code 0 from Knob"},
    {"PrintDialog", {124, 209}, 9, "parent command 2024 code 0 from Knob"},
};

class KnobZoneTest : public KnobTest, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(KnobZoneTest, AClickTurnsTheKnobToTheZoneAndPostsItsCommand) {
    BuildPlain();
    const ZoneCase& zone = GetParam();
    ClickAt(&m_knob, zone.point);
    EXPECT_THAT(TakeLog(), ElementsAre(zone.command));
    EXPECT_EQ(m_knob.GetPosition(), zone.position);
    EXPECT_TRUE(ShowsPosition(zone.position));
}

INSTANTIATE_TEST_SUITE_P(Zones, KnobZoneTest, ::testing::ValuesIn(kZoneCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KnobTest, ANewKnobShowsPositionOneAndAClickBetweenZonesChangesNothing) {
    BuildPlain();
    EXPECT_TRUE(ShowsPosition(1));
    ClickAt(&m_knob, CPoint(20, 100));
    TakeLog();
    for (const POINT between : {POINT{111, 12}, POINT{20, 93}, POINT{150, 100}, POINT{125, 209}}) {
        ClickAt(&m_knob, between);
        EXPECT_THAT(TakeLog(), IsEmpty()) << between.x << "," << between.y;
    }
    EXPECT_TRUE(ShowsPosition(5));
}

TEST_F(KnobTest, EveryZoneButTheSecondCarriesItsTipFromTheTextModule) {
    auto tipText = [](UINT id) { return CString("Tipp ") + CString(std::to_string(id)); };
    for (const CKnobBitmapButton::Zone& zone : CKnobBitmapButton::kZones)
        m_services.SetString(zone.toolTipText, tipText(zone.toolTipText));
    BuildPlain();
    EXPECT_EQ(m_knob.GetToolTip().GetToolCount(), 8);
    for (const CKnobBitmapButton::Zone& zone : CKnobBitmapButton::kZones) {
        CString text;
        m_knob.GetToolTip().GetText(text, &m_knob, zone.command);
        EXPECT_EQ(text, zone.toolTipText ? tipText(zone.toolTipText) : CString())
            << "command " << zone.command;
    }
}

TEST_F(KnobTest, TheReleasePointIsNotTested) {
    BuildPlain();
    PressAt(&m_knob, CPoint(20, 155));
    MoveTo(&m_parent, CPoint(350, 280));
    ReleaseAt(&m_parent, CPoint(350, 280));
    EXPECT_THAT(TakeLog(), ElementsAre("parent command 1014 code 0 from Knob"));
}

TEST_F(KnobTest, SetPositionTurnsTheKnobWithoutPosting) {
    BuildPlain();
    m_knob.SetPosition(8);
    m_knob.Invalidate();
    EXPECT_TRUE(ShowsPosition(8));
    m_knob.SetPosition(10);
    EXPECT_EQ(m_knob.GetPosition(), 8);
    EXPECT_THAT(TakeLog(), IsEmpty());
}

TEST_F(KnobTest, MissingBitmapsFailLoadingAndOnlyTheFirstTwoStopIt) {
    BuildPlain();
    std::array<LPCTSTR, CKnobBitmapButton::kPositions> names = kKnobBitmaps;
    names[1] = "NO_SUCH_KNOB";
    EXPECT_FALSE(m_knob.LoadBitmaps(names));
    names = kKnobBitmaps;
    names[6] = nullptr;
    EXPECT_TRUE(m_knob.LoadBitmaps(names)) << "a null name is skipped";
    names[6] = "NO_SUCH_KNOB";
    EXPECT_FALSE(m_knob.LoadBitmaps(names));
    m_knob.SetPosition(9);
    EXPECT_TRUE(ShowsPosition(9)) << "loading went on after the missing one";
}

// The main window's layout: the knob's outline less the "Print" disc, with "Print" at (62, 62).
TEST_F(KnobTest, TheHoleInTheKnobPassesClicksToPrint) {
    ASSERT_TRUE(
        m_knob.Create("Knob", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 200, 210), &m_parent, 1004));
    CMyBitmapButton print;
    ASSERT_TRUE(print.Create("Print", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(62, 62, 272, 262),
                             &m_parent, 1007));
    print.SetWindowPos(nullptr, 62, 62, 210, 200, SWP_NOZORDER);
    CRgn printShape;
    CRgn printHit;
    printShape.CreatePolygonRgn(SkinArt::kMainPrintShape, 177, WINDING);
    printHit.CreatePolygonRgn(SkinArt::kMainPrintHit, 177, WINDING);
    ASSERT_TRUE(print.SetRegions(&printShape, &printHit, TRUE));
    ASSERT_TRUE(print.LoadBitmaps("PRINTU", "PRINTD", "PRINTF"));

    CRgn outline;
    outline.CreatePolygonRgn(SkinArt::kMainKnobOutline, 256, WINDING);
    CRgn disc;
    disc.CreatePolygonRgn(SkinArt::kMainPrintShape, 177, WINDING);
    disc.OffsetRgn(62, 62);
    CRgn knobShape;
    knobShape.CreateRectRgn(0, 0, 0, 0);
    knobShape.CombineRgn(&outline, &disc, RGN_DIFF);
    ASSERT_TRUE(m_knob.SetRegion(&knobShape, &outline, TRUE));
    ASSERT_TRUE(m_knob.LoadBitmaps(kKnobBitmaps));
    m_parent.BringWindowToTop();
    m_log.clear();

    ClickAt(&m_parent, CPoint(62 + 48, 62 + 48));
    EXPECT_THAT(TakeLog(), ElementsAre("parent command 1007 code 0 from Print"));

    // The knob's own ring holds no zone: a press there is swallowed.
    ClickAt(&m_parent, CPoint(45, 111));
    EXPECT_THAT(TakeLog(), IsEmpty());
    EXPECT_TRUE(ShowsPosition(1));
}

} // namespace
