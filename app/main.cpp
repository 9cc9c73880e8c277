// The program: the application object, the platform's message boxes, menus, file chooser, colour dialog
// and sounds, the dialogs of the page canvas and the editing tools, the resource manager, and the
// framework's entry.

#include "albums/AlbumDlgInstall.h"
#include "albums/InstallCategoryPanel.h"
#include "albums/InstallPictureOpenDialog.h"
#include "app/ProgramDialogs.h"
#include "app/VellumcraftApp.h"
#include "editing/EffectsDialogs.h"
#include "platform/sound/PlaySound.h"
#include "platform/sound/QtSoundOutput.h"
#include "platform/ui/QtColorDialogPresenter.h"
#include "platform/ui/QtFileChooser.h"
#include "platform/ui/QtMenuPresenter.h"
#include "platform/ui/QtMessageBoxPresenter.h"
#include "resmanager/InfoDialogs.h"
#include "resmanager/ResManagerPropertySheet.h"

namespace {
CVellumcraftApp theApp;
} // namespace

int main(int argc, char** argv) {
    CQtMessageBoxPresenter messageBoxes;
    SetMessageBoxPresenter(&messageBoxes);
    CQtMenuPresenter menus;
    SetMenuPresenter(&menus);
    CQtFileChooser fileChooser;
    SetFileChooser(&fileChooser);
    CQtColorDialogPresenter colourDialogs;
    SetColorDialogPresenter(&colourDialogs);
    CQtSoundOutput sounds;
    SetSoundOutput(&sounds);
    InstallMessageBeepSound();
    InstallCategoryPanel();
    CProgramDialogs pageDialogs;
    SetPageDialogs(&pageDialogs);
    CEffectsDialogs effectsDialogs;
    SetEffectsDialogs(&effectsDialogs);
    InstallPictureOpenDialog();
    InstallAlbumDlg();
    CResManagerSheetRunner resourceManager;
    SetResourceManagerSheet(&resourceManager);
    InstallInfoDialogs();
    const int exitCode = AfxWinMain(argc, argv);
    SetResourceManagerSheet(nullptr);
    SetEffectsDialogs(nullptr);
    SetPageDialogs(nullptr);
    SetSoundOutput(nullptr);
    SetColorDialogPresenter(nullptr);
    SetFileChooser(nullptr);
    SetMenuPresenter(nullptr);
    SetMessageBoxPresenter(nullptr);
    return exitCode;
}
