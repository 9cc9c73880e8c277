#pragma once
// CVellumcraftApp: the program's one application object. InitInstance brings the program up in a fixed
// order (the XML layer, the language modules, the resampling library, the managers, the settings, the
// main window, the effects library, the printers); ExitInstance takes it down again. In between it
// serves the rest of the program (IAppServices): message boxes and strings from the text module, the
// modules, the sound folder and flag, the edit-mode flag, the step settings and the save-project prompt.

#include "app/StartupEnvironment.h"
#include "app/StepSettings.h"
#include "output/PrinterMappingList.h"
#include "platform/base/AppServices.h"
#include "platform/base/InstanceLock.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/WinApp.h"

#include <memory>

class CDSObjMgr;
class CExtMgr;
class CMailMgr;
class CPrintersManager;

// Names every part of the program shares.
inline constexpr const char* kAppName = "Vellumcraft";
inline constexpr const char* kCompanyKey = "Morrowgate";
inline constexpr const char* kTextModuleName = "qz_txt.deu";
inline constexpr const char* kResourceModuleName = "qz_res.deu";
inline constexpr const char* kRastrumModuleName = "libRastrum.so";
inline constexpr const char* kEffectsModuleName = "libEffects.so";

// Message ids of start-up.
inline constexpr UINT IDS_EFFECTS_MISSING = 121;
inline constexpr UINT IDS_SCREEN_TOO_SMALL = 126;
inline constexpr UINT IDS_ALREADY_RUNNING = 157;
inline constexpr UINT IDS_NO_PRINTER = 173;
inline constexpr UINT IDS_FILE_MISSING = 208;

// Shown for a missing module while there is no text module to take string 208 from.
inline constexpr const char* kFileMissingFallback =
    "Vellumcraft cannot start: the file \"%s\" is missing or damaged. Please install Vellumcraft again.";

class CVellumcraftApp : public CWinApp, public IAppServices, public IStepSettings {
public:
    // Installs itself as the application services.
    CVellumcraftApp();
    ~CVellumcraftApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Start-up asks this environment about the desktop and the runtime folder; the caller keeps
    // ownership. Null goes back to the real desktop.
    void SetStartupEnvironment(IStartupEnvironment* environment);

    // Message boxes and strings.
    int MessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = 0) override;
    int MessageBoxText(const CString& text, UINT type = MB_OK, UINT helpId = 0) override;
    // String stringId formatted with the application name.
    int MessageBoxFormat(UINT stringId, UINT type);
    CString LoadString(UINT stringId, int size = 255) override;

    HMODULE GetTextModule() override { return m_hTextModule; }
    HMODULE GetResourceModule() override { return m_hResourceModule; }
    HMODULE GetEffectsModule() override { return m_hEffectsModule; }
    HMODULE GetRastrumModule() override { return m_hRastrumModule; }

    // The program folder's Sound folder, without a trailing slash; callers add "/tick.wav" and the like.
    CString GetSoundPath() override;
    BYTE IsSoundEnabled() override { return m_bSound; }
    void SetSoundEnabled(BYTE enabled) override { m_bSound = enabled; }

    BYTE IsEditMode() override { return m_bEditMode; }
    // Only stores the flag; callers redraw what depends on it.
    void SetEditMode(BYTE editMode) override { m_bEditMode = editMode; }
    LPCTSTR GetVersionTag() override;
    CString GetLoadedProjectVersion() override { return m_strLoadedVersion; }
    void SetLoadedProjectVersion(const CString& version) override { m_strLoadedVersion = version; }

    // The step settings; the setters only store (the profile is written at exit).
    int GetZoomStep() const { return m_nZoomStep; }
    void SetZoomStep(int step) override { m_nZoomStep = step; }
    int GetShiftStep() const { return m_nShiftStep; }
    void SetShiftStep(int step) override { m_nShiftStep = step; }
    int GetRotateStep() const { return m_nRotateStep; }
    void SetRotateStep(int step) override { m_nRotateStep = step; }
    const char* GetClipartPath() const override { return m_szClipartPath; }
    void SetClipartPath(LPCTSTR path) override;

    // "Sound" (default 1): the sound flag is on for 1 or more. Always TRUE.
    BOOL ReadSettings();
    // The three steps (a missing one becomes 1) and "Clipart Path"; FALSE when a step was missing.
    BOOL ReadStepSettings();
    void WriteStepSettings();

    BYTE IsSavePromptEnabled() override { return m_bAskSave; }
    BYTE GetSavePromptAnswer() override { return m_bSaveAnswer; }
    // Stops asking, keeps the answer and writes "Ask" as 1 for a non-zero answer, else 0.
    void SetSavePromptAnswer(BYTE answer) override;
    // Writes "PrintMsg" as 1 for a non-zero value, else 0. TRUE.
    BOOL SetPrintMsg(BOOL on);


    // The project type is registered by the installed desktop files; nothing is written at run time.
    BOOL RegisterDocumentType();
    // Deletes the profile root's per-printer keys of printers that are no longer installed (message 173
    // when there is no printer at all).
    void DeleteStalePrinterKeys();

    CString GetAppName() override { return m_pszAppName; }
    CString GetAboutText() override { return {}; }

    CDSObjMgr* GetDSObjMgr() const { return m_pDSObjMgr.get(); }
    CExtMgr* GetExtMgr() const { return m_pExtMgr.get(); }
    CPrintersManager* GetPrintersManager() const { return m_pPrintersManager.get(); }
    CMailMgr* GetMailMgr() const { return m_pMailMgr.get(); }

private:
    // One module from the program folder; string 208 with its name when it is missing.
    HMODULE LoadModule(const char* fileName);
    BOOL CheckScreen();
    // Creates the main window over the desktop and makes it the main window; FALSE when it cannot be.
    BOOL CreateMainWindow();
    // Gives each visible installed printer without settings its settings and merges them all into the
    // printers manager.
    void MergeInstalledPrinters();

    char m_szClipartPath[260] = {};
    HMODULE m_hRastrumModule = nullptr;
    std::unique_ptr<CDSObjMgr> m_pDSObjMgr;
    BYTE m_bSound = 1;
    HMODULE m_hEffectsModule = nullptr;
    std::unique_ptr<CPrintersManager> m_pPrintersManager;
    CPrinterMappingList m_pageMappings;
    std::unique_ptr<CExtMgr> m_pExtMgr;
    std::unique_ptr<CMailMgr> m_pMailMgr;
    BYTE m_bSaveAnswer = 1;
    BYTE m_bAskSave = 1;
    int m_nZoomStep = 1;
    int m_nShiftStep = 1;
    int m_nRotateStep = 1;
    HMODULE m_hResourceModule = nullptr;
    HMODULE m_hTextModule = nullptr;
    BYTE m_bEditMode = 0;

    CString m_strLoadedVersion;
    CInstanceLock m_instanceLock;
    CDesktopStartupEnvironment m_desktop;
    IStartupEnvironment* m_pEnvironment = &m_desktop;
};

// The application object, or null when the process has none.
CVellumcraftApp* GetVellumcraftApp();
