#pragma once
// CResManagerSplitterView: the right half of the resource manager, an inner splitter with the object view
// above the details view. The upper row keeps three quarters of the height, at least 100 pixels.

#include "platform/ui/SplitterWnd.h"
#include "platform/ui/View.h"

class CResManagerSplitterView : public CView {
    DECLARE_DYNCREATE(CResManagerSplitterView)
public:
    void OnDraw(CDC* dc) override;
    CSplitterWnd& GetSplitter() { return m_splitter; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL HasCommandHandler(UINT id) const override;

    // The run-time class of the lower pane, by name, so that the details view's own unit stays apart.
    static constexpr char kDetailsViewClass[] = "CResManagerDetailsView";

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    CSplitterWnd m_splitter;
};
