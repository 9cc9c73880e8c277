// printgallery: the print dialogs with a stand-in printer, as PNG files for a person to judge the looks:
//   printgallery OUTPUT_FOLDER
// print-setup.png shows the print set-up, printer-properties.png the printer's settings dialog.

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PrintDialog.h"
#include "platform/print/Spooler.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WindowRecord.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

// Grabs the dialog shown next once it is active, then closes it as Cancel does.
void GrabDialogLater(const QString& path, bool& saved, int attempts = 100) {
    QTimer::singleShot(100, [path, &saved, attempts] {
        auto* dialog = dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
        if (!dialog) {
            if (attempts > 0)
                GrabDialogLater(path, saved, attempts - 1);
            return;
        }
        saved = dialog->m_hWnd->host->Widget()->grab().save(path);
        dialog->EndDialog(IDCANCEL);
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: printgallery OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const HMODULE resources =
        LoadLibrary((QCoreApplication::applicationDirPath() + "/qz_res.deu").toLocal8Bit());
    if (!resources) {
        std::fprintf(stderr, "qz_res.deu not found beside the program\n");
        return 1;
    }
    AfxSetResourceHandle(resources);

    CFakePrinterSystem printers;
    CFakePrinterSystem::Printer& laser = printers.Add("Laserdrucker");
    laser.info.isDefault = TRUE;
    laser.capabilities.duplex = true;
    printers.Add("Tintenstrahldrucker");

    bool setupSaved = false;
    const QString setupPath = folder + "/print-setup.png";
    CPrintDialog setup(TRUE);
    GrabDialogLater(setupPath, setupSaved);
    setup.DoModal();

    HANDLE printer = nullptr;
    DEVMODE devMode{};
    if (!OpenPrinter("Laserdrucker", &printer, nullptr))
        return 1;
    bool saved = false;
    const QString path = folder + "/printer-properties.png";
    GrabDialogLater(path, saved);
    DocumentProperties(nullptr, printer, "Laserdrucker", &devMode, nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
    ClosePrinter(printer);
    FreeLibrary(resources);
    for (const auto& [written, file] : {std::pair{setupSaved, setupPath}, std::pair{saved, path}})
        if (!written)
            std::fprintf(stderr, "cannot write %s\n", file.toUtf8().constData());
    return saved && setupSaved ? 0 : 1;
}
