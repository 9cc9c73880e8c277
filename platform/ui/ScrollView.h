#pragma once
// CScrollView: a view larger than its window. SetScrollSizes gives the size of the whole drawing in
// device pixels (MM_TEXT only); the window's scroll bars show the part in view, and OnPrepareDC moves the
// context's origin by the scroll position, so OnDraw draws as if the view were not scrolled.

#include "platform/ui/View.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    // A page or line size of 0 x 0: a tenth of the total, and a tenth of the page.
    static const SIZE sizeDefault;

    CScrollView() = default;

    // mapMode must be MM_TEXT; sizes in device pixels.
    void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault,
                        const SIZE& line = sizeDefault);
    CSize GetTotalSize() const { return m_totalDev; }
    CPoint GetScrollPosition() const;
    // Scrolls so that point (clamped to the scroll range) lies at the window's top left.
    void ScrollToPosition(POINT point);

    void OnPrepareDC(CDC* dc) override;

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;

private:
    // Range, page and position of both bars for the total size and the client area.
    void UpdateBars();
    void ScrollBy(int bar, UINT code);

    int m_nMapMode = 0;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
};
