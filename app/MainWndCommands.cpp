// The main window's own commands, minimize and close, and what it sees of every message first. Every
// other button posts its command here too; what is not in the table goes on to the default handling.

#include "app/MainWnd.h"
#include "platform/base/AppServices.h"
#include "platform/ui/CommandMap.h"

namespace {

constexpr UINT kSaveQuestionId = 215;

const CommandEntry<CMainWnd> kCommands[] = {
    {1000, BN_CLICKED, &CMainWnd::OnMinimize},
    {1001, BN_CLICKED, &CMainWnd::OnCloseButton},
    {2081, BN_CLICKED, &CMainWnd::OnEditMode},
};

} // namespace

BOOL CMainWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    return DispatchCommand(*this, kCommands, wParam) || CWnd::OnCommand(wParam, lParam);
}

BOOL CMainWnd::PreTranslateMessage(MSG* message) {
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(message);
    return CWnd::PreTranslateMessage(message);
}

void CMainWnd::OnClose() {
    ClearUndo();
    CWnd::OnClose();
}

void CMainWnd::OnMinimize() {
    ShowWindow(SW_MINIMIZE);
}

// A modified project is offered for saving first; Cancel keeps the program running. Nothing sets the
// modified flag before projects can be saved, so Yes has no save to run yet and closes like No.
void CMainWnd::OnCloseButton() {
    if (m_modified) {
        CString question;
        question.Format(AppServices().LoadString(kSaveQuestionId), AppServices().GetAppName());
        if (AppServices().MessageBoxText(question, MB_YESNOCANCEL) == IDCANCEL)
            return;
    }
    PostMessage(WM_CLOSE);
}
