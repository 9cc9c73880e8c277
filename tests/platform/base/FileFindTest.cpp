#include "platform/base/FileFind.h"

#include "tests/platform/base/FileFixtures.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

class FileFindTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"Bild1.jpg", "bild2.JPG", "Bild10.jpeg", "notes.txt", "README", ".hidden", "Übersicht.txt"}) {
            WriteBytes(InFolder(m_folder, name), name);
        }
        ::mkdir(InFolder(m_folder, "Sub").c_str(), 0755);
    }

    std::vector<CString> Find(const std::string& pattern) {
        std::vector<CString> names;
        CFileFind find;
        for (BOOL more = find.FindFile((m_folder.Path().str() + "/" + pattern).c_str()); more;) {
            more = find.FindNextFile();
            names.push_back(find.GetFileName());
        }
        return names;
    }

    TempFolder m_folder;
};

struct PatternCase {
    const char* name;
    const char* pattern;
    std::vector<CString> found;
};
std::ostream& operator<<(std::ostream& out, const PatternCase& c) {
    return out << c.name;
}

class FileFindPatternTest : public FileFindTest, public testing::WithParamInterface<PatternCase> {};

TEST_P(FileFindPatternTest, MatchesWithoutRegardToCase) {
    EXPECT_EQ(Find(GetParam().pattern), GetParam().found);
}

const std::vector<CString> kEverything = {".",      "..",  ".hidden",   "Bild1.jpg", "Bild10.jpeg",
                                          "README", "Sub", "bild2.JPG", "notes.txt", "Übersicht.txt"};

INSTANTIATE_TEST_SUITE_P(
    Patterns, FileFindPatternTest,
    testing::Values(PatternCase{"Extension", "*.jpg", {"Bild1.jpg", "bild2.JPG"}},
                    PatternCase{"OneCharacter", "BILD?.jpg", {"Bild1.jpg", "bild2.JPG"}},
                    PatternCase{"StarInTheMiddle", "b*0.*", {"Bild10.jpeg"}},
                    PatternCase{"QuestionAtTheEnd", "*.jpe?", {"Bild10.jpeg"}},
                    PatternCase{"StarDotStarIsEverything", "*.*", kEverything},
                    PatternCase{"StarIsEverything", "*", kEverything},
                    PatternCase{"DotStarAllowsNoExtension", "readme.*", {"README"}},
                    PatternCase{"ExactNameInAnotherCase", "bild1.JPG", {"Bild1.jpg"}},
                    PatternCase{"UmlautFoldsToo", "übersicht.*", {"Übersicht.txt"}},
                    PatternCase{"QuestionIsOneCharacterNotOneByte", "?bersicht.txt", {"Übersicht.txt"}},
                    PatternCase{"NothingMatches", "*.png", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileFindTest, DescribesEachFoundEntry) {
    CFileFind find;
    ASSERT_TRUE(find.FindFile((m_folder.Path().str() + "/*").c_str()));
    std::vector<std::string> described;
    for (BOOL more = TRUE; more;) {
        more = find.FindNextFile();
        CTime written;
        EXPECT_TRUE(find.GetLastWriteTime(written));
        EXPECT_GT(written.GetTime(), 0);
        if (find.IsDots()) {
            EXPECT_TRUE(find.IsDirectory());
            continue;
        }
        EXPECT_EQ(find.GetFilePath(), CString(m_folder.Path().str() + "/") + find.GetFileName());
        std::string line = find.GetFileName().str();
        line += find.IsDirectory() ? " dir" : " " + std::to_string(find.GetLength());
        if (find.IsHidden()) {
            line += " hidden";
        }
        described.push_back(line);
    }
    EXPECT_EQ(described,
              (std::vector<std::string>{".hidden 7 hidden", "Bild1.jpg 9", "Bild10.jpeg 11", "README 6",
                                        "Sub dir", "bild2.JPG 9", "notes.txt 9", "Übersicht.txt 14"}));
    EXPECT_EQ(find.GetRoot(), CString(m_folder.Path().str() + "/"));
    EXPECT_EQ(find.GetFileTitle(), "Übersicht");
    EXPECT_FALSE(find.FindNextFile());
}

TEST_F(FileFindTest, FolderInAnotherCaseAndMissingFolders) {
    CFileFind find;
    ASSERT_TRUE(find.FindFile((m_folder.Path().str() + "/sub/../NOTES.TXT").c_str()));
    find.FindNextFile();
    EXPECT_EQ(find.GetFileName(), "notes.txt");
    EXPECT_FALSE(find.FindFile((m_folder.Path().str() + "/missing/*.*").c_str()));
    EXPECT_EQ(find.GetFileName(), "");
    EXPECT_FALSE(find.IsDirectory());
}

} // namespace
