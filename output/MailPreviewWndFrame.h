#pragma once
// CMailPreviewWndFrame: the borderless child frame inside the preview page that holds the zoom tool bar
// and the preview view, and applies the zoom box's choice and the page state.

#include "output/MailPreviewToolBar.h"
#include "platform/ui/FrameWnd.h"

class CMailPreviewView;

class CMailPreviewWndFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMailPreviewWndFrame)
public:
    CMailPreviewWndFrame() = default;

    // The pane's preview view; null when there is none.
    CMailPreviewView* GetPreviewView() const;
    CMailPreviewToolBar& GetToolBar() { return m_toolBar; }

    BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnUpdateCommandUI(CCmdUI* cmdUI) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;

private:
    LRESULT OnZoom(LPARAM code);
    void OnPages(int index, int count);

    CMailPreviewToolBar m_toolBar;
    CMailPreviewView* m_pView = nullptr;
    // The page commands' states: first, previous, next, last.
    bool m_pageCommands[4] = {};
};
