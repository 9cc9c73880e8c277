#include "app/VellumcraftApp.h"

#include "app/CameraPictures.h"
#include "app/MainWnd.h"
#include "app/ShellFunctions.h"
#include "app/SplashDlg.h"
#include "image/ExtMgr.h"
#include "library/DSObjMgr.h"
#include "library/LibrarySetup.h"
#include "library/xml/XmlHelpers.h"
#include "output/MailMgr.h"
#include "output/PageMappings.h"
#include "output/PrintersManager.h"
#include "platform/base/Exception.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/print/Spooler.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/MessageBoxPresenter.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

namespace {

constexpr LPCTSTR kSettings = "Settings";
// Relative to the program folder.
constexpr LPCTSTR kEmailHelpFile = "hilfe/email.html";
constexpr int kUnsetStep = -1;
constexpr int kMinimumDesktopWidth = 800;
constexpr int kMinimumDesktopHeight = 600;
// Up to 256 colours is a palette screen, on which the skin cannot show.
constexpr int kPaletteBitsPerPixel = 8;
// The system colour 7 (the window background) + 1, as a class brush names a system colour.
const HBRUSH kWindowBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(8));

constexpr UINT kSplashTemplate = 270;

void FreeModule(HMODULE& module) {
    if (!module)
        return;
    FreeLibrary(module);
    module = nullptr;
}

} // namespace

CVellumcraftApp::CVellumcraftApp() : CWinApp(kAppName) {
    SetAppServices(this);
    SetPageMappings(&m_pageMappings);
}

CVellumcraftApp::~CVellumcraftApp() {
    if (&AppServices() == this)
        SetAppServices(nullptr);
    if (GetPageMappings() == &m_pageMappings)
        SetPageMappings(nullptr);
    // After a failed start-up what was loaded goes with the process; this is that moment.
    m_pPrintersManager.reset();
    m_pExtMgr.reset();
    m_pMailMgr.reset();
    m_pDSObjMgr.reset();
    if (AfxGetResourceHandle() == m_hResourceModule)
        AfxSetResourceHandle(nullptr);
    for (HMODULE* module : {&m_hTextModule, &m_hResourceModule, &m_hEffectsModule, &m_hRastrumModule})
        FreeModule(*module);
}

void CVellumcraftApp::SetStartupEnvironment(IStartupEnvironment* environment) {
    m_pEnvironment = environment ? environment : &m_desktop;
}

BOOL CVellumcraftApp::InitInstance() {
    if (!XmlCheckAvailable())
        return FALSE;

    m_hTextModule = LoadModule(kTextModuleName);
    if (!m_hTextModule)
        return FALSE;
    m_hResourceModule = LoadModule(kResourceModuleName);
    if (!m_hResourceModule)
        return FALSE;
    AfxSetResourceHandle(m_hResourceModule);
    // Without the resampling library pictures are stretched by the program itself.
    m_hRastrumModule = LoadModule(kRastrumModuleName);

    SetRegistryKey(kCompanyKey);
    PrepareLibrarySettings();
    m_pDSObjMgr = std::make_unique<CDSObjMgr>();
    m_pExtMgr = std::make_unique<CExtMgr>();
    m_pExtMgr->LoadPlugins();
    UseCodecsForCameras(*m_pExtMgr);

    const int ask = static_cast<int>(GetProfileInt(kSettings, "Ask", -1));
    if (ask == 0 || ask == 1) {
        m_bAskSave = 0;
        m_bSaveAnswer = static_cast<BYTE>(ask);
    }
    ReadSettings();
    RegisterDocumentType();
    // An unset step is written at once, not only at exit.
    if (!ReadStepSettings())
        WriteStepSettings();
    m_pDSObjMgr->LoadInstallSettings();
    // The installer's part: the e-mail help page that ships in the program folder.
    if (GetProfileString(kSettings, "EmailHelpFile", "").IsEmpty())
        WriteProfileString(kSettings, "EmailHelpFile", kEmailHelpFile);
    m_pMailMgr = std::make_unique<CMailMgr>();
    m_pMailMgr->LoadSettings();

    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);

    if (!m_instanceLock.Acquire(m_pEnvironment->GetRuntimeFolder(), m_pszAppName)) {
        MessageBoxFormat(IDS_ALREADY_RUNNING, 0);
        return FALSE;
    }
    if (!CheckScreen())
        return FALSE;

    try {
        auto* splash = new CSplashDlg(FALSE, nullptr);
        // The splash deletes itself when its window goes; a splash that cannot be made is no reason to
        // stop.
        if (splash->Create(kSplashTemplate, nullptr)) {
            splash->ShowWindow(SW_SHOWMAXIMIZED);
            splash->Invalidate(TRUE);
            splash->UpdateWindow();
        } else {
            delete splash;
        }
    } catch (CException* exception) {
        char text[512];
        if (!exception->GetErrorMessage(text, sizeof text))
            text[0] = '\0';
        exception->Delete();
        MessageBoxText(text, MB_ICONEXCLAMATION);
        return FALSE;
    }

    if (!CreateMainWindow())
        return FALSE;

    m_hEffectsModule = LoadLibrary(GetProgramFolder() + "/" + kEffectsModuleName);
    if (!m_hEffectsModule)
        MessageBox(IDS_EFFECTS_MISSING, 0);

    m_pageMappings.Load(kCompanyKey, m_pszAppName);
    m_pPrintersManager = std::make_unique<CPrintersManager>();
    m_pPrintersManager->Load(kCompanyKey, m_pszAppName);
    MergeInstalledPrinters();
    DeleteStalePrinterKeys();
    // The project named on the command line; an empty name opens nothing.
    static_cast<CMainWnd*>(m_pMainWnd)->LoadProjectFile(commandLine.m_strFileName);
    return TRUE;
}

BOOL CVellumcraftApp::CreateMainWindow() {
    std::unique_ptr<CMainWnd> mainWindow;
    try {
        mainWindow = std::make_unique<CMainWnd>();
    } catch (CException* exception) {
        exception->Delete();
        return FALSE;
    }
    // No one can find a window by its class here; the lock above keeps a second copy out instead.
    LPCTSTR windowClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS,
                                              LoadCursor(nullptr, IDC_ARROW), kWindowBackground);
    // The children it makes while it is created (the category panel) already reach it as the main window.
    m_pMainWnd = mainWindow.get();
    if (!mainWindow->CreateEx(0, windowClass, m_pszAppName, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, 0, 0,
                              0, nullptr, nullptr)) {
        m_pMainWnd = nullptr;
        return FALSE;
    }
    // From here on the window deletes its own object.
    CMainWnd* window = mainWindow.release();
    CRect desktop;
    CWnd::GetDesktopWindow()->GetClientRect(&desktop);
    window->MoveWindow(&desktop, FALSE);
    window->ShowWindow(SW_SHOW);
    window->UpdateWindow();
    return TRUE;
}

void CVellumcraftApp::MergeInstalledPrinters() {
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    if (count == 0)
        return;
    auto* printers = reinterpret_cast<PRINTER_INFO_2*>(buffer.data());
    // The settings fetched here live until the merge has copied them.
    std::vector<std::unique_ptr<BYTE[]>> fetched;
    for (DWORD i = 0; i < count; ++i) {
        PRINTER_INFO_2& printer = printers[i];
        if ((printer.Attributes & PRINTER_ATTRIBUTE_HIDDEN) != 0 || printer.pDevMode)
            continue;
        HANDLE handle = nullptr;
        if (!OpenPrinter(printer.pPrinterName, &handle, nullptr))
            continue;
        const LONG bytes = DocumentProperties(nullptr, handle, printer.pPrinterName, nullptr, nullptr, 0);
        if (bytes > 0) {
            auto block = std::make_unique<BYTE[]>(static_cast<size_t>(bytes));
            auto* devMode = reinterpret_cast<DEVMODE*>(block.get());
            DocumentProperties(nullptr, handle, printer.pPrinterName, devMode, nullptr, DM_OUT_BUFFER);
            DocumentProperties(nullptr, handle, printer.pPrinterName, devMode, devMode,
                               DM_IN_BUFFER | DM_OUT_BUFFER);
            printer.pDevMode = devMode;
            fetched.push_back(std::move(block));
        }
        ClosePrinter(handle);
    }
    m_pPrintersManager->MergePrinters(printers, count, FALSE);
}

void CVellumcraftApp::DeleteStalePrinterKeys() {
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    if (count == 0) {
        MessageBox(IDS_NO_PRINTER, MB_ICONINFORMATION);
        return;
    }
    // Collected first: deleting while walking the keys would skip the key after each deleted one.
    const std::vector<CString> stale = FindStalePrinterKeys(
        GetProfileSubkeyNames(""), reinterpret_cast<const PRINTER_INFO_2*>(buffer.data()), count);
    for (const CString& key : stale)
        DeleteProfileKey(key);
}

int CVellumcraftApp::ExitInstance() {
    if (AfxGetResourceHandle() == m_hResourceModule)
        AfxSetResourceHandle(nullptr);
    for (HMODULE* module : {&m_hTextModule, &m_hResourceModule, &m_hEffectsModule, &m_hRastrumModule})
        FreeModule(*module);
    WriteStepSettings();
    m_pageMappings.Save(kCompanyKey, m_pszAppName);
    if (m_pPrintersManager) {
        m_pPrintersManager->Save(kCompanyKey, m_pszAppName);
        m_pPrintersManager.reset();
    }
    m_pExtMgr.reset();
    m_pMailMgr.reset();
    m_pDSObjMgr.reset();
    return CWinApp::ExitInstance();
}

HMODULE CVellumcraftApp::LoadModule(const char* fileName) {
    if (HMODULE module = LoadLibrary(GetProgramFolder() + "/" + fileName))
        return module;
    CString format = LoadString(IDS_FILE_MISSING, 255);
    if (format.IsEmpty())
        format = kFileMissingFallback;
    CString text;
    text.Format(format, fileName);
    MessageBoxText(text, 0);
    return nullptr;
}

BOOL CVellumcraftApp::CheckScreen() {
    const CRect desktop = m_pEnvironment->GetDesktopRect();
    if (desktop.bottom < kMinimumDesktopHeight || desktop.right < kMinimumDesktopWidth ||
        m_pEnvironment->GetDesktopBitsPerPixel() <= kPaletteBitsPerPixel) {
        MessageBox(IDS_SCREEN_TOO_SMALL, MB_ICONHAND);
        return FALSE;
    }
    return TRUE;
}

int CVellumcraftApp::MessageBox(UINT stringId, UINT type, UINT helpId) {
    // The box's text comes from the text module; everything after it from the resource module again.
    AfxSetResourceHandle(m_hTextModule);
    const int result = AfxMessageBox(LoadString(stringId, 255), type, helpId);
    AfxSetResourceHandle(m_hResourceModule);
    return result;
}

int CVellumcraftApp::MessageBoxText(const CString& text, UINT type, UINT helpId) {
    return AfxMessageBox(text, type, helpId);
}

int CVellumcraftApp::MessageBoxFormat(UINT stringId, UINT type) {
    CString text;
    text.Format(LoadString(stringId, 255), m_pszAppName);
    return MessageBoxText(text, type, 0);
}

CString CVellumcraftApp::LoadString(UINT stringId, int size) {
    return LoadWholeString(m_hTextModule, stringId, size);
}

CString CVellumcraftApp::GetSoundPath() {
    return GetProgramFolder() + "/Sound";
}

LPCTSTR CVellumcraftApp::GetVersionTag() {
    return m_bEditMode ? "4.1.b" : "4.1.a";
}

void CVellumcraftApp::SetClipartPath(LPCTSTR path) {
    CopyErrorText(path ? path : "", m_szClipartPath, sizeof m_szClipartPath);
}

BOOL CVellumcraftApp::ReadSettings() {
    m_bSound = static_cast<int>(GetProfileInt(kSettings, "Sound", 1)) >= 1 ? 1 : 0;
    return TRUE;
}

BOOL CVellumcraftApp::ReadStepSettings() {
    m_nZoomStep = static_cast<int>(GetProfileInt(kSettings, "ZoomStep", kUnsetStep));
    m_nShiftStep = static_cast<int>(GetProfileInt(kSettings, "ShiftStep", kUnsetStep));
    m_nRotateStep = static_cast<int>(GetProfileInt(kSettings, "RotateStep", kUnsetStep));
    SetClipartPath(GetProfileString(kSettings, "Clipart Path", ""));
    BOOL allSet = TRUE;
    for (int* step : {&m_nZoomStep, &m_nShiftStep, &m_nRotateStep}) {
        if (*step == kUnsetStep) {
            *step = 1;
            allSet = FALSE;
        }
    }
    return allSet;
}

void CVellumcraftApp::WriteStepSettings() {
    WriteProfileInt(kSettings, "ZoomStep", m_nZoomStep);
    WriteProfileInt(kSettings, "ShiftStep", m_nShiftStep);
    WriteProfileInt(kSettings, "RotateStep", m_nRotateStep);
    WriteProfileString(kSettings, "Clipart Path", m_szClipartPath);
}

void CVellumcraftApp::SetSavePromptAnswer(BYTE answer) {
    m_bAskSave = 0;
    m_bSaveAnswer = answer;
    WriteProfileInt(kSettings, "Ask", answer ? 1 : 0);
}

BOOL CVellumcraftApp::SetPrintMsg(BOOL on) {
    WriteProfileInt(kSettings, "PrintMsg", on ? 1 : 0);
    return TRUE;
}

BOOL CVellumcraftApp::RegisterDocumentType() {
    return TRUE;
}

CVellumcraftApp* GetVellumcraftApp() {
    return dynamic_cast<CVellumcraftApp*>(AfxGetApp());
}
