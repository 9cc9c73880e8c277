// Pictures of the effects dialog for people, run under Xvfb: effects_screenshot FOLDER writes
// effects-dialog.png (an adjustment on a photo) and effects-redeye.png (red-eye reduction at zoom 4 with
// a region over an eye and the preview's menu open).

#include "editing/EffModifWnd.h"
#include "editing/EffectsComboBox.h"
#include "editing/EffectsDlg.h"
#include "image/WorkBitmap.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/QtMenuPresenter.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"
#include "tools/photoscene/PhotoScene.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace {

class NoOwner final : public IEffectsDialogOwner {
public:
    CAdjustImage* GetEffectsTarget() override { return nullptr; }
    void RedrawPreview() override {}
    void UpdateTwoColorsButton() override {}
    void PlayButtonSound(LPCTSTR) override {}
    BOOL ChooseTwoColors(CWnd*, COLORREF&, COLORREF&) override { return FALSE; }
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

void Choose(CEffectsDlg& dialog, int effect) {
    dialog.GetEffectList()->SetCurSel(effect);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(2045, CBN_SELCHANGE), 0);
}

// The preview at zoom 4 with the left eye under its centre and the current region around that eye.
void ShowLeftEye(CEffectsDlg& dialog, const SceneRect& eye) {
    CWorkBitmap* work = dialog.GetWorkBitmap();
    work->SetCurrentShapeEntry(eye.left, eye.right, eye.top, eye.bottom);
    work->SetCurrentShapeColor(0x5A6A96);
    work->Rebuild(false);
    CEffModifWnd* preview = dialog.GetModifWnd();
    preview->SendMessage(WM_COMMAND, 32788, 0);
    CRect rect = preview->GetPictureRect();
    CRect client;
    preview->GetClientRect(&client);
    const int eyeX = rect.left + static_cast<int>(rect.Width() * (eye.left + eye.right) / 2);
    const int eyeY = rect.top + static_cast<int>(rect.Height() * (eye.top + eye.bottom) / 2);
    rect.OffsetRect(client.Width() / 2 - eyeX, client.Height() / 2 - eyeY);
    preview->SetPictureRect(rect);
    dialog.RefreshPreview();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    EnsureUiApplication();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    FakeAppServices services;
    HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    HMODULE effects = LoadLibrary(VC_PROGRAM_DIR "/libEffects.so");
    services.SetResourceModule(resources);
    services.SetEffectsModule(effects);
    AfxSetResourceHandle(resources);
    CQtMenuPresenter menus;
    SetMenuPresenter(&menus);
    const char* names[] = {"Helligkeit", "Sättigung",     "Kontrast",         "Schärfe",
                           "Gamma",      "Relief",        "Wellen",           "Rauschen",
                           "Kegel",      "Kanten finden", "Fischauge",        "Mosaik",
                           "Negativ",    "Ölgemälde",     "Erhaben",          "Solarisation",
                           "Streuen",    "Strudel",       "Seite umblättern", "Rote Augen entfernen"};
    const UINT ids[] = {221, 222, 223, 224, 225, 279, 280, 281, 282, 283,
                        284, 285, 286, 287, 288, 289, 290, 291, 312, 406};
    for (size_t i = 0; i < std::size(ids); ++i)
        services.SetString(ids[i], names[i]);

    const int width = 640;
    const int height = 427;
    const std::vector<BYTE> photo = MakePhotoScene(width, height);
    CWorkBitmap picture;
    if (!picture.SetTo(static_cast<DWORD>(photo.size()), photo.data()))
        return 1;
    picture.Rebuild(true);
    NoOwner owner;
    CEffectsDlg dialog(&picture, nullptr, &owner);
    bool saved = true;
    QTimer::singleShot(100, [&] {
        Choose(dialog, 1);
        dialog.SetStrength(78);
        saved = Grab(dialog, folder + "/effects-dialog.png") && saved;

        Choose(dialog, 19);
        ShowLeftEye(dialog, PhotoSceneEyes(width, height)[0]);
        CRect previewRect;
        dialog.GetModifWnd()->GetWindowRect(&previewRect);
        QTimer::singleShot(300, [&] {
            saved = Grab(dialog, folder + "/effects-redeye.png") && saved;
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            dialog.PostMessage(WM_COMMAND, IDCANCEL, 0);
        });
        dialog.GetModifWnd()->SendMessage(WM_CONTEXTMENU, 0,
                                          MAKELPARAM(previewRect.left + 330, previewRect.top + 60));
    });
    dialog.DoModal();
    SetMenuPresenter(nullptr);
    FreeLibrary(effects);
    FreeLibrary(resources);
    return saved ? 0 : 1;
}
