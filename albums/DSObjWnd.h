#pragma once
// CDSObjWnd: the tile of a mat or a stencil. Its frame is drawn over the missing-file badge. In edit mode
// a click gives a copy to the selected picture objects, or starts a drag onto the page when none is
// selected.

#include "albums/ThumbnailTile.h"

class CDSObjWnd : public CThumbnailTile {
public:
    explicit CDSObjWnd(CDSObj* item) : CThumbnailTile(item) {}
    CDSObj* GetObject() const { return GetEntry(); }

protected:
    bool FrameOverBadge() const override { return true; }
    void OnLButtonDown(UINT flags, CPoint point) override;
};
