#pragma once
// CWnd: the framework's object over a window handle, with the window functions and the message handlers
// that the program overrides.
//
// A window is created by Create/CreateEx and lives until DestroyWindow (or its parent's destruction).
// Every message reaches WindowProc, which decodes the known ones into the On... handlers; a handler's
// base implementation (or Default()) runs the window class's own processing. Objects that delete
// themselves do so in PostNcDestroy or after CWnd::OnNcDestroy, when the window is gone. Windows and their
// objects belong to the user-interface thread; PostMessage and IsWindow work from any thread.

#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

class CCmdUI;
class CDC;
class CFont;
class CFrameWnd;
class CRgn;
class CScrollBar;
struct SCROLLINFO;

class CWnd : public CObject {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    // Destroys a window that is still there (its messages then go to a stand-in object).
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The object of a window: the one attached to it, else a stand-in of the window's class that lives as
    // long as the window. Null for a handle that names no window.
    static CWnd* FromHandle(HWND window);
    // Only the attached object, or null.
    static CWnd* FromHandlePermanent(HWND window);
    // Makes this object receive the window's messages; FALSE when another object already does.
    BOOL Attach(HWND window);
    HWND Detach();
    // Attaches, then lets the object adapt the window it took over (PreSubclassWindow).
    BOOL SubclassWindow(HWND window) {
        if (!Attach(window))
            return FALSE;
        PreSubclassWindow();
        return TRUE;
    }
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow() { return Detach(); }

    // className null or empty: the default window class. The id is the child window's control id.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, LPVOID createContext = nullptr);
    // For top-level windows x and y are screen coordinates; for child windows, the parent's client ones.
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The message being handled, as the window received it.
    static const MSG* GetCurrentMessage();
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    // State.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    // The nearest ancestor that is a frame window, or null.
    CFrameWnd* GetParentFrame() const;
    CWnd* GetDlgItem(int id) const;
    CWnd* GetWindow(UINT relation) const;
    BOOL IsChild(const CWnd* window) const;
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    // Returns whether the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    // Returns whether the window was visible before.
    BOOL ShowWindow(int command);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;

    // Focus, capture and the windows that have them.
    static CWnd* GetFocus();
    CWnd* SetFocus();
    static CWnd* GetCapture();
    CWnd* SetCapture();
    static CWnd* GetActiveWindow();
    // The desktop: its rectangles are the primary screen's, its context tells the screen's depth.
    static CWnd* GetDesktopWindow();
    static CWnd* WindowFromPoint(POINT point);

    // Geometry. Window rectangles are in screen coordinates; client ones start at (0, 0).
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    // insertAfter: another window (this one goes below it) or &wndTop, &wndBottom, &wndTopMost,
    // &wndNoTopMost; ignored with SWP_NOZORDER.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void BringWindowToTop();
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    // Replaces the window's shape by the region, which the window owns from then on; null removes it.
    // Presses outside the shape go to the window below. Returns nonzero on success.
    int SetWindowRgn(HRGN region, BOOL redraw);
    // Copies the shape into region; returns its type, or ERROR when the window has none.
    int GetWindowRgn(HRGN region) const;

    // Painting. The window keeps its pixels; WM_PAINT repaints what was invalidated.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // Paints what is invalid now, before returning.
    void UpdateWindow();
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
    // A context over the client area, valid until ReleaseDC; what it draws shows at once.
    CDC* GetDC();
    // A context over the whole window, frame included, from its top-left corner.
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    CDC* BeginPaint(LPPAINTSTRUCT paint);
    void EndPaint(LPPAINTSTRUCT paint);

    // Scroll bars of WS_HSCROLL and WS_VSCROLL (SB_HORZ, SB_VERT; SB_CTL for a scroll bar control);
    // see ScrollBar.h.
    int SetScrollInfo(int bar, SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, SCROLLINFO* info, UINT mask = 0x17 /* SIF_ALL */);
    int SetScrollPos(int bar, int position, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int bar, int* minPos, int* maxPos) const;
    int GetScrollLimit(int bar);
    void ShowScrollBar(UINT bar, BOOL show = TRUE);
    BOOL EnableScrollBar(int bar, UINT arrows);
    // Moves the pixels of the client area (or of rect) by dx, dy within clip and invalidates what the
    // move uncovered; without rect the child windows move along.
    void ScrollWindow(int dx, int dy, LPCRECT rect = nullptr, LPCRECT clip = nullptr);

    // Timers: WM_TIMER with the id every elapse milliseconds (at least 10) until killed; setting an id
    // again restarts it. With a procedure, the procedure is called instead.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC procedure = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // Dialog items.
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;

    // Overridables of the framework.
    virtual BOOL PreCreateWindow(CREATESTRUCT& create);
    // Called when the object subclasses an existing window (not when it creates one).
    virtual void PreSubclassWindow() {}
    // Called once the window is gone; objects that own themselves delete themselves here.
    virtual void PostNcDestroy();
    // Sees every queued message of this window and its children first; TRUE swallows it.
    virtual BOOL PreTranslateMessage(MSG* message);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Decodes message into a handler; FALSE when it has none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: wParam holds the id (low word) and the notification code (high word), lParam the
    // sending control. The base reflects the notification to the control, then reports it unhandled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification of this control to its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
    // WM_CTLCOLOR*, scrolling), offered to the control first; TRUE keeps it from the parent.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_NOTIFY that the sending control did not handle itself; TRUE with *result when handled.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Commands that a frame routes here (tool bar buttons, accelerators): whether OnCommand has a
    // handler for the id, and the update handler that sets the command's state (TRUE when there is one).
    virtual BOOL HasCommandHandler(UINT id) const;
    virtual BOOL OnUpdateCommandUI(CCmdUI* cmdUI);

protected:
    // The window class's processing of the message being handled.
    LRESULT Default();

    virtual int OnCreate(LPCREATESTRUCT create);
    virtual void OnDestroy();
    // The base detaches the object from the window and calls PostNcDestroy.
    virtual void OnNcDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enable);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMButtonDown(UINT flags, CPoint point);
    virtual void OnMButtonUp(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual void OnMouseHover(UINT flags, CPoint point);
    virtual void OnMouseLeave();
    virtual void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeatCount, UINT flags);
    virtual void OnSysKeyDown(UINT key, UINT repeatCount, UINT flags);
    virtual void OnSysKeyUp(UINT key, UINT repeatCount, UINT flags);
    // The character as a Unicode code point.
    virtual void OnChar(UINT ch, UINT repeatCount, UINT flags);
    virtual void OnSetFocus(CWnd* oldWindow);
    virtual void OnKillFocus(CWnd* newWindow);
    virtual BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    virtual void OnCaptureChanged(CWnd* window);
    virtual void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem);
    virtual void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measureItem);
    // The brush a control erases with (CTLCOLOR_ kind); the control's own CtlColor answers first. The
    // base gives the class's default.
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);
    // The control's answer to its own colour request, reflected from the parent; null leaves it to the
    // parent.
    virtual HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    // scrollBar is the sending control (a scroll bar, slider or spin button), null for the window's own
    // bars. Compare it with a control's address, or cast it back to the control's class.
    virtual void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
    virtual void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar);
    // point in screen coordinates; (-1, -1) when the menu key asked for it.
    virtual void OnContextMenu(CWnd* window, CPoint point);
    virtual void OnActivateApp(BOOL active, DWORD threadId);
    virtual UINT OnGetDlgCode();
    // point in screen coordinates; the result is a hit-test code (HTCLIENT, HTCAPTION ...).
    virtual LRESULT OnNcHitTest(CPoint point);
    virtual void OnNcLButtonDown(UINT hitTest, CPoint point);

private:
    // Offers a control's notification (WM_NOTIFY, colour request, scroll) to the control's object first.
    BOOL ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL OnNotifyMessage(WPARAM wParam, LPARAM lParam, LRESULT* result);
    friend struct WindowLifetime;
    // The placeholders wndTop, wndBottom, wndTopMost and wndNoTopMost.
    explicit CWnd(HWND placeholder) : m_hWnd(placeholder) {}
};

// Free forms of the window functions, for code that holds handles.
BOOL IsWindow(HWND window);
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message for the window's thread; safe from any thread. FALSE when the window is gone.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The window class's default processing, for class procedures and handlers.
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateWindowEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
HWND GetParent(HWND window);
HWND GetFocus();
HWND SetFocus(HWND window);
HWND GetCapture();
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);
BOOL GetClientRect(HWND window, LPRECT rect);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// The state of a key or mouse button as of the last input message: the high bit set while it is down.
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
// The pointer's position in screen coordinates, as of the last mouse message.
BOOL GetCursorPos(LPPOINT point);
// Milliseconds since an arbitrary start; follows the manual clock while tests drive timers.
DWORD GetTickCount();
// Registers a window class for CreateEx and returns its name; the same arguments give the same name.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
// Ends the application's event loop with the exit code, once the current message is handled.
void PostQuitMessage(int exitCode);
