#pragma once
// CWinApp: the program's one application object over the Qt application. The program defines one
// object of a class derived from it; AfxWinMain makes the Qt application, runs InitInstance and, when
// that succeeds, the event loop until the main window is gone, then ExitInstance.
// CCommandLineInfo: what the command line asks for; here only the one file to open.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <vector>

class CWnd;

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FileNothing };

    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // One argument of the command line. flag: it began with '-' (which param no longer holds); paths
    // begin with '/' here, so that is no flag. last: no argument follows.
    virtual void ParseParam(LPCTSTR param, BOOL flag, BOOL last);

    int m_nShellCommand = FileNew;
    // The first argument that is no flag: the file to open; empty when there is none.
    CString m_strFileName;
};

class CWinApp {
public:
    // A null name takes the program file's name.
    explicit CWinApp(LPCTSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; FALSE ends the process before the event loop.
    virtual BOOL InitInstance();
    // Shutdown after the event loop; the result is the process's exit code.
    virtual int ExitInstance();
    // The event loop, until the main window is destroyed or PostQuitMessage; then ExitInstance.
    virtual int Run();

    // The company under whose name the settings are kept. The profile store (Profile.h) already keeps
    // them under the program's company and name; this records the names for the paths built from them.
    void SetRegistryKey(LPCTSTR company);
    // Hands each argument of m_arguments to info.ParseParam.
    void ParseCommandLine(CCommandLineInfo& info);

    LPCTSTR m_pszAppName = nullptr;
    // Null until SetRegistryKey.
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    // The window whose end ends the event loop; not owned (the main window deletes itself).
    CWnd* m_pMainWnd = nullptr;
    // The command line after the program's name, with the options the Qt application took removed.
    std::vector<CString> m_arguments;

private:
    CString m_appName;
    CString m_registryKey;
};

// The application object, or null when the program has none (tests, tools).
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();

// The program's entry: the Qt application over the arguments, then InitInstance and Run of the
// application object. Returns the exit code; 1 when start-up failed or there is no application object.
int AfxWinMain(int argc, char** argv);
