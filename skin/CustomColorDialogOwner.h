#pragma once
// What the colour popup asks of a dialog that must know while the popup's colour dialog is open (the
// text font dialog ignores its OK command meanwhile). The dialog implements it; the popup finds it as
// its picker's parent.

#include "platform/base/WinTypes.h"

class ICustomColorDialogOwner {
public:
    virtual ~ICustomColorDialogOwner() = default;
    // TRUE when the colour dialog opens, FALSE once it has closed.
    virtual void SetCustomColorDialogOpen(BOOL open) = 0;
};
