#pragma once
// What a photo tile asks of the album dialog it lies in: the dialog implements it, and a tile whose
// parent is not the category panel finds it as its parent.

#include "platform/base/WinTypes.h"

class CDSAlbum;
class CPhotoWnd;

class IAlbumPhotoDialog {
public:
    virtual ~IAlbumPhotoDialog() = default;

    // A click with the key flags: Shift extends the selection, Ctrl toggles, else the tile alone.
    virtual void SelectPhoto(CPhotoWnd* tile, UINT keyFlags) = 0;
    // The album shown and the index of its current photo.
    virtual CDSAlbum* GetAlbum() = 0;
    virtual int GetCurrentIndex() = 0;
    // Ends the modal dialog with the result.
    virtual void EndDialog(int result) = 0;
};
