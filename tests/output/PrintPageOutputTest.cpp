// Pages printed through a print job to PDF and read back with pdfinfo and pdftoppm: objects land where
// the page puts them, on the sheet the template asks for, moved by a stored calibration.

#include "output/PrintPage.h"
#include "page/DrawImage.h"
#include "page/Template.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr char kPrinter[] = "Laser";
constexpr int kDpi = 300;

double Pixels(double millimetres) {
    return millimetres * kDpi / 25.4;
}

class PrintPageOutputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    PrintPageOutputTest() {
        // A4 with 4 mm left and right, 5 mm top and 10 mm bottom.
        m_printers.Add(kPrinter).capabilities.papers[0].margins = RECT{40, 50, 40, 100};
        m_sources.page = &m_template;
        m_sources.canvasClient = CSize(700, 990);
        m_options.editMode = true;
    }

    // A black 2:3 picture object at position (page units).
    void AddBlackPicture(const CRect& position) {
        auto* image = new CDrawImage(position);
        const std::unique_ptr<CPictureInfo> black = FilledPicture(20, 30, 0x000000);
        image->SetAdjustedDib(black.get());
        m_template.InsertObject(image, -1);
    }

    // Prints the page on the printer set up by change into a PDF; its path, empty on failure.
    std::string PrintToPdf(const std::function<void(DEVMODE&)>& change = nullptr) {
        HANDLE handle = nullptr;
        if (!OpenPrinter(kPrinter, &handle, nullptr))
            return {};
        DEVMODE devMode{};
        DocumentProperties(nullptr, handle, kPrinter, &devMode, nullptr, DM_OUT_BUFFER);
        ClosePrinter(handle);
        if (change)
            change(devMode);
        HDC dc = CreateDC("", kPrinter, "", &devMode);
        const CString output = m_folder.Path() + "/page.pdf";
        DOCINFO info;
        info.lpszOutput = output;
        CDC* printer = CDC::FromHandle(dc);
        const bool printed = printer->StartDoc(&info) > 0 && printer->StartPage() > 0 &&
                             PrintPage(printer, m_sources, m_options, nullptr) && printer->EndPage() > 0 &&
                             printer->EndDoc() > 0;
        DeleteDC(dc);
        return printed ? std::string(output.GetString()) : std::string();
    }

    CFakePrinterSystem m_printers;
    CTemplate m_template;
    PrintPageSources m_sources;
    PrintPageOptions m_options;
    TempFolder m_folder;
};

TEST_F(PrintPageOutputTest, PictureLiesWhereThePagePutsIt) {
    m_template.SetPageSize(CSize(2100, 2970));
    m_template.SetOrientation(1);
    AddBlackPicture(CRect(300, 400, 500, 700)); // 20 x 30 mm at (30, 40) mm
    const std::string pdf = PrintToPdf();
    ASSERT_FALSE(pdf.empty());
    const std::vector<QSizeF> sizes = PdfPageSizes(pdf);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].width(), 595.3, 0.5);
    const QRect box = PdfDarkBox(pdf, 1, kDpi);
    const double tolerance = Pixels(0.25);
    EXPECT_NEAR(box.left(), Pixels(30), tolerance);
    EXPECT_NEAR(box.top(), Pixels(40), tolerance);
    EXPECT_NEAR(box.right() + 1, Pixels(50), tolerance);
    EXPECT_NEAR(box.bottom() + 1, Pixels(70), tolerance);
}

TEST_F(PrintPageOutputTest, LandscapeTemplateOnALandscapeSheet) {
    m_template.SetPageSize(CSize(2100, 2970));
    m_template.SetOrientation(2); // turned: 297 x 210 mm
    AddBlackPicture(CRect(2000, 1000, 2200, 1300));
    const std::string pdf = PrintToPdf([](DEVMODE& d) { d.dmOrientation = DMORIENT_LANDSCAPE; });
    ASSERT_FALSE(pdf.empty());
    const std::vector<QSizeF> sizes = PdfPageSizes(pdf);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].width(), 841.9, 0.5);
    EXPECT_NEAR(sizes[0].height(), 595.3, 0.5);
    const QRect box = PdfDarkBox(pdf, 1, kDpi);
    EXPECT_NEAR(box.left(), Pixels(200), Pixels(0.25));
    EXPECT_NEAR(box.top(), Pixels(100), Pixels(0.25));
}

TEST_F(PrintPageOutputTest, StoredCalibrationOf100MovesByTwoDots) {
    m_template.SetPageSize(CSize(2100, 2970));
    m_template.SetOrientation(1);
    AddBlackPicture(CRect(300, 400, 500, 700));
    const QRect plain = PdfDarkBox(PrintToPdf(), 1, kDpi);
    m_options.calibration = PrintCalibration{100.0f, 100.0f};
    const QRect calibrated = PdfDarkBox(PrintToPdf(), 1, kDpi);
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(calibrated.topLeft() - plain.topLeft(), QPoint(-2, -2)) << "the offset grows by 2 dots";
    EXPECT_EQ(calibrated.size(), plain.size());
}

TEST_F(PrintPageOutputTest, EmptyPageCountsAsPrinted) {
    m_template.SetPageSize(CSize(2100, 2970));
    m_template.SetOrientation(1);
    const std::string pdf = PrintToPdf();
    ASSERT_FALSE(pdf.empty());
    EXPECT_TRUE(PdfDarkBox(pdf, 1, 72).isNull());
}

} // namespace
