// Pictures of the save-picture and font dialogs for people, run under Xvfb: editing_dialogs_screenshot
// FOLDER writes save-picture.png (Qt's file chooser above the page, sizes in pixels) and font-dialog.png
// (a text object's font, size, style and colour).

#include "editing/FontPropertiesDlg.h"
#include "editing/PreviewSaveFileDlg.h"
#include "image/ExtMgr.h"
#include "page/DrawText.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/QtFileChooser.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstring>

namespace {

bool Grab(const CWnd& window, const QString& path) {
    PumpMessages();
    QThread::msleep(300);
    PumpMessages();
    CRect rect;
    window.GetWindowRect(&rect);
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect.left, rect.top, rect.Width(), rect.Height())
        .save(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    EnsureUiApplication();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    FakeAppServices services;
    services.SetString(64101, "Bild speichern unter");
    HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    services.SetResourceModule(resources);
    AfxSetResourceHandle(resources);
    CExtMgr codecs(VC_PROGRAM_DIR);
    codecs.LoadPlugins();
    CQtFileChooser chooser;
    SetFileChooser(&chooser);
    bool saved = true;

    CPreviewSaveFileDlg save(
        FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
        "PNG-Bild (*.png)|*.png|JPEG-Bild (*.jpg)|*.jpg;*.jpeg|Windows-Bitmap (*.bmp)|*.bmp||");
    save.SetWidth(1600);
    save.SetHeight(1200);
    save.SetAspectRatio(1600.0 / 1200.0);
    save.SetColorsUsed(48000);
    save.m_ofn.nFilterIndex = 2;
    QTimer::singleShot(200, [&] {
        save.SendMessage(WM_COMMAND, MAKEWPARAM(1146, BN_CLICKED), 0);
        save.CheckDlgButton(1143, BST_UNCHECKED);
        save.CheckDlgButton(1146, BST_CHECKED);
        save.SetDlgItemText(1147, "800");
        saved = Grab(*save.GetTopLevelParent(), folder + "/save-picture.png") && saved;
        save.PostMessage(WM_COMMAND, IDCANCEL, 0);
    });
    save.DoModal();
    SetFileChooser(nullptr);

    CDrawText text(CRect(0, 0, 2000, 400), "Sommer am See");
    LOGFONT font = text.GetLogFont();
    std::strcpy(font.lfFaceName, "Arial");
    font.lfHeight = -36;
    font.lfWeight = 700;
    text.SetLogFont(font);
    text.SetColor(RGB(30, 80, 160));
    text.SetEffect(1);
    CFontPropertiesDlg fonts(text, nullptr);
    QTimer::singleShot(200, [&] {
        saved = Grab(fonts, folder + "/font-dialog.png") && saved;
        fonts.PostMessage(WM_COMMAND, IDCANCEL, 0);
    });
    fonts.DoModal();
    FreeLibrary(resources);
    return saved ? 0 : 1;
}
