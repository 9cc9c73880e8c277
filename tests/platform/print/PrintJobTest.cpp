// Print jobs on printer contexts, written to PDF and read back with pdfinfo and pdftoppm.

#include "platform/print/PrintJob.h"

#include "platform/base/LastError.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

constexpr char kPrinter[] = "Laser";
constexpr int kDpi = 300;

int Dots(double millimetres) {
    return static_cast<int>(std::lround(millimetres * kDpi / 25.4));
}

bool WriteText(const CString& path, const char* text) {
    QFile file(QString::fromUtf8(path.GetString()));
    return file.open(QIODevice::WriteOnly) && file.write(text) > 0;
}

QByteArray ReadAll(const CString& path) {
    QFile file(QString::fromUtf8(path.GetString()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Files of this process cannot grow beyond a few bytes while it lives, as on a full disk.
class DiskNearlyFull {
public:
    DiskNearlyFull() {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_limit);
        rlimit tiny = m_limit;
        tiny.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~DiskNearlyFull() {
        setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_signal);
    }
    DiskNearlyFull(const DiskNearlyFull&) = delete;
    DiskNearlyFull& operator=(const DiskNearlyFull&) = delete;

private:
    rlimit m_limit{};
    void (*m_signal)(int) = nullptr;
};

class PrintJobTest : public UiTest {
protected:
    PrintJobTest() {
        // A4 with 4 mm left and right, 5 mm top and 10 mm bottom.
        m_printers.Add(kPrinter).capabilities.papers[0].margins = RECT{40, 50, 40, 100};
        m_services.SetString(7121, "PDF-Dokument (*.pdf)|*.pdf||");
    }

    // A context for the printer with its settings changed by change.
    static HDC PrinterDc(const char* printer, const std::function<void(DEVMODE&)>& change = nullptr) {
        HANDLE handle = nullptr;
        if (!OpenPrinter(printer, &handle, nullptr))
            return nullptr;
        DEVMODE devMode{};
        DocumentProperties(nullptr, handle, printer, &devMode, nullptr, DM_OUT_BUFFER);
        ClosePrinter(handle);
        if (change)
            change(devMode);
        return CreateDC("", printer, "", &devMode);
    }

    // Prints pages sheets, each with a black box at (x, y) mm of the sheet, w x h mm.
    static int PrintBoxes(HDC dc, const CString& output, int pages, double x, double y, double w, double h) {
        DOCINFO info;
        info.lpszDocName = "Test";
        info.lpszOutput = output.IsEmpty() ? nullptr : output.GetString();
        const int job = StartDoc(dc, &info);
        if (job <= 0)
            return job;
        CDC* context = CDC::FromHandle(dc);
        const int left = Dots(x) - GetDeviceCaps(dc, PHYSICALOFFSETX);
        const int top = Dots(y) - GetDeviceCaps(dc, PHYSICALOFFSETY);
        for (int page = 0; page < pages; ++page) {
            if (context->StartPage() <= 0)
                return SP_ERROR;
            context->FillSolidRect(left, top, Dots(x + w) - Dots(x), Dots(y + h) - Dots(y), RGB(0, 0, 0));
            if (context->EndPage() <= 0)
                return SP_ERROR;
        }
        return context->EndDoc();
    }

    CString Output(const char* name) const { return m_folder.Path() + "/" + name; }

    CFakePrinterSystem m_printers;
    FakeAppServices m_services;
    ScriptedFileChooser m_chooser;
    TempFolder m_folder;
};

TEST_F(PrintJobTest, BoxLiesWhereItWasDrawnOnTheSheet) {
    // Either printer: the sheet's own corner, and a printable area 4 and 5 mm in.
    for (const char* printer : {kPrinter, kBuiltInPdfPrinterName}) {
        HDC dc = PrinterDc(printer);
        ASSERT_NE(dc, nullptr);
        const CString output = Output("box.pdf");
        ASSERT_GT(PrintBoxes(dc, output, 1, 30, 40, 20, 30), 0) << printer;
        DeleteDC(dc);
        const std::vector<QSizeF> sizes = PdfPageSizes(output.GetString());
        ASSERT_EQ(sizes.size(), 1u) << printer;
        EXPECT_NEAR(sizes[0].width(), 595.3, 0.5);
        EXPECT_NEAR(sizes[0].height(), 841.9, 0.5);
        const QRect box = PdfDarkBox(output.GetString(), 1, kDpi);
        const double tolerance = 0.25 * kDpi / 25.4;
        EXPECT_NEAR(box.left(), 30 * kDpi / 25.4, tolerance) << printer;
        EXPECT_NEAR(box.top(), 40 * kDpi / 25.4, tolerance) << printer;
        EXPECT_NEAR(box.right() + 1, 50 * kDpi / 25.4, tolerance) << printer;
        EXPECT_NEAR(box.bottom() + 1, 70 * kDpi / 25.4, tolerance) << printer;
    }
}

TEST_F(PrintJobTest, SheetFollowsTheDeviceMode) {
    const struct {
        const char* name;
        std::function<void(DEVMODE&)> change;
        double width, height; // points
    } cases[] = {
        {"Landscape", [](DEVMODE& d) { d.dmOrientation = DMORIENT_LANDSCAPE; }, 841.9, 595.3},
        {"Letter", [](DEVMODE& d) { d.dmPaperSize = DMPAPER_LETTER; }, 612, 792},
        {"CustomSizeKept",
         [](DEVMODE& d) {
             d.dmPaperSize = 0;
             d.dmFields = (d.dmFields & ~DM_PAPERSIZE) | DM_PAPERWIDTH | DM_PAPERLENGTH;
             d.dmPaperWidth = 1000;
             d.dmPaperLength = 1500;
         },
         283.5, 425.2},
    };
    for (const auto& c : cases) {
        HDC dc = PrinterDc(kBuiltInPdfPrinterName, c.change);
        ASSERT_NE(dc, nullptr) << c.name;
        const CString output = Output("sheet.pdf");
        ASSERT_GT(PrintBoxes(dc, output, 1, 10, 10, 10, 10), 0) << c.name;
        DeleteDC(dc);
        const std::vector<QSizeF> sizes = PdfPageSizes(output.GetString());
        ASSERT_EQ(sizes.size(), 1u) << c.name;
        EXPECT_NEAR(sizes[0].width(), c.width, 0.5) << c.name;
        EXPECT_NEAR(sizes[0].height(), c.height, 0.5) << c.name;
    }
}

TEST_F(PrintJobTest, EachPageIsOneSheet) {
    HDC dc = PrinterDc(kPrinter);
    const CString output = Output("three.pdf");
    ASSERT_GT(PrintBoxes(dc, output, 3, 10, 10, 10, 10), 0);
    DeleteDC(dc);
    EXPECT_EQ(PdfPageSizes(output.GetString()).size(), 3u);
    EXPECT_FALSE(PdfDarkBox(output.GetString(), 3, 72).isNull());
}

TEST_F(PrintJobTest, CallsOutOfOrderAreRefused) {
    HDC dc = PrinterDc(kPrinter);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    DOCINFO info;
    const CString output = Output("order.pdf");
    info.lpszOutput = output;
    ASSERT_GT(StartDoc(dc, &info), 0);
    EXPECT_EQ(StartDoc(dc, &info), SP_ERROR) << "one job at a time";
    EXPECT_EQ(EndPage(dc), SP_ERROR) << "no page open";
    ASSERT_GT(StartPage(dc), 0);
    EXPECT_EQ(StartPage(dc), SP_ERROR) << "a page is open";
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);
    DeleteDC(dc);

    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(StartDoc(memory, &info), SP_ERROR) << "no printer's context";
    DeleteDC(memory);
}

// A new user's home has no documents folder yet: the chooser starts at home, not in the working folder.
TEST_F(PrintJobTest, PdfChooserStartsInTheDocumentsFolderElseAtHome) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const CString newHome = Output("home");
    ASSERT_TRUE(QDir().mkpath(newHome.GetString()));
    qputenv("HOME", newHome.GetString());
    qputenv("XDG_CONFIG_HOME", (newHome + "/.config").GetString());
    HDC dc = PrinterDc(kBuiltInPdfPrinterName);
    for (const CString& expected : {newHome, newHome + "/Documents"}) {
        QDir().mkpath(expected.GetString());
        m_chooser.Cancel();
        EXPECT_EQ(PrintBoxes(dc, "", 1, 10, 10, 10, 10), 0);
        ASSERT_FALSE(m_chooser.Requests().empty());
        EXPECT_EQ(m_chooser.Requests().back().folder, expected);
    }
    DeleteDC(dc);
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
}

TEST_F(PrintJobTest, PdfPrinterAsksForTheFile) {
    m_chooser.Pick({Output("chosen.pdf")});
    HDC dc = PrinterDc(kBuiltInPdfPrinterName);
    ASSERT_GT(PrintBoxes(dc, "", 1, 10, 10, 10, 10), 0);
    ASSERT_EQ(m_chooser.Requests().size(), 1u);
    const FileChooserRequest& request = m_chooser.Requests().front();
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.fileName, "Vellumcraft.pdf");
    ASSERT_EQ(request.types.size(), 1u);
    EXPECT_EQ(PdfPageSizes(Output("chosen.pdf").GetString()).size(), 1u);

    // Cancelled: no job, and the caller can tell it from a failure.
    m_chooser.Cancel();
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(PrintBoxes(dc, "", 1, 10, 10, 10, 10), 0);
    EXPECT_EQ(GetLastError(), ERROR_CANCELLED);
    EXPECT_EQ(m_chooser.Requests().size(), 2u);
    DeleteDC(dc);
}

TEST_F(PrintJobTest, FailedDeliveryKeepsTheOldFile) {
    const CString output = Output("kept.pdf");
    ASSERT_TRUE(WriteText(output, "old"));
    HDC dc = PrinterDc(kPrinter);
    DOCINFO info;
    info.lpszOutput = output;
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    CDC::FromHandle(dc)->FillSolidRect(0, 0, 1000, 1000, RGB(0, 0, 0));
    ASSERT_GT(EndPage(dc), 0);
    {
        DiskNearlyFull full;
        EXPECT_LT(EndDoc(dc), 0);
    }
    EXPECT_EQ(ReadAll(output), "old");
    DeleteDC(dc);
}

TEST_F(PrintJobTest, FileThatCannotBeCreatedFailsTheStart) {
    HDC dc = PrinterDc(kPrinter);
    DOCINFO info;
    const CString output = Output("missing/folder.pdf");
    info.lpszOutput = output;
    EXPECT_EQ(StartDoc(dc, &info), SP_ERROR);
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);
    DeleteDC(dc);
}

TEST_F(PrintJobTest, QueueThatRefusesTheJobFailsTheEnd) {
    // No CUPS daemon answers here, so the fake printer's queue cannot take the job.
    setenv("CUPS_SERVER", (m_folder.Path() + "/no.sock").GetString(), 1);
    HDC dc = PrinterDc(kPrinter);
    EXPECT_LT(PrintBoxes(dc, "", 1, 10, 10, 10, 10), 0);
    DeleteDC(dc);
    unsetenv("CUPS_SERVER");
}

TEST_F(PrintJobTest, ContextDeletedInsideAJobLeavesNoFile) {
    HDC dc = PrinterDc(kPrinter);
    DOCINFO info;
    const CString output = Output("abandoned.pdf");
    info.lpszOutput = output;
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    DeleteDC(dc);
    EXPECT_TRUE(m_folder.Names().empty());
}

} // namespace
