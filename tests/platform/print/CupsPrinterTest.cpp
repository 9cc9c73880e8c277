// The printers of a real CUPS daemon: a private cupsd with a cups-pdf queue, started for these tests
// and stopped after them. Skipped when the daemon cannot be started here.

#include "platform/print/PaperSizes.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"
#include "tests/support/RunTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr char kQueue[] = "Vellum_Test";
constexpr char kPpd[] = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// A cupsd of our own that listens on a socket in a temporary folder.
class PrivateCupsDaemon {
public:
    bool Start() {
        if (!m_folder.isValid() || access("/usr/sbin/cupsd", X_OK) != 0 ||
            access("/usr/sbin/lpadmin", X_OK) != 0 || access(kPpd, R_OK) != 0)
            return false;
        const QString root = m_folder.path();
        for (const char* sub : {"spool", "cache", "state", "log", "tmp"})
            QDir(root).mkdir(sub);
        m_socket = root + "/cups.sock";
        const bool configured =
            WriteText(root + "/cupsd.conf", "Listen " + m_socket +
                                                "\nBrowsing No\nDefaultAuthType None\n<Location />\n"
                                                "  Order allow,deny\n  Allow all\n</Location>\n") &&
            WriteText(root + "/cups-files.conf",
                      QString("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                              "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                              "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n")
                          .arg(root));
        if (!configured)
            return false;
        const std::string conf = (root + "/cupsd.conf").toStdString();
        const std::string files = (root + "/cups-files.conf").toStdString();
        const char* argv[] = {"cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr};
        if (posix_spawn(&m_pid, "/usr/sbin/cupsd", nullptr, nullptr, const_cast<char**>(argv), environ) !=
            0) {
            m_pid = 0;
            return false;
        }
        for (int wait = 0; wait < 100 && !QFile::exists(m_socket); ++wait)
            QThread::msleep(50);
        if (!QFile::exists(m_socket))
            return false;
        cupsSetServer(m_socket.toUtf8().constData());
        return Admin(QString("-p %1 -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd").arg(kQueue)) &&
               Admin(QString("-d %1").arg(kQueue));
    }

    // Points this thread's CUPS connection at the daemon again.
    void Reconnect() { cupsSetServer(m_socket.toUtf8().constData()); }

    ~PrivateCupsDaemon() {
        cupsSetServer(nullptr);
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }

private:
    bool Admin(const QString& arguments) {
        const QString command =
            QString("CUPS_SERVER='%1' /usr/sbin/lpadmin %2 2>/dev/null").arg(m_socket, arguments);
        return std::system(InToolLocale(command.toStdString()).c_str()) == 0;
    }

    QTemporaryDir m_folder;
    QString m_socket;
    pid_t m_pid = 0;
};

class CupsPrinterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "print_cups_tests";
        static char* argv[] = {name, nullptr};
        s_application = new QCoreApplication(argc, argv);
        s_daemon = new PrivateCupsDaemon;
        s_started = s_daemon->Start();
    }
    static void TearDownTestSuite() {
        delete s_daemon;
        delete s_application;
    }
    void SetUp() override {
        if (!s_started)
            GTEST_SKIP() << "no private cupsd could be started here";
    }

    static inline QCoreApplication* s_application = nullptr;
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

} // namespace
