#include "output/PrinterMappingList.h"

#include "platform/base/Profile.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

using MappingRow = std::tuple<DWORD, std::string, std::string>;

std::vector<MappingRow> Rows(const CPrinterMappingList& list) {
    std::vector<MappingRow> rows;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const _tPRINTER_MAPPING* mapping = list.GetNext(pos);
        rows.emplace_back(mapping->paperIndex, mapping->driverName.str(), mapping->templateName.str());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

class PrinterMappingListTest : public ::testing::Test {
protected:
    PrinterMappingListTest() { SetProfileFolderForTesting(folder.Path()); }
    ~PrinterMappingListTest() override { SetProfileFolderForTesting(""); }

    TempFolder folder;
    CPrinterMappingList list;
};

TEST_F(PrinterMappingListTest, RoundTripKeepsDriversAndTemplatesWithAnyCharacters) {
    list.AddMapping(3, "HP LaserJet 4", "DIN A4");
    list.AddMapping(0, "HP LaserJet 4", "Postkarte 10/15");
    list.AddMapping(7, "Canon\\Selphy CP/1300", "  Foto 9x13  ");
    list.AddMapping(2, "Canon\\Selphy CP/1300", "DIN A4");
    list.AddMapping(4294967295u, "Drucker mit 100% Größe", "Übergröße");
    ASSERT_TRUE(list.Save("Morrowgate", "Vellumcraft"));

    CPrinterMappingList loaded;
    ASSERT_TRUE(loaded.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(Rows(loaded), Rows(list));
    EXPECT_EQ(std::get<2>(Rows(loaded)[3]), "Foto 9x13") << "template names are kept trimmed";
}

TEST_F(PrinterMappingListTest, SaveReplacesEverythingStoredBefore) {
    list.AddMapping(1, "Alt", "Brief");
    ASSERT_TRUE(list.Save("Morrowgate", "Vellumcraft"));
    list.RemoveMapping(list.FindMapping("Alt", "Brief"));
    list.AddMapping(2, "Neu", "Brief");
    ASSERT_TRUE(list.Save("Morrowgate", "Vellumcraft"));

    CPrinterMappingList loaded;
    ASSERT_TRUE(loaded.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(Rows(loaded), (std::vector<MappingRow>{{2, "Neu", "Brief"}}));
    EXPECT_EQ(GetProfileSubkeyNames("Page Mapping"), (std::vector<CString>{"Neu"}));
}

TEST_F(PrinterMappingListTest, LoadSkipsValuesThatAreNoPaperIndex) {
    const char* section = "Page Mapping\\Treiber";
    WriteProfileString(section, "Gut", "12");
    WriteProfileString(section, "Text", "zwölf");
    WriteProfileString(section, "Negativ", "-1");
    WriteProfileString(section, "Zu groß", "4294967296");
    WriteProfileString(section, "Leer", "");
    BYTE bytes[4] = {1, 0, 0, 0};
    WriteProfileBinary(section, "Binär", bytes, 4);
    ASSERT_TRUE(list.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(Rows(list), (std::vector<MappingRow>{{12, "Treiber", "Gut"}}));
}

TEST_F(PrinterMappingListTest, LoadWithoutStoredMappingsFailsAndLoadAppends) {
    EXPECT_FALSE(list.Load("Morrowgate", "Vellumcraft"));
    EXPECT_TRUE(list.IsEmpty());
    list.AddMapping(1, "Treiber", "Brief");
    ASSERT_TRUE(list.Save("Morrowgate", "Vellumcraft"));
    ASSERT_TRUE(list.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(PrinterMappingListTest, MappingsAreFoundIgnoringCasePerDriver) {
    _tPRINTER_MAPPING* laser = list.AddMapping(1, "HP LaserJet", "Brief");
    _tPRINTER_MAPPING* photo = list.AddMapping(5, "Canon Selphy", "Brief");
    EXPECT_EQ(list.FindMapping("hp laserjet", "BRIEF"), laser);
    EXPECT_EQ(list.FindMapping("Canon Selphy", "brief"), photo);
    EXPECT_EQ(list.FindMapping("Epson", "Brief"), nullptr);
    list.RemoveMapping(laser);
    EXPECT_EQ(list.FindMapping("HP LaserJet", "Brief"), nullptr);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(PrinterMappingListTest, SynonymGroupsTakeOnlyNamesEndedBySemicolons) {
    const CString path = folder.Path() + "/Synonymous.dat";
    std::ofstream(path.GetString()) << "A4; DIN A4 ;Din-A4;Rest ohne Semikolon\nPostkarte;10x15;\n\n";
    ASSERT_TRUE(list.LoadSynonyms(path));
    CStringList* a4 = list.FindSynonyms("  din a4 ");
    ASSERT_NE(a4, nullptr);
    EXPECT_EQ(a4->GetCount(), 3);
    EXPECT_EQ(list.FindSynonyms("10X15"), list.FindSynonyms("Postkarte"));
    EXPECT_NE(list.FindSynonyms("Postkarte"), a4);
    EXPECT_EQ(list.FindSynonyms("Rest ohne Semikolon"), nullptr);
    EXPECT_FALSE(list.LoadSynonyms(folder.Path() + "/fehlt.dat"));
}

} // namespace
