// The browser's shell namespace over a made-up home: the root's children, names, attributes, the order
// of names, parsing paths to item-id lists and folders that cannot be read.

#include "platform/ui/ShellFolder.h"

#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class ShellFolderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureUiApplication(); }

    void SetUp() override {
        m_root = m_folder.Path().GetString();
        fs::create_directories(m_root / "home" / "Bilder" / "Urlaub");
        fs::create_directories(m_root / "home" / "Texte");
        fs::create_directories(m_root / "config");
        fs::create_directories(m_root / "media" / "USB-Stick");
        std::ofstream(m_root / "config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                                                               "XDG_DESKTOP_DIR=\"$HOME\"\n";
        Save("HOME", (m_root / "home").string());
        Save("XDG_CONFIG_HOME", (m_root / "config").string());
        m_volumes = {CString((m_root / "media").c_str())};
        SetShellVolumeFoldersForTesting(&m_volumes);
        m_desktop = CShellFolder::GetDesktopFolder();
    }
    void TearDown() override {
        SetShellVolumeFoldersForTesting(nullptr);
        for (const auto& [name, value] : m_saved)
            value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    }

    void Save(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? old : "");
        setenv(name.c_str(), value.c_str(), 1);
    }
    CString Home() const { return CString((m_root / "home").c_str()); }
    std::shared_ptr<CShellFolder> Bind(const CString& path) const {
        CItemIdList absolute;
        EXPECT_EQ(S_OK, m_desktop->ParseDisplayName(path, absolute));
        std::shared_ptr<CShellFolder> folder;
        EXPECT_EQ(S_OK, m_desktop->BindToObject(absolute, folder));
        return folder;
    }
    static std::vector<std::string> Names(const CShellFolder& folder, DWORD flags,
                                          DWORD kind = SHGDN_INFOLDER) {
        std::vector<CItemIdList> children;
        EXPECT_EQ(S_OK, folder.EnumObjects(flags, children));
        std::sort(children.begin(), children.end(), [&](const CItemIdList& a, const CItemIdList& b) {
            return static_cast<SHORT>(folder.CompareIDs(0, a, b) & 0xFFFF) < 0;
        });
        std::vector<std::string> names;
        for (const CItemIdList& child : children) {
            CString name;
            folder.GetDisplayNameOf(child, kind, name);
            names.emplace_back(name.GetString());
        }
        return names;
    }

    TempFolder m_folder;
    fs::path m_root;
    std::vector<CString> m_volumes;
    std::vector<std::pair<std::string, std::string>> m_saved;
    std::shared_ptr<CShellFolder> m_desktop;
};

TEST_F(ShellFolderTest, TheRootHoldsHomePicturesVolumesAndTheFileSystemInThatOrder) {
    CString name;
    EXPECT_EQ(S_OK, m_desktop->GetDisplayNameOf(CItemIdList(), SHGDN_NORMAL, name));
    EXPECT_EQ(CString("Desktop"), name);
    EXPECT_EQ((std::vector<std::string>{"Persönlicher Ordner", "Bilder", "USB-Stick", "Dateisystem"}),
              Names(*m_desktop, SHCONTF_FOLDERS));
    EXPECT_EQ((std::vector<std::string>{std::string(Home().GetString()),
                                        std::string(Home().GetString()) + "/Bilder",
                                        (m_root / "media" / "USB-Stick").string(), "/"}),
              Names(*m_desktop, SHCONTF_FOLDERS, SHGDN_FORPARSING));
    EXPECT_TRUE(Names(*m_desktop, SHCONTF_NONFOLDERS).empty());
}

TEST_F(ShellFolderTest, NamesSortGermanCaseIgnoredWithNumbersByValue) {
    for (const char* name : {"Zebra.jpg", "Bild 10.jpg", "bild 2.jpg", "Äpfel.jpg", ".versteckt.jpg"})
        std::ofstream(m_root / "home" / name) << "x";
    EXPECT_EQ((std::vector<std::string>{"Äpfel.jpg", "bild 2.jpg", "Bild 10.jpg", "Zebra.jpg"}),
              Names(*Bind(Home()), SHCONTF_NONFOLDERS));
    EXPECT_EQ((std::vector<std::string>{"Bilder", "Texte"}), Names(*Bind(Home()), SHCONTF_FOLDERS));
}

TEST_F(ShellFolderTest, AttributesTellFoldersWithSubfoldersAndLinks) {
    fs::create_directory_symlink(m_root / "home" / "Texte", m_root / "home" / "Verweis");
    const auto home = Bind(Home());
    auto attributesOf = [&](const char* name) {
        ULONG attributes = 0;
        EXPECT_EQ(S_OK, home->GetAttributesOf(CItemIdList({name}), attributes));
        return attributes;
    };
    EXPECT_EQ(SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER,
              attributesOf("Bilder"));
    EXPECT_EQ(SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR, attributesOf("Texte"));
    EXPECT_EQ(SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_LINK, attributesOf("Verweis"));
    ULONG attributes = 0;
    EXPECT_EQ(kShellNotFound, home->GetAttributesOf(CItemIdList({"fehlt"}), attributes));
}

TEST_F(ShellFolderTest, PathsParseUnderTheRootChildWithTheLongestFolder) {
    struct Case {
        CString path;
        std::vector<CString> ids;
    };
    const std::vector<Case> cases = {
        {Home() + "/Bilder/Urlaub", {"pictures", "Urlaub"}},
        {Home() + "/Texte", {"home", "Texte"}},
        {Home(), {"home"}},
        {CString((m_root / "media" / "USB-Stick").c_str()),
         {CString("volume:") + (m_root / "media" / "USB-Stick").c_str()}},
        {"/usr/share/../bin", {"root", "usr", "bin"}},
    };
    for (const Case& c : cases) {
        CItemIdList absolute;
        EXPECT_EQ(S_OK, m_desktop->ParseDisplayName(c.path, absolute)) << c.path.GetString();
        EXPECT_EQ(CItemIdList(c.ids), absolute) << c.path.GetString();
        CString parsed;
        EXPECT_EQ(S_OK, m_desktop->GetDisplayNameOf(absolute, SHGDN_FORPARSING, parsed));
        EXPECT_EQ(std::string(fs::weakly_canonical(c.path.GetString())), std::string(parsed.GetString()));
    }
    CItemIdList absolute;
    EXPECT_EQ(kShellNotFound, m_desktop->ParseDisplayName(Home() + "/fehlt", absolute));
    EXPECT_EQ(kShellNotFound, m_desktop->ParseDisplayName("relativ/pfad", absolute));
}

TEST_F(ShellFolderTest, BoundFoldersKnowTheirListAndAVanishedOneCannotBeRead) {
    const auto holiday = Bind(Home() + "/Bilder/Urlaub");
    EXPECT_EQ(CItemIdList({"pictures", "Urlaub"}), holiday->GetAbsoluteIdList());
    std::ofstream(m_root / "home" / "Bilder" / "Urlaub" / "Strand.jpg") << "x";
    EXPECT_EQ(std::vector<std::string>{"Strand.jpg"}, Names(*holiday, SHCONTF_NONFOLDERS));
    CString key;
    EXPECT_TRUE(holiday->GetIconKey(CItemIdList({"Strand.jpg"}), key));
    EXPECT_EQ(CString("image/jpeg"), key);

    fs::remove_all(m_root / "home" / "Bilder" / "Urlaub");
    std::vector<CItemIdList> children;
    EXPECT_EQ(kShellCancelled, holiday->EnumObjects(SHCONTF_NONFOLDERS, children));
    std::shared_ptr<CShellFolder> folder;
    EXPECT_EQ(kShellNotFound, m_desktop->BindToObject(CItemIdList({"home", ".."}), folder));
}

} // namespace
