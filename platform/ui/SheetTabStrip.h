#pragma once
// The tabs of a property sheet and the raised panel under them, on which the pages lie. A press on a tab
// asks the owner to show that page; the strip marks a page current only when told. Private to
// platform/ui.

#include "platform/ui/Wnd.h"

#include <functional>
#include <vector>

class CDC;

class CSheetTabStrip : public CWnd {
public:
    // The height of the row of tabs over the panel, and the panel's frame.
    static constexpr int kTabHeight = 22;
    static constexpr int kFrame = 2;

    using CWnd::Create;
    // A child of sheet over area, in the sheet's font.
    BOOL Create(CWnd* sheet, const CRect& area, UINT id);
    void SetTitles(std::vector<CString> titles);
    void SetCurrent(int index);
    int GetCurrent() const { return m_current; }
    // The tab under a client point, or -1.
    int HitTest(CPoint point);
    // A tab's rectangle in client coordinates; empty for an index out of range.
    CRect GetTabRect(int index);

    std::function<void(int)> m_onPick;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    std::vector<CRect> TabRects(CDC* dc) const;
    std::vector<CRect> MeasureTabs();
    void DrawTab(CDC* dc, const CRect& tab, const CString& title, bool current) const;

    std::vector<CString> m_titles;
    int m_current = -1;
};
