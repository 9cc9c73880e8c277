#pragma once
// The main window's tests: the program's language modules installed through the application services,
// a private profile, and the window made as the application makes it. The window under test logs every
// command it receives before handling it.

#include "app/MainWnd.h"
#include "platform/print/FakePrinterSystem.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/LibraryTestSupport.h"
#include "tests/support/TempFolder.h"

#include <vector>

// The commands a main window received, as "<id> from <sender's caption>"; kept outside the window, which
// deletes itself.
using CommandLog = std::vector<CString>;

class LoggingMainWnd : public CMainWnd {
public:
    explicit LoggingMainWnd(CommandLog* log) : m_log(log) {}
    ~LoggingMainWnd() override;
    // Sets *deleted when the object is deleted.
    void NoteDeletionIn(bool* deleted) { m_deleted = deleted; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CommandLog* m_log;
    bool* m_deleted = nullptr;
};

class MainWndTest : public ProgramModulesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // new and CreateEx with the application's class, title and styles, then moved over the desktop and
    // shown. Null when creation was refused; the object is then deleted here, as the application does.
    CMainWnd* CreateMainWnd();
    // The window if it still exists.
    CMainWnd* Window() const;
    // The button whose caption this is, found among the window's children.
    CWnd* ButtonNamed(const char* caption) const;
    // The commands received since the last call.
    CommandLog TakeCommands();

    FakeAppServices m_services;
    // No printers of its own: the built-in PDF printer is the default unless a test adds one.
    CFakePrinterSystem m_printers;
    TempFolder m_profile;
    CommandLog m_commands;
    HWND m_window = nullptr;
};
