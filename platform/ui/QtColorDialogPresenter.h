#pragma once
// The colour chooser as Qt's own (not the desktop's) colour dialog, modal over the owner's window. The
// program installs it at start-up (SetColorDialogPresenter).

#include "platform/ui/ColorDialogPresenter.h"

class CQtColorDialogPresenter final : public IColorDialogPresenter {
public:
    BOOL Choose(CHOOSECOLOR& request) override;
};
