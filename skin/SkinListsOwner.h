#pragma once
// What a skinned combo box asks of the settings dialog that owns it: repaint its skinned lists and the
// dialog background beneath them. The dialog implements it; the combo box finds it as its parent.

class ISkinListsOwner {
public:
    virtual ~ISkinListsOwner() = default;
    virtual void RedrawLists() = 0;
};
