// Command states: CCmdUI, and the answers of a window that has no command handlers of its own.
#include "platform/ui/CmdUI.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/WindowRecord.h"

void CCmdUI::Enable(BOOL /*on*/) {
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int /*check*/) {}

BOOL CCmdUI::DoUpdate(CWnd* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = FALSE;
    if (!target)
        return FALSE;
    if (target->OnUpdateCommandUI(this))
        return TRUE;
    if (target->HasCommandHandler(m_nID)) {
        Enable(TRUE);
        return TRUE;
    }
    if (disableIfNoHandler)
        Enable(FALSE);
    return FALSE;
}

BOOL CWnd::HasCommandHandler(UINT /*id*/) const {
    return FALSE;
}

BOOL CWnd::OnUpdateCommandUI(CCmdUI* /*cmdUI*/) {
    return FALSE;
}

CFrameWnd* CWnd::GetParentFrame() const {
    if (!IsLiveWindow(m_hWnd))
        return nullptr;
    for (HWND window = ::GetParent(m_hWnd); window; window = ::GetParent(window)) {
        CWnd* object = FromHandlePermanent(window);
        if (object && object->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(object);
    }
    return nullptr;
}
