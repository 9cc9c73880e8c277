// The progress dialogs' percentage: whole percents of the range, the excess beyond high taken modulo 100,
// and empty ranges that jump from 0 % to 100 % when the position reaches high.

#include "app/ProgressPercent.h"

#include <gtest/gtest.h>

namespace {

struct PercentCase {
    const char* name;
    int pos;
    int low;
    int high;
    const char* text;
};

std::ostream& operator<<(std::ostream& out, const PercentCase& percent) {
    return out << percent.name;
}

const PercentCase kCases[] = {
    {"StartShowsZero", 0, 0, 100, "0%"},
    {"WholePercentsRoundDown", 2, 0, 3, "66%"},
    {"OffsetRange", 150, 100, 200, "50%"},
    {"PositionAtHighShowsHundred", 100, 0, 100, "100%"},
    {"BeyondHighShowsTheExcessModuloHundred", 130, 0, 100, "30%"},
    {"TwiceTheRangeShowsZero", 200, 0, 100, "0%"},
    {"EmptyRangeBeforeHighShowsZero", 4, 5, 5, "0%"},
    {"EmptyRangeAtHighShowsHundred", 5, 5, 5, "100%"},
    {"EmptyRangeBeyondHighShowsHundred", 9, 5, 5, "100%"},
    {"ReversedRangeAtHighShowsHundred", 3, 10, 3, "100%"},
    {"ReversedRangeBelowHighShowsZero", 2, 10, 3, "0%"},
    {"WholeIntRangeDoesNotOverflow", 0, -2147483647 - 1, 2147483647, "50%"},
};

class ProgressPercentTest : public ::testing::TestWithParam<PercentCase> {};

TEST_P(ProgressPercentTest, ShowsThePercentageOfTheRange) {
    const PercentCase& percent = GetParam();
    EXPECT_STREQ(ProgressPercentText(percent.pos, percent.low, percent.high).GetString(), percent.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressPercentTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
