// The first start on an empty profile, later starts, and a moved program.
#include "library/LibrarySetup.h"

#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/Module.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

class LibrarySetupTest : public testing::Test {
protected:
    LibrarySetupTest() {
        if (const char* previous = getenv("XDG_DATA_HOME"))
            m_previousDataHome = previous;
        setenv("XDG_DATA_HOME", (m_folder.Path() + "/share").GetString(), 1);
        SetProfileFolderForTesting(m_folder.Path() + "/profile");
        SetProgramFolderForTesting(m_folder.Path() + "/prog");
    }
    ~LibrarySetupTest() override {
        SetProgramFolderForTesting("");
        SetProfileFolderForTesting("");
        if (m_previousDataHome.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", m_previousDataHome.c_str(), 1);
    }

    static std::string Profile() {
        std::ifstream file(GetProfileFilePath().str(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
    CString Data() const { return m_folder.Path() + "/share/Vellumcraft"; }

    TempFolder m_folder;
    FakeAppServices m_app;
    std::string m_previousDataHome;
};

TEST_F(LibrarySetupTest, FirstStartWritesTheSettingsAndMakesTheFolders) {
    ASSERT_TRUE(PrepareLibrarySettings());
    EXPECT_EQ(GetProfileString("Settings", "DataPath", ""), Data());
    EXPECT_EQ(GetProfileString("Settings", "InstallPath", ""), m_folder.Path() + "/prog/library");
    struct Kind {
        const char* installType;
        const char* name;
        const char* folderValue;
        const char* folder;
    };
    for (const Kind& kind : {Kind{"PictureInstallType", "PhotoName", "PictureDataPath", "/Bilder"},
                             Kind{"ClipartInstallType", "ClipartName", "ClipartDataPath", "/Cliparts"},
                             Kind{"FrameInstallType", "FrameName", "FrameDataPath", "/Rahmen"},
                             Kind{"StencilInstallType", "StencilName", "StencilDataPath", "/Schablonen"},
                             Kind{"PrnTplInstallType", nullptr, "PrnTplDataPath", "/Vorlagen"}}) {
        EXPECT_EQ(GetProfileInt("Settings", kind.installType, -1), 2u) << kind.installType;
        if (kind.name != nullptr) {
            EXPECT_EQ(GetProfileString("Settings", kind.name, "x"), "") << kind.name;
        }
        EXPECT_EQ(GetProfileString("Settings", kind.folderValue, ""), kind.folder) << kind.folderValue;
        EXPECT_TRUE(std::filesystem::is_directory((Data() + kind.folder).str())) << kind.folder;
    }

    m_app.SetString(31443, "Bilder");
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    const CResType* pictures = manager.GetResType(kResTypePictures);
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(pictures->GetName(), "Bilder") << "the language module names the kind";
    EXPECT_EQ(manager.GetDataDir(), Data());
    EXPECT_EQ(manager.GetInstallDataDir(), m_folder.Path() + "/prog/library");
    EXPECT_NE(manager.CreateAlbum(manager.GetResType(kResTypePictures), "Erstes"), nullptr);
}

TEST_F(LibrarySetupTest, LaterStartsChangeNothingUntilTheProgramMoves) {
    ASSERT_TRUE(PrepareLibrarySettings());
    WriteProfileString("Settings", "PictureDataPath", "/Meine Bilder");
    const std::string first = Profile();
    ASSERT_TRUE(PrepareLibrarySettings());
    EXPECT_EQ(Profile(), first) << "a second start changes nothing";
    EXPECT_TRUE(std::filesystem::is_directory((Data() + "/Meine Bilder").str()))
        << "but makes missing folders";

    SetProgramFolderForTesting(m_folder.Path() + "/moved");
    ASSERT_TRUE(PrepareLibrarySettings());
    EXPECT_EQ(GetProfileString("Settings", "InstallPath", ""), m_folder.Path() + "/moved/library");
    EXPECT_EQ(GetProfileString("Settings", "PictureDataPath", ""), "/Meine Bilder");
}

TEST_F(LibrarySetupTest, WindowsLayoutIsLeftAlone) {
    WriteProfileString("Settings", "DataPath", "\\Daten");
    WriteProfileString("Settings", "InstallPath", "C:\\Programme\\Fotoseiten");
    const std::string before = Profile();
    ASSERT_TRUE(PrepareLibrarySettings());
    EXPECT_EQ(Profile(), before);
    EXPECT_FALSE(std::filesystem::exists((m_folder.Path() + "/share").str()));
}

TEST_F(LibrarySetupTest, UserDataFolderFollowsTheDataHome) {
    EXPECT_EQ(GetUserDataFolder(), Data());
    setenv("XDG_DATA_HOME", "relative/share", 1);
    const char* home = getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(GetUserDataFolder(), CString(home) + "/.local/share/Vellumcraft")
        << "a relative one is ignored";
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(GetUserDataFolder(), CString(home) + "/.local/share/Vellumcraft");
}

} // namespace
