#include "platform/print/PrinterDc.h"

#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/Spooler.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct PageCase {
    const char* name;
    const char* printer;
    std::function<void(DEVMODE&)> change; // null: the printer's own settings
    int physicalWidth, physicalHeight, offsetX, offsetY, horzRes, vertRes, dpiX, dpiY;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.name;
}

class PrinterDcPages : public ::testing::TestWithParam<PageCase> {
protected:
    PrinterDcPages() {
        CFakePrinterSystem::Printer& printer = fake.Add("Laser");
        // A4 with 4 mm left and right, 5 mm top and 10 mm bottom.
        printer.capabilities.papers[0].margins = RECT{40, 50, 40, 100};
    }
    CFakePrinterSystem fake;
};

TEST_P(PrinterDcPages, AnswersDeviceCapsForTheSetUpPage) {
    const PageCase& c = GetParam();
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinter(c.printer, &printer, nullptr));
    DEVMODE devMode{};
    ASSERT_EQ(DocumentProperties(nullptr, printer, c.printer, &devMode, nullptr, DM_OUT_BUFFER), 1);
    ClosePrinter(printer);
    if (c.change)
        c.change(devMode);

    HDC dc = CreateDC("", c.printer, "", c.change ? &devMode : nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), c.physicalWidth);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), c.physicalHeight);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), c.offsetX);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), c.offsetY);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.horzRes);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.vertRes);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), c.dpiX);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), c.dpiY);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    DeleteDC(dc);
}

// 210 mm at 300 dpi are 2480 dots, 297 mm 3508; 4 mm 47, 5 mm 59, 10 mm 118.
INSTANTIATE_TEST_SUITE_P(
    Cases, PrinterDcPages,
    ::testing::Values(
        PageCase{"PdfA4", kBuiltInPdfPrinterName, nullptr, 2480, 3508, 0, 0, 2480, 3508, 300, 300},
        PageCase{"PrinterMargins", "Laser", nullptr, 2480, 3508, 47, 59, 2480 - 94, 3508 - 59 - 118, 300,
                 300},
        PageCase{"LandscapeTurnsSidesAndEdges", "Laser",
                 [](DEVMODE& d) { d.dmOrientation = DMORIENT_LANDSCAPE; }, 3508, 2480, 59, 47,
                 3508 - 59 - 118, 2480 - 94, 300, 300},
        PageCase{"FinerResolution", "Laser",
                 [](DEVMODE& d) {
                     d.dmPrintQuality = 600;
                     d.dmYResolution = 600;
                 },
                 4961, 7016, 94, 118, 4961 - 188, 7016 - 118 - 236, 600, 600},
        PageCase{"Letter", kBuiltInPdfPrinterName, [](DEVMODE& d) { d.dmPaperSize = DMPAPER_LETTER; }, 2550,
                 3300, 0, 0, 2550, 3300, 300, 300},
        PageCase{"CustomPaper", kBuiltInPdfPrinterName,
                 [](DEVMODE& d) {
                     d.dmPaperSize = 0;
                     d.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
                     d.dmPaperWidth = 1000;
                     d.dmPaperLength = 1500;
                 },
                 1181, 1772, 0, 0, 1181, 1772, 300, 300}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

TEST(PrinterDc, NeedsAPrinterThatOpens) {
    CFakePrinterSystem fake;
    fake.Add("Kaputt").opens = false;
    EXPECT_EQ(CreateDC("", "Kaputt", "", nullptr), nullptr);
    EXPECT_EQ(CreateDC("", "Fehlt", "", nullptr), nullptr);
    EXPECT_EQ(CreateDC("", nullptr, "", nullptr), nullptr);
}

} // namespace
