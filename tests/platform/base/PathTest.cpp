#include "platform/base/Path.h"

#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

TEST(PathTest, BackslashesBecomeSlashes) {
    struct Case {
        const char* stored;
        const char* expected;
    };
    for (const Case& c :
         {Case{"\\album1.zip", "/album1.zip"}, Case{"Daten\\Fotos\\Urlaub.jpg", "Daten/Fotos/Urlaub.jpg"},
          Case{"\\\\server\\HP LaserJet", "//server/HP LaserJet"}, Case{"a/b", "a/b"}, Case{"", ""}}) {
        EXPECT_EQ(BackslashesToSlashes(c.stored), c.expected) << c.stored;
    }
    EXPECT_EQ(BackslashesToSlashes(nullptr), "");
}

// A library folder made on Windows: stored paths name its files in other cases.
class ResolvePathCaseTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"/Library", "/Library/Albums", "/Fotos", "/Dup"}) {
            std::filesystem::create_directory((m_root.Path() + folder).str());
        }
        for (const char* file :
             {"/Library/Albums/Album1.zip", "/Fotos/Urlaub Ä.jpg", "/Dup/a.txt", "/Dup/A.txt"}) {
            std::ofstream((m_root.Path() + file).GetString()) << "x";
        }
    }
    CString Resolve(const char* relative) { return ResolvePathCase(m_root.Path() + relative); }

    TempFolder m_root;
};

TEST_F(ResolvePathCaseTest, ResolvesEachComponentIgnoringCase) {
    struct Case {
        const char* name;
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"ExactPathUnchanged", "/Library/Albums/Album1.zip", "/Library/Albums/Album1.zip"},
        {"EveryComponentInOtherCase", "/LIBRARY/albums/album1.ZIP", "/Library/Albums/Album1.zip"},
        {"UmlautsFoldToo", "/fotos/URLAUB ä.JPG", "/Fotos/Urlaub Ä.jpg"},
        {"NewFileLandsInExistingFolder", "/library/albums/album2.zip", "/Library/Albums/album2.zip"},
        {"MissingFolderKeepsTheRestAsWritten", "/library/Neu/Album1.zip", "/Library/Neu/Album1.zip"},
        {"DotComponentsStay", "/library/./albums/../ALBUMS/album1.zip",
         "/Library/./Albums/../Albums/Album1.zip"},
        {"TrailingSlashKept", "/library/", "/Library/"},
        {"DoubledSlashesCollapse", "//library//albums", "/Library/Albums"},
        {"ExactNameWinsOverOtherCases", "/Dup/a.txt", "/Dup/a.txt"},
        {"ByteWiseFirstOfSeveralCases", "/dup/A.TXT", "/Dup/A.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Resolve(c.path), m_root.Path() + c.expected) << c.name;
    }
    EXPECT_EQ(ResolvePathCase(""), "");
}

TEST_F(ResolvePathCaseTest, ResolvesRelativePathsFromTheWorkingFolder) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_root.Path().str());
    EXPECT_EQ(ResolvePathCase("library/ALBUMS/album1.zip"), "Library/Albums/Album1.zip");
    EXPECT_EQ(ResolvePathCase("fotos"), "Fotos");
    std::filesystem::current_path(previous);
}

} // namespace

namespace {

TEST_F(ResolvePathCaseTest, MakeFolderPathCreatesMissingFoldersInTheCaseThatExists) {
    EXPECT_TRUE(MakeFolderPath(m_root.Path() + "/library/Neu/Tiefer"));
    EXPECT_TRUE(std::filesystem::is_directory((m_root.Path() + "/Library/Neu/Tiefer").str()))
        << "the existing folder of another case is used";
    EXPECT_FALSE(std::filesystem::exists((m_root.Path() + "/library").str()));
    EXPECT_TRUE(MakeFolderPath(m_root.Path() + "/Fotos")) << "an existing folder is fine";
    EXPECT_FALSE(MakeFolderPath(m_root.Path() + "/Fotos/Urlaub Ä.jpg/x")) << "a file is in the way";
    EXPECT_FALSE(MakeFolderPath(""));
}

} // namespace

TEST(PathTest, RuntimeFolderIsTheUsersOrAPrivateOneInTheTemporaryFolder) {
    struct Case {
        const char* name;
        const char* runtime; // null: unset
        const char* temp;
        std::string expected;
    };
    const std::string own = "/runtime-" + std::to_string(getuid());
    const Case cases[] = {
        {"RuntimeFolderSet", "/run/user/1000", "/var/tmp", "/run/user/1000"},
        {"RelativeRuntimeFolderIsIgnored", "run", "/var/tmp", "/var/tmp" + own},
        {"EmptyRuntimeFolderIsIgnored", "", nullptr, "/tmp" + own},
        {"Unset", nullptr, nullptr, "/tmp" + own},
    };
    const char* savedRuntime = getenv("XDG_RUNTIME_DIR");
    const char* savedTemp = getenv("TMPDIR");
    const std::string runtimeBefore = savedRuntime ? savedRuntime : "";
    const std::string tempBefore = savedTemp ? savedTemp : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.runtime ? setenv("XDG_RUNTIME_DIR", c.runtime, 1) : unsetenv("XDG_RUNTIME_DIR");
        c.temp ? setenv("TMPDIR", c.temp, 1) : unsetenv("TMPDIR");
        EXPECT_EQ(GetRuntimeFolder(), CString(c.expected));
    }
    savedRuntime ? setenv("XDG_RUNTIME_DIR", runtimeBefore.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
    savedTemp ? setenv("TMPDIR", tempBefore.c_str(), 1) : unsetenv("TMPDIR");
}
