#pragma once
// CCategoryTile: what every tile of the category panel and the album dialog shares: a small child window
// with a dialog frame that shows one library item, the selected flag its owner sets, a red frame while
// selected, and its own deletion once its window is gone. Owners destroy tiles with DestroyWindow.

#include "platform/ui/Wnd.h"

class CDC;

class CCategoryTile : public CWnd {
public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_DLGFRAME;
    static constexpr COLORREF kFrameColor = RGB(255, 0, 0);

    BOOL IsSelected() const { return m_selected; }
    // Does not repaint; the owner invalidates the tile.
    void SetSelected(BOOL selected) { m_selected = selected ? TRUE : FALSE; }

    // A clip-art drawing object; FALSE for null.
    static BOOL IsDrawClipart(CObject* object);

protected:
    // The 3-pixel red frame on the client rectangle.
    void DrawSelectionFrame(CDC& dc) const;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnNcDestroy() override;

private:
    BYTE m_selected = 0;
};
