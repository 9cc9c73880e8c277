#include "platform/gdi/Stretch.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct StepCase {
    const char* name;
    int source;
    int dest;
    std::vector<int> expected;
};

// Worked by hand from the accumulator rule: q = s / d, r = s % d, the accumulator starts at r / 2.
const StepCase kStepCases[] = {
    {"ThreeToTwoTakesFirstTwo", 3, 2, {0, 1}},
    {"FiveToTwo", 5, 2, {0, 2}},
    {"SevenToThree", 7, 3, {0, 2, 4}},
    {"TenToFourWrapsTwice", 10, 4, {0, 2, 5, 7}},
    {"SameSizeIsIdentity", 4, 4, {0, 1, 2, 3}},
    {"TwoToFiveRepeatsFirstTwice", 2, 5, {0, 0, 1, 1, 1}},
    {"ThreeToSeven", 3, 7, {0, 0, 1, 1, 1, 2, 2}},
    {"OneToThree", 1, 3, {0, 0, 0}},
};

class ColorOnColorStepsTest : public testing::TestWithParam<StepCase> {};

TEST_P(ColorOnColorStepsTest, MatchesHandWorkedTable) {
    const StepCase& c = GetParam();
    std::vector<int> got(c.expected.size(), -1);
    ColorOnColorSteps(c.source, c.dest, 0, c.dest, got.data());
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Tables, ColorOnColorStepsTest, testing::ValuesIn(kStepCases),
                         [](const auto& info) { return info.param.name; });

// The accumulator walk exactly as described, one pixel after another from the start.
std::vector<int> WalkFromStart(int source, int dest) {
    std::vector<int> result;
    const int q = source / dest, r = source % dest;
    int accumulator = r / 2, position = 0;
    for (int i = 0; i < dest; ++i) {
        result.push_back(position);
        position += q;
        accumulator += r;
        if (accumulator >= dest) {
            accumulator -= dest;
            ++position;
        }
    }
    return result;
}

TEST(ColorOnColorSteps, ClippedWalkContinuesTheFullWalk) {
    for (int source = 1; source <= 40; ++source) {
        for (int dest = 1; dest <= 40; ++dest) {
            const std::vector<int> full = WalkFromStart(source, dest);
            for (int first = 0; first < dest; first += 3) {
                const int count = dest - first;
                std::vector<int> part(count);
                ColorOnColorSteps(source, dest, first, count, part.data());
                ASSERT_EQ(part, std::vector<int>(full.begin() + first, full.end()))
                    << source << " onto " << dest << " from " << first;
            }
        }
    }
}

TEST(ColorOnColorSteps, DoesNotOverflowOnHugeExtents) {
    // One source pixel more than destination pixels: the accumulator, starting at 0, never wraps.
    int last[2] = {};
    ColorOnColorSteps(2000000000, 1999999999, 1999999997, 2, last);
    EXPECT_EQ(last[0], 1999999997);
    EXPECT_EQ(last[1], 1999999998);
    ColorOnColorSteps(3, 2000000000, 1999999999, 1, last);
    EXPECT_EQ(last[0], 2);
}

} // namespace
