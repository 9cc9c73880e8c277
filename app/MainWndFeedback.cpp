// What the commands of the knob's zones share: the knob turned to the command's zone and the click.
#include "app/MainWnd.h"
#include "platform/base/AppServices.h"
#include "platform/sound/PlaySound.h"
#include "skin/KnobBitmapButton.h"

void CMainWnd::HighlightKnob(int zone) {
    CKnobBitmapButton* knob = Knob();
    if (!knob)
        return;
    knob->SetPosition(zone);
    if (knob->GetSafeHwnd())
        knob->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CMainWnd::PlaySoundFile(LPCTSTR fileName) {
    if (AppServices().IsSoundEnabled())
        sndPlaySound(AppServices().GetSoundPath() + "/" + fileName, SND_ASYNC);
}

void CMainWnd::PlayClickSound() {
    PlaySoundFile("tick.wav");
}

void CMainWnd::KnobCommand(int zone) {
    HighlightKnob(zone);
    PlayClickSound();
}
