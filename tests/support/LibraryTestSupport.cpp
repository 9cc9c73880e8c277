#include "tests/support/LibraryTestSupport.h"

#include "platform/base/Module.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"

HMODULE ProgramModulesTest::s_resources = nullptr;
HMODULE ProgramModulesTest::s_texts = nullptr;

void ProgramModulesTest::SetUpTestSuite() {
    UiTest::SetUpTestSuite();
    s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    s_texts = LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu");
}

void ProgramModulesTest::TearDownTestSuite() {
    FreeLibrary(s_resources);
    FreeLibrary(s_texts);
    s_resources = s_texts = nullptr;
}

void ProgramModulesTest::UseProgramModules(FakeAppServices& services) {
    ASSERT_NE(s_resources, nullptr);
    ASSERT_NE(s_texts, nullptr);
    services.SetResourceModule(s_resources);
    services.SetTextModule(s_texts);
    AfxSetResourceHandle(s_resources);
}

void TempLibraryTest::SetUp() {
    UiTest::SetUp();
    UseProgramModules(m_app);
}

void TempLibraryTest::TearDown() {
    m_manager.reset();
    m_codecs.reset();
    SetProfileFolderForTesting("");
    AfxSetResourceHandle(nullptr);
    UiTest::TearDown();
}

void TempLibraryTest::OpenLibrary(const char* codecFolder, std::initializer_list<LibraryKind> kinds) {
    SetProfileFolderForTesting(m_folder.Path() + "/profile");
    WriteProfileString("Settings", "DataPath", DataDir());
    WriteProfileString("Settings", "InstallPath", m_folder.Path() + "/install");
    for (const LibraryKind& kind : kinds) {
        WriteProfileInt("Settings", kind.installType, 0);
        WriteProfileString("Settings", kind.dataPath, kind.folder);
        MakeFolderPath(DataDir() + kind.folder);
    }
    m_codecs = std::make_unique<CExtMgr>(codecFolder);
    m_codecs->LoadPlugins();
    m_manager = std::make_unique<CDSObjMgr>();
    m_manager->LoadInstallSettings();
}

void TempLibraryTest::UseTexts(std::initializer_list<UINT> ids) {
    for (const UINT id : ids) {
        char text[1024] = {};
        LoadString(s_texts, id, text, sizeof text);
        m_app.SetString(id, text);
    }
}
