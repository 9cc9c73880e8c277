#include "platform/print/PaperSizes.h"

namespace {

// Every paper number that names a Qt page size of its own, width first as the number defines it. The three
// large sheets 24 to 26 are the ANSI C, D and E sheets (17 x 22, 22 x 34 and 34 x 44 inches), not the
// architectural ones. Numbers of the rotated ("transverse") variants are left out: Qt has no page size for
// them.
constexpr PaperSizeEntry kPapers[] = {
    {1, QPageSize::Letter, 2159, 2794},
    {2, QPageSize::LetterSmall, 2159, 2794},
    {3, QPageSize::Tabloid, 2794, 4318},
    {4, QPageSize::Ledger, 4318, 2794},
    {5, QPageSize::Legal, 2159, 3556},
    {6, QPageSize::Statement, 1397, 2159},
    {7, QPageSize::ExecutiveStandard, 1842, 2667},
    {8, QPageSize::A3, 2970, 4200},
    {9, QPageSize::A4, 2100, 2970},
    {10, QPageSize::A4Small, 2100, 2970},
    {11, QPageSize::A5, 1480, 2100},
    {12, QPageSize::JisB4, 2570, 3640},
    {13, QPageSize::JisB5, 1820, 2570},
    {15, QPageSize::Quarto, 2159, 2751},
    {16, QPageSize::Imperial10x14, 2540, 3556},
    {18, QPageSize::Note, 2159, 2794},
    {19, QPageSize::Envelope9, 984, 2254},
    {20, QPageSize::Envelope10, 1048, 2413},
    {21, QPageSize::Envelope11, 1143, 2635},
    {22, QPageSize::Envelope12, 1207, 2794},
    {23, QPageSize::Envelope14, 1270, 2921},
    {24, QPageSize::AnsiC, 4318, 5588},
    {25, QPageSize::AnsiD, 5588, 8636},
    {26, QPageSize::AnsiE, 8636, 11180},
    {27, QPageSize::EnvelopeDL, 1100, 2200},
    {28, QPageSize::EnvelopeC5, 1620, 2290},
    {29, QPageSize::EnvelopeC3, 3240, 4580},
    {30, QPageSize::EnvelopeC4, 2290, 3240},
    {31, QPageSize::EnvelopeC6, 1140, 1620},
    {32, QPageSize::EnvelopeC65, 1140, 2290},
    {33, QPageSize::EnvelopeB4, 2500, 3530},
    {34, QPageSize::EnvelopeB5, 1760, 2500},
    {35, QPageSize::EnvelopeB6, 1760, 1250},
    {36, QPageSize::EnvelopeItalian, 1100, 2300},
    {37, QPageSize::EnvelopeMonarch, 984, 1905},
    {38, QPageSize::EnvelopePersonal, 921, 1651},
    {39, QPageSize::FanFoldUS, 3778, 2794},
    {40, QPageSize::FanFoldGerman, 2159, 3048},
    {41, QPageSize::FanFoldGermanLegal, 2159, 3300},
    {42, QPageSize::B4, 2500, 3530},
    {43, QPageSize::Postcard, 1000, 1480},
    {44, QPageSize::Imperial9x11, 2286, 2794},
    {45, QPageSize::Imperial10x11, 2540, 2794},
    {46, QPageSize::Imperial15x11, 3810, 2794},
    {47, QPageSize::EnvelopeInvite, 2200, 2200},
    {50, QPageSize::LetterExtra, 2413, 3048},
    {51, QPageSize::LegalExtra, 2413, 3810},
    {52, QPageSize::TabloidExtra, 3048, 4572},
    {53, QPageSize::A4Extra, 2355, 3223},
    {57, QPageSize::SuperA, 2270, 3560},
    {58, QPageSize::SuperB, 3050, 4870},
    {59, QPageSize::LetterPlus, 2159, 3223},
    {60, QPageSize::A4Plus, 2100, 3300},
    {63, QPageSize::A3Extra, 3220, 4450},
    {64, QPageSize::A5Extra, 1740, 2350},
    {65, QPageSize::B5Extra, 2010, 2760},
    {66, QPageSize::A2, 4200, 5940},
    {69, QPageSize::DoublePostcard, 2000, 1480},
    {70, QPageSize::A6, 1050, 1480},
    {71, QPageSize::EnvelopeKaku2, 2400, 3320},
    {72, QPageSize::EnvelopeKaku3, 2160, 2770},
    {73, QPageSize::EnvelopeChou3, 1200, 2350},
    {74, QPageSize::EnvelopeChou4, 900, 2050},
    {88, QPageSize::JisB6, 1280, 1820},
    {90, QPageSize::Imperial12x11, 3048, 2794},
    {91, QPageSize::EnvelopeYou4, 1050, 2350},
    {93, QPageSize::Prc16K, 1460, 2150},
    {94, QPageSize::Prc32K, 970, 1510},
    {95, QPageSize::Prc32KBig, 970, 1510},
    {96, QPageSize::EnvelopePrc1, 1020, 1650},
    {97, QPageSize::EnvelopePrc2, 1020, 1760},
    {98, QPageSize::EnvelopePrc3, 1250, 1760},
    {99, QPageSize::EnvelopePrc4, 1100, 2080},
    {100, QPageSize::EnvelopePrc5, 1100, 2200},
    {101, QPageSize::EnvelopePrc6, 1200, 2300},
    {102, QPageSize::EnvelopePrc7, 1600, 2300},
    {103, QPageSize::EnvelopePrc8, 1200, 3090},
    {104, QPageSize::EnvelopePrc9, 2290, 3240},
    {105, QPageSize::EnvelopePrc10, 3240, 4580},
};

} // namespace

std::optional<PaperSizeEntry> FindPaperByNumber(SHORT number) {
    for (const PaperSizeEntry& paper : kPapers) {
        if (paper.number == number)
            return paper;
    }
    return std::nullopt;
}

std::optional<SHORT> PaperNumberOfPageSize(QPageSize::PageSizeId pageSize) {
    for (const PaperSizeEntry& paper : kPapers) {
        if (paper.pageSize == pageSize)
            return paper.number;
    }
    return std::nullopt;
}

std::span<const PaperSizeEntry> PaperSizeTable() {
    return kPapers;
}
