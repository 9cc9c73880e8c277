// scangallery: the scanner and camera panels as the source manager shows them, with SANE's test scanner
// and a folder camera, as PNG files for a person to judge the looks:
//   scangallery OUTPUT_FOLDER
// scan-panel.png shows the scanner panel, camera-panel.png the camera panel with three pictures.

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/scan/SourceManager.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WindowRecord.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

// Grabs the panel the enabling call shows once it is active, then closes it as Cancel does.
void GrabPanelLater(const QString& path, bool& saved, int attempts = 100) {
    QTimer::singleShot(100, [path, &saved, attempts] {
        auto* panel = dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
        if (!panel) {
            if (attempts > 0)
                GrabPanelLater(path, saved, attempts - 1);
            return;
        }
        saved = panel->m_hWnd->host->Widget()->grab().save(path);
        panel->EndDialog(IDCANCEL);
    });
}

bool ShowPanel(const char* sourceName, HWND owner, const QString& path) {
    TW_IDENTITY application, source;
    source.ProductName = sourceName;
    bool saved = false;
    if (DSM_Entry(&application, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source) != TWRC_SUCCESS)
        return false;
    GrabPanelLater(path, saved);
    TW_USERINTERFACE ui{TRUE, TRUE, owner};
    DSM_Entry(&application, &source, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    DSM_Entry(&application, &source, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, nullptr);
    DSM_Entry(&application, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source);
    if (!saved)
        std::fprintf(stderr, "cannot write %s\n", path.toUtf8().constData());
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scangallery OUTPUT_FOLDER\n");
        return 2;
    }
    // Panels are grabbed from their own pixels: no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir scratch;
    // SANE's test scanner alone, and a folder camera with three pictures.
    const QString sane = scratch.filePath("sane");
    QDir().mkpath(sane);
    std::ofstream((sane + "/dll.conf").toStdString()) << "test\n";
    std::ofstream((sane + "/test.conf").toStdString()) << "number_of_devices 1\n";
    setenv("SANE_CONFIG_DIR", sane.toLocal8Bit().constData(), 1);
    const QString camera = scratch.filePath("kamera");
    QDir().mkpath(camera + "/DCIM/100");
    for (const char* name : {"Urlaub_001.jpg", "Urlaub_002.jpg", "DCIM/100/Hafen.jpg"}) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(camera + "/" + name);
    }
    SetCameraFoldersForTesting({CString(camera.toLocal8Bit().constData())});

    const HMODULE resources =
        LoadLibrary((QCoreApplication::applicationDirPath() + "/qz_res.deu").toLocal8Bit());
    if (!resources) {
        std::fprintf(stderr, "qz_res.deu is missing beside the program\n");
        return 1;
    }
    AfxSetResourceHandle(resources);
    CWnd owner;
    if (!owner.CreateEx(0, "#32770", "Vellumcraft", WS_POPUP | WS_CAPTION, CRect(0, 0, 640, 480), nullptr, 0))
        return 1;
    owner.ShowWindow(SW_SHOW);
    TW_IDENTITY identity;
    if (DSM_Entry(&identity, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr) != TWRC_SUCCESS)
        return 1;
    const bool scanner = ShowPanel("Noname frontend-tester", owner.m_hWnd, folder + "/scan-panel.png");
    const bool cameraShown = ShowPanel("Directory Browse", owner.m_hWnd, folder + "/camera-panel.png");
    DSM_Entry(&identity, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr);
    owner.DestroyWindow();
    return scanner && cameraShown ? 0 : 1;
}
