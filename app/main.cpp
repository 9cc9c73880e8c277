// The program: the application object, the platform's message boxes, file chooser and sounds, and the
// framework's entry.

#include "app/VellumcraftApp.h"
#include "platform/sound/PlaySound.h"
#include "platform/sound/QtSoundOutput.h"
#include "platform/ui/QtFileChooser.h"
#include "platform/ui/QtMessageBoxPresenter.h"

namespace {
CVellumcraftApp theApp;
} // namespace

int main(int argc, char** argv) {
    CQtMessageBoxPresenter messageBoxes;
    SetMessageBoxPresenter(&messageBoxes);
    CQtFileChooser fileChooser;
    SetFileChooser(&fileChooser);
    CQtSoundOutput sounds;
    SetSoundOutput(&sounds);
    InstallMessageBeepSound();
    const int exitCode = AfxWinMain(argc, argv);
    SetSoundOutput(nullptr);
    SetFileChooser(nullptr);
    SetMessageBoxPresenter(nullptr);
    return exitCode;
}
