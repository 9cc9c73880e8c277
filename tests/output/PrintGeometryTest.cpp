// The geometry of a printed page: print-picture sizes, object rectangles in picture pixels and printer
// dots, the areas sent and the bands they are sent in.

#include "output/PrintGeometry.h"

#include "output/PrintAreas.h"
#include "output/PrintBands.h"
#include "platform/gdi/Dc.h"

#include <QImage>
#include <gtest/gtest.h>

void PrintTo(const CRect& r, std::ostream* os);
void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

// A4 as printed: 2100 x 2970 page units; a 300 dpi printer with 4 mm left and 5 mm top margins.
constexpr CSize kA4{2100, 2970};
const PrinterMetrics kLaser{47, 59, 300, 300, 2386, 3331};

TEST(PrintGeometry, RoundingAddsAHalfAndTruncatesTowardsZero) {
    EXPECT_EQ(RoundForPrint(19.5), 20);
    EXPECT_EQ(RoundForPrint(-19.5), -19);
    EXPECT_EQ(RoundForPrint(-0.7), 0);
    EXPECT_EQ(InflateForScale(CRect(0, 0, 1000, 500), 4), CRect(-20, -10, 1020, 510));
    EXPECT_EQ(InflateForScale(CRect(0, 0, 1000, 500), -4), CRect(19, 9, 981, 491));
    EXPECT_EQ(InflateForScale(CRect(5, 5, 15, 15), 0), CRect(5, 5, 15, 15));
}

TEST(PrintGeometry, PageAndPictureSizes) {
    EXPECT_EQ(PrintPageSize(CSize(2100, 2970), 1), CSize(2100, 2970));
    EXPECT_EQ(PrintPageSize(CSize(2100, 2970), 0), CSize(2970, 2100));
    EXPECT_EQ(PrintPageSize(CSize(2100, 2970), 2), CSize(2970, 2100));
    // 2101 / 1.2 = 1750.83, 2969 / 1.2 = 2474.17.
    EXPECT_EQ(PrintDibSize(CSize(2101, 2969), false), CSize(1750, 2474));
    EXPECT_EQ(PrintDibSize(CSize(2101, 2969), true), CSize(1751, 2474));
    const BITMAPINFOHEADER header = PrintDibHeader(CSize(1751, 2474));
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 1751);
    EXPECT_EQ(header.biHeight, 2474) << "bottom-up";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, BI_RGB);
    EXPECT_EQ(header.biSizeImage, 5256u * 2474u) << "rows padded to four bytes";
    EXPECT_EQ(header.biXPelsPerMeter, 0);
    EXPECT_EQ(header.biClrUsed, 0u);
}

TEST(PrintGeometry, ObjectsInPicturePixels) {
    const CSize dib = PrintDibSize(kA4, true);
    const struct {
        const char* name;
        CRect position;
        CSize picture;
        bool fit;
        CRect expected;
    } cases[] = {
        {"Scaled", CRect(300, 400, 500, 700), CSize(0, 0), true, CRect(250, 333, 416, 583)},
        {"Normalized", CRect(500, 700, 300, 400), CSize(0, 0), false, CRect(250, 333, 416, 583)},
        {"WideInSquareCentredVertically", CRect(0, 0, 1200, 1200), CSize(300, 200), true,
         CRect(0, 167, 1000, 833)},
        {"TallInSquareCentredHorizontally", CRect(0, 0, 1200, 1200), CSize(200, 300), true,
         CRect(167, 0, 833, 1000)},
        {"FillsWithoutTheFit", CRect(0, 0, 1200, 1200), CSize(300, 200), false, CRect(0, 0, 1000, 1000)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapToDib(c.picture.cx, c.picture.cy, c.position, dib, kA4, c.fit), c.expected) << c.name;
}

TEST(PrintGeometry, ObjectsInPrinterDots) {
    // (30, 40) to (50, 70) mm at 300 dpi are dots (354, 472) to (591, 827), less the margins (47, 59).
    const CRect box(300, 400, 500, 700);
    const struct {
        const char* name;
        PrintCalibration calibration;
        bool mirror;
        double scale;
        CRect position;
        CSize picture;
        CRect expected;
    } cases[] = {
        {"Plain", {}, false, 0, box, {}, CRect(307, 413, 544, 768)},
        {"CalibrationAt100AddsTwoDots", {100.0f, 100.0f}, false, 0, box, {}, CRect(305, 411, 542, 766)},
        // (49.5 - 100) mm are -595.96 dots, rounded -595; (50 - 100) mm -590.
        {"CalibrationAt49.5", {49.5f, 50.0f}, false, 0, box, {}, CRect(900, 1001, 1137, 1356)},
        {"MirroredAroundTheStoredWidth", {}, true, 0, box, {}, CRect(1843, 413, 2079, 768)},
        {"ScaledAroundItsCentre", {}, false, 10, box, {}, CRect(296, 396, 555, 785)},
        {"StartInTheMarginKeepsTheSize", {}, false, 0, CRect(20, 20, 220, 320), {}, CRect(0, 0, 236, 354)},
        {"LimitedToThePrintableArea",
         {},
         false,
         0,
         CRect(2000, 2800, 2200, 3100),
         {},
         CRect(2315, 3248, 2386, 3331)},
        {"PictureFitted",
         {},
         false,
         0,
         CRect(300, 400, 600, 700),
         CSize(200, 100),
         CRect(307, 502, 662, 679)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapToPrinter(kLaser, c.calibration, c.mirror, kA4.cx, c.scale, c.picture.cx, c.picture.cy,
                               c.position, c.picture.cx != 0),
                  c.expected)
            << c.name;
}

TEST(PrintGeometry, OverlappingAreasMerge) {
    const struct {
        const char* name;
        std::vector<CRect> areas;
        std::vector<CRect> expected;
    } cases[] = {
        {"Overlapping", {CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)}, {CRect(0, 0, 20, 20)}},
        {"Separate",
         {CRect(0, 0, 10, 10), CRect(30, 30, 40, 40)},
         {CRect(0, 0, 10, 10), CRect(30, 30, 40, 40)}},
        {"TouchingOnlyKeptApart",
         {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)},
         {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)}},
        // The third meets only the union of the first two, which is compared again.
        {"GrownAreaComparedAgain",
         {CRect(0, 0, 10, 10), CRect(30, 0, 40, 10), CRect(5, 20, 35, 30), CRect(8, 8, 32, 22)},
         {CRect(0, 0, 40, 30)}},
        {"None", {}, {}},
    };
    for (const auto& c : cases) {
        const std::vector<CRect> merged = MergeAreas(c.areas);
        EXPECT_EQ(merged, c.expected) << c.name;
        EXPECT_EQ(UnionOfAreas(merged), UnionOfAreas(c.areas)) << c.name << ": the merge changes no pixel";
    }
    EXPECT_EQ(UnionOfAreas({CRect(0, 0, 100, 50), CRect(200, 0, 300, 50)}, 4), CRect(-2, -1, 302, 51));
}

TEST(PrintGeometry, AreaCollectorsSkipPictureless) {
    const CSize dib = PrintDibSize(kA4, true);
    std::vector<PrintObjectArea> objects = {
        {PrintObjectArea::Kind::Text, CRect(0, 0, 10, 10), {}, CRect(-5, 10, 40, 30)},
        {PrintObjectArea::Kind::Clipart, CRect(1200, 1200, 1320, 1320), {}, {}},
        {PrintObjectArea::Kind::Picture, CRect(0, 1200, 600, 1800), CSize(0, 0), {}},
        {PrintObjectArea::Kind::Picture, CRect(1800, 2400, 2400, 3000), CSize(100, 100), {}},
    };
    EXPECT_EQ(CollectDibAreas(objects, dib, kA4, false),
              (std::vector<CRect>{CRect(0, 10, 40, 30), CRect(1000, 1000, 1100, 1100),
                                  CRect(1500, 2000, 1750, 2475)}));
    PrinterPlacement placement;
    placement.printer = kLaser;
    EXPECT_EQ(CollectPrinterAreas(objects, placement, kA4, false),
              (std::vector<CRect>{CRect(0, 0, 12, 12), CRect(1370, 1358, 1512, 1500),
                                  CRect(2079, 2776, 2386, 3331)}));
    EXPECT_TRUE(CollectDibAreas({}, dib, kA4, false).empty()) << "an empty page sends nothing";
}

TEST(PrintBandsTest, LargeDestinationInSmallBands) {
    const CRect dest(0, 0, 3400, 5000), source(0, 0, 1700, 2500);
    const std::vector<PrintBand> bands = PrintBandsOf(dest, source, 2500, kSmallPrintBand);
    ASSERT_EQ(bands.size(), 9u) << "3 rows x 3 columns";
    EXPECT_EQ(bands[2].dest, CRect(3310, 0, 3400, 2340)) << "last column 90 wide";
    EXPECT_EQ(bands[6].dest, CRect(0, 4680, 1655, 5000)) << "last row 320 high";
    // Bottom-up: the top row's source lies at the picture's end.
    EXPECT_EQ(bands[0].ys, 2500 - 1170);
    EXPECT_EQ(bands[0].hs, 1170);
    EXPECT_EQ(bands[1].xs, 828);
    EXPECT_EQ(bands[8].ys, 0);
    EXPECT_EQ(bands[8].hs, 160);
    EXPECT_EQ(bands[8].ws, 45);

    const std::vector<PrintBand> one = PrintBandsOf(dest, source, 2500, CSize());
    ASSERT_EQ(one.size(), 1u) << "one band covers the destination";
    EXPECT_EQ(one[0].dest, dest);
    EXPECT_EQ(one[0].ys, 0);
    EXPECT_EQ(one[0].hs, 2500);
    EXPECT_TRUE(PrintBandsOf(CRect(), source, 2500, CSize()).empty());
}

TEST(PrintBandsTest, BandsPutThePictureWhereOneCopyWould) {
    // A 40 x 30 picture, red in its top half, blue below, sent in 16 x 16 bands at twice its size.
    BITMAPINFO info{};
    info.bmiHeader = PrintDibHeader(CSize(40, 30));
    std::vector<BYTE> bits(info.bmiHeader.biSizeImage);
    for (int row = 0; row < 30; ++row)
        for (int x = 0; x < 40; ++x) {
            BYTE* pixel = &bits[static_cast<size_t>(row) * 120 + static_cast<size_t>(x) * 3];
            pixel[row < 15 ? 0 : 2] = 255; // bottom-up: the first rows are the bottom half
        }
    const auto print = [&](CSize band, int* steps) {
        QImage image(100, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc;
        dc.CreateImageDC(&image);
        const int lines = PrintDibInBands(&dc, CRect(10, 10, 90, 70), bits.data(), &info, CRect(0, 0, 40, 30),
                                          SRCCOPY, band, nullptr, [steps] { ++*steps; });
        dc.DeleteDC();
        EXPECT_GT(lines, 0);
        return image;
    };
    int steps = 0;
    const QImage banded = print(CSize(16, 16), &steps);
    EXPECT_EQ(steps, 20);
    int single = 0;
    EXPECT_EQ(banded, print(CSize(), &single));
    EXPECT_EQ(single, 1);
    EXPECT_EQ(banded.pixel(50, 20), qRgb(255, 0, 0));
    EXPECT_EQ(banded.pixel(50, 60), qRgb(0, 0, 255));
    EXPECT_EQ(banded.pixel(5, 5), qRgb(255, 255, 255));
}

} // namespace
