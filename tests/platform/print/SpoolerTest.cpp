#include "platform/print/Spooler.h"

#include "platform/base/LastError.h"
#include "platform/base/MessageBoxStyles.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

class SpoolerTest : public ::testing::Test {
protected:
    SpoolerTest() {
        fake.Add("Büro", "HP LaserJet 4", "ipp://drucker.local/ipp/print").info.isDefault = TRUE;
        fake.Add("Versteckt").info.hidden = TRUE;
        fake.Add("Kaputt").opens = false;
    }

    // The level-2 records as a caller gets them: size first, then the buffer.
    std::vector<BYTE> Enumerate(DWORD flags, DWORD* count) {
        DWORD needed = 0;
        EXPECT_FALSE(EnumPrinters(flags, nullptr, 2, nullptr, 0, &needed, count));
        EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        std::vector<BYTE> buffer(needed);
        EXPECT_TRUE(EnumPrinters(flags, nullptr, 2, buffer.data(), needed, &needed, count));
        return buffer;
    }

    CFakePrinterSystem fake;
};

TEST_F(SpoolerTest, EnumerationListsInstalledPrintersThenThePdfPrinter) {
    DWORD count = 0;
    const std::vector<BYTE> buffer = Enumerate(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, &count);
    ASSERT_EQ(count, 4u);
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2*>(buffer.data());

    EXPECT_STREQ(printers[0].pPrinterName, "Büro");
    EXPECT_STREQ(printers[0].pDriverName, "HP LaserJet 4");
    EXPECT_STREQ(printers[0].pPortName, "ipp://drucker.local/ipp/print");
    EXPECT_EQ(printers[0].Attributes, PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DEFAULT);
    ASSERT_NE(printers[0].pDevMode, nullptr);
    EXPECT_STREQ(printers[0].pDevMode->dmDeviceName, "Büro");
    EXPECT_TRUE(IsValidDevMode(printers[0].pDevMode, DevModeBytes(printers[0].pDevMode)));

    EXPECT_EQ(printers[1].Attributes & PRINTER_ATTRIBUTE_HIDDEN, PRINTER_ATTRIBUTE_HIDDEN);
    EXPECT_STREQ(printers[2].pPrinterName, "Kaputt");
    EXPECT_EQ(printers[2].pDevMode, nullptr) << "a printer that cannot be opened has no settings";
    EXPECT_STREQ(printers[3].pPrinterName, kBuiltInPdfPrinterName);
    EXPECT_NE(printers[3].pDevMode, nullptr);

    // Everything the records point to lies inside the caller's buffer, each device mode aligned for its
    // fields.
    for (DWORD i = 0; i < count; ++i) {
        EXPECT_EQ(reinterpret_cast<uintptr_t>(printers[i].pDevMode) % alignof(DEVMODE), 0u) << i;
        for (const void* p : {static_cast<const void*>(printers[i].pPrinterName),
                              static_cast<const void*>(printers[i].pPortName)}) {
            EXPECT_GE(static_cast<const BYTE*>(p), buffer.data());
            EXPECT_LT(static_cast<const BYTE*>(p), buffer.data() + buffer.size());
        }
    }
}

TEST_F(SpoolerTest, DefaultPrinterIsTheSystemsOrThePdfPrinter) {
    DWORD count = 0;
    std::vector<BYTE> buffer = Enumerate(PRINTER_ENUM_DEFAULT, &count);
    ASSERT_EQ(count, 1u);
    EXPECT_STREQ(reinterpret_cast<const PRINTER_INFO_2*>(buffer.data())->pPrinterName, "Büro");

    char name[64];
    DWORD chars = 3;
    EXPECT_FALSE(GetDefaultPrinter(name, &chars));
    EXPECT_EQ(chars, sizeof("Büro"));
    ASSERT_TRUE(GetDefaultPrinter(name, &chars));
    EXPECT_STREQ(name, "Büro");

    fake.Get("Büro").info.isDefault = FALSE;
    chars = sizeof name;
    ASSERT_TRUE(GetDefaultPrinter(name, &chars));
    EXPECT_STREQ(name, kBuiltInPdfPrinterName);
}

TEST_F(SpoolerTest, NoInstalledPrinterStillLeavesThePdfPrinter) {
    fake.printers.clear();
    DWORD count = 0;
    const std::vector<BYTE> buffer = Enumerate(PRINTER_ENUM_LOCAL, &count);
    ASSERT_EQ(count, 1u);
    EXPECT_STREQ(reinterpret_cast<const PRINTER_INFO_2*>(buffer.data())->pPrinterName,
                 kBuiltInPdfPrinterName);
}

TEST_F(SpoolerTest, EnumerationRefusesOtherLevels) {
    DWORD needed = 0, count = 0;
    EXPECT_FALSE(EnumPrinters(PRINTER_ENUM_LOCAL, nullptr, 1, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_LEVEL);
}

TEST_F(SpoolerTest, OpenPrinterNeedsAnInstalledPrinterThatOpens) {
    HANDLE printer = nullptr;
    EXPECT_FALSE(OpenPrinter("Kaputt", &printer, nullptr));
    EXPECT_FALSE(OpenPrinter("büro", &printer, nullptr)) << "names match exactly";
    EXPECT_FALSE(OpenPrinter("Fehlt", &printer, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);
    EXPECT_EQ(printer, nullptr);

    ASSERT_TRUE(OpenPrinter("Büro", &printer, nullptr));
    EXPECT_TRUE(ClosePrinter(printer));
    EXPECT_FALSE(ClosePrinter(printer)) << "a closed handle is refused";
    int notAHandle = 0;
    EXPECT_EQ(DocumentProperties(nullptr, &notAHandle, "Büro", nullptr, nullptr, 0), -1);
}

TEST_F(SpoolerTest, GetPrinterDescribesOnePrinter) {
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinter("Büro", &printer, nullptr));
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinter(printer, 2, nullptr, 0, &needed));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinter(printer, 2, buffer.data(), needed, &needed));
    const auto* info = reinterpret_cast<const PRINTER_INFO_2*>(buffer.data());
    EXPECT_STREQ(info->pPrinterName, "Büro");
    EXPECT_STREQ(info->pDriverName, "HP LaserJet 4");
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_EQ(info->pDevMode->dmPaperSize, DMPAPER_A4);
    ClosePrinter(printer);
}

TEST_F(SpoolerTest, DocumentPropertiesGivesAndMergesSettings) {
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinter("Büro", &printer, nullptr));
    const LONG size = DocumentProperties(nullptr, printer, "Büro", nullptr, nullptr, 0);
    ASSERT_EQ(size, static_cast<LONG>(sizeof(DEVMODE)));

    DEVMODE devMode{};
    ASSERT_EQ(DocumentProperties(nullptr, printer, "Büro", &devMode, nullptr, DM_OUT_BUFFER), IDOK);
    EXPECT_EQ(devMode.dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(devMode.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(devMode.dmYResolution, 300);
    EXPECT_EQ(devMode.dmCopies, 1);

    DEVMODE input = devMode;
    input.dmOrientation = DMORIENT_LANDSCAPE;
    input.dmPaperSize = DMPAPER_LETTER;
    input.dmYResolution = 600;
    input.dmPrintQuality = 1200; // not offered: the printer keeps its own
    input.dmCopies = 3;
    DEVMODE merged{};
    ASSERT_EQ(DocumentProperties(nullptr, printer, "Büro", &merged, &input, DM_IN_BUFFER | DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(merged.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(merged.dmPaperSize, DMPAPER_LETTER);
    EXPECT_EQ(merged.dmYResolution, 600);
    EXPECT_EQ(merged.dmPrintQuality, 300);
    EXPECT_EQ(merged.dmCopies, 3);

    input.dmPaperSize = DMPAPER_A3; // the printer has no A3
    ASSERT_EQ(DocumentProperties(nullptr, printer, "Büro", &merged, &input, DM_IN_BUFFER | DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(merged.dmPaperSize, DMPAPER_A4);

    input.dmSpecVersion = 0x0401;
    EXPECT_EQ(DocumentProperties(nullptr, printer, "Büro", &merged, &input, DM_IN_BUFFER | DM_OUT_BUFFER),
              -1);
    EXPECT_EQ(DocumentProperties(nullptr, printer, "Büro", &merged, nullptr, DM_IN_PROMPT | DM_OUT_BUFFER),
              -1);
    ClosePrinter(printer);
}

TEST_F(SpoolerTest, DeviceCapabilitiesListsPapersInOneOrder) {
    ASSERT_EQ(DeviceCapabilities("Büro", "", DC_PAPERS, nullptr, nullptr), 2);
    WORD numbers[2];
    ASSERT_EQ(DeviceCapabilities("Büro", "", DC_PAPERS, reinterpret_cast<LPSTR>(numbers), nullptr), 2);
    EXPECT_EQ(numbers[0], DMPAPER_A4);
    EXPECT_EQ(numbers[1], DMPAPER_LETTER);

    POINT sizes[2];
    ASSERT_EQ(DeviceCapabilities("Büro", "", DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes), nullptr), 2);
    EXPECT_EQ(sizes[1].x, 2159);
    EXPECT_EQ(sizes[1].y, 2794);

    fake.Get("Büro").capabilities.papers[1].name = CString(std::string(70, 'L'));
    char names[2][kPaperNameChars];
    ASSERT_EQ(DeviceCapabilities("Büro", "", DC_PAPERNAMES, names[0], nullptr), 2);
    EXPECT_STREQ(names[0], "A4");
    EXPECT_EQ(std::string(names[1], kPaperNameChars), std::string(kPaperNameChars, 'L'))
        << "cut, not overrun";

    LONG resolutions[2][2];
    ASSERT_EQ(
        DeviceCapabilities("Büro", "", DC_ENUMRESOLUTIONS, reinterpret_cast<LPSTR>(resolutions), nullptr), 2);
    EXPECT_EQ(resolutions[1][1], 600);

    EXPECT_EQ(DeviceCapabilities("Kaputt", "", DC_PAPERS, nullptr, nullptr), -1);
    EXPECT_EQ(DeviceCapabilities("Büro", "", 999, nullptr, nullptr), -1);
    EXPECT_EQ(DeviceCapabilities(kBuiltInPdfPrinterName, "", DC_PAPERS, nullptr, nullptr), 6);
}

} // namespace
