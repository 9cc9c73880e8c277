// The printers of a real CUPS daemon: a private cupsd with a cups-pdf queue, started for these tests
// and stopped after them. Skipped when the daemon cannot be started here.

#include "platform/print/PaperSizes.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/PrivateCupsDaemon.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr const char* kQueue = PrivateCupsDaemon::kQueue;

class CupsPrinterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        EnsureGuiApplication();
        s_daemon = new PrivateCupsDaemon;
        s_started = s_daemon->Start();
    }
    static void TearDownTestSuite() { delete s_daemon; }
    void SetUp() override {
        if (!s_started)
            GTEST_SKIP() << "no private cupsd could be started here";
    }

    static inline PrivateCupsDaemon* s_daemon = nullptr;
    static inline bool s_started = false;
};

TEST_F(CupsPrinterTest, QueueIsListedWithItsModelAndDeviceUri) {
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    ASSERT_EQ(count, 2u);
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2*>(buffer.data());
    EXPECT_STREQ(printers[0].pPrinterName, kQueue);
    EXPECT_STREQ(printers[0].pDriverName, "Generic CUPS-PDF Printer (w/ options)");
    EXPECT_STREQ(printers[0].pPortName, "cups-pdf:/");
    EXPECT_EQ(printers[0].Attributes & (PRINTER_ATTRIBUTE_DEFAULT | PRINTER_ATTRIBUTE_HIDDEN),
              PRINTER_ATTRIBUTE_DEFAULT);
    ASSERT_NE(printers[0].pDevMode, nullptr);
    EXPECT_EQ(printers[0].pDevMode->dmPaperSize, DMPAPER_A4) << "the queue's default paper";
    EXPECT_STREQ(printers[1].pPrinterName, kBuiltInPdfPrinterName);

    char name[128];
    DWORD chars = sizeof name;
    ASSERT_TRUE(GetDefaultPrinter(name, &chars));
    EXPECT_STREQ(name, kQueue);
}

TEST_F(CupsPrinterTest, PapersOfTheQueueHaveOneNumberEach) {
    const int count = DeviceCapabilities(kQueue, "cups-pdf:/", DC_PAPERS, nullptr, nullptr);
    ASSERT_GT(count, 10);
    std::vector<WORD> numbers(static_cast<size_t>(count));
    ASSERT_EQ(DeviceCapabilities(kQueue, "", DC_PAPERS, reinterpret_cast<LPSTR>(numbers.data()), nullptr),
              count);
    EXPECT_EQ(std::set<WORD>(numbers.begin(), numbers.end()).size(), numbers.size());
    std::vector<POINT> sizes(static_cast<size_t>(count));
    ASSERT_EQ(DeviceCapabilities(kQueue, "", DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr),
              count);
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] == DMPAPER_A4) {
            EXPECT_EQ(sizes[i].x, 2100);
            EXPECT_EQ(sizes[i].y, 2970);
        }
    }
}

// The cups-pdf queue prints in colour on one side: its settings keep colour and refuse both sides.
TEST_F(CupsPrinterTest, QueueOffersColourButOneSide) {
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinter(kQueue, &printer, nullptr));
    DEVMODE input{};
    ASSERT_EQ(DocumentProperties(nullptr, printer, kQueue, &input, nullptr, DM_OUT_BUFFER), IDOK);
    EXPECT_EQ(input.dmColor, DMCOLOR_COLOR);
    input.dmFields |= DM_DUPLEX;
    input.dmDuplex = DMDUP_VERTICAL;
    DEVMODE output{};
    EXPECT_EQ(DocumentProperties(nullptr, printer, kQueue, &output, &input, DM_IN_BUFFER | DM_OUT_BUFFER),
              IDOK);
    ClosePrinter(printer);
    EXPECT_EQ(output.dmColor, DMCOLOR_COLOR);
    EXPECT_EQ(output.dmFields & DM_DUPLEX, 0u);
}

TEST_F(CupsPrinterTest, PrinterDcOfTheQueueMeasuresItsPage) {
    HDC dc = CreateDC("", kQueue, "", nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 2480);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 3508);
    DeleteDC(dc);
}

TEST_F(CupsPrinterTest, WithoutTheDaemonOnlyThePdfPrinterIsLeft) {
    cupsSetServer("/nonexistent/cups.sock");
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    ASSERT_EQ(count, 1u);
    EXPECT_STREQ(reinterpret_cast<const PRINTER_INFO_2*>(buffer.data())->pPrinterName,
                 kBuiltInPdfPrinterName);
    s_daemon->Reconnect();
}

// The attribute of the newest completed job with that title, read back from the daemon; empty if none.
std::string CompletedJobAttribute(const char* title, const char* attribute) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs(&jobs, kQueue, 0, CUPS_WHICHJOBS_COMPLETED);
    int id = 0;
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(jobs[i].title, title) == 0)
            id = std::max(id, jobs[i].id);
    }
    cupsFreeJobs(count, jobs);
    if (id == 0)
        return {};
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, attribute);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/jobs/");
    ipp_attribute_t* found = response ? ippFindAttribute(response, attribute, IPP_TAG_ZERO) : nullptr;
    std::string value = found ? ippGetString(found, 0, nullptr) : "";
    ippDelete(response);
    return value;
}

// The settings' colour choice goes to the queue with the job; a queue that prints on one side only gets
// no choice of sides.
TEST_F(CupsPrinterTest, JobCarriesTheChosenColourMode) {
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinter(kQueue, &printer, nullptr));
    DEVMODE input{};
    ASSERT_EQ(DocumentProperties(nullptr, printer, kQueue, &input, nullptr, DM_OUT_BUFFER), IDOK);
    input.dmFields |= DM_COLOR;
    input.dmColor = DMCOLOR_MONOCHROME;
    DEVMODE settings{};
    ASSERT_EQ(DocumentProperties(nullptr, printer, kQueue, &settings, &input, DM_IN_BUFFER | DM_OUT_BUFFER),
              IDOK);
    ClosePrinter(printer);
    ASSERT_EQ(settings.dmColor, DMCOLOR_MONOCHROME);

    constexpr const char* kTitle = "Vellumcraft colour test";
    HDC dc = CreateDC("", kQueue, "", &settings);
    ASSERT_NE(dc, nullptr);
    DOCINFO info;
    info.lpszDocName = kTitle;
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    CDC::FromHandle(dc)->FillSolidRect(100, 100, 200, 200, RGB(255, 0, 0));
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    ASSERT_TRUE(s_daemon->WaitUntilIdle(60000)) << "the job stayed queued";
    for (const QString& name :
         QDir(PrivateCupsDaemon::OutputFolder(), "Vellumcraft_colour_test*").entryList())
        QFile::remove(PrivateCupsDaemon::OutputFolder() + "/" + name);

    EXPECT_EQ(CompletedJobAttribute(kTitle, "print-color-mode"), "monochrome");
    EXPECT_EQ(CompletedJobAttribute(kTitle, "sides"), "") << "a queue without duplex keeps its own";
}

TEST_F(CupsPrinterTest, JobOnTheQueuePrintsThePageAsDrawn) {
    // cups-pdf names the file after the job's title; other tests' jobs may land beside it meanwhile.
    const QDir output(PrivateCupsDaemon::OutputFolder(), "Vellumcraft_queue_test*");
    const QStringList before = output.entryList(QDir::Files);
    HDC dc = CreateDC("", kQueue, "", nullptr);
    ASSERT_NE(dc, nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    const auto dots = [dpi](double mm) { return static_cast<int>(std::lround(mm * dpi / 25.4)); };
    DOCINFO info;
    info.lpszDocName = "Vellumcraft queue test";
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    // 20 x 30 mm black at (30, 40) mm of the sheet.
    CDC::FromHandle(dc)->FillSolidRect(dots(30) - GetDeviceCaps(dc, PHYSICALOFFSETX),
                                       dots(40) - GetDeviceCaps(dc, PHYSICALOFFSETY), dots(50) - dots(30),
                                       dots(70) - dots(40), RGB(0, 0, 0));
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    ASSERT_TRUE(s_daemon->WaitUntilIdle(60000)) << "the job stayed queued";

    QStringList added = output.entryList(QDir::Files);
    for (const QString& name : before)
        added.removeAll(name);
    ASSERT_EQ(added.size(), 1) << "one PDF from cups-pdf";
    const std::string path = output.filePath(added.front()).toStdString();
    const std::vector<QSizeF> sizes = PdfPageSizes(path);
    const QRect box = PdfDarkBox(path, 1, 300);
    QFile::remove(QString::fromStdString(path));
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].width(), 595.3, 1.0);
    EXPECT_NEAR(sizes[0].height(), 841.9, 1.0);
    const double tolerance = 0.25 * 300 / 25.4;
    EXPECT_NEAR(box.left(), 30 * 300 / 25.4, tolerance);
    EXPECT_NEAR(box.top(), 40 * 300 / 25.4, tolerance);
    EXPECT_NEAR(box.right() + 1, 50 * 300 / 25.4, tolerance);
    EXPECT_NEAR(box.bottom() + 1, 70 * 300 / 25.4, tolerance);
}

} // namespace
