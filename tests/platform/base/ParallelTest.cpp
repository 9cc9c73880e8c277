#include "platform/base/Parallel.h"

#include <atomic>
#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

struct CoverCase {
    const char* name;
    std::int64_t count;
    std::int64_t grain;
};

void PrintTo(const CoverCase& c, std::ostream* os) {
    *os << c.name;
}

class ParallelCoverTest : public ::testing::TestWithParam<CoverCase> {};

TEST_P(ParallelCoverTest, VisitsEveryIndexExactlyOnce) {
    const CoverCase& c = GetParam();
    std::vector<std::atomic<int>> visits(static_cast<std::size_t>(std::max<std::int64_t>(c.count, 0)));
    ParallelFor(c.count, c.grain, [&](std::int64_t begin, std::int64_t end) {
        ASSERT_LE(0, begin);
        ASSERT_LT(begin, end);
        ASSERT_LE(end, c.count);
        for (std::int64_t i = begin; i < end; ++i)
            visits[static_cast<std::size_t>(i)]++;
    });
    for (std::size_t i = 0; i < visits.size(); ++i)
        ASSERT_EQ(1, visits[i].load()) << "index " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ParallelCoverTest,
    ::testing::Values(CoverCase{"Empty", 0, 1}, CoverCase{"Negative", -5, 1}, CoverCase{"SingleIndex", 1, 1},
                      CoverCase{"GrainLargerThanCount", 10, 100}, CoverCase{"ZeroGrainTreatedAsOne", 37, 0},
                      CoverCase{"ManySmallRanges", 10007, 1}, CoverCase{"UnevenSplit", 1001, 64}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParallelTest, SmallWorkRunsOnTheCallingThread) {
    const auto caller = std::this_thread::get_id();
    bool sameThread = false;
    ParallelFor(8, 8, [&](std::int64_t, std::int64_t) { sameThread = std::this_thread::get_id() == caller; });
    EXPECT_TRUE(sameThread);
}

TEST(ParallelTest, NestedLoopRunsInlineInItsBody) {
    std::atomic<int> nestedOnOtherThread{0};
    ParallelFor(64, 1, [&](std::int64_t, std::int64_t) {
        const auto outer = std::this_thread::get_id();
        ParallelFor(64, 1, [&](std::int64_t, std::int64_t) {
            if (std::this_thread::get_id() != outer)
                nestedOnOtherThread++;
        });
    });
    EXPECT_EQ(0, nestedOnOtherThread.load());
}

TEST(ParallelTest, RunOnThisThreadKeepsEveryLoopOnTheCaller) {
    const auto caller = std::this_thread::get_id();
    std::atomic<int> elsewhere{0};
    const int result = RunOnThisThread([&] {
        ParallelFor(1 << 16, 1, [&](std::int64_t, std::int64_t) {
            if (std::this_thread::get_id() != caller)
                ++elsewhere;
        });
        return 7;
    });
    EXPECT_EQ(7, result);
    EXPECT_EQ(0, elsewhere.load());
}

TEST(ParallelTest, RethrowsTheExceptionOfABody) {
    EXPECT_THROW(ParallelFor(1000, 1,
                             [](std::int64_t begin, std::int64_t end) {
                                 if (begin <= 500 && 500 < end)
                                     throw std::runtime_error("row 500");
                             }),
                 std::runtime_error);
}

} // namespace
