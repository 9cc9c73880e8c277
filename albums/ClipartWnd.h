#pragma once
// CClipartWnd: the tile of a clip art. Only edit mode uses it: a click gives the clip art to the selected
// clip-art object, or to the one new object being placed, or starts placing a new one on the page.

#include "albums/ThumbnailTile.h"

class CClipartWnd : public CThumbnailTile {
public:
    explicit CClipartWnd(CDSObj* clipart) : CThumbnailTile(clipart) {}
    CDSObj* GetClipart() const { return GetEntry(); }

protected:
    bool UsesPalette() const override { return false; }
    void OnLButtonDown(UINT flags, CPoint point) override;
};
