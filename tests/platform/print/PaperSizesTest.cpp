#include "platform/print/PaperSizes.h"

#include <QSizeF>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

struct KnownPaper {
    SHORT number;
    QPageSize::PageSizeId pageSize;
    SHORT width;
    SHORT length;
};

// Paper numbers as the system defines them, with their sizes in tenths of a millimetre.
TEST(PaperSizes, KnownNumbersMatchTheirPapers) {
    const KnownPaper known[] = {
        {1, QPageSize::Letter, 2159, 2794},
        {3, QPageSize::Tabloid, 2794, 4318},
        {4, QPageSize::Ledger, 4318, 2794},
        {5, QPageSize::Legal, 2159, 3556},
        {7, QPageSize::ExecutiveStandard, 1842, 2667},
        {8, QPageSize::A3, 2970, 4200},
        {9, QPageSize::A4, 2100, 2970},
        {11, QPageSize::A5, 1480, 2100},
        {12, QPageSize::JisB4, 2570, 3640},
        {13, QPageSize::JisB5, 1820, 2570},
        {20, QPageSize::Envelope10, 1048, 2413},
        {24, QPageSize::AnsiC, 4318, 5588},
        {27, QPageSize::EnvelopeDL, 1100, 2200},
        {28, QPageSize::EnvelopeC5, 1620, 2290},
        {43, QPageSize::Postcard, 1000, 1480},
        {66, QPageSize::A2, 4200, 5940},
        {70, QPageSize::A6, 1050, 1480},
    };
    for (const KnownPaper& paper : known) {
        SCOPED_TRACE(paper.number);
        const auto entry = FindPaperByNumber(paper.number);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->pageSize, paper.pageSize);
        EXPECT_EQ(entry->width, paper.width);
        EXPECT_EQ(entry->length, paper.length);
        EXPECT_EQ(PaperNumberOfPageSize(paper.pageSize), paper.number);
    }
}

TEST(PaperSizes, NumbersWithoutPaperFindNothing) {
    for (SHORT number : {SHORT{0}, SHORT{14}, SHORT{54}, DMPAPER_USER, SHORT{-1}})
        EXPECT_FALSE(FindPaperByNumber(number).has_value()) << number;
    EXPECT_FALSE(PaperNumberOfPageSize(QPageSize::A0).has_value());
    EXPECT_FALSE(PaperNumberOfPageSize(QPageSize::Custom).has_value());
}

// Every row maps both ways to itself, and agrees with Qt's own idea of the page's size.
TEST(PaperSizes, TableIsOneToOneAndAgreesWithQt) {
    std::set<SHORT> numbers;
    std::set<int> pageSizes;
    for (const PaperSizeEntry& entry : PaperSizeTable()) {
        SCOPED_TRACE(entry.number);
        EXPECT_TRUE(numbers.insert(entry.number).second);
        EXPECT_TRUE(pageSizes.insert(entry.pageSize).second);
        EXPECT_EQ(PaperNumberOfPageSize(entry.pageSize), entry.number);
        const QSizeF size = QPageSize(entry.pageSize).size(QPageSize::Millimeter);
        EXPECT_NEAR(entry.width, size.width() * 10, 1.0);
        EXPECT_NEAR(entry.length, size.height() * 10, 1.0);
    }
    EXPECT_GE(numbers.size(), 70u);
}

} // namespace
