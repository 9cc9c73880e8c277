#include "platform/print/DevMode.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

DEVMODE SampleDevMode() {
    DEVMODE devMode{};
    SetDeviceName(&devMode, "Drucker");
    devMode.dmSpecVersion = DM_SPECVERSION;
    devMode.dmSize = sizeof(DEVMODE);
    devMode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_YRESOLUTION;
    devMode.dmOrientation = DMORIENT_LANDSCAPE;
    devMode.dmPaperSize = 9;
    devMode.dmCopies = 2;
    devMode.dmPrintQuality = 600;
    devMode.dmYResolution = 300;
    return devMode;
}

std::vector<BYTE> BytesOf(const DEVMODE& devMode, size_t extra = 0) {
    std::vector<BYTE> bytes(sizeof devMode + extra, 0xEE);
    std::memcpy(bytes.data(), &devMode, sizeof devMode);
    return bytes;
}

// The stored form of a record: what the profile holds for a printer.
TEST(DevModeLayout, StoredBytesAreFixed) {
    const std::vector<BYTE> expected = {
        'D',  'r',  'u',  'c',  'k', 'e', 'r', 0, 0, 0, 0, 0, 0, 0, 0, 0, // dmDeviceName
        0,    0,    0,    0,    0,   0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0, //
        0x00, 0x01, 0x00, 0x00,                                           // dmSpecVersion, dmDriverVersion
        0x44, 0x00, 0x00, 0x00,                                           // dmSize 68, dmDriverExtra
        0x03, 0x25, 0x00, 0x00,                                           // dmFields
        0x02, 0x00, 0x09, 0x00,                                           // dmOrientation, dmPaperSize
        0x00, 0x00, 0x00, 0x00,                                           // dmPaperLength, dmPaperWidth
        0x00, 0x00, 0x02, 0x00,                                           // dmScale, dmCopies
        0x00, 0x00, 0x58, 0x02,                                           // dmDefaultSource, dmPrintQuality
        0x00, 0x00, 0x00, 0x00,                                           // dmColor, dmDuplex
        0x2C, 0x01, 0x00, 0x00,                                           // dmYResolution, dmCollate
    };
    EXPECT_EQ(BytesOf(SampleDevMode()), expected);
    EXPECT_TRUE(IsValidDevMode(expected.data(), expected.size()));
}

struct DevModeCase {
    const char* name;
    std::function<void(DEVMODE&)> change;
    size_t extraBytes; // bytes stored behind the record
    bool valid;
};

void PrintTo(const DevModeCase& c, std::ostream* os) {
    *os << c.name;
}

class DevModeValidation : public ::testing::TestWithParam<DevModeCase> {};

TEST_P(DevModeValidation, RefusesImpossibleRecords) {
    const DevModeCase& c = GetParam();
    DEVMODE devMode = SampleDevMode();
    c.change(devMode);
    const std::vector<BYTE> bytes = BytesOf(devMode, c.extraBytes);
    EXPECT_EQ(IsValidDevMode(bytes.data(), bytes.size()) != FALSE, c.valid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DevModeValidation,
    ::testing::Values(
        DevModeCase{"Sample", [](DEVMODE&) {}, 0, true},
        DevModeCase{"WithDriverData", [](DEVMODE& d) { d.dmDriverExtra = 12; }, 12, true},
        DevModeCase{"DriverDataMissing", [](DEVMODE& d) { d.dmDriverExtra = 12; }, 4, false},
        DevModeCase{"BytesBehindTheRecord", [](DEVMODE&) {}, 4, false},
        DevModeCase{"OtherVersion", [](DEVMODE& d) { d.dmSpecVersion = 0x0401; }, 0, false},
        DevModeCase{"LargerHeader", [](DEVMODE& d) { d.dmSize = sizeof(DEVMODE) + 4; }, 4, false},
        DevModeCase{"SmallerHeader", [](DEVMODE& d) { d.dmSize = 40; }, 0, false},
        DevModeCase{"NameWithoutTerminator", [](DEVMODE& d) { std::memset(d.dmDeviceName, 'x', 32); }, 0,
                    false},
        DevModeCase{"OrientationThree", [](DEVMODE& d) { d.dmOrientation = 3; }, 0, false},
        DevModeCase{"UnflaggedOrientationIgnored",
                    [](DEVMODE& d) {
                        d.dmOrientation = 3;
                        d.dmFields &= ~DM_ORIENTATION;
                    },
                    0, true},
        DevModeCase{"NegativePaperNumber", [](DEVMODE& d) { d.dmPaperSize = -5; }, 0, false},
        DevModeCase{"CustomPaper",
                    [](DEVMODE& d) {
                        d.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
                        d.dmPaperWidth = 1000;
                        d.dmPaperLength = 1500;
                    },
                    0, true},
        DevModeCase{"NegativePaperWidth",
                    [](DEVMODE& d) {
                        d.dmFields |= DM_PAPERWIDTH;
                        d.dmPaperWidth = -100;
                    },
                    0, false},
        DevModeCase{"NoCopies", [](DEVMODE& d) { d.dmCopies = 0; }, 0, false},
        DevModeCase{"QualityByName", [](DEVMODE& d) { d.dmPrintQuality = DMRES_HIGH; }, 0, true},
        DevModeCase{"QualityBelowNames", [](DEVMODE& d) { d.dmPrintQuality = -5; }, 0, false},
        DevModeCase{"ResolutionTooFine", [](DEVMODE& d) { d.dmYResolution = kMaxPrinterDpi + 1; }, 0, false}),
    [](const ::testing::TestParamInfo<DevModeCase>& info) { return std::string(info.param.name); });

TEST(DevModeValidation, RefusesShortAndMissingData) {
    const std::vector<BYTE> bytes = BytesOf(SampleDevMode());
    EXPECT_FALSE(IsValidDevMode(bytes.data(), sizeof(DEVMODE) - 1));
    EXPECT_FALSE(IsValidDevMode(bytes.data(), 0));
    EXPECT_FALSE(IsValidDevMode(nullptr, bytes.size()));
}

TEST(DevModeName, LongNamesAreCutBetweenCharacters) {
    DEVMODE devMode{};
    const CString ascii(std::string(40, 'a'));
    SetDeviceName(&devMode, ascii);
    EXPECT_EQ(GetDeviceName(&devMode), ascii.Left(31));

    // "ä" is two bytes; 15 of them fill 30, the 16th would end at byte 32.
    CString umlauts;
    for (int i = 0; i < 16; ++i)
        umlauts += "\xC3\xA4";
    EXPECT_EQ(DeviceNameOf(umlauts), umlauts.Left(30));
    EXPECT_EQ(DeviceNameOf("Kurz"), "Kurz");
}

} // namespace
