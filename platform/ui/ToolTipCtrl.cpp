#include "platform/ui/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0, 0,
                    parent ? parent->m_hWnd : nullptr, nullptr);
}

void CToolTipCtrl::Activate(BOOL activate) {
    SendMessage(TTM_ACTIVATE, activate);
}

TOOLINFO CToolTipCtrl::ToolOf(CWnd* window, LPCRECT rect, UINT_PTR toolId) const {
    TOOLINFO tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window ? window->m_hWnd : nullptr;
    if (rect) {
        tool.rect = *rect;
        tool.uId = toolId;
    } else {
        tool.uFlags = TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(tool.hwnd);
    }
    return tool;
}

BOOL CToolTipCtrl::AddTool(CWnd* window, UINT textId, LPCRECT rect, UINT_PTR toolId) {
    TOOLINFO tool = ToolOf(window, rect, toolId);
    tool.hinst = AfxGetResourceHandle();
    tool.lpszText = const_cast<LPTSTR>(MAKEINTRESOURCE(static_cast<WORD>(textId)));
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool)));
}

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCTSTR text, LPCRECT rect, UINT_PTR toolId) {
    TOOLINFO tool = ToolOf(window, rect, toolId);
    tool.lpszText = const_cast<LPTSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool)));
}

void CToolTipCtrl::DelTool(CWnd* window, UINT_PTR toolId) {
    TOOLINFO tool = ToolOf(window, nullptr, 0);
    if (toolId) {
        tool.uFlags = 0;
        tool.uId = toolId;
    }
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTipCtrl::RelayEvent(LPMSG message) {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

void CToolTipCtrl::GetText(CString& text, CWnd* window, UINT_PTR toolId) const {
    TOOLINFO tool = ToolOf(window, nullptr, 0);
    if (toolId) {
        tool.uFlags = 0;
        tool.uId = toolId;
    }
    constexpr int kTextSize = 1024;
    char buffer[kTextSize] = {};
    tool.lpszText = buffer;
    SendMessage(TTM_GETTEXT, kTextSize, reinterpret_cast<LPARAM>(&tool));
    text = buffer;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* window, UINT_PTR toolId) {
    TOOLINFO tool = ToolOf(window, nullptr, 0);
    if (toolId) {
        tool.uFlags = 0;
        tool.uId = toolId;
    }
    tool.lpszText = const_cast<LPTSTR>(text);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTipCtrl::SetDelayTime(UINT delay) {
    SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(static_cast<WORD>(delay), 0));
}

void CToolTipCtrl::SetDelayTime(DWORD which, int milliseconds) {
    SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(static_cast<WORD>(milliseconds), 0));
}

void CToolTipCtrl::Pop() {
    SendMessage(TTM_POP);
}
