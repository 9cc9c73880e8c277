#pragma once
// What a scroll bar holds, where its parts lie along it, how it is drawn and how a press on it turns into
// scroll requests. Shared by the bars of windows and the scroll bar control. Private to platform/ui.

#include "platform/gdi/Dc.h"
#include "platform/ui/ScrollBar.h"

#include <vector>

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct ScrollBarState {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    UINT disabledArrows = ESB_ENABLE_BOTH;
    // Set by SIF_DISABLENOSCROLL: a window's bar stays, disabled, while the range needs none.
    bool keepWhenUnneeded = false;
    // The press being followed: the part pressed, the thumb's position as last dragged (the position
    // otherwise), and where on the thumb the press was, along the bar.
    ScrollPart pressed = ScrollPart::None;
    int trackPos = 0;
    int grab = 0;
};

// A scroll request to send: the SB_ code and the position that goes with it.
struct ScrollRequest {
    UINT code;
    int position;
};

// Applies the fields info->fMask names, keeping page and position inside the range; the new position.
int ApplyScrollInfo(ScrollBarState& state, const SCROLLINFO& info);
void ReadScrollInfo(const ScrollBarState& state, SCROLLINFO& info);
// The largest position: the maximum less the page.
int ScrollLimit(const ScrollBarState& state);
// Whether the range is larger than the page, so that there is something to scroll.
bool ScrollBarNeeded(const ScrollBarState& state);
bool ScrollBarUsable(const ScrollBarState& state);

// The parts of a bar occupying rect, lengthwise along vertical or horizontal.
class ScrollBarGeometry {
public:
    ScrollBarGeometry(const CRect& rect, bool vertical, const ScrollBarState& state);
    CRect PartRect(ScrollPart part) const;
    ScrollPart PartAt(CPoint point) const;
    // Along the bar from its start.
    int Along(CPoint point) const;
    int ThumbStart() const { return m_thumbStart; }
    // The position that puts the thumb's start at an offset along the bar.
    int PositionAtThumbStart(int offset) const;

private:
    CRect Span(int start, int end) const;

    CRect m_rect;
    bool m_vertical;
    const ScrollBarState& m_state;
    int m_arrow = 0;
    int m_thumbStart = 0;
    int m_thumbLength = 0; // 0: no thumb shows
};

void DrawScrollBar(CDC* dc, const CRect& rect, bool vertical, const ScrollBarState& state);

// A press of the left button at point: starts following it and gives the request to send first.
std::vector<ScrollRequest> PressScrollBar(ScrollBarState& state, const CRect& rect, bool vertical,
                                          CPoint point);
// A move while pressed: SB_THUMBTRACK with the new position while the thumb is dragged.
std::vector<ScrollRequest> DragScrollBar(ScrollBarState& state, const CRect& rect, bool vertical,
                                         CPoint point);
// A tick of the repeat while an arrow or the track stays pressed: its request again while the pointer is
// still on the part pressed (the track's repeat stops when the thumb reaches the pointer).
std::vector<ScrollRequest> RepeatScrollBar(const ScrollBarState& state, const CRect& rect, bool vertical,
                                           CPoint pointer);
// Whether a press on the part repeats while held.
bool RepeatsWhileHeld(ScrollPart part);
// Held arrows and tracks repeat after this delay, then at this interval (milliseconds).
inline constexpr UINT kScrollRepeatDelay = 400;
inline constexpr UINT kScrollRepeatInterval = 50;
// The release: SB_THUMBPOSITION after a drag, then SB_ENDSCROLL.
std::vector<ScrollRequest> ReleaseScrollBar(ScrollBarState& state);

// Sends the requests as message (WM_HSCROLL or WM_VSCROLL) to owner, with sender as the control (null for
// a window's own bar), while the owner lives.
void SendScrollRequests(HWND owner, UINT message, HWND sender, const std::vector<ScrollRequest>& requests);

// The state of a scroll bar control (ScrollBarClass.cpp); null for a window of another class.
ScrollBarState* ScrollControlState(HWND control);
// A tick of the repeat of a held arrow or track of the control.
void RepeatScrollControlPress(HWND control);
// Shows the control's changed state.
void RedrawScrollControl(HWND control);
