// The skin art drawn by skingen at build time: bitmap files in the layout the resource module packs,
// the sizes the windows need, and the probe pixels the generated header promises.

#include "skinart/SkinArt.h"

#include "tests/support/RunTool.h"
#include "tests/tools/SkinFiles.h"

#include <QImage>
#include <QPolygon>
#include <QProcess>
#include <QRegion>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace {

const QString kArtFolder = QStringLiteral(VC_SKIN_ART_DIR);

QString BitmapPath(const char* name) {
    return kArtFolder + "/" + QString::fromUtf8(name) + ".bmp";
}

TEST(SkinArtFiles, EveryBitmapIsA24BitBottomUpBmpOfItsListedSize) {
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        SCOPED_TRACE(bitmap.name);
        const QByteArray bytes = ReadAll(BitmapPath(bitmap.name));
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(Field<quint32>(bytes, 2), static_cast<quint32>(bytes.size()));
        EXPECT_EQ(Field<quint32>(bytes, 10), 54u); // no palette between header and bits
        EXPECT_EQ(Field<quint32>(bytes, 14), 40u);
        EXPECT_EQ(Field<qint32>(bytes, 18), bitmap.width);
        EXPECT_EQ(Field<qint32>(bytes, 22), bitmap.height); // positive: bottom-up
        EXPECT_EQ(Field<quint16>(bytes, 26), 1);
        EXPECT_EQ(Field<quint16>(bytes, 28), 24);
        EXPECT_EQ(Field<quint32>(bytes, 30), 0u);
        const int stride = (bitmap.width * 3 + 3) & ~3;
        EXPECT_EQ(bytes.size(), 54 + stride * bitmap.height);
    }
}

TEST(SkinArtFiles, GraphicsMagickReadsEveryBitmapAtItsSize) {
    QStringList arguments{"identify", "-format", "%w %h\n"};
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        arguments << BitmapPath(bitmap.name);
    }
    QProcess gm;
    gm.setProcessEnvironment(ToolEnvironment());
    gm.start("gm", arguments);
    ASSERT_TRUE(gm.waitForFinished(60000));
    ASSERT_EQ(gm.exitCode(), 0) << gm.readAllStandardError().toStdString();
    const QStringList sizes = QString::fromUtf8(gm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(sizes.size(), static_cast<qsizetype>(std::size(SkinArt::kBitmaps)));
    for (size_t i = 0; i < std::size(SkinArt::kBitmaps); ++i) {
        const SkinArt::BitmapProbe& bitmap = SkinArt::kBitmaps[i];
        EXPECT_EQ(sizes[static_cast<qsizetype>(i)].toStdString(),
                  std::to_string(bitmap.width) + " " + std::to_string(bitmap.height))
            << bitmap.name;
    }
}

TEST(SkinArtFiles, TheNameListNamesEveryBitmapOnce) {
    const QStringList listed =
        QString::fromUtf8(ReadAll(kArtFolder + "/bitmaps.txt")).split('\n', Qt::SkipEmptyParts);
    QStringList expected;
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        expected << QString::fromUtf8(bitmap.name);
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(QStringList(listed).removeDuplicates(), 0);
}

struct WindowSize {
    const char* name;
    int width;
    int height;
};

TEST(SkinArtSizes, BackgroundsHaveTheirWindowsSizes) {
    const WindowSize sizes[] = {
        {"MAIN_WND", 800, 600},  {"CATEG_WND", 800, 116}, {"EINSTELLUNGEN_WND", 527, 410},
        {"ALBUM_WND", 800, 600}, {"MOVE_DLG", 142, 206},  {"TOOLBAR_EFFECTS", 252, 76},
    };
    for (const WindowSize& size : sizes) {
        const SkinArt::BitmapProbe* bitmap = SkinArt::FindBitmap(size.name);
        ASSERT_NE(bitmap, nullptr) << size.name;
        EXPECT_EQ(bitmap->width, size.width) << size.name;
        EXPECT_EQ(bitmap->height, size.height) << size.name;
    }
}

TEST(SkinArtSizes, ControlBitmapsHaveTheSizesTheirWindowsRelyOn) {
    const WindowSize sizes[] = {
        // Rectangular regions made from these sizes.
        {"INTERNET_U", 46, 48},
        {"RES_MGR_U", 56, 48},
        // The check box sizes its window to its up bitmap; the settings dialog places it as 28 by 30.
        {"EINSTELLUNGEN_SNDU", 28, 30},
        // The knob is drawn into its whole 200 by 210 window.
        {"KNOBLADENU", 200, 210},
        {"KNOBDRUCKENU", 200, 210},
        // One picture for the settings dialog, the move pad and the adjustment panel.
        {"EINSTELLUNGEN_OKU", 16, 17},
    };
    for (const WindowSize& size : sizes) {
        const SkinArt::BitmapProbe* bitmap = SkinArt::FindBitmap(size.name);
        ASSERT_NE(bitmap, nullptr) << size.name;
        EXPECT_EQ(bitmap->width, size.width) << size.name;
        EXPECT_EQ(bitmap->height, size.height) << size.name;
    }
}

// The combo boxes copy the hot arrow from x = 0 and the normal one from x = 37: 35 by 22 from y = 8,
// or 32 by 38 from y = 0.
TEST(SkinArtSizes, TheComboArrowStripHoldsAHotAndANormalImage) {
    const SkinArt::BitmapProbe* strip = SkinArt::FindBitmap("EINSTELLUNGEN_COMBO");
    ASSERT_NE(strip, nullptr);
    EXPECT_GE(strip->width, 37 + 35);
    EXPECT_GE(strip->height, 38);
    const QImage image(BitmapPath("EINSTELLUNGEN_COMBO"));
    ASSERT_FALSE(image.isNull());
    int differing = 0;
    for (int y = 8; y < 30; ++y) {
        for (int x = 0; x < 35; ++x) {
            differing += image.pixel(x, y) != image.pixel(37 + x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(differing, 50);
}

struct Table {
    const char* name;
    std::span<const POINT> points;
    int count;
    RECT bounds; // every point lies within, edges included
};

// Counts and bounds as the window layouts give them.
TEST(SkinArtPolygons, TablesHaveTheirLayoutsPointCountsAndBounds) {
    using namespace SkinArt;
    const Table tables[] = {
        {"About shape", kMainAboutShape, 12, {1, 1, 98, 10}},
        {"About hit", kMainAboutHit, 12, {1, 1, 95, 10}},
        {"Print disc", kMainPrintShape, 177, {0, 0, 97, 97}},
        {"Knob outline", kMainKnobOutline, 256, {37, 40, 179, 182}},
        {"Laden shape", kMainLadenShape, 25, {1, 1, 38, 35}},
        {"Laden hit", kMainLadenHit, 25, {2, 1, 38, 35}},
        {"Speichern", kMainSpeichernShape, 21, {1, 1, 54, 27}},
        {"Album", kMainAlbumShape, 28, {1, 1, 44, 24}},
        {"Effekte", kMainEffekteShape, 18, {1, 2, 45, 14}},
        {"Einstellungen", kMainEinstellungenShape, 19, {1, 1, 82, 15}},
        {"Drucken", kMainDruckenShape, 22, {1, 2, 49, 27}},
        {"Edit mode hit", kMainEditModeHit, 45, {20, 6, 45, 32}},
        {"Normal mode hit", kMainNormalModeHit, 43, {6, 6, 31, 32}},
        {"Panel outline", kCategPanelOutline, 78, {0, 0, 799, 115}},
        {"Panel close shape", kCategCloseShape, 5, {0, 0, 15, 14}},
        {"Panel close hit", kCategCloseHit, 22, {1, 2, 13, 14}},
        {"Undo", kCategUndoShape, 5, {0, 0, 15, 14}},
        {"Info tag", kCategInfoShape, 22, {0, 0, 12, 22}},
        {"First", kCategFirstShape, 20, {0, 0, 15, 15}},
        {"Last", kCategLastShape, 20, {0, 0, 15, 15}},
        {"Settings OK", kSettingsOkShape, 30, {0, 0, 15, 16}},
        {"Move pad OK", kMoveOkShape, 30, {0, 0, 15, 16}},
        {"Adjustment panel OK", kToolPanelOkShape, 30, {0, 0, 15, 16}},
        {"Move up", kMoveUpShape, 60, {0, 1, 29, 31}},
        {"Move rotate right", kMoveRotateRightShape, 60, {0, 1, 29, 31}},
        {"Panel minus", kToolPanelMinusShape, 52, {1, 1, 29, 30}},
        {"Panel plus", kToolPanelPlusShape, 52, {1, 1, 29, 30}},
        {"Settings cancel", kSettingsCancelHit, 30, {0, 0, 50, 50}},
        {"Print set-up", kSettingsPrintShape, 125, {0, 0, 100, 100}},
        {"Offsets", kSettingsJustierenShape, 48, {0, 0, 28, 30}},
        {"Sound", kSettingsSndShape, 36, {0, 0, 28, 30}},
        {"Album close shape", kAlbumCloseShape, 37, {0, 0, 23, 22}},
        {"Album close hit", kAlbumCloseHit, 19, {0, 0, 19, 18}},
        {"Sort key shape", kAlbumSortShape, 28, {0, 0, 17, 15}},
        {"Sort key hit", kAlbumSortHit, 18, {0, 0, 11, 12}},
        {"Previous page shape", kAlbumLeftShape, 52, {0, 0, 32, 31}},
        {"Previous page hit", kAlbumLeftHit, 51, {3, 2, 29, 28}},
        {"Next page shape", kAlbumRightShape, 44, {1, 1, 31, 31}},
        {"Next page hit", kAlbumRightHit, 36, {0, 0, 24, 24}},
    };
    for (const Table& table : tables) {
        SCOPED_TRACE(table.name);
        EXPECT_EQ(static_cast<int>(table.points.size()), table.count);
        for (const POINT& p : table.points) {
            EXPECT_TRUE(p.x >= table.bounds.left && p.x <= table.bounds.right && p.y >= table.bounds.top &&
                        p.y <= table.bounds.bottom)
                << "(" << p.x << ", " << p.y << ")";
        }
    }
}

std::vector<POINT> Points(std::initializer_list<POINT> points) {
    return points;
}

bool SamePoints(std::span<const POINT> table, const std::vector<POINT>& expected) {
    return std::equal(table.begin(), table.end(), expected.begin(), expected.end(),
                      [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; });
}

// Where the layouts spell the points out, the tables hold exactly those points.
TEST(SkinArtPolygons, GivenPointListsAreKeptAsGiven) {
    using namespace SkinArt;
    const auto strip = Points({{1, 0}, {20, 0}, {20, 22}, {0, 22}, {0, 0}});
    const std::pair<std::span<const POINT>, std::vector<POINT>> cases[] = {
        {kMainMinimizeShape, Points({{1, 0}, {16, 0}, {16, 16}, {0, 16}, {0, 0}})},
        {kMainCloseShape, Points({{1, 0}, {15, 0}, {15, 16}, {0, 16}, {0, 0}})},
        {kMainScannerShape, Points({{2, 1}, {41, 1}, {41, 9}, {1, 9}, {1, 1}})},
        {kMainCameraShape, Points({{2, 1}, {38, 1}, {38, 9}, {1, 9}, {1, 1}})},
        {kMainDiskShape, Points({{1, 1}, {28, 1}, {28, 10}, {1, 10}, {1, 1}})},
        {kMainEditModeShape, Points({{2, 1}, {67, 1}, {67, 70}, {1, 70}, {1, 1}})},
        {kMainNormalModeShape, Points({{2, 1}, {39, 1}, {39, 70}, {1, 70}, {1, 1}})},
        {kMain2ColorsShape, strip},
        {kMainGammaShape, strip},
        {kMainRotateShape, Points({{1, 0}, {23, 0}, {23, 22}, {0, 22}, {0, 0}})},
        {kMainTextShape, Points({{1, 0}, {20, 0}, {20, 23}, {0, 23}, {0, 0}})},
        {kSettingsCloseShape, Points({{1, 0}, {14, 0}, {14, 15}, {0, 15}, {0, 0}})},
        {kMoveCloseShape, Points({{1, 0}, {15, 0}, {15, 16}, {0, 16}, {0, 0}})},
        {kToolPanelCloseShape, Points({{1, 0}, {14, 0}, {14, 15}, {0, 15}, {0, 0}})},
        {kAlbumExitShape, Points({{1, 0}, {14, 0}, {14, 14}, {0, 14}, {0, 0}})},
        {kAlbumInfoShape, Points({{1, 3},  {2, 2},  {3, 1},   {4, 0},   {12, 0},  {13, 1},  {14, 2},
                                  {15, 3}, {16, 4}, {16, 12}, {15, 13}, {14, 14}, {13, 15}, {12, 16},
                                  {4, 16}, {3, 15}, {2, 14},  {1, 13},  {0, 12},  {0, 4}})},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(SamePoints(cases[i].first, cases[i].second)) << "case " << i;
    }
}

// Where the layouts give an outline's first and last points, the tables start and end with them; the
// three OK discs are one outline, and so are the pad's eight keys and the panel's two.
TEST(SkinArtPolygons, GivenStartsAndEndsAreKeptAndSharedOutlinesAgree) {
    using namespace SkinArt;
    const struct {
        std::span<const POINT> table;
        std::vector<POINT> start;
        std::vector<POINT> end;
    } cases[] = {
        {kSettingsOkShape, Points({{1, 4}, {1, 3}, {2, 2}, {3, 1}, {4, 1}, {5, 0}, {10, 0}}),
         Points({{1, 11}, {0, 10}, {0, 5}})},
        {kMoveUpShape, Points({{1, 12}, {1, 10}, {2, 9}, {2, 8}, {3, 7}}), Points({{0, 19}, {0, 13}})},
        {kToolPanelPlusShape, Points({{2, 11}, {2, 9}, {3, 8}, {3, 7}}), Points({{2, 19}, {1, 18}, {1, 12}})},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        EXPECT_TRUE(SamePoints(c.table.first(c.start.size()), c.start)) << "case " << i;
        EXPECT_TRUE(SamePoints(c.table.last(c.end.size()), c.end)) << "case " << i;
    }
    // The pad's key outline passes through the points its layout names.
    const std::vector<POINT> key(std::begin(kMoveUpShape), std::end(kMoveUpShape));
    for (const POINT& given : Points({{11, 1}, {18, 1}, {29, 13}, {29, 19}, {18, 31}, {11, 31}})) {
        EXPECT_TRUE(std::any_of(key.begin(), key.end(),
                                [&](const POINT& p) { return p.x == given.x && p.y == given.y; }))
            << "(" << given.x << ", " << given.y << ")";
    }
    const std::vector<POINT> ok(std::begin(kSettingsOkShape), std::end(kSettingsOkShape));
    EXPECT_TRUE(SamePoints(kMoveOkShape, ok));
    EXPECT_TRUE(SamePoints(kToolPanelOkShape, ok));
    for (std::span<const POINT> other :
         {std::span<const POINT>(kMoveDownShape), std::span<const POINT>(kMoveLeftShape),
          std::span<const POINT>(kMoveRightShape), std::span<const POINT>(kMovePlusShape),
          std::span<const POINT>(kMoveMinusShape), std::span<const POINT>(kMoveRotateLeftShape),
          std::span<const POINT>(kMoveRotateRightShape)})
        EXPECT_TRUE(SamePoints(other, key));
    const std::vector<POINT> panelKey(std::begin(kToolPanelPlusShape), std::end(kToolPanelPlusShape));
    EXPECT_TRUE(SamePoints(kToolPanelMinusShape, panelKey));
}

QPolygon ToPolygon(std::span<const POINT> points, QPoint offset = QPoint()) {
    QPolygon polygon;
    for (const POINT& p : points) {
        polygon << QPoint(static_cast<int>(p.x), static_cast<int>(p.y)) + offset;
    }
    return polygon;
}

// The knob's region is its outline less the "Print" disc at (62, 62): the disc must lie wholly inside
// the outline, or the knob would be cut open and clicks beside the disc would fall through.
TEST(SkinArtPolygons, ThePrintDiscLiesInsideTheKnobOutline) {
    const QPolygon outline = ToPolygon(SkinArt::kMainKnobOutline);
    for (const QPoint& p : ToPolygon(SkinArt::kMainPrintShape, QPoint(62, 62))) {
        EXPECT_TRUE(outline.containsPoint(p, Qt::WindingFill)) << p.x() << ", " << p.y();
    }
    const QRegion ring = QRegion(outline, Qt::WindingFill) -
                         QRegion(ToPolygon(SkinArt::kMainPrintShape, QPoint(62, 62)), Qt::WindingFill);
    EXPECT_FALSE(ring.contains(QPoint(110, 110)));
    EXPECT_TRUE(ring.contains(QPoint(45, 111)));
}

// A control: its point tables, its bitmaps by suffix, and what its window cuts out of its shape.
struct Control {
    const char* base;
    std::vector<const char*> suffixes;
    std::span<const POINT> shape;
    std::span<const POINT> hit;
    bool knobHole = false;
};

std::vector<Control> Controls() {
    using namespace SkinArt;
    const std::vector<const char*> push{"U", "D", "F"};
    const std::vector<const char*> pushX{"U", "D", "F", "X"};
    const std::vector<const char*> radio{"UU", "UF", "DU", "DF"};
    return {
        {"MINIMIZE", push, kMainMinimizeShape, kMainMinimizeHit},
        {"CLOSE", push, kMainCloseShape, kMainCloseHit},
        {"ABOUT", push, kMainAboutShape, kMainAboutHit},
        {"PRINT", push, kMainPrintShape, kMainPrintHit},
        {"LADEN", push, kMainLadenShape, kMainLadenHit},
        {"SPEICHERN", push, kMainSpeichernShape, kMainSpeichernHit},
        {"ALBUM", push, kMainAlbumShape, kMainAlbumHit},
        {"SCANNER", push, kMainScannerShape, kMainScannerHit},
        {"CAMERA", push, kMainCameraShape, kMainCameraHit},
        {"DISK", push, kMainDiskShape, kMainDiskHit},
        {"EFFEKTE", push, kMainEffekteShape, kMainEffekteHit},
        {"EINSTELLUNGEN", push, kMainEinstellungenShape, kMainEinstellungenHit},
        {"DRUCKEN", push, kMainDruckenShape, kMainDruckenHit},
        {"EDIT_MODE_", radio, kMainEditModeShape, kMainEditModeHit},
        {"NORMAL_MODE_", radio, kMainNormalModeShape, kMainNormalModeHit},
        {"INTERNET_", push, kMainInternetShape, kMainInternetHit},
        {"RES_MGR_", push, kMainResMgrShape, kMainResMgrHit},
        {"MS_2COLORS", pushX, kMain2ColorsShape, kMain2ColorsHit},
        {"MS_GRAY", pushX, kMainGrayShape, kMainGrayHit},
        {"MS_256COLORS", pushX, kMain256ColorsShape, kMain256ColorsHit},
        {"MS_TRUECOLORS", pushX, kMainTrueColorsShape, kMainTrueColorsHit},
        {"MS_BRIGHTNESS", pushX, kMainBrightnessShape, kMainBrightnessHit},
        {"MS_SATURATION", pushX, kMainSaturationShape, kMainSaturationHit},
        {"MS_CONTRAST", pushX, kMainContrastShape, kMainContrastHit},
        {"MS_SHARPNESS", pushX, kMainSharpnessShape, kMainSharpnessHit},
        {"MS_GAMMA", pushX, kMainGammaShape, kMainGammaHit},
        {"MS_ROTATE", pushX, kMainRotateShape, kMainRotateHit},
        {"MS_MIRROR", pushX, kMainMirrorShape, kMainMirrorHit},
        {"MS_MOVE", pushX, kMainMoveShape, kMainMoveHit},
        {"MS_MERGE", pushX, kMainMergeShape, kMainMergeHit},
        {"MS_ORIGPICT", pushX, kMainOrigPictShape, kMainOrigPictHit},
        {"MAIN_TEXT", pushX, kMainTextShape, kMainTextHit},
        {"KNOB",
         {"LADENU", "SPEICHERNU", "ALBUMU", "SCANNERU", "CAMERAU", "DISKU", "EFFEKTEU", "EINSTELLUNGENU",
          "DRUCKENU"},
         kMainKnobOutline,
         kMainKnobOutline,
         true},
        {"MAINCLOSE", push, kCategCloseShape, kCategCloseHit},
        {"UNDO", push, kCategUndoShape, kCategUndoHit},
        {"INFO", push, kCategInfoShape, kCategInfoHit},
        {"FIRST", push, kCategFirstShape, kCategFirstHit},
        {"PREV", push, kCategPrevShape, kCategPrevHit},
        {"NEXT", push, kCategNextShape, kCategNextHit},
        {"LAST", push, kCategLastShape, kCategLastHit},
        {"EINSTELLUNGEN_OK", push, kSettingsOkShape, kSettingsOkHit},
        {"EINSTELLUNGEN_CANCEL", push, kSettingsCancelShape, kSettingsCancelHit},
        {"EINSTELLUNGEN_CLOSE", push, kSettingsCloseShape, kSettingsCloseHit},
        {"EINSTELLUNGEN_PRINT", push, kSettingsPrintShape, kSettingsPrintHit},
        {"EINSTELLUNGEN_JUSTIEREN", push, kSettingsJustierenShape, kSettingsJustierenHit},
        {"EINSTELLUNGEN_SND", {"U", "D", "UF", "DF"}, kSettingsSndShape, kSettingsSndHit},
        {"ALBUM_CLOSE", push, kAlbumCloseShape, kAlbumCloseHit},
        {"ALBUM_SORT", push, kAlbumSortShape, kAlbumSortHit},
        {"ALBUM_EXIT", push, kAlbumExitShape, kAlbumExitHit},
        {"ALBUM_LEFT", pushX, kAlbumLeftShape, kAlbumLeftHit},
        {"ALBUM_RIGHT", pushX, kAlbumRightShape, kAlbumRightHit},
        {"ALBUM_INFO", push, kAlbumInfoShape, kAlbumInfoHit},
        // The pad's and the panel's controls take their one outline twice.
        {"MOVE_UP", push, kMoveUpShape, kMoveUpShape},
        {"MOVE_DOWN", push, kMoveDownShape, kMoveDownShape},
        {"MOVE_LEFT", push, kMoveLeftShape, kMoveLeftShape},
        {"MOVE_RIGHT", push, kMoveRightShape, kMoveRightShape},
        {"MOVE_PLUS", push, kMovePlusShape, kMovePlusShape},
        {"MOVE_MINUS", push, kMoveMinusShape, kMoveMinusShape},
        {"MOVE_ROTATELEFT", push, kMoveRotateLeftShape, kMoveRotateLeftShape},
        {"MOVE_ROTATERIGHT", push, kMoveRotateRightShape, kMoveRotateRightShape},
        {"MOVE_OK", push, kMoveCloseShape, kMoveCloseShape},
        {"TOOLBAR_EFFECTS_CLOSE", push, kToolPanelCloseShape, kToolPanelCloseShape},
        {"TOOLBAR_EFFECTS_PLUS", push, kToolPanelPlusShape, kToolPanelPlusShape},
        {"TOOLBAR_EFFECTS_MINUS", {"U"}, kToolPanelMinusShape, kToolPanelMinusShape},
    };
}

TEST(SkinArtPolygons, EveryShapeAndHitAreaLiesWithinItsBitmaps) {
    for (const Control& control : Controls()) {
        for (const char* suffix : control.suffixes) {
            const std::string name = std::string(control.base) + suffix;
            const SkinArt::BitmapProbe* bitmap = SkinArt::FindBitmap(name);
            ASSERT_NE(bitmap, nullptr) << name;
            for (std::span<const POINT> table : {control.shape, control.hit}) {
                for (const POINT& p : table) {
                    EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x <= bitmap->width && p.y <= bitmap->height)
                        << name << " (" << p.x << ", " << p.y << ")";
                }
            }
        }
    }
}

// Tests of the buttons tell the drawn bitmap by the colour at one point: the point must be where the
// button draws and counts clicks, the same for all states, and the colours must all differ.
TEST(SkinArtProbes, EachControlsStatesShowDistinctColoursAtOneInteriorPoint) {
    for (const Control& control : Controls()) {
        SCOPED_TRACE(control.base);
        QRegion region(ToPolygon(control.shape), Qt::WindingFill);
        if (control.knobHole) {
            region -= QRegion(ToPolygon(SkinArt::kMainPrintShape, QPoint(62, 62)), Qt::WindingFill);
        }
        const QRegion hit(ToPolygon(control.hit), Qt::WindingFill);
        std::set<COLORREF> colours;
        const SkinArt::BitmapProbe* first =
            SkinArt::FindBitmap(std::string(control.base) + control.suffixes[0]);
        ASSERT_NE(first, nullptr);
        for (const char* suffix : control.suffixes) {
            const SkinArt::BitmapProbe* bitmap = SkinArt::FindBitmap(std::string(control.base) + suffix);
            ASSERT_NE(bitmap, nullptr) << suffix;
            const QPoint probe(static_cast<int>(bitmap->probe.x), static_cast<int>(bitmap->probe.y));
            EXPECT_EQ(probe, QPoint(static_cast<int>(first->probe.x), static_cast<int>(first->probe.y)))
                << suffix;
            EXPECT_TRUE(region.contains(probe)) << suffix;
            EXPECT_TRUE(hit.contains(probe)) << suffix;
            colours.insert(bitmap->colour);
        }
        EXPECT_EQ(colours.size(), control.suffixes.size());
    }
}

// The about button is only 10 pixels high: in every state the "Ü" that starts its label must keep its dots,
// apart from the letter, inside the window region and below the row where the region begins.
TEST(SkinArtFaces, TheAboutLabelKeepsTheDotsOfItsUmlaut) {
    const QRegion region(ToPolygon(SkinArt::kMainAboutShape), Qt::WindingFill);
    for (const char* suffix : {"U", "F", "D"}) {
        SCOPED_TRACE(suffix);
        const QImage image(BitmapPath((std::string("ABOUT") + suffix).c_str()));
        ASSERT_FALSE(image.isNull());
        // Column 8 lies inside the pill and left of the text: what the face shows without ink.
        const auto isInk = [&](int x, int y) {
            return qGray(image.pixel(8, y)) - qGray(image.pixel(x, y)) > 40;
        };
        int firstColumn = -1;
        for (int x = 9; x < image.width() && firstColumn < 0; ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (isInk(x, y))
                    firstColumn = x;
            }
        }
        ASSERT_GE(firstColumn, 0) << "no text";
        // The rows with ink over the width of the letter: the dots, a gap, then the letter's body.
        std::vector<int> inkRows;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = firstColumn; x < firstColumn + 5; ++x) {
                if (isInk(x, y)) {
                    EXPECT_TRUE(region.contains(QPoint(x, y))) << x << ", " << y << " is cut away";
                    inkRows.push_back(y);
                    break;
                }
            }
        }
        ASSERT_FALSE(inkRows.empty());
        const auto gap =
            std::adjacent_find(inkRows.begin(), inkRows.end(), [](int a, int b) { return b > a + 1; });
        EXPECT_NE(gap, inkRows.end()) << "no dots apart from the letter";
        int regionTop = 0;
        while (!region.contains(QPoint(firstColumn, regionTop)))
            ++regionTop;
        EXPECT_GT(inkRows.front(), regionTop) << "the dots sit on the region's edge";
    }
}

TEST(SkinArtProbes, EachBitmapShowsItsProbeColourAtItsProbePoint) {
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        SCOPED_TRACE(bitmap.name);
        const QImage image(BitmapPath(bitmap.name));
        ASSERT_FALSE(image.isNull());
        ASSERT_TRUE(image.rect().contains(bitmap.probe.x, bitmap.probe.y));
        const QRgb pixel = image.pixel(bitmap.probe.x, bitmap.probe.y);
        EXPECT_EQ(RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)), bitmap.colour);
    }
}

} // namespace
