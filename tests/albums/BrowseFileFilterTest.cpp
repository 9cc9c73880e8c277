// The file browser's pattern test, the colour-depth filter over pictures written by GraphicsMagick, and
// the filter list's modes.

#include "albums/BPPFilter.h"
#include "albums/BrowseFileFilterList.h"
#include "albums/BrowseFilePattern.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

void FillPatterns(CStringArray& array, std::initializer_list<const char*> patterns) {
    for (const char* pattern : patterns)
        array.Add(pattern);
}

struct PatternCase {
    const char* name;
    int filterIndex;
    const char* path;
    bool passes;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << c.name;
}

class FilterPatternTest : public testing::TestWithParam<PatternCase> {};

// Entries: 0 a list of extensions, 1 "*.*" in capitals, 2 a name without dot, 3 a description that
// came without pattern.
TEST_P(FilterPatternTest, DecidesByExtensionFoundInsideThePattern) {
    CStringArray patterns;
    FillPatterns(patterns, {"*.jpg;*.jpeg", "*.*", "*.bmp;readme", ""});
    EXPECT_EQ(MatchesFilterPattern(patterns, GetParam().filterIndex, GetParam().path), GetParam().passes);
}

const PatternCase kPatternCases[] = {
    {"UpperCaseExtensionPasses", 0, "/bilder/Bild.JPG", true},
    {"OtherExtensionFails", 0, "/bilder/Bild.png", false},
    {"ExtensionInsideThePatternPasses", 0, "/bilder/Bild.jp", true},
    {"PathWithoutDotFailsUnlessInPattern", 0, "/bilder/jpg", false},
    {"WholePathWithoutDotInPatternPasses", 2, "readme", true},
    {"PathWithoutDotNotInPatternFails", 2, "/bilder/readme", false},
    {"LastDotCounts", 0, "/bilder/urlaub.jpg.png", false},
    {"StarDotStarInAnyCasePassesEverything", 1, "/bilder/notiz.txt", true},
    {"DescriptionWithoutPatternPassesEverything", 3, "/bilder/notiz.txt", true},
    {"EntryPastThePatternsPassesEverything", 4, "/bilder/notiz.txt", true},
    {"NoEntryChosenPassesEverything", -1, "/bilder/notiz.txt", true},
};

INSTANTIATE_TEST_SUITE_P(Browser, FilterPatternTest, testing::ValuesIn(kPatternCases),
                         [](const testing::TestParamInfo<PatternCase>& info) { return info.param.name; });

TEST(FilterPatternTest, NoPatternsPassEveryFile) {
    EXPECT_TRUE(MatchesFilterPattern(CStringArray(), 0, "/bilder/notiz.txt"));
}

// Pictures of 1, 4, 8 and 24 bits per pixel written by GraphicsMagick, and a file it did not write.
class BppFilterTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string folder = static_cast<const char*>(m_folder.Path());
        // GraphicsMagick writes a palette BMP at the least depth that holds its colours: the gradient
        // gives 64 of them.
        const std::string make = "gm convert -size 64x64 gradient:red-blue ";
        ASSERT_EQ(RunTool(InToolLocale(make + "-monochrome BMP3:" + folder + "/d1.bmp")), 0);
        ASSERT_EQ(RunTool(InToolLocale(make + "-colors 16 -type Palette BMP3:" + folder + "/d4.bmp")), 0);
        ASSERT_EQ(RunTool(InToolLocale(make + "-colors 200 -type Palette BMP3:" + folder + "/d8.bmp")), 0);
        ASSERT_EQ(RunTool(InToolLocale(make + "-type TrueColor PNG24:" + folder + "/d24.png")), 0);
        ASSERT_EQ(RunTool(InToolLocale("printf 'kein Bild' > " + folder + "/notiz.bmp")), 0);
    }

    CString Path(const char* name) const { return m_folder.Path() + "/" + name; }

    TempFolder m_folder;
};

TEST_F(BppFilterTest, EqualOrGreaterThanEightPassesEightAndTwentyFourBits) {
    CBPPFilter filter;
    filter.SetFlags(0, CBPPFilter::kEqual | CBPPFilter::kGreater);
    filter.SetBitsPerPixel(8);
    EXPECT_FALSE(filter.Test(Path("d1.bmp")));
    EXPECT_FALSE(filter.Test(Path("d4.bmp")));
    EXPECT_TRUE(filter.Test(Path("d8.bmp")));
    EXPECT_TRUE(filter.Test(Path("d24.png")));
    EXPECT_FALSE(filter.Test(Path("notiz.bmp")));
    EXPECT_FALSE(filter.Test(Path("fehlt.bmp")));
}

TEST_F(BppFilterTest, LessThanEightPassesOneAndFourBits) {
    CBPPFilter filter;
    filter.SetFlags(0, CBPPFilter::kLess);
    filter.SetBitsPerPixel(8);
    EXPECT_TRUE(filter.Test(Path("d1.bmp")));
    EXPECT_TRUE(filter.Test(Path("d4.bmp")));
    EXPECT_FALSE(filter.Test(Path("d8.bmp")));
    EXPECT_FALSE(filter.Test(Path("d24.png")));
}

TEST_F(BppFilterTest, WithoutComparisonBitsNothingPasses) {
    CBPPFilter filter;
    filter.SetFlags(0, 8);
    filter.SetBitsPerPixel(24);
    EXPECT_FALSE(filter.Test(Path("d24.png")));
    filter.SetFlags(0, CBPPFilter::kEqual);
    EXPECT_TRUE(filter.Test(Path("d24.png")));
    filter.SetFlags(CBPPFilter::kEqual, CBPPFilter::kLess);
    EXPECT_FALSE(filter.Test(Path("d24.png")));
}

// A filter with a fixed answer that counts the times it was asked.
class AnsweringFilter : public CBrowseFileFilter {
public:
    explicit AnsweringFilter(bool answer) : m_answer(answer) {}
    bool Test(LPCTSTR) const override {
        ++m_asked;
        return m_answer;
    }
    int Asked() const { return m_asked; }

private:
    bool m_answer;
    mutable int m_asked = 0;
};

struct ListCase {
    const char* name;
    int mode;
    std::vector<bool> answers;
    bool passes;
    int asked; // filters asked before the list decided
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

class FilterListTest : public testing::TestWithParam<ListCase> {};

TEST_P(FilterListTest, AsksFiltersInOrderUntilOneDecides) {
    std::vector<std::unique_ptr<AnsweringFilter>> filters;
    CBrowseFileFilterList list;
    for (const bool answer : GetParam().answers) {
        filters.push_back(std::make_unique<AnsweringFilter>(answer));
        list.AddTail(filters.back().get());
    }
    list.SetMode(GetParam().mode);
    EXPECT_EQ(list.GetMode(), GetParam().mode);
    EXPECT_EQ(list.Test("/bilder/a.jpg"), GetParam().passes);
    int asked = 0;
    for (const auto& filter : filters)
        asked += filter->Asked();
    EXPECT_EQ(asked, GetParam().asked);
}

const ListCase kListCases[] = {
    {"EmptyListInModeZeroPasses", 0, {}, true, 0},
    {"EmptyListInModeOneRefuses", 1, {}, false, 0},
    {"ModeZeroPassesWhenAllPass", 0, {true, true}, true, 2},
    {"ModeZeroStopsAtFirstRefusal", 0, {true, false, true}, false, 2},
    {"ModeOneStopsAtFirstPass", 1, {false, true, false}, true, 2},
    {"ModeOneRefusesWhenNonePasses", 1, {false, false}, false, 2},
    {"OtherModePassesWithoutAsking", 2, {false, false}, true, 0},
    {"NegativeModePassesWithoutAsking", -1, {false}, true, 0},
};

INSTANTIATE_TEST_SUITE_P(Browser, FilterListTest, testing::ValuesIn(kListCases),
                         [](const testing::TestParamInfo<ListCase>& info) { return info.param.name; });

TEST(FilterListTest, StartsEmptyInModeZero) {
    const CBrowseFileFilterList list;
    EXPECT_EQ(list.GetMode(), 0);
    EXPECT_TRUE(list.IsEmpty());
}

} // namespace
