// The browser's result: the file dialog's accessors over a folder and whole names, and the split of
// typed file-name text.

#include "albums/BrowseFileResult.h"

#include <gtest/gtest.h>

namespace {

CBrowseFileResult Result(const CString& folder, std::vector<CString> names) {
    CBrowseFileResult result;
    result.SetFolder(folder);
    result.SetNames(std::move(names));
    return result;
}

std::vector<CString> AllPaths(const CBrowseFileResult& result, bool multiSelect) {
    std::vector<CString> paths;
    for (POSITION pos = result.GetStartPosition(); pos;)
        paths.push_back(result.GetNextPath(pos, multiSelect));
    return paths;
}

TEST(BrowseFileResultTest, OneChosenFileGivesItsPathNameTitleAndExtension) {
    const CBrowseFileResult result = Result("/home/anna/Bilder", {"a.jpg"});
    EXPECT_EQ(CString("/home/anna/Bilder/a.jpg"), result.FormatPath());
    EXPECT_EQ(CString("a.jpg"), result.GetFileName());
    EXPECT_EQ(CString("a"), result.GetFileTitle());
    EXPECT_EQ(CString("jpg"), result.GetFileExt());
}

TEST(BrowseFileResultTest, TitleAndExtensionSplitAtTheLastDot) {
    struct Case {
        const char* name;
        const char* title;
        const char* extension;
    };
    for (const Case& test : {Case{"urlaub.2024.png", "urlaub.2024", "png"}, Case{"ohne", "ohne", ""},
                             Case{".versteckt", "", "versteckt"}}) {
        const CBrowseFileResult result = Result("/b", {test.name});
        EXPECT_EQ(CString(test.title), result.GetFileTitle()) << test.name;
        EXPECT_EQ(CString(test.extension), result.GetFileExt()) << test.name;
    }
}

TEST(BrowseFileResultTest, NothingChosenGivesNoPath) {
    EXPECT_EQ(CString(), Result("/b", {}).FormatPath());
    EXPECT_EQ(CString(), Result("", {"a.jpg"}).FormatPath());
    EXPECT_EQ(nullptr, Result("", {}).GetStartPosition());
}

TEST(BrowseFileResultTest, SeveralFilesAreWalkedInOrder) {
    const CBrowseFileResult result = Result("/home/anna/Bilder", {"a.jpg", "b.jpg"});
    EXPECT_EQ((std::vector<CString>{"/home/anna/Bilder/a.jpg", "/home/anna/Bilder/b.jpg"}),
              AllPaths(result, true));
}

TEST(BrowseFileResultTest, FolderEndingInSlashGetsNoSecondOne) {
    const CBrowseFileResult result = Result("/", {"a.jpg", "b.jpg"});
    EXPECT_EQ(CString("/a.jpg"), result.FormatPath());
    EXPECT_EQ((std::vector<CString>{"/a.jpg", "/b.jpg"}), AllPaths(result, true));
}

TEST(BrowseFileResultTest, MultiSelectWithoutNamesGivesTheFolder) {
    EXPECT_EQ((std::vector<CString>{"/home/anna"}), AllPaths(Result("/home/anna", {}), true));
}

TEST(BrowseFileResultTest, WithoutMultiSelectTheWalkGivesTheChosenPathOnce) {
    EXPECT_EQ((std::vector<CString>{"/home/anna/a.jpg"}), AllPaths(Result("/home/anna", {"a.jpg"}), false));
}

TEST(BrowseFileResultTest, TypedTextSplitsAtQuotesAndKeepsBlanksInNames) {
    struct Case {
        const char* text;
        std::vector<CString> names;
    };
    const std::vector<Case> cases = {
        {"a.jpg", {"a.jpg"}},
        {"mein bild.jpg", {"mein bild.jpg"}},
        {"\"a.jpg\" \"b.jpg\" ", {"a.jpg", "b.jpg"}},
        {"\"Urlaub am See.jpg\" \"Berg 2.png\"", {"Urlaub am See.jpg", "Berg 2.png"}},
        {"\"a.jpg\"", {"a.jpg"}},
        {"\"\" ", {}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(test.names, SplitTypedFileNames(test.text)) << test.text;
}

TEST(BrowseFileResultTest, ChosenNamesAreQuotedOnlyWhenSeveral) {
    EXPECT_EQ(CString("a b.jpg"), JoinChosenFileNames({"a b.jpg"}));
    EXPECT_EQ(CString("\"a.jpg\" \"b.jpg\" "), JoinChosenFileNames({"a.jpg", "b.jpg"}));
}

} // namespace
