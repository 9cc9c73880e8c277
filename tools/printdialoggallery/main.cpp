// printdialoggallery: the print command's dialogs with stand-in printers and the printer calibration
// page, as PNG files for a person to judge the looks:
//   printdialoggallery OUTPUT_FOLDER
// custom-print.png, choose-paper.png, page-mappings.png and printer-calibration.png show the dialogs;
// test-page.png is the calibration page printed to PDF and rendered by pdftoppm.

#include "output/CalibrationPage.h"
#include "output/ChoosePageDialog.h"
#include "output/CustomPrintDlg.h"
#include "output/PageMapDialog.h"
#include "output/PageMappings.h"
#include "output/PrintMainWnd.h"
#include "output/PrinterMappingList.h"
#include "output/PrnJustierenDlg.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "platform/ui/WindowRecord.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

constexpr char kLaser[] = "Laserdrucker";
constexpr char kDriver[] = "Laser Treiber";
constexpr char kPort[] = "usb://laser";

class GalleryServices final : public CDefaultAppServices {
public:
    explicit GalleryServices(HMODULE text) : m_text(text) {}
    CString LoadString(UINT stringId, int initialLength) override {
        return LoadWholeString(m_text, stringId, initialLength);
    }

private:
    HMODULE m_text;
};

class GalleryMainWnd final : public IPrintMainWnd {
public:
    CTemplate* GetPrintTemplate() override { return &page; }
    CWnd* GetPrintParent() override { return nullptr; }
    void RunPrintJob(DEVMODE*, LPCTSTR, LPCTSTR, LPCTSTR, float, BOOL, int) override {}
    BOOL SavePageImageScaled(const CString&, int) override { return FALSE; }
    CPictureInfo* RenderPagePictureScaled(int) override { return nullptr; }
    void ExportHtml() override {}
    void SendByMail() override {}
    CTemplate page;
};

// Shows the dialog, grabs it once it is active and closes it as Cancel does; whether the file was written.
bool Grab(CDialog& dialog, const QString& path) {
    bool saved = false;
    std::function<void(int)> attempt = [&](int left) {
        QTimer::singleShot(100, [&, left] {
            auto* shown = dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
            if (shown != &dialog) {
                if (left > 0)
                    attempt(left - 1);
                return;
            }
            saved = dialog.m_hWnd->host->Widget()->grab().save(path);
            dialog.EndDialog(IDCANCEL);
        });
    };
    attempt(100);
    dialog.DoModal();
    if (!saved)
        std::fprintf(stderr, "cannot write %s\n", path.toUtf8().constData());
    return saved;
}

// The enumerated record of the printer, in buffer.
PRINTER_INFO_2* FindPrinter(std::vector<BYTE>& buffer, const CString& name) {
    const DWORD count = EnumerateInstalledPrinters(buffer);
    auto* printers = reinterpret_cast<PRINTER_INFO_2*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (name == printers[i].pPrinterName)
            return &printers[i];
    }
    return nullptr;
}

bool WriteTestPage(const QString& path) {
    QTemporaryDir folder;
    const QByteArray pdf = (folder.path() + "/test-page.pdf").toLocal8Bit();
    HDC dc = CreateDC("", kBuiltInPdfPrinterName, "", nullptr);
    if (!dc)
        return false;
    CDC* printer = CDC::FromHandle(dc);
    DOCINFO info;
    info.lpszOutput = pdf.constData();
    bool printed = printer->StartDoc(&info) > 0 && printer->StartPage() > 0;
    if (printed) {
        DrawCalibrationPage(printer, 50.0f, 50.0f);
        printed = printer->EndPage() > 0 && printer->EndDoc() > 0;
    }
    DeleteDC(dc);
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-gray", "-png", "-singlefile", "-r", "100", QString::fromLocal8Bit(pdf),
                                folder.path() + "/page"});
    if (!printed || !pdftoppm.waitForFinished() || pdftoppm.exitCode() != 0)
        return false;
    QFile::remove(path);
    return QFile::copy(folder.path() + "/page.png", path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: printdialoggallery OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const QString programFolder = QCoreApplication::applicationDirPath();
    const HMODULE resources = LoadLibrary((programFolder + "/qz_res.deu").toLocal8Bit());
    const HMODULE texts = LoadLibrary((programFolder + "/qz_txt.deu").toLocal8Bit());
    if (!resources || !texts) {
        std::fprintf(stderr, "qz_res.deu or qz_txt.deu not found beside the program\n");
        return 1;
    }
    AfxSetResourceHandle(resources);
    GalleryServices services(texts);
    SetAppServices(&services);
    QTemporaryDir profile;
    SetProfileFolderForTesting(profile.path().toLocal8Bit().constData());

    CFakePrinterSystem printers;
    auto& laser = printers.Add(kLaser, kDriver, kPort);
    laser.info.isDefault = TRUE;
    laser.capabilities.papers.push_back(
        PrinterPaper{.number = 300, .name = "Postkarte 10 x 15 cm", .width = 1000, .length = 1500});
    printers.Add("Tintenstrahldrucker");
    GalleryMainWnd mainWnd;
    mainWnd.page.SetPageSize(CSize(2100, 2970));
    mainWnd.page.SetOrientation(1);
    mainWnd.page.SetStoredText("A4");
    SetPrintMainWnd(&mainWnd);
    CPrinterMappingList mappings;
    mappings.AddMapping(2, kDriver, "Postkarte");
    mappings.AddMapping(1, kDriver, "US-Brief");
    SetPageMappings(&mappings);

    bool written = true;
    CCustomPrintDlg print(nullptr);
    written &= Grab(print, folder + "/custom-print.png");
    CChoosePageDialog chooser("Fotokarte", nullptr);
    chooser.SetPrinter(kLaser, kDriver, kPort, nullptr);
    written &= Grab(chooser, folder + "/choose-paper.png");
    std::vector<BYTE> enumeration;
    CPageMapDialog pageMap(nullptr);
    pageMap.SetSelection(FindPrinter(enumeration, kLaser));
    pageMap.GetMappingList().m_editableColumns.Add(1);
    written &= Grab(pageMap, folder + "/page-mappings.png");
    CPrnJustierenDlg calibration(nullptr);
    calibration.m_pPrinter = FindPrinter(enumeration, kLaser);
    written &= Grab(calibration, folder + "/printer-calibration.png");
    if (!WriteTestPage(folder + "/test-page.png")) {
        std::fprintf(stderr, "cannot write the test page\n");
        written = false;
    }

    SetPageMappings(nullptr);
    SetPrintMainWnd(nullptr);
    SetAppServices(nullptr);
    FreeLibrary(texts);
    FreeLibrary(resources);
    return written ? 0 : 1;
}
