#pragma once
// Scroll bars: the bars that WS_HSCROLL and WS_VSCROLL give any window (in its frame, outside the client
// area) and the "ScrollBar" control (CScrollBar). Both hold a range, a page and a position; a press on
// an arrow, the track or the thumb reports WM_HSCROLL or WM_VSCROLL with an SB_ code, and each action
// ends with SB_ENDSCROLL. A window's own bars report to the window with no sender, a control to its
// parent with the control as sender. The bar's owner moves the position; the bar only reports.

#include "platform/ui/Wnd.h"

inline constexpr LPCTSTR WC_SCROLLBAR = "ScrollBar";

// Control styles.
inline constexpr DWORD SBS_HORZ = 0x0000;
inline constexpr DWORD SBS_VERT = 0x0001;

// Which bar: a window's horizontal or vertical one, the control itself, or both of a window's.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
// A bar that the range no longer needs stays, disabled, instead of going away.
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

inline constexpr UINT ESB_ENABLE_BOTH = 0x0000;
inline constexpr UINT ESB_DISABLE_LTUP = 0x0001;
inline constexpr UINT ESB_DISABLE_RTDN = 0x0002;
inline constexpr UINT ESB_DISABLE_BOTH = 0x0003;

// Hit-test codes of a window's bars.
inline constexpr int HTHSCROLL = 6;
inline constexpr int HTVSCROLL = 7;

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos; // the thumb's position while it is dragged, else the position
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// The bar's new position, clamped to the range less the page; 0 for a window without such a bar.
int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw);
// Fills the fields named by info->fMask; FALSE when the window has no such bar.
BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
// The previous position.
int SetScrollPos(HWND window, int bar, int position, BOOL redraw);
int GetScrollPos(HWND window, int bar);
// A range of min == max hides a window's bar.
BOOL SetScrollRange(HWND window, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND window, int bar, int* minPos, int* maxPos);
BOOL ShowScrollBar(HWND window, int bar, BOOL show);
BOOL EnableScrollBar(HWND window, int bar, UINT arrows);

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetScrollPos() const;
    int SetScrollPos(int position, BOOL redraw = TRUE);
    void GetScrollRange(int* minPos, int* maxPos) const;
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    void ShowScrollBar(BOOL show = TRUE);
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL);
    // The largest position the thumb can reach: the maximum less the page.
    int GetScrollLimit();
};
