#pragma once
// What the album dialog's own small dialogs ask of it besides a tile's wishes: the find dialog walks
// its tiles and shows a match on its page; the photo information dialog marks the album changed. The
// album dialog implements it; those dialogs find it as their parent.

#include "albums/AlbumPhotoDialog.h"

class CPhotoWnd;

class IAlbumDlgServices : public IAlbumPhotoDialog {
public:
    // The tiles in album order.
    virtual int GetPhotoWndCount() = 0;
    virtual CPhotoWnd* GetPhotoWnd(int index) = 0;
    // The index of the first tile on the page shown.
    virtual void SetFirstVisibleIndex(int index) = 0;
    virtual void LayoutPhotoWnds() = 0;
    virtual void UpdatePageButtons() = 0;
    // The album-changed flag: the album is saved when the dialog ends.
    virtual void SetModified(BOOL modified) = 0;
};
