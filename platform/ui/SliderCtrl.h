#pragma once
// CSliderCtrl: a thumb moved along a channel over a range of positions, by the mouse or the keys. Each
// move tells the parent through WM_HSCROLL (WM_VSCROLL for TBS_VERT) with a TB_ code and the position,
// and the end of a move with TB_ENDTRACK.

#include "platform/ui/Wnd.h"

class CDataExchange;

inline constexpr LPCTSTR TRACKBAR_CLASS = "msctls_trackbar32";

inline constexpr DWORD TBS_AUTOTICKS = 0x0001;
inline constexpr DWORD TBS_VERT = 0x0002;
inline constexpr DWORD TBS_HORZ = 0x0000;
inline constexpr DWORD TBS_TOP = 0x0004;
inline constexpr DWORD TBS_BOTH = 0x0008;
inline constexpr DWORD TBS_NOTICKS = 0x0010;

inline constexpr UINT TBM_GETPOS = WM_USER;
inline constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
inline constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
inline constexpr UINT TBM_SETTIC = WM_USER + 4;
inline constexpr UINT TBM_SETPOS = WM_USER + 5;
inline constexpr UINT TBM_SETRANGE = WM_USER + 6;
inline constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
inline constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
inline constexpr UINT TBM_CLEARTICS = WM_USER + 9;
inline constexpr UINT TBM_SETTICFREQ = WM_USER + 20;
inline constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
inline constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
inline constexpr UINT TBM_SETLINESIZE = WM_USER + 23;
inline constexpr UINT TBM_GETLINESIZE = WM_USER + 24;

inline constexpr UINT TB_LINEUP = 0;
inline constexpr UINT TB_LINEDOWN = 1;
inline constexpr UINT TB_PAGEUP = 2;
inline constexpr UINT TB_PAGEDOWN = 3;
inline constexpr UINT TB_THUMBPOSITION = 4;
inline constexpr UINT TB_THUMBTRACK = 5;
inline constexpr UINT TB_TOP = 6;
inline constexpr UINT TB_BOTTOM = 7;
inline constexpr UINT TB_ENDTRACK = 8;

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(int low, int high, BOOL redraw = FALSE);
    void GetRange(int& low, int& high) const;
    int GetRangeMin() const;
    int GetRangeMax() const;
    // Positions are kept inside the range.
    void SetPos(int position);
    int GetPos() const;
    BOOL SetTic(int position);
    void SetTicFreq(int frequency);
    void ClearTics(BOOL redraw = FALSE);
    int SetPageSize(int size);
    int GetPageSize() const;
    int SetLineSize(int size);
    int GetLineSize() const;
};

// The slider's position to or from value.
void DDX_Slider(CDataExchange* exchange, int id, int& value);
