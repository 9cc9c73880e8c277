#pragma once
// CFrameWnd: a window that holds control bars and a pane, here always a child window (inside a dialog or
// property page), without docking. Tool bars (CBRS_ALIGN_TOP) are stacked at the top in the order they
// were made, the status bar (CBRS_ALIGN_BOTTOM) lies at the bottom, and the child with the id
// AFX_IDW_PANE_FIRST (a view or a splitter) fills what is left.
//
// Commands of tool bars and accelerators go to the active view first, then to the frame (its OnCommand);
// a command that an update handler disables is not run.
// After each input the tool bars ask the same two for the state of their buttons; a command that neither
// handles is disabled.

#include "platform/ui/Accelerator.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/FrameIds.h"
#include "platform/ui/Wnd.h"

class CDocument;
class CView;

// Posted to a frame after input, so that its bars show the commands' new states.
inline constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    using CWnd::Create;
    // Creates the frame as a child of parent (style holds WS_CHILD); menuName must be null. context
    // reaches OnCreateClient.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        LPCTSTR menuName = nullptr, DWORD exStyle = 0, CCreateContext* context = nullptr);

    // Makes the pane: the base creates the context's new view class, if any, as AFX_IDW_PANE_FIRST.
    virtual BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context);
    // A view of the context's new view class as a child with the id; null when it cannot be made.
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

    CView* GetActiveView() const { return m_pViewActive; }
    // notify: tell both views through OnActivateView.
    void SetActiveView(CView* view, BOOL notify = TRUE);
    CDocument* GetActiveDocument() const;

    // Shows the frame (-1: SW_SHOW) and brings its bars up to date.
    virtual void ActivateFrame(int showCommand = -1);
    // Places the bars and the pane over the client area.
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Loads the accelerator table that PreTranslateMessage uses; FALSE when the module has none.
    BOOL LoadAccelTable(LPCTSTR resourceName);
    // Asks the active view and the frame for the state of every tool bar button now.
    void UpdateCommandUI();
    // Lets the active view, else the frame, set the command's state; disabled when neither handles it
    // and disableIfNoHandler is set.
    void UpdateCommand(CCmdUI* cmdUI, BOOL disableIfNoHandler);

    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    // The frame deletes itself.
    void PostNcDestroy() override;

    CView* m_pViewActive = nullptr;
    HACCEL m_hAccelTable = nullptr;

private:
    // The active view's handler, when it has one, for a command of a bar or an accelerator.
    BOOL RouteToActiveView(WPARAM wParam, LPARAM lParam);
    bool IsRoutedCommand(WPARAM wParam, LPARAM lParam) const;
    bool m_updatePosted = false;
};
