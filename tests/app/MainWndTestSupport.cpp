#include "tests/app/MainWndTestSupport.h"

#include "platform/base/Profile.h"
#include "platform/base/Resource.h"

LoggingMainWnd::~LoggingMainWnd() {
    if (m_deleted)
        *m_deleted = true;
}

BOOL LoggingMainWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    CString sender;
    if (CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))
        control->GetWindowText(sender);
    CString line;
    line.Format("%u from %s", static_cast<unsigned>(LOWORD(static_cast<DWORD>(wParam))), sender.GetString());
    m_log->push_back(line);
    return CMainWnd::OnCommand(wParam, lParam);
}

void MainWndTest::SetUp() {
    UiTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(UseProgramModules(m_services));
    SetProfileFolderForTesting(m_profile.Path());
    // The machine's own scanners stay out of window tests; a test of the test scanner shows the libraries.
    CTwain::HideLibrariesForTesting(true);
}

void MainWndTest::TearDown() {
    if (CMainWnd* window = Window())
        window->DestroyWindow();
    PumpMessages();
    AfxSetResourceHandle(nullptr);
    SetProfileFolderForTesting("");
    CTwain::HideLibrariesForTesting(false);
    UiTest::TearDown();
}

CMainWnd* MainWndTest::CreateMainWnd() {
    auto* window = new LoggingMainWnd(&m_commands);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    if (!window->CreateEx(0, windowClass, "Vellumcraft", WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, 0, 0, 0,
                          nullptr, nullptr)) {
        delete window;
        return nullptr;
    }
    CRect desktop;
    CWnd::GetDesktopWindow()->GetClientRect(&desktop);
    window->MoveWindow(&desktop, FALSE);
    m_window = window->GetSafeHwnd();
    ShowActive(window);
    window->UpdateWindow();
    PumpMessages();
    m_commands.clear();
    return window;
}

CMainWnd* MainWndTest::Window() const {
    return IsWindow(m_window) ? static_cast<CMainWnd*>(CWnd::FromHandlePermanent(m_window)) : nullptr;
}

CWnd* MainWndTest::ButtonNamed(const char* caption) const {
    CMainWnd* window = Window();
    for (CWnd* child = window ? window->GetWindow(GW_CHILD) : nullptr; child;
         child = child->GetWindow(GW_HWNDNEXT)) {
        CString text;
        child->GetWindowText(text);
        if (text == caption)
            return child;
    }
    return nullptr;
}

CommandLog MainWndTest::TakeCommands() {
    PumpMessages();
    CommandLog taken;
    taken.swap(m_commands);
    return taken;
}
