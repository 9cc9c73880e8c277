#include "platform/base/Time.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

// Central European time without tzdata: the rule is in the string.
class TimeTest : public testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        ::tzset();
    }
};

TEST_F(TimeTest, CalendarPartsAreLocal) {
    const CTime summer(2024, 7, 14, 18, 5, 9);
    EXPECT_EQ(summer.GetTime(), 1720973109); // 16:05:09 UTC
    EXPECT_EQ(summer.GetYear(), 2024);
    EXPECT_EQ(summer.GetMonth(), 7);
    EXPECT_EQ(summer.GetDay(), 14);
    EXPECT_EQ(summer.GetHour(), 18);
    EXPECT_EQ(summer.GetMinute(), 5);
    EXPECT_EQ(summer.GetSecond(), 9);
    EXPECT_EQ(summer.GetDayOfWeek(), 1);                           // a Sunday
    EXPECT_EQ(CTime(2024, 1, 14, 18, 5, 9).GetTime(), 1705251909); // winter: one hour to UTC
    // Fields out of range carry over.
    EXPECT_EQ(CTime(2023, 13, 1, 0, 0, 0), CTime(2024, 1, 1, 0, 0, 0));
}

TEST_F(TimeTest, FormatsWithStrftimeCodes) {
    const CTime time(2024, 3, 5, 7, 8, 9);
    EXPECT_EQ(time.Format("%d.%m.%Y %H:%M:%S"), "05.03.2024 07:08:09");
    EXPECT_EQ(time.FormatGmt("%H:%M"), "06:08");
    EXPECT_EQ(time.Format(""), "");
    EXPECT_EQ(time.Format("%%"), "%");
    EXPECT_EQ(time.Format(std::string(500, 'x').c_str()), std::string(500, 'x').c_str());
}

TEST_F(TimeTest, ComparesByInstant) {
    const CTime early(1000);
    const CTime late(2000);
    EXPECT_LT(early, late);
    EXPECT_EQ(early, CTime(1000));
    EXPECT_NE(early, late);
    EXPECT_LE(CTime::GetCurrentTime(), CTime(std::time(nullptr)));
}

struct DosCase {
    const char* name;
    int year, month, day, hour, minute, second;
    WORD date, time;
};

std::ostream& operator<<(std::ostream& out, const DosCase& c) {
    return out << c.name;
}

class DosTimeTest : public TimeTest, public testing::WithParamInterface<DosCase> {};

TEST_P(DosTimeTest, PacksAndUnpacksLocalTime) {
    const DosCase& c = GetParam();
    const CTime time(c.year, c.month, c.day, c.hour, c.minute, c.second);
    WORD date = 0xFFFF;
    WORD packed = 0xFFFF;
    ASSERT_TRUE(time.GetAsDosTime(date, packed));
    EXPECT_EQ(date, c.date);
    EXPECT_EQ(packed, c.time);
    // Two-second steps: an odd second comes back one lower.
    EXPECT_EQ(CTime(date, packed), CTime(c.year, c.month, c.day, c.hour, c.minute, c.second & ~1));
}

INSTANTIATE_TEST_SUITE_P(Dates, DosTimeTest,
                         testing::Values(DosCase{"FirstDay", 1980, 1, 1, 0, 0, 0, 0x0021, 0x0000},
                                         DosCase{"OddSecond", 2024, 7, 14, 18, 5, 9,
                                                 (44 << 9) | (7 << 5) | 14, (18 << 11) | (5 << 5) | 4},
                                         DosCase{"LastMoment", 2107, 12, 31, 23, 59, 58, 0xFF9F, 0xBF7D},
                                         DosCase{"LeapDay", 2000, 2, 29, 12, 30, 0, (20 << 9) | (2 << 5) | 29,
                                                 (12 << 11) | (30 << 5)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimeTest, DosFormRefusesYearsItCannotHold) {
    WORD date = 1;
    WORD time = 1;
    EXPECT_FALSE(CTime(1979, 12, 31, 23, 59, 59).GetAsDosTime(date, time));
    EXPECT_EQ(date, 0);
    EXPECT_EQ(time, 0);
    EXPECT_FALSE(CTime(2108, 1, 1, 0, 0, 0).GetAsDosTime(date, time));
}

} // namespace
