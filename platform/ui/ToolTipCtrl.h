#pragma once
// CToolTipCtrl: tips for tools, each a whole window or a rectangle of one. The owner relays its mouse
// messages (RelayEvent, usually from PreTranslateMessage); a tip shows after the pointer rests on a tool
// for the initial delay and goes after the autopop delay, on a click, or when the pointer leaves the tool.

#include "platform/ui/Wnd.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    using CWnd::Create;
    BOOL Create(CWnd* parent, DWORD style = 0);
    void Activate(BOOL activate);
    // The tool is the whole window when rect is null (the window is then its id), else that rectangle of
    // the window's client area under toolId. textId is a string of the current resource handle.
    BOOL AddTool(CWnd* window, UINT textId, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    BOOL AddTool(CWnd* window, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* window, UINT_PTR toolId = 0);
    void RelayEvent(LPMSG message);
    int GetToolCount() const;
    void GetText(CString& text, CWnd* window, UINT_PTR toolId = 0) const;
    void UpdateTipText(LPCTSTR text, CWnd* window, UINT_PTR toolId = 0);
    // One delay sets the others: initial = delay, autopop = 10 x delay.
    void SetDelayTime(UINT delay);
    void SetDelayTime(DWORD which, int milliseconds);
    void Pop();

private:
    TOOLINFO ToolOf(CWnd* window, LPCRECT rect, UINT_PTR toolId) const;
};
