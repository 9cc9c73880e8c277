#include "platform/ui/WinApp.h"

#include "platform/base/Module.h"
#include "platform/ui/Messages.h"
#include "platform/ui/QtTranslations.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

namespace {

CWinApp* g_app = nullptr;
// What the event loop returned, for the base ExitInstance.
int g_loopResult = 0;

CString ProgramFileName() {
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.isEmpty())
        return {};
    return CString(QFileInfo(arguments.first()).completeBaseName().toUtf8().constData());
}

} // namespace

void CCommandLineInfo::ParseParam(LPCTSTR param, BOOL flag, BOOL /*last*/) {
    if (flag || !m_strFileName.IsEmpty())
        return;
    m_strFileName = param;
    m_nShellCommand = FileOpen;
}

CWinApp::CWinApp(LPCTSTR appName) {
    if (appName)
        m_appName = appName;
    m_pszAppName = m_appName;
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return g_loopResult;
}

int CWinApp::Run() {
    QWidget* mainWidget = m_pMainWnd && IsWindow(m_pMainWnd->m_hWnd) ? WidgetOf(m_pMainWnd->m_hWnd) : nullptr;
    if (mainWidget) {
        // The main window's end ends the loop, as closing it ends the program.
        QObject::connect(mainWidget, &QObject::destroyed, QCoreApplication::instance(), [this] {
            m_pMainWnd = nullptr;
            PostQuitMessage(0);
        });
        g_loopResult = QApplication::exec();
    }
    return ExitInstance();
}

void CWinApp::SetRegistryKey(LPCTSTR company) {
    m_registryKey = company ? company : "";
    m_pszRegistryKey = m_registryKey;
    m_pszProfileName = m_pszAppName;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    for (size_t i = 0; i < m_arguments.size(); ++i) {
        const CString& argument = m_arguments[i];
        const bool flag = argument.GetLength() > 1 && argument[0] == '-';
        const bool last = i + 1 == m_arguments.size();
        info.ParseParam(flag ? argument.Mid(1).GetString() : argument.GetString(), flag ? TRUE : FALSE,
                        last ? TRUE : FALSE);
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

int AfxWinMain(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    QApplication qtApplication(argc, argv);
    // Windows come and go during start-up (the splash); only the main window's end ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!LoadQtGermanTranslations())
        std::fprintf(stderr, "Qt's German translations are missing: Qt's own dialogs show English\n");
    // The program's icon 1 is the icon file beside it; every window shows it.
    // Read as PNG, without guessing: to guess, Qt would load every image plug-in and ask it first.
    QImageReader icon(QString::fromUtf8((GetProgramFolder() + "/vellumcraft.png").GetString()), "png");
    icon.setAutoDetectImageFormat(false);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.read())));
    if (!app->m_pszAppName || !*app->m_pszAppName) {
        static CString programName;
        programName = ProgramFileName();
        app->m_pszAppName = programName;
    }
    const QStringList arguments = QCoreApplication::arguments();
    app->m_arguments.clear();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        app->m_arguments.emplace_back(arguments[i].toUtf8().constData());
    int exitCode = 1;
    Guarded([&] {
        if (app->InitInstance())
            exitCode = app->Run();
    });
    return exitCode;
}
