#include "output/PrintersManager.h"

#include "output/PrinterSection.h"
#include "platform/base/Profile.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr char kPrinters[] = "Printers";

DEVMODE DevModeFor(const CString& name, short orientation = DMORIENT_PORTRAIT) {
    DEVMODE devMode{};
    SetDeviceName(&devMode, name);
    devMode.dmSpecVersion = DM_SPECVERSION;
    devMode.dmSize = sizeof(DEVMODE);
    devMode.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    devMode.dmOrientation = orientation;
    devMode.dmPaperSize = DMPAPER_A4;
    return devMode;
}

void StoreBytes(const char* entry, const void* data, size_t bytes) {
    ASSERT_TRUE(
        WriteProfileBinary(kPrinters, entry, static_cast<const BYTE*>(data), static_cast<UINT>(bytes)));
}

void StoreDevMode(const char* entry, const DEVMODE& devMode) {
    StoreBytes(entry, &devMode, sizeof devMode);
}

std::vector<CString> StoredNames(const CPrintersManager& manager) {
    std::vector<CString> names;
    for (POSITION pos = manager.GetHeadPosition(); pos;)
        names.push_back(GetDeviceName(manager.GetNext(pos)));
    return names;
}

std::vector<CString> SortedValueNames(const char* section) {
    std::vector<CString> names = GetProfileValueNames(section);
    std::sort(names.begin(), names.end());
    return names;
}

class PrintersManagerTest : public ::testing::Test {
protected:
    PrintersManagerTest() {
        SetProfileFolderForTesting(folder.Path());
        fake.Add("Büro", "HP LaserJet 4", "ipp://drucker/ipp").info.isDefault = TRUE;
        fake.Add("Foto", "Canon Selphy", "usb://Canon/Selphy");
    }
    ~PrintersManagerTest() override { SetProfileFolderForTesting(""); }

    // The enumeration as start-up hands it to the manager.

    TempFolder folder;
    CFakePrinterSystem fake;
    CPrintersManager manager;
};

TEST_F(PrintersManagerTest, RegistersItselfAsTheInstance) {
    EXPECT_EQ(CPrintersManager::GetInstance(), &manager);
}

TEST_F(PrintersManagerTest, CountWithGapsLoadsWhatIsThereAndSavesRenumbered) {
    WriteProfileInt(kPrinters, "Count", 3);
    StoreDevMode("DevMode0", DevModeFor("Büro"));
    StoreDevMode("DevMode2", DevModeFor("Foto"));
    StoreDevMode("DevMode3", DevModeFor("Jenseits")); // beyond Count
    ASSERT_TRUE(manager.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(StoredNames(manager), (std::vector<CString>{"Büro", "Foto"}));

    ASSERT_TRUE(manager.Save("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(GetProfileInt(kPrinters, "Count", -1), 2u);
    EXPECT_EQ(SortedValueNames(kPrinters),
              (std::vector<CString>{"Count", "DefaultPrinterDevMode", "DefaultPrinterDriver",
                                    "DefaultPrinterName", "DefaultPrinterPort", "DevMode0", "DevMode1"}));

    CPrintersManager reloaded;
    ASSERT_TRUE(reloaded.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(StoredNames(reloaded), (std::vector<CString>{"Büro", "Foto"}));
}

TEST_F(PrintersManagerTest, StoredRecordsThatDoNotFitAreIgnored) {
    DEVMODE otherVersion = DevModeFor("Alt");
    otherVersion.dmSpecVersion = 0x0401;
    DEVMODE badOrientation = DevModeFor("Quer", 7);
    DEVMODE claimsDriverData = DevModeFor("Treiber");
    claimsDriverData.dmDriverExtra = 200;
    const DEVMODE good = DevModeFor("Gut");

    WriteProfileInt(kPrinters, "Count", 7);
    StoreBytes("DevMode0", &good, sizeof good - 10);
    StoreDevMode("DevMode1", otherVersion);
    StoreDevMode("DevMode2", badOrientation);
    StoreDevMode("DevMode3", claimsDriverData);
    WriteProfileString(kPrinters, "DevMode4", "kein Binärwert");
    StoreBytes("DevMode5", "", 0);
    StoreDevMode("DevMode6", good);
    ASSERT_TRUE(manager.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(StoredNames(manager), (std::vector<CString>{"Gut"}));
}

TEST_F(PrintersManagerTest, HugeCountCostsNothing) {
    WriteProfileString(kPrinters, "Count", "2147483647");
    StoreDevMode("DevMode2000000000", DevModeFor("Weit"));
    ASSERT_TRUE(manager.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(StoredNames(manager), (std::vector<CString>{"Weit"}));
}

TEST_F(PrintersManagerTest, DefaultPrinterTakesItsStoredSettings) {
    WriteProfileString(kPrinters, "DefaultPrinterName", "Foto");
    StoreDevMode("DefaultPrinterDevMode", DevModeFor("Foto", DMORIENT_LANDSCAPE));
    ASSERT_TRUE(manager.Load("Morrowgate", "Vellumcraft"));
    const PRINTER_INFO_2* info = manager.GetPrinterInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->pPrinterName, "Foto");
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_EQ(info->pDevMode->dmOrientation, DMORIENT_LANDSCAPE);
    // Nothing stored for "Foto" in the list: the current printer is the system's default.
    EXPECT_EQ(manager.GetCurrentPrinterName(), "Büro");

    ASSERT_TRUE(manager.Save("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(GetProfileString(kPrinters, "DefaultPrinterName"), "Foto");
    EXPECT_EQ(GetProfileString(kPrinters, "DefaultPrinterDriver"), "Canon Selphy");
    EXPECT_EQ(GetProfileString(kPrinters, "DefaultPrinterPort"), "usb://Canon/Selphy");
    BYTE* data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(GetProfileBinary(kPrinters, "DefaultPrinterDevMode", &data, &bytes));
    ASSERT_EQ(bytes, sizeof(DEVMODE));
    EXPECT_EQ(reinterpret_cast<const DEVMODE*>(data)->dmOrientation, DMORIENT_LANDSCAPE);
    delete[] data;
}

TEST_F(PrintersManagerTest, StoredDefaultSettingsWithMoreDriverDataAreCutToThePrinters) {
    std::vector<BYTE> longer(sizeof(DEVMODE) + 16, 0xAB);
    DEVMODE stored = DevModeFor("Büro", DMORIENT_LANDSCAPE);
    stored.dmDriverExtra = 16;
    std::memcpy(longer.data(), &stored, sizeof stored);
    StoreBytes("DefaultPrinterDevMode", longer.data(), longer.size());
    ASSERT_TRUE(manager.Load("Morrowgate", "Vellumcraft"));
    const DEVMODE* devMode = manager.GetPrinterInfo()->pDevMode;
    EXPECT_EQ(devMode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(devMode->dmDriverExtra, 0) << "the record never claims more than its block";
}

TEST_F(PrintersManagerTest, DefaultPrinterThatCannotBeOpenedLeavesNone) {
    fake.Add("Weg").opens = false;
    WriteProfileString(kPrinters, "DefaultPrinterName", "Weg");
    ASSERT_TRUE(manager.Load("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(manager.GetPrinterInfo(), nullptr);

    ASSERT_TRUE(manager.Save("Morrowgate", "Vellumcraft"));
    EXPECT_EQ(SortedValueNames(kPrinters), (std::vector<CString>{"Count"}));
}

TEST_F(PrintersManagerTest, WithNothingStoredTheDefaultPrinterIsTheSystems) {
    ASSERT_TRUE(manager.Load("Morrowgate", "Vellumcraft"));
    ASSERT_NE(manager.GetPrinterInfo(), nullptr);
    EXPECT_STREQ(manager.GetPrinterInfo()->pPrinterName, "Büro");
    EXPECT_EQ(manager.GetCount(), 0);
}

TEST_F(PrintersManagerTest, MergeKeepsStoredSettingsOfExactNamesOnly) {
    fake.Add("Labor");
    manager.AddTail(reinterpret_cast<DEVMODE*>(new BYTE[sizeof(DEVMODE)]));
    *manager.GetTail() = DevModeFor("büro", DMORIENT_LANDSCAPE); // other letter case
    manager.AddTail(reinterpret_cast<DEVMODE*>(new BYTE[sizeof(DEVMODE)]));
    *manager.GetTail() = DevModeFor("Foto", DMORIENT_LANDSCAPE);

    EXPECT_NE(manager.FindPrinter("BÜRO"), nullptr) << "finding ignores case";
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    manager.MergePrinters(reinterpret_cast<PRINTER_INFO_2*>(buffer.data()), count, FALSE);

    EXPECT_EQ(StoredNames(manager), (std::vector<CString>{"Büro", "Foto", "Labor", kBuiltInPdfPrinterName}));
    EXPECT_EQ(manager.GetAt(manager.FindPrinter("Büro"))->dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(manager.GetAt(manager.FindPrinter("Foto"))->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_NE(manager.FindPrinter("büro"), nullptr);
}

TEST_F(PrintersManagerTest, MergeKeepingEnumeratedSettingsReplacesTheStoredOnes) {
    manager.AddTail(reinterpret_cast<DEVMODE*>(new BYTE[sizeof(DEVMODE)]));
    *manager.GetTail() = DevModeFor("Foto", DMORIENT_LANDSCAPE);
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    manager.MergePrinters(reinterpret_cast<PRINTER_INFO_2*>(buffer.data()), count, TRUE);
    EXPECT_EQ(manager.GetAt(manager.FindPrinter("Foto"))->dmOrientation, DMORIENT_PORTRAIT);
}

TEST_F(PrintersManagerTest, LongPrinterNamesAreFoundByTheirStoredName) {
    const CString longName = "Konica Minolta bizhub C258 Abteilung Buchhaltung";
    fake.Add(longName);
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    manager.MergePrinters(reinterpret_cast<PRINTER_INFO_2*>(buffer.data()), count, FALSE);
    EXPECT_NE(manager.FindPrinter(longName), nullptr);
    manager.SetCurrentPrinterName(longName);
    EXPECT_EQ(manager.GetCurrentPrinterName(), longName);
}

TEST_F(PrintersManagerTest, LoadPrinterInfoMakesThePrinterTheDefaultWithTheGivenSettings) {
    const DEVMODE chosen = DevModeFor("Foto", DMORIENT_LANDSCAPE);
    ASSERT_TRUE(manager.LoadPrinterInfo("Foto", &chosen));
    EXPECT_STREQ(manager.GetPrinterInfo()->pPrinterName, "Foto");
    EXPECT_EQ(manager.GetPrinterInfo()->pDevMode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_FALSE(manager.LoadPrinterInfo("Fehlt", &chosen));
    EXPECT_STREQ(manager.GetPrinterInfo()->pPrinterName, "Foto") << "a failure keeps the default printer";
}

// Each printer's own values live in a key named after it; '/' and '\' stay inside that one key, and
// keys ignore letter case as registry keys do.
TEST(PrinterSection, NamesWithSlashesAndMixedCaseKeepTheirOwnKeys) {
    TempFolder folder;
    SetProfileFolderForTesting(folder.Path());
    const CString names[] = {"\\\\server\\Laser Büro", "HP/Color 5", "MixedCase Drucker", "Laser"};
    int offset = 100;
    for (const CString& name : names)
        ASSERT_TRUE(WriteProfileInt(PrinterSection(name), "PrintOffsetX", offset++));

    offset = 100;
    for (const CString& name : names)
        EXPECT_EQ(GetProfileInt(PrinterSection(name), "PrintOffsetX", 0), UINT(offset++)) << name;
    EXPECT_EQ(GetProfileInt(PrinterSection("mixedcase DRUCKER"), "PrintOffsetX", 0), 102u);
    EXPECT_EQ(GetProfileInt(PrinterSection("//server/Laser Büro"), "PrintOffsetX", 0), 100u);

    std::vector<CString> keys;
    for (const CString& part : GetProfileSubkeyNames(""))
        keys.push_back(UnescapeProfileKeyPart(part));
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys,
              (std::vector<CString>{"//server/Laser Büro", "HP/Color 5", "Laser", "MixedCase Drucker"}));
    SetProfileFolderForTesting("");
}

} // namespace
