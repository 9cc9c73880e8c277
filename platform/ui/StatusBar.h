#pragma once
// CStatusBar: the bar at the bottom of a frame, divided into panes. The first pane stretches over what the
// others leave; the others have a fixed width. The owner places its own controls over the panes'
// rectangles. The bar's font (GetFont) is the stock DEFAULT_GUI_FONT from its creation on.

#include "platform/ui/ControlBar.h"

#include <vector>

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    using CWnd::Create;
    // style: WS_ and CBRS_ styles.
    virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT id = AFX_IDW_STATUS_BAR);
    // One pane per id; ID_SEPARATOR panes hold no text of their own. FALSE for a count below 1.
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // In the bar's client coordinates.
    void GetItemRect(int index, LPRECT rect) const;

    int CalcHeight() const override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    // Width of every pane but the first.
    static constexpr int kFixedPaneWidth = 160;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    std::vector<UINT> m_panes;
};
