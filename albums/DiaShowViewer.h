#pragma once
// CDiaShowViewer: the entries of an album one at a time over the whole screen, on blue, never enlarged,
// with the file path, the title and "Bild n von m" in a bar at the bottom. The arrow keys step through
// the album; Escape or a click ends the show, and the window deletes itself.

#include "platform/base/Geometry.h"
#include "platform/ui/Wnd.h"

#include <memory>

class CDSAlbum;
class CDSObj;
class CFont;
class CPictureInfo;

// Where the show draws on a screen.
struct DiaShowLayout {
    CRect pictureArea; // from 10 pixels below the top down to the bar
    CRect pathBar;     // the bottom 30 pixels
    CRect pathLine;    // the bar's first line
    CRect titleRect;   // its second line, left
    CRect counterRect; // its second line, right
};

class CDiaShowViewer : public CWnd {
    DECLARE_DYNCREATE(CDiaShowViewer)
public:
    CDiaShowViewer();
    ~CDiaShowViewer() override;

    // The album stepped through (null: one entry alone); before SetStartIndex.
    void SetAlbum(CDSAlbum* album) { m_pAlbum = album; }
    void SetStartIndex(CDSObj* entry);

    // Starts a show of the entry within the album (or alone) over the parent; the window owns itself.
    // Null when the window could not be made.
    static CDiaShowViewer* Start(CDSAlbum* album, CDSObj* entry, CWnd* parent);

    static DiaShowLayout MakeLayout(const CRect& screen);
    // The picture's place in the area: centred, reduced to fit, never enlarged.
    static CRect PictureRect(const CRect& area, CSize picture);

    CDSObj* GetEntry() const { return m_pEntry; }
    // The 1-based place of the entry in the album.
    int GetNumber() const { return m_nNumber; }
    const CPictureInfo* GetPicture() const { return m_pPicture.get(); }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void PostNcDestroy() override;

private:
    void ShowNext();
    void ShowPrevious();
    void ShowFirst();
    void ShowLast();
    // Loads the current entry's picture and repaints at once.
    void ShowEntry();

    std::unique_ptr<CFont> m_pFont;
    COLORREF m_textColor;
    CDSObj* m_pEntry = nullptr;
    int m_nNumber = 0;
    CDSAlbum* m_pAlbum = nullptr;
    std::unique_ptr<CPictureInfo> m_pPicture;
    DiaShowLayout m_layout;
};
