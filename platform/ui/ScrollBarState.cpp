// A scroll bar's range, page and position, its parts (two arrows, the track on either side of the thumb,
// the thumb sized by the page), drawn by this layer alike under every Qt style, and the press that
// scrolls by a line, a page or a drag of the thumb.

#include "platform/ui/ScrollBarState.h"

#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

// A thumb sized by a small page still stays this long to be grabbed.
constexpr int kMinThumbLength = 8;

long long RangeLength(const ScrollBarState& state) {
    return static_cast<long long>(state.max) - state.min + 1;
}

// The request of a press on an arrow or the track.
UINT RequestOf(ScrollPart part) {
    switch (part) {
    case ScrollPart::LineUp:
        return SB_LINEUP;
    case ScrollPart::PageUp:
        return SB_PAGEUP;
    case ScrollPart::PageDown:
        return SB_PAGEDOWN;
    case ScrollPart::LineDown:
        return SB_LINEDOWN;
    default:
        return SB_ENDSCROLL;
    }
}

} // namespace

int ScrollLimit(const ScrollBarState& state) {
    return std::max(state.min, state.max - std::max(static_cast<int>(state.page) - 1, 0));
}

bool ScrollBarNeeded(const ScrollBarState& state) {
    return state.max > state.min && static_cast<long long>(state.page) < RangeLength(state);
}

bool ScrollBarUsable(const ScrollBarState& state) {
    return ScrollBarNeeded(state) && state.disabledArrows != ESB_DISABLE_BOTH;
}

int ApplyScrollInfo(ScrollBarState& state, const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        state.min = info.nMin;
        state.max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        state.page = info.nPage;
    if (info.fMask & SIF_POS)
        state.pos = info.nPos;
    if (info.fMask & (SIF_RANGE | SIF_PAGE))
        state.keepWhenUnneeded = (info.fMask & SIF_DISABLENOSCROLL) != 0;
    state.page = static_cast<UINT>(std::min<long long>(state.page, RangeLength(state)));
    state.pos = std::clamp(state.pos, state.min, ScrollLimit(state));
    if (state.pressed != ScrollPart::Thumb)
        state.trackPos = state.pos;
    return state.pos;
}

void ReadScrollInfo(const ScrollBarState& state, SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        info.nMin = state.min;
        info.nMax = state.max;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = state.page;
    if (info.fMask & SIF_POS)
        info.nPos = state.pos;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = state.trackPos;
}

ScrollBarGeometry::ScrollBarGeometry(const CRect& rect, bool vertical, const ScrollBarState& state)
    : m_rect(rect), m_vertical(vertical), m_state(state) {
    const int length = vertical ? rect.Height() : rect.Width();
    const int thickness = vertical ? rect.Width() : rect.Height();
    // Arrows are square until the bar is too short for two of them.
    m_arrow = std::min(thickness, length / 2);
    const int track = length - 2 * m_arrow;
    if (!ScrollBarUsable(state))
        return;
    const long long range = RangeLength(state);
    int thumb = state.page == 0 ? GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB)
                                : static_cast<int>(track * static_cast<long long>(state.page) / range);
    thumb = std::max(thumb, kMinThumbLength);
    if (thumb > track)
        return;
    m_thumbLength = thumb;
    const int span = ScrollLimit(state) - state.min;
    const int shown = state.pressed == ScrollPart::Thumb ? state.trackPos : state.pos;
    const int free = track - thumb;
    m_thumbStart =
        m_arrow + (span > 0 ? static_cast<int>(static_cast<long long>(shown - state.min) * free / span) : 0);
}

CRect ScrollBarGeometry::Span(int start, int end) const {
    return m_vertical ? CRect(m_rect.left, m_rect.top + start, m_rect.right, m_rect.top + end)
                      : CRect(m_rect.left + start, m_rect.top, m_rect.left + end, m_rect.bottom);
}

CRect ScrollBarGeometry::PartRect(ScrollPart part) const {
    const int length = m_vertical ? m_rect.Height() : m_rect.Width();
    const int thumbEnd = m_thumbLength ? m_thumbStart + m_thumbLength : m_arrow;
    const int pageUpEnd = m_thumbLength ? m_thumbStart : m_arrow;
    switch (part) {
    case ScrollPart::LineUp:
        return Span(0, m_arrow);
    case ScrollPart::PageUp:
        return Span(m_arrow, pageUpEnd);
    case ScrollPart::Thumb:
        return m_thumbLength ? Span(m_thumbStart, thumbEnd) : CRect();
    case ScrollPart::PageDown:
        return m_thumbLength ? Span(thumbEnd, length - m_arrow) : CRect();
    case ScrollPart::LineDown:
        return Span(length - m_arrow, length);
    case ScrollPart::None:
        break;
    }
    return {};
}

ScrollPart ScrollBarGeometry::PartAt(CPoint point) const {
    for (const ScrollPart part : {ScrollPart::LineUp, ScrollPart::Thumb, ScrollPart::PageUp,
                                  ScrollPart::PageDown, ScrollPart::LineDown}) {
        if (PartRect(part).PtInRect(point))
            return part;
    }
    return ScrollPart::None;
}

int ScrollBarGeometry::Along(CPoint point) const {
    return m_vertical ? point.y - m_rect.top : point.x - m_rect.left;
}

int ScrollBarGeometry::PositionAtThumbStart(int offset) const {
    const int length = m_vertical ? m_rect.Height() : m_rect.Width();
    const int free = length - 2 * m_arrow - m_thumbLength;
    const int span = ScrollLimit(m_state) - m_state.min;
    if (free <= 0 || span <= 0)
        return m_state.min;
    const long long moved = std::clamp(offset - m_arrow, 0, free);
    return m_state.min + static_cast<int>((moved * span + free / 2) / free);
}

void DrawScrollBar(CDC* dc, const CRect& rect, bool vertical, const ScrollBarState& state) {
    if (rect.IsRectEmpty())
        return;
    const ScrollBarGeometry geometry(rect, vertical, state);
    const bool usable = ScrollBarUsable(state);
    const auto arrow = [&](ScrollPart part, UINT kind, UINT disabledBit) {
        CRect box = geometry.PartRect(part);
        UINT flags = kind;
        if (!usable || (state.disabledArrows & disabledBit))
            flags |= DFCS_INACTIVE;
        if (state.pressed == part)
            flags |= DFCS_PUSHED | DFCS_FLAT;
        dc->DrawFrameControl(&box, DFC_SCROLL, flags);
    };
    arrow(ScrollPart::LineUp, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, ESB_DISABLE_LTUP);
    arrow(ScrollPart::LineDown, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, ESB_DISABLE_RTDN);
    const CRect up = geometry.PartRect(ScrollPart::LineUp);
    CRect track = rect;
    if (vertical)
        track.DeflateRect(0, up.Height());
    else
        track.DeflateRect(up.Width(), 0);
    CBrush trackBrush(GetSysColor(COLOR_SCROLLBAR));
    dc->FillRect(&track, &trackBrush);
    for (const ScrollPart page : {ScrollPart::PageUp, ScrollPart::PageDown}) {
        CRect pressedPage = geometry.PartRect(page);
        if (state.pressed != page || pressedPage.IsRectEmpty())
            continue;
        CBrush dark(GetSysColor(COLOR_3DDKSHADOW));
        dc->FillRect(&pressedPage, &dark);
    }
    CRect thumb = geometry.PartRect(ScrollPart::Thumb);
    if (!thumb.IsRectEmpty())
        dc->DrawEdge(&thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

std::vector<ScrollRequest> PressScrollBar(ScrollBarState& state, const CRect& rect, bool vertical,
                                          CPoint point) {
    if (!ScrollBarUsable(state))
        return {};
    const ScrollBarGeometry geometry(rect, vertical, state);
    const ScrollPart part = geometry.PartAt(point);
    const bool upDisabled = (state.disabledArrows & ESB_DISABLE_LTUP) != 0;
    const bool downDisabled = (state.disabledArrows & ESB_DISABLE_RTDN) != 0;
    if (part == ScrollPart::None || (part == ScrollPart::LineUp && upDisabled) ||
        (part == ScrollPart::LineDown && downDisabled))
        return {};
    state.pressed = part;
    state.trackPos = state.pos;
    if (part == ScrollPart::Thumb) {
        state.grab = geometry.Along(point) - geometry.ThumbStart();
        return {};
    }
    return {{RequestOf(part), 0}};
}

bool RepeatsWhileHeld(ScrollPart part) {
    return part != ScrollPart::None && part != ScrollPart::Thumb;
}

std::vector<ScrollRequest> RepeatScrollBar(const ScrollBarState& state, const CRect& rect, bool vertical,
                                           CPoint pointer) {
    if (!RepeatsWhileHeld(state.pressed) || !ScrollBarUsable(state))
        return {};
    const ScrollBarGeometry geometry(rect, vertical, state);
    if (geometry.PartAt(pointer) != state.pressed)
        return {};
    return {{RequestOf(state.pressed), 0}};
}

std::vector<ScrollRequest> DragScrollBar(ScrollBarState& state, const CRect& rect, bool vertical,
                                         CPoint point) {
    if (state.pressed != ScrollPart::Thumb)
        return {};
    const ScrollBarGeometry geometry(rect, vertical, state);
    const int position = geometry.PositionAtThumbStart(geometry.Along(point) - state.grab);
    if (position == state.trackPos)
        return {};
    state.trackPos = position;
    return {{SB_THUMBTRACK, position}};
}

std::vector<ScrollRequest> ReleaseScrollBar(ScrollBarState& state) {
    if (state.pressed == ScrollPart::None)
        return {};
    std::vector<ScrollRequest> requests;
    if (state.pressed == ScrollPart::Thumb)
        requests.push_back({SB_THUMBPOSITION, state.trackPos});
    requests.push_back({SB_ENDSCROLL, 0});
    state.pressed = ScrollPart::None;
    return requests;
}

void SendScrollRequests(HWND owner, UINT message, HWND sender, const std::vector<ScrollRequest>& requests) {
    for (const ScrollRequest& request : requests) {
        if (!IsLiveWindow(owner))
            return;
        SendToWindow(owner, message,
                     MAKEWPARAM(static_cast<WORD>(request.code), static_cast<WORD>(request.position)),
                     reinterpret_cast<LPARAM>(sender));
    }
}
