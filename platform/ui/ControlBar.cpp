// What tool bars and status bars share: their bar styles and the way their controls' commands go on to
// the frame.
#include "platform/ui/ControlBar.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {

// The CBRS_ bits share the low word and two high bits with window styles; the window keeps none of them.
constexpr DWORD kBarStyleBits = 0x0000FFFF | CBRS_GRIPPER | CBRS_BORDER_3D;

} // namespace

BOOL CControlBar::CreateBar(LPCTSTR className, DWORD style, CWnd* parent, UINT id) {
    m_dwStyle = style & kBarStyleBits;
    return CWnd::CreateEx(0, className, nullptr, (style & ~kBarStyleBits) | WS_CHILD, CRect(0, 0, 0, 0),
                          parent, id);
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A control on the bar (a combo box) speaks to the frame as if it were the frame's own; the frame
    // offers it back to the control (reflection).
    CWnd* parent = GetParent();
    if (parent)
        parent->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}
