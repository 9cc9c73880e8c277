#pragma once
// Window tests over the program's German language modules, the resource module (dialogs, bitmaps) and
// the text module (strings), loaded once for a test suite; and a library in a temporary folder over them.

#include "image/ExtMgr.h"
#include "library/DSObjMgr.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <initializer_list>
#include <memory>

class ProgramModulesTest : public UiTest {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // A fatal failure when a module did not load; else the resource module is the resource handle and
    // services hands out both modules.
    static void UseProgramModules(FakeAppServices& services);

    static HMODULE s_resources;
    static HMODULE s_texts;
};

// One kind of library entries: the profile keys that place its files, and its folder in the data folder.
struct LibraryKind {
    const char* installType;
    const char* dataPath;
    const char* folder;
};
inline constexpr LibraryKind kLibraryPhotos{"PictureInstallType", "PictureDataPath", "/Bilder"};

// A library in a temporary folder: a profile in <folder>/profile that names <folder>/data as the data
// folder and <folder>/install as the install folder, the codec plug-ins, and the object manager.
class TempLibraryTest : public ProgramModulesTest {
protected:
    // The modules served by m_app; the fixture then serves its texts and opens the library.
    void SetUp() override;
    // Closes the library; the windows over it are gone by then.
    void TearDown() override;

    // The profile with a folder per kind, the codec plug-ins of codecFolder and a manager that has
    // loaded the settings.
    void OpenLibrary(const char* codecFolder, std::initializer_list<LibraryKind> kinds);
    // Serves the text module's texts of the ids, as the application object does.
    void UseTexts(std::initializer_list<UINT> ids);
    CString DataDir() const { return m_folder.Path() + "/data"; }

    TempFolder m_folder;
    FakeAppServices m_app;
    std::unique_ptr<CExtMgr> m_codecs;
    std::unique_ptr<CDSObjMgr> m_manager;
};
