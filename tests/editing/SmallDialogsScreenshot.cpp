// Pictures of the move pad and the adjustment panel for people, run under Xvfb: small_dialogs_screenshot
// FOLDER writes move-pad.png (the pad with its three steps, the pointer's key focused) and tool-panel.png
// (the panel at 64).

#include "editing/MoveDlg.h"
#include "editing/ToolbarEffectsDlg.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <functional>

namespace {

class NoPadOwner final : public IMovePadOwner {
public:
    void DecreasePictureOffsetX() override {}
    void IncreasePictureOffsetX() override {}
    void DecreasePictureOffsetY() override {}
    void IncreasePictureOffsetY() override {}
    void IncreasePictureZoom() override {}
    void DecreasePictureZoom() override {}
    void IncreasePictureRotation() override {}
    void DecreasePictureRotation() override {}
    void OnUndo() override {}
};

class NoPanelOwner final : public IToolPanelOwner {
public:
    void SetAdjustmentValue(int) override {}
};

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

// Runs the dialog, takes its picture once it shows, then closes it with OK.
bool Picture(CDialog& dialog, const QString& path, std::function<void()> prepare) {
    bool saved = false;
    QTimer::singleShot(100, [&] {
        prepare();
        saved = Grab(dialog, path);
        dialog.PostMessage(WM_COMMAND, IDOK, 0);
    });
    dialog.DoModal();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    EnsureUiApplication();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    FakeAppServices services;
    HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    services.SetResourceModule(resources);
    AfxSetResourceHandle(resources);

    NoPadOwner padOwner;
    const RECT canvas = {200, 100, 800, 600};
    CMoveDlg pad(10, 5, 15, nullptr, canvas, &padOwner);
    bool saved = Picture(pad, folder + "/move-pad.png", [&] {
        if (CWnd* key = pad.GetDlgItem(1121))
            key->SetFocus();
    });
    NoPanelOwner panelOwner;
    CToolbarEffectsDlg panel(64, nullptr, &panelOwner);
    saved = Picture(panel, folder + "/tool-panel.png", [] {}) && saved;
    FreeLibrary(resources);
    return saved ? 0 : 1;
}
