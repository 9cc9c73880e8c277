// The static splitter: panes on a grid, sizes from each row's and column's ideal and minimum, and bars
// the user drags to move the room between two neighbours.
#include "platform/ui/SplitterWnd.h"

#include "platform/ui/CreateContext.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

namespace {

constexpr int kMaxTracks = 16;

} // namespace

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, DWORD style, UINT id) {
    if (!parent || rows < 1 || columns < 1 || rows > kMaxTracks || columns > kMaxTracks || m_hWnd)
        return FALSE;
    m_rows.assign(static_cast<size_t>(rows), Track{});
    m_columns.assign(static_cast<size_t>(columns), Track{});
    CRect rect;
    parent->GetClientRect(&rect);
    return CWnd::CreateEx(0, nullptr, nullptr, style | WS_CHILD, rect, parent, id);
}

int CSplitterWnd::IdFromRowCol(int row, int column) const {
    return static_cast<int>(AFX_IDW_PANE_FIRST) + row * 16 + column;
}

BOOL CSplitterWnd::CreateView(int row, int column, CRuntimeClass* viewClass, SIZE initialSize,
                              CCreateContext* context) {
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount() || !viewClass ||
        GetPane(row, column))
        return FALSE;
    m_rows[static_cast<size_t>(row)].ideal = initialSize.cy;
    m_columns[static_cast<size_t>(column)].ideal = initialSize.cx;
    CObject* object = viewClass->CreateObject();
    auto* pane = object && object->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(object) : nullptr;
    if (!pane) {
        delete object;
        return FALSE;
    }
    CCreateContext paneContext;
    if (context)
        paneContext = *context;
    paneContext.m_pNewViewClass = viewClass;
    const CRect rect(0, 0, initialSize.cx, initialSize.cy);
    // A pane that fails deletes itself when its window goes; one that never had a window is deleted here.
    if (!pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this,
                      static_cast<UINT>(IdFromRowCol(row, column)), &paneContext)) {
        if (!pane->m_hWnd)
            delete pane;
        return FALSE;
    }
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int column) const {
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount())
        return nullptr;
    return GetDlgItem(IdFromRowCol(row, column));
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum) {
    if (row < 0 || row >= GetRowCount())
        return;
    m_rows[static_cast<size_t>(row)].ideal = std::max(0, ideal);
    m_rows[static_cast<size_t>(row)].minimum = std::max(0, minimum);
}

void CSplitterWnd::SetColumnInfo(int column, int ideal, int minimum) {
    if (column < 0 || column >= GetColumnCount())
        return;
    m_columns[static_cast<size_t>(column)].ideal = std::max(0, ideal);
    m_columns[static_cast<size_t>(column)].minimum = std::max(0, minimum);
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const {
    current = minimum = 0;
    if (row < 0 || row >= GetRowCount())
        return;
    current = m_rows[static_cast<size_t>(row)].current;
    minimum = m_rows[static_cast<size_t>(row)].minimum;
}

void CSplitterWnd::GetColumnInfo(int column, int& current, int& minimum) const {
    current = minimum = 0;
    if (column < 0 || column >= GetColumnCount())
        return;
    current = m_columns[static_cast<size_t>(column)].current;
    minimum = m_columns[static_cast<size_t>(column)].minimum;
}

void CSplitterWnd::Distribute(std::vector<Track>& tracks, int room) {
    int left = std::max(0, room - kBarSize * (static_cast<int>(tracks.size()) - 1));
    for (size_t i = 0; i + 1 < tracks.size(); ++i) {
        tracks[i].current = std::min(std::max(tracks[i].ideal, tracks[i].minimum), left);
        left -= tracks[i].current;
    }
    tracks.back().current = left;
}

void CSplitterWnd::RecalcLayout() {
    if (!m_hWnd || m_rows.empty())
        return;
    CRect client;
    GetClientRect(&client);
    Distribute(m_rows, client.Height());
    Distribute(m_columns, client.Width());
    int y = 0;
    for (int row = 0; row < GetRowCount(); ++row) {
        const int height = m_rows[static_cast<size_t>(row)].current;
        int x = 0;
        for (int column = 0; column < GetColumnCount(); ++column) {
            const int width = m_columns[static_cast<size_t>(column)].current;
            if (CWnd* pane = GetPane(row, column))
                pane->MoveWindow(x, y, width, height);
            x += width + kBarSize;
        }
        y += height + kBarSize;
    }
    Invalidate();
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    // Only the bars show: the panes cover the rest.
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
}

bool CSplitterWnd::HitBar(CPoint point, bool& horizontal, int& index) const {
    int y = 0;
    for (int row = 0; row + 1 < GetRowCount(); ++row) {
        y += m_rows[static_cast<size_t>(row)].current;
        if (point.y >= y && point.y < y + kBarSize) {
            horizontal = true;
            index = row;
            return true;
        }
        y += kBarSize;
    }
    int x = 0;
    for (int column = 0; column + 1 < GetColumnCount(); ++column) {
        x += m_columns[static_cast<size_t>(column)].current;
        if (point.x >= x && point.x < x + kBarSize) {
            horizontal = false;
            index = column;
            return true;
        }
        x += kBarSize;
    }
    return false;
}

void CSplitterWnd::OnLButtonDown(UINT /*flags*/, CPoint point) {
    if (!HitBar(point, m_trackHorizontal, m_trackIndex))
        return;
    m_tracking = true;
    SetCapture();
}

void CSplitterWnd::DragBarTo(CPoint point) {
    std::vector<Track>& tracks = m_trackHorizontal ? m_rows : m_columns;
    Track& before = tracks[static_cast<size_t>(m_trackIndex)];
    Track& after = tracks[static_cast<size_t>(m_trackIndex) + 1];
    int start = 0;
    for (int i = 0; i < m_trackIndex; ++i)
        start += tracks[static_cast<size_t>(i)].current + kBarSize;
    // The two neighbours share their room; each keeps at least its minimum while the room allows.
    const int room = before.current + after.current;
    const int wanted = (m_trackHorizontal ? point.y : point.x) - start - kBarSize / 2;
    const int lowest = std::min(before.minimum, room);
    const int highest = std::max(lowest, room - after.minimum);
    const int size = std::clamp(wanted, lowest, highest);
    if (size == before.current)
        return;
    before.ideal = size;
    after.ideal = room - size;
    RecalcLayout();
}

void CSplitterWnd::OnMouseMove(UINT /*flags*/, CPoint point) {
    if (m_tracking)
        DragBarTo(point);
}

void CSplitterWnd::OnLButtonUp(UINT /*flags*/, CPoint point) {
    if (!m_tracking)
        return;
    DragBarTo(point);
    m_tracking = false;
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CSplitterWnd::OnCaptureChanged(CWnd* window) {
    if (window != this)
        m_tracking = false;
    CWnd::OnCaptureChanged(window);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    bool horizontal = false;
    int index = 0;
    if (window == this && (m_tracking || HitBar(point, horizontal, index))) {
        if (m_tracking)
            horizontal = m_trackHorizontal;
        SetCursor(LoadCursor(nullptr, horizontal ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    }
    return CWnd::OnSetCursor(window, hitTest, message);
}
