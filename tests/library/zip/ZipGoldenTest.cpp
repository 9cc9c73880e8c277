#include "library/zip/ZipArchive.h"
#include "tests/library/zip/ZipTestTools.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace {

std::string FromHex(std::string_view hex) {
    std::string bytes;
    for (size_t i = 0; i < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
        i += 2;
    }
    return bytes;
}

// Local times are written as they are; UTC makes the clock's time the one in the headers.
class ZipGoldenTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ"))
            m_oldTz = tz;
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    void TearDown() override {
        if (m_oldTz.empty())
            unsetenv("TZ");
        else
            setenv("TZ", m_oldTz.c_str(), 1);
        tzset();
    }

    std::string m_oldTz;
    TempFolder m_folder;
};

TEST_F(ZipGoldenTest, WritesTheRecordsByteForByte) {
    const CString path = m_folder.Path() + "/golden.zip";
    CZipArchive archive;
    archive.SetClock([] { return std::time_t{1715953530}; }); // 2024-05-17 13:45:30
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipCreate));
    ASSERT_TRUE(AddBytes(archive, "a.txt", "hello"));
    ASSERT_TRUE(AddBytes(archive, "Grüße.txt", ""));
    ASSERT_TRUE(AddBytes(archive, "€.txt", ""));
    archive.Close();

    // Local header: signature, version 20, flags, method 8, DOS time 13:45:30 and date 2024-05-17, CRC-32,
    // compressed and uncompressed size, name and extra lengths, name; then the raw deflate data.
    const std::string local1 =
        FromHex("504B0304 1400 0000 0800 AF6D B158 86A61036 07000000 05000000 0500 0000"
                " 612E747874 CB48CDC9C90700");
    // Code page 850 name without flags, and the Info-ZIP Unicode path block for other tools: tag 0x7075,
    // size 16, version 1, CRC-32 of the stored name, the name in UTF-8.
    const std::string grusse = "7570 1000 01 8B63BFB3 4772C3BCC39F652E747874";
    const std::string local2 =
        FromHex("504B0304 1400 0000 0800 AF6D B158 00000000 02000000 00000000 0900 1400"
                " 477281E1652E747874" +
                grusse + " 0300");
    // "€" has no place in code page 850: UTF-8 with flag bit 11, and the Unicode path block as for any name
    // that is not plain ASCII.
    const std::string euro = "7570 0C00 01 5EF1674C E282AC2E747874";
    const std::string local3 =
        FromHex("504B0304 1400 0008 0800 AF6D B158 00000000 02000000 00000000 0700 1000"
                " E282AC2E747874" +
                euro + " 0300");
    // Central header: signature, made by 20, needed 20, flags, method, time, date, CRC-32, sizes, name,
    // extra and comment lengths, disk 0, internal attributes 0, external attributes 0x20, local offset.
    const std::string central1 = FromHex("504B0102 1400 1400 0000 0800 AF6D B158 86A61036 07000000 05000000"
                                         " 0500 0000 0000 0000 0000 20000000 00000000 612E747874");
    const std::string central2 = FromHex("504B0102 1400 1400 0000 0800 AF6D B158 00000000 02000000 00000000"
                                         " 0900 1400 0000 0000 0000 20000000 2A000000 477281E1652E747874" +
                                         grusse);
    // Made on NTFS (host 10), so that unzip does not read the UTF-8 name as code page 850.
    const std::string central3 = FromHex("504B0102 140A 1400 0008 0800 AF6D B158 00000000 02000000 00000000"
                                         " 0700 1000 0000 0000 0000 20000000 67000000 E282AC2E747874" +
                                         euro);
    // End record: disk 0, directory on disk 0, 3 entries here and in all, directory size 195 at offset
    // 158, no comment.
    const std::string end = FromHex("504B0506 0000 0000 0300 0300 C3000000 9E000000 0000");
    EXPECT_EQ(ReadBytes(path), local1 + local2 + local3 + central1 + central2 + central3 + end);
}

TEST_F(ZipGoldenTest, ReadsTimesBackAsLocalTime) {
    CZipEntryHeader header;
    struct Case {
        std::time_t time;
        WORD date;
        WORD dosTime;
    };
    const Case cases[] = {
        {1715953530, 0x58B1, 0x6DAF}, // 2024-05-17 13:45:30
        {1715953531, 0x58B1, 0x6DAF}, // odd seconds go down to the two-second step
        {315532800, 0x0021, 0x0000},  // 1980-01-01 00:00:00, the first DOS day
        {0, 0x0021, 0x0000},          // 1970 keeps month and day with the year field 0
    };
    for (const Case& c : cases) {
        header.SetTime(c.time);
        EXPECT_EQ(header.m_modDate, c.date) << c.time;
        EXPECT_EQ(header.m_modTime, c.dosTime) << c.time;
    }
    header.SetTime(1715953530);
    EXPECT_EQ(header.GetTime(), 1715953530);
}

} // namespace
