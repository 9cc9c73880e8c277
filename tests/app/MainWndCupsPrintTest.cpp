// The main window's print job on the queue of a private CUPS daemon with the cups-pdf driver, read back
// with pdfinfo and pdftoppm: an A4 page with a black picture reaches the queue's PDF on A4, the picture
// where the page puts it, as on the PDF files the print output tests read. Skipped when no daemon can be
// started here.

#include "image/PictureInfo.h"
#include "output/PrintMainWnd.h"
#include "output/PrinterDevMode.h"
#include "page/DrawImage.h"
#include "page/Template.h"
#include "platform/print/PrinterSystem.h"
#include "tests/app/MainWndPageFixture.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/PrivateCupsDaemon.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

constexpr const char* kQueue = PrivateCupsDaemon::kQueue;
constexpr int kDpi = 300;

double Pixels(double millimetres) {
    return millimetres * kDpi / 25.4;
}

double Points(double millimetres) {
    return millimetres * 72 / 25.4;
}

class MainWndCupsPrintTest : public MainWndPageTest {
protected:
    static void SetUpTestSuite() {
        MainWndPageTest::SetUpTestSuite();
        s_daemon = new PrivateCupsDaemon;
        s_started = s_daemon->Start();
    }
    static void TearDownTestSuite() {
        delete s_daemon;
        s_daemon = nullptr;
        MainWndPageTest::TearDownTestSuite();
    }
    void SetUp() override {
        MainWndPageTest::SetUp();
        if (!s_started)
            GTEST_SKIP() << "no private cupsd could be started here";
        SetPrinterSystem(nullptr); // the daemon's printers in place of the fake ones
    }

    // Edit mode with an A4 page that holds a black 20 x 30 mm picture at (30, 40) mm.
    void BlackPicturePage() {
        m_services.SetEditMode(TRUE);
        auto* page = new CTemplate;
        page->SetPageSize(CSize(2100, 2970));
        page->SetOrientation(DMORIENT_PORTRAIT);
        page->SetName("A4");
        auto* image = new CDrawImage(CRect(300, 400, 500, 700));
        const std::unique_ptr<CPictureInfo> black = FilledPicture(20, 30, 0x000000);
        image->SetAdjustedDib(black.get());
        page->InsertObject(image, -1);
        m_window->SetTemplate(page);
    }

    static inline PrivateCupsDaemon* s_daemon = nullptr;
    static inline bool s_started = false;
};

TEST_F(MainWndCupsPrintTest, JobPutsThePictureOnTheQueuesSheetWhereThePagePutsIt) {
    BlackPicturePage();
    DEVMODE* devMode = nullptr;
    const std::unique_ptr<BYTE[]> block(reinterpret_cast<BYTE*>(GetPrinterDevMode(kQueue, kQueue, devMode)));
    ASSERT_TRUE(block);
    // cups-pdf names its file after the job's title, "Doc", and the daemon's job number, which starts at 1
    // with each daemon: the newest such file since the job was sent is this job's.
    const QDateTime submitted = QDateTime::currentDateTime().addSecs(-1);
    GetPrintMainWnd()->RunPrintJob(devMode, kQueue, "Generic CUPS-PDF Printer (w/ options)", "cups-pdf:/",
                                   0.0f, FALSE, 1);
    EXPECT_TRUE(m_services.Messages().empty());
    EXPECT_TRUE(m_window->IsWindowEnabled());
    ASSERT_TRUE(s_daemon->WaitUntilIdle(60000)) << "the job stayed queued";

    const QFileInfoList written =
        QDir(PrivateCupsDaemon::OutputFolder()).entryInfoList({"Doc*.pdf"}, QDir::Files, QDir::Time);
    ASSERT_FALSE(written.isEmpty());
    const QFileInfo& newest = written.front();
    ASSERT_GE(newest.lastModified(), submitted) << "a PDF from cups-pdf";
    const std::string path = newest.filePath().toStdString();
    const std::vector<QSizeF> sizes = PdfPageSizes(path);
    const QRect box = PdfDarkBox(path, 1, kDpi);
    QFile::remove(newest.filePath());

    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].width(), Points(210), Points(0.25));
    EXPECT_NEAR(sizes[0].height(), Points(297), Points(0.25));
    const double tolerance = Pixels(0.25);
    EXPECT_NEAR(box.left(), Pixels(30), tolerance);
    EXPECT_NEAR(box.top(), Pixels(40), tolerance);
    EXPECT_NEAR(box.right() + 1, Pixels(50), tolerance);
    EXPECT_NEAR(box.bottom() + 1, Pixels(70), tolerance);
}

} // namespace
