#pragma once
// What the image core, the library and the page ask of the application object. The application object
// implements it and installs itself at start-up; tests install a fake.

#include "platform/base/MessageBoxStyles.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class IAppServices {
public:
    virtual ~IAppServices() = default;

    // A message box with the text of a string id of the text module; the id of the button pressed.
    virtual int MessageBox(UINT stringId, UINT style = MB_OK, UINT helpId = 0) = 0;
    // A message box with a literal text.
    virtual int MessageBoxText(const CString& text, UINT style = MB_OK, UINT helpId = 0) = 0;
    // The whole string of an id from the text module, empty when the module lacks it. The buffer starts
    // at initialLength characters and grows until the text fits.
    virtual CString LoadString(UINT stringId, int initialLength = 255) = 0;

    // Null when the module did not load.
    virtual HMODULE GetEffectsModule() = 0;
    virtual HMODULE GetRastrumModule() = 0;
    // The resource language module, where bitmaps, dialog templates and menus are found.
    virtual HMODULE GetResourceModule() = 0;
    // The text language module, where the string table is found.
    virtual HMODULE GetTextModule() = 0;

    // Set while the page follows a template of drawing objects; clear in normal mode (one picture).
    virtual BYTE IsEditMode() = 0;
    // Only stores the flag; callers redraw what depends on it.
    virtual void SetEditMode(BYTE editMode) = 0;
    // "4.1.b" in edit mode, "4.1.a" otherwise: the version a saved project begins with.
    virtual LPCTSTR GetVersionTag() = 0;

    // The version string of the last project file loaded.
    virtual CString GetLoadedProjectVersion() = 0;
    virtual void SetLoadedProjectVersion(const CString& version) = 0;

    // Whether to ask before the page template is replaced, and the answer used when not asking
    // (TRUE: save the project first).
    virtual BYTE IsSavePromptEnabled() = 0;
    virtual BYTE GetSavePromptAnswer() = 0;
    // Stores the standing answer (TRUE: save) and stops asking.
    virtual void SetSavePromptAnswer(BYTE answer) = 0;

    // Keeps the folder of the clipart library (at most 259 bytes are kept).
    virtual void SetClipartPath(LPCTSTR path) = 0;
    virtual const char* GetClipartPath() const = 0;

    // The application's name, e.g. as the title of progress dialogs.
    virtual CString GetAppName() = 0;
    // The line the about box shows over its picture; empty for none.
    virtual CString GetAboutText() = 0;

    // Whether the buttons sound, and the folder of the program's sounds (no trailing slash).
    virtual BYTE IsSoundEnabled() = 0;
    virtual void SetSoundEnabled(BYTE enabled) = 0;
    virtual CString GetSoundPath() = 0;
};

// The built-in services of a process without the application object (a plug-in, a tool, a test that
// installs none): message boxes go to the standard error stream and answer their default button, strings
// are empty, no modules are loaded, normal mode, no save prompt. A tool derives from it for the few
// services it gives itself.
class CDefaultAppServices : public IAppServices {
public:
    int MessageBox(UINT stringId, UINT style, UINT helpId) override;
    int MessageBoxText(const CString& text, UINT style, UINT helpId) override;
    CString LoadString(UINT, int) override { return {}; }
    HMODULE GetEffectsModule() override { return nullptr; }
    HMODULE GetRastrumModule() override { return nullptr; }
    HMODULE GetResourceModule() override { return nullptr; }
    HMODULE GetTextModule() override { return nullptr; }
    BYTE IsEditMode() override { return FALSE; }
    void SetEditMode(BYTE) override {}
    LPCTSTR GetVersionTag() override { return "4.1.a"; }
    CString GetLoadedProjectVersion() override { return {}; }
    void SetLoadedProjectVersion(const CString&) override {}
    BYTE IsSavePromptEnabled() override { return FALSE; }
    BYTE GetSavePromptAnswer() override { return FALSE; }
    void SetSavePromptAnswer(BYTE) override {}
    void SetClipartPath(LPCTSTR) override {}
    const char* GetClipartPath() const override { return ""; }
    CString GetAppName() override { return "Vellumcraft"; }
    CString GetAboutText() override { return {}; }
    BYTE IsSoundEnabled() override { return FALSE; }
    void SetSoundEnabled(BYTE) override {}
    CString GetSoundPath() override { return {}; }
};

// Installs the services (null goes back to the built-in ones); the caller keeps ownership.
void SetAppServices(IAppServices* services);
// The installed services. Until something is installed (a plug-in has its own copy of this layer), they
// are the built-in ones of CDefaultAppServices.
IAppServices& AppServices();
