// The status bar: panes side by side, the first stretching over what the fixed ones leave.
#include "platform/ui/StatusBar.h"

#include "platform/ui/PaintDC.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

// Room above and below the panes, and between two panes.
constexpr int kBarEdge = 2;
constexpr int kPaneGap = 2;
// Tall enough for a line of the status font in a sunken pane.
constexpr int kPaneHeight = 18;

} // namespace

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    return CreateBar(nullptr, style, parent, id);
}

int CStatusBar::OnCreate(LPCREATESTRUCT create) {
    if (CControlBar::OnCreate(create) == -1)
        return -1;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return 0;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    if (count < 1 || !ids)
        return FALSE;
    m_panes.assign(ids, ids + count);
    Invalidate();
    return TRUE;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const {
    *rect = CRect(0, 0, 0, 0);
    if (index < 0 || index >= GetCount())
        return;
    CRect client;
    GetClientRect(&client);
    const int top = kBarEdge;
    const int bottom = std::max(top, client.bottom - kBarEdge);
    // Fixed panes are laid out from the right edge; the first pane takes the rest.
    int right = client.right - kBarEdge;
    for (int i = GetCount() - 1; i > 0; --i) {
        const int left = std::max(0, right - kFixedPaneWidth);
        if (i == index) {
            *rect = CRect(left, top, right, bottom);
            return;
        }
        right = std::max(0, left - kPaneGap);
    }
    *rect = CRect(std::min(kBarEdge, right), top, right, bottom);
}

int CStatusBar::CalcHeight() const {
    return kPaneHeight + 2 * kBarEdge;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* /*target*/, BOOL /*disableIfNoHandler*/) {}

BOOL CStatusBar::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CStatusBar::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < GetCount(); ++i) {
        CRect pane;
        GetItemRect(i, &pane);
        dc.DrawEdge(&pane, BDR_SUNKENOUTER, BF_RECT);
    }
}
