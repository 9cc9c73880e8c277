// A picture of the settings dialog for people, run under Xvfb: settings_screenshot FOLDER writes
// settings.png with albums, templates and the test scanners in its lists.

#include "app/EinstellungenDlg.h"
#include "app/MainWnd.h"
#include "library/DSObjMgr.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "tests/support/CameraDrivers.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/SaneTestBackend.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <fstream>

namespace {

bool Grab(const CWnd& dialog, const QString& path) {
    PumpMessages();
    QThread::msleep(200);
    PumpMessages();
    CRect rect;
    dialog.GetWindowRect(&rect);
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect.left, rect.top, rect.Width(), rect.Height())
        .save(path);
}

void WriteLibrary(const CString& root) {
    WriteProfileString("Settings", "DataPath", root);
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "\\Fotos");
    WriteProfileInt("Settings", "PrnTplInstallType", 0);
    WriteProfileString("Settings", "PrnTplDataPath", "\\Vorlagen");
    std::filesystem::create_directories((root + "/Vorlagen").str());
    std::filesystem::create_directories((root + "/Fotos").str());
    std::ofstream((root + "/Vorlagen/Templ.dat").str()) << "1;a;b;c;d;e;Postkarte quer;x\n"
                                                           "2;a;b;c;d;e;Kalender A4;x\n"
                                                           "3;a;b;c;d;e;Fotobuch-Seite;x\n";
    WriteProfileString("Settings", "Album", "Urlaub am Meer");
    WriteProfileString("Settings", "Template", "Kalender A4");
    WriteProfileInt("Settings", "ScaledFactor", 2);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    UseSaneTestBackend("number_of_devices 2\n");
    KeepCameraDriversLoaded();
    EnsureUiApplication();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    TempFolder profile;
    SetProfileFolderForTesting(profile.Path());
    FakeAppServices services;
    HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    HMODULE texts = LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu");
    services.SetResourceModule(resources);
    services.SetTextModule(texts);
    services.SetString(292, LoadWholeString(texts, 292, 255));
    AfxSetResourceHandle(resources);
    WriteLibrary(profile.Path());
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    for (const char* album : {"Urlaub am Meer", "Familie", "Garten"})
        manager.CreateAlbum(manager.GetResType(kResTypePictures), album);

    bool saved = false;
    {
        CMainWnd sources; // the none text and the source list; no window
        sources.SetShowUI(0);
        CEinstellungenDlg dialog(&sources);
        QTimer::singleShot(100, [&] {
            saved = Grab(dialog, folder + "/settings.png");
            dialog.PostMessage(WM_COMMAND, IDCANCEL, 0);
        });
        dialog.DoModal();
    }
    SetProfileFolderForTesting("");
    FreeLibrary(texts);
    FreeLibrary(resources);
    return saved ? 0 : 1;
}
