#pragma once
// CMailPreviewToolBar: the preview frame's tool bar: the zoom box over a 100-pixel separator and the
// next-page button. A choice in the zoom box asks the frame for that zoom (WM_MAILPREVIEW_ZOOM).

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ToolBar.h"

class CMailPreviewToolBar : public CToolBar {
public:
    static constexpr UINT kZoomBoxId = 19;
    static constexpr UINT kNextPageId = 32934;

    // Loads tool bar 731 and sets its two items; FALSE when either fails. A zoom box that cannot be made
    // leaves the bar without it.
    BOOL CreatePreviewBar(CWnd* parent);

    CComboBox& GetZoomBox() { return m_zoomBox; }
    void OnZoomSelChange();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void OnDestroy() override;

private:
    void FillZoomBox();

    CFont m_font;
    CComboBox m_zoomBox;
};
