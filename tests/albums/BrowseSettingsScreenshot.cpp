// Shows the thumbnail settings dialog with the program's language modules and saves a picture of it:
// browse_settings_screenshot OUTPUT.png. Run under Xvfb so that a person can judge the dialog.

#include "albums/BrowseFileSettingsDlg.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace {

constexpr UINT kDefaultColorTextId = 61527;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    EnsureUiApplication();
    FakeAppServices services;
    const HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    const HMODULE texts = LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu");
    if (!resources || !texts)
        return 1;
    services.SetResourceModule(resources);
    services.SetString(kDefaultColorTextId, LoadWholeString(texts, kDefaultColorTextId, 256));
    AfxSetResourceHandle(resources);

    CBrowseFileSettingsDlg dialog;
    dialog.SetSettings({64, 64, 30, 36, RGB(255, 255, 255), RGB(0, 0, 0)});
    dialog.SetSection("Settings\\Thumbnails\\Browse");
    bool saved = false;
    QTimer::singleShot(0, [&] {
        PumpMessages();
        QThread::msleep(300);
        PumpMessages();
        CRect frame;
        dialog.GetWindowRect(&frame);
        const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0, frame.left, frame.top,
                                                                             frame.Width(), frame.Height());
        saved = picture.save(QString::fromLocal8Bit(argv[1]));
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    FreeLibrary(texts);
    FreeLibrary(resources);
    return saved ? 0 : 1;
}
