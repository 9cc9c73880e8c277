#include "image/FileHelpers.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct PathCase {
    const char* name;
    const char* input;
    const char* expected;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

std::string CaseName(const testing::TestParamInfo<PathCase>& info) {
    return info.param.name;
}

class AddTrailingBackslashTest : public testing::TestWithParam<PathCase> {};
TEST_P(AddTrailingBackslashTest, EndsWithOneSeparator) {
    CString path = GetParam().input;
    AddTrailingBackslash(path);
    EXPECT_EQ(path, GetParam().expected);
}
const PathCase kTrailing[] = {
    {"TrimsBlanksThenAppendsSlash", "/home/anna/photos ", "/home/anna/photos/"},
    {"KeepsTrailingSlash", "/home/anna/photos/", "/home/anna/photos/"},
    {"KeepsTrailingBackslash", "C:\\photos\\", "C:\\photos\\"},
    {"WindowsPathWithBlankGetsSlash", "C:\\photos ", "C:\\photos/"},
    {"TrimsTabsAndNewlines", "/data\t\n", "/data/"},
    {"EmptyBecomesRoot", "", "/"},
};
INSTANTIATE_TEST_SUITE_P(Paths, AddTrailingBackslashTest, testing::ValuesIn(kTrailing), CaseName);

class SplitPathDriveTest : public testing::TestWithParam<PathCase> {};
TEST_P(SplitPathDriveTest, GivesTheDriveOrNothing) {
    EXPECT_EQ(SplitPathDrive(GetParam().input), GetParam().expected);
}
const PathCase kDrives[] = {
    {"WindowsDrive", "C:\\photos\\a.jpg", "C:"},
    {"DriveAlone", "d:", "d:"},
    {"PosixPath", "/home/anna/a.jpg", ""},
    {"RelativePath", "a:b", "a:"},
    {"SingleCharacter", "C", ""},
    {"Empty", "", ""},
};
INSTANTIATE_TEST_SUITE_P(Paths, SplitPathDriveTest, testing::ValuesIn(kDrives), CaseName);

class GetFileExtensionTest : public testing::TestWithParam<PathCase> {};
TEST_P(GetFileExtensionTest, IsTheTextAfterTheLastDot) {
    EXPECT_EQ(GetFileExtension(CString(GetParam().input)), GetParam().expected);
    CString out = "stale";
    GetFileExtension(out, GetParam().input);
    EXPECT_EQ(out, GetParam().expected);
}
const PathCase kExtensions[] = {
    {"LastOfTwo", "archive.tar.gz", "gz"},
    {"DotInFolderName", "/home/my.dir/file", "dir/file"},
    {"DotInWindowsFolderName", "C:\\my.dir\\file", "dir\\file"},
    {"NoDot", "/home/anna/README", ""},
    {"TrailingDot", "photo.", ""},
    {"HiddenFile", "/home/anna/.profile", "profile"},
};
INSTANTIATE_TEST_SUITE_P(Paths, GetFileExtensionTest, testing::ValuesIn(kExtensions), CaseName);

class GetFileNamePartTest : public testing::TestWithParam<PathCase> {};
TEST_P(GetFileNamePartTest, IsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(GetFileNamePart(GetParam().input), GetParam().expected);
}
const PathCase kNameParts[] = {
    {"AfterSlash", "/home/anna/photo.jpg", "photo.jpg"},
    {"AfterBackslash", "C:\\photos\\photo.jpg", "photo.jpg"},
    {"LastOfMixedSeparators", "a\\b/c\\d.bmp", "d.bmp"},
    {"NoSeparatorGivesNothing", "photo.jpg", ""},
    {"TrailingSeparatorGivesNothing", "/home/anna/", ""},
};
INSTANTIATE_TEST_SUITE_P(Paths, GetFileNamePartTest, testing::ValuesIn(kNameParts), CaseName);

class NormalizePathTest : public testing::TestWithParam<PathCase> {};
TEST_P(NormalizePathTest, RemovesDotSteps) {
    EXPECT_EQ(NormalizePath(GetParam().input), GetParam().expected);
}
const PathCase kNormalized[] = {
    {"CurrentStep", "a/./b", "a/b"},
    {"ParentStep", "a/b/../c", "a/c"},
    {"ParentStepWithoutFolderKeepsSlash", "b/../c", "/c"},
    {"BackslashSteps", "x\\.\\y\\..\\z", "x\\z"},
    {"RepeatedSteps", "/data/a/b/../../c/./d", "/data/c/d"},
    {"ConsecutiveCurrentSteps", "a/././b", "a/b"},
    {"ParentStepLooksOnlyForItsOwnSeparator", "a/b\\..\\c", "\\c"},
    {"MixedStepLeftAlone", "a/..\\c", "a/..\\c"},
    {"DotsInNamesLeftAlone", "/data/..hidden/x..y/.z", "/data/..hidden/x..y/.z"},
    {"NothingToDo", "/home/anna/photo.jpg", "/home/anna/photo.jpg"},
};
INSTANTIATE_TEST_SUITE_P(Paths, NormalizePathTest, testing::ValuesIn(kNormalized), CaseName);

TEST(NeedsBase64EncodingTest, TwoBlanksInARowOrALineFeed) {
    EXPECT_FALSE(NeedsBase64Encoding("Urlaub am Meer 2024"));
    EXPECT_FALSE(NeedsBase64Encoding(""));
    EXPECT_FALSE(NeedsBase64Encoding("Zeile\rmit Wagenrücklauf"));
    EXPECT_TRUE(NeedsBase64Encoding("Urlaub  am Meer"));
    EXPECT_TRUE(NeedsBase64Encoding("Urlaub\nam Meer"));
    EXPECT_TRUE(NeedsBase64Encoding("  "));
}

} // namespace
