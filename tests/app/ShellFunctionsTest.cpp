// Tokens, the profile tree and the per-printer keys of the profile root.

#include "app/ShellFunctions.h"

#include "platform/base/Profile.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

TEST(ShellFunctionsTest, IsCharInSetNeverMatchesTheTerminator) {
    EXPECT_TRUE(IsCharInSet(" ,;", ','));
    EXPECT_FALSE(IsCharInSet(" ,;", 'a'));
    EXPECT_FALSE(IsCharInSet(" ,;", '\0'));
    EXPECT_FALSE(IsCharInSet(nullptr, ','));
}

TEST(ShellFunctionsTest, GetNextTokenWalksTheText) {
    const char* text = "  Rot, Grün;;Blau  ";
    const char* cursor = text;
    CString token;
    std::vector<CString> tokens;
    while (const char* next = GetNextToken(token, &cursor, " ,;")) {
        EXPECT_EQ(next, token.GetString());
        tokens.push_back(token);
    }
    // Trailing delimiters give one empty token, then the end.
    EXPECT_THAT(tokens, ::testing::ElementsAre("Rot", "Grün", "Blau", ""));
    EXPECT_EQ(*cursor, '\0');

    const char* empty = "";
    EXPECT_EQ(GetNextToken(token, &empty, " "), nullptr);
    EXPECT_EQ(GetNextToken(token, nullptr, " "), nullptr);
}

TEST(ShellFunctionsTest, DeleteRegistryTreeTakesEverythingBelow) {
    TempFolder folder;
    SetProfileFolderForTesting(folder.Path());
    WriteProfileInt("Printers\\A\\B", "x", 1);
    WriteProfileInt("Printers", "Count", 1);
    WriteProfileInt("Settings", "Sound", 1);
    EXPECT_EQ(DeleteRegistryTree("", "Printers"), ERROR_SUCCESS);
    EXPECT_EQ(static_cast<int>(GetProfileInt("Printers\\A\\B", "x", 0)), 0);
    EXPECT_EQ(static_cast<int>(GetProfileInt("Printers", "Count", 0)), 0);
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "Sound", 0)), 1);
    EXPECT_EQ(DeleteRegistryTree("", "Printers"), ERROR_FILE_NOT_FOUND);
    SetProfileFolderForTesting("");
}

TEST(ShellFunctionsTest, PrinterNamesCompareExactly) {
    EXPECT_TRUE(PrinterNameEquals("HP LaserJet", "HP LaserJet"));
    EXPECT_FALSE(PrinterNameEquals("HP LaserJet", "hp laserjet"));
    EXPECT_FALSE(PrinterNameEquals(nullptr, ""));
}

TEST(ShellFunctionsTest, StalePrinterKeysAreThoseOfNoVisibleInstalledPrinter) {
    char network[] = "\\\\druckserver\\Büro Farbe"; // its key holds the name with '/'
    char pdf[] = "PDF";
    char hidden[] = "Kasse";
    char slash[] = "Epson/Foto";
    PRINTER_INFO_2 printers[4] = {};
    printers[0].pPrinterName = network;
    printers[1].pPrinterName = pdf;
    printers[2].pPrinterName = hidden;
    printers[2].Attributes = PRINTER_ATTRIBUTE_HIDDEN;
    printers[3].pPrinterName = slash;
    struct KeyCase {
        const char* key;
        bool stale;
    };
    const KeyCase cases[] = {
        {"%2F%2Fdruckserver%2FBüro Farbe", false},
        {"PDF", false},
        {"pdf", true},   // another letter case is another printer
        {"Kasse", true}, // hidden printers keep no key
        {"Epson%2FFoto", false},
        {"%5C%5Cdruckserver%5CBüro Farbe", true}, // never written so: names go through '/'
        {"Entfernter Drucker", true},
        {"Printer", false},
        {"Settings", false},
        {"Printers", false},
        {"Page Mapping", false},
    };
    std::vector<CString> keys;
    std::vector<CString> expected;
    for (const KeyCase& c : cases) {
        keys.emplace_back(c.key);
        if (c.stale)
            expected.emplace_back(c.key);
    }
    EXPECT_EQ(FindStalePrinterKeys(keys, printers, 4), expected);
}

} // namespace
