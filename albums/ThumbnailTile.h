#pragma once
// CThumbnailTile: a tile of a library entry (photo, clip art, mat or stencil). Its thumbnail is scaled
// once, when the window is created, into an off-screen bitmap of the client size; a paint copies that
// bitmap and adds the selection frame and, when the entry's file is missing, a red "!" badge.

#include "albums/CategoryTile.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"

#include <memory>

class CDSObj;

class CThumbnailTile : public CCategoryTile {
public:
    // The entry stays the album's.
    explicit CThumbnailTile(CDSObj* entry) : m_entry(entry) {}
    ~CThumbnailTile() override;

    CDSObj* GetEntry() const { return m_entry; }
    // TRUE when the entry's file, resolved by the object manager, does not exist.
    virtual BOOL IsFileMissing() const;
    BOOL IsMissingBadgeShown() const { return m_missing; }

    // Where a thumbnail of w x h lands in a client of W x H: scaled by min(W / w, H / h) and centred.
    static CRect FitRect(int clientWidth, int clientHeight, int width, int height);

protected:
    // The frame is drawn over the badge instead of under it.
    virtual bool FrameOverBadge() const { return false; }
    // The thumbnail's colour table goes in as a palette.
    virtual bool UsesPalette() const { return true; }
    // The stretch mode is put back after the thumbnail is drawn.
    virtual bool RestoresStretchMode() const { return true; }

    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;

private:
    void RenderThumbnail(int width, int height);
    void DrawMissingBadge(CDC& dc) const;

    CDSObj* m_entry;
    std::unique_ptr<CDC> m_memoryDC;
    std::unique_ptr<CBitmap> m_offscreen;
    HBITMAP m_previousBitmap = nullptr;
    int m_missing = 0;
};
