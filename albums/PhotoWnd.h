#pragma once
// CPhotoWnd: the tile of a photo, in the category panel or in the album dialog. A click selects it (and
// in normal mode the panel puts the photo on the page); in edit mode it gives the photo to the selected
// picture objects, or starts a drag onto the page when none is selected. A double click in the album
// dialog shows the dialog's album and photo in the panel and ends the dialog.

#include "albums/ThumbnailTile.h"

class CPhotoWnd : public CThumbnailTile {
public:
    explicit CPhotoWnd(CDSObj* photo) : CThumbnailTile(photo) {}
    CDSObj* GetPhoto() const { return GetEntry(); }

protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
};
