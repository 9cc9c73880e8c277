// The program: the application object, the platform's message boxes, menus, file chooser, colour dialog
// and sounds, and the framework's entry.

#include "albums/InstallCategoryPanel.h"
#include "app/VellumcraftApp.h"
#include "platform/sound/PlaySound.h"
#include "platform/sound/QtSoundOutput.h"
#include "platform/ui/QtColorDialogPresenter.h"
#include "platform/ui/QtFileChooser.h"
#include "platform/ui/QtMenuPresenter.h"
#include "platform/ui/QtMessageBoxPresenter.h"

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
    const int exitCode = AfxWinMain(argc, argv);
    SetSoundOutput(nullptr);
    SetColorDialogPresenter(nullptr);
    SetFileChooser(nullptr);
    SetMenuPresenter(nullptr);
    SetMessageBoxPresenter(nullptr);
    return exitCode;
}
