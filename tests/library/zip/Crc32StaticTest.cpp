#include "library/zip/Crc32Static.h"

#include "platform/base/FileApi.h"
#include "tests/library/zip/ZipTestTools.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

using FileCrcFunction = DWORD (*)(LPCTSTR, DWORD&);

const std::pair<const char*, FileCrcFunction> kFileFunctions[] = {
    {"ByReadFile", &CCrc32Static::FileCrcByReadFile},
    {"Mapped", &CCrc32Static::FileCrcMapped},
    {"Bytewise", &CCrc32Static::FileCrcBytewise},
};

TEST(Crc32StaticTest, MatchesTheZipChecksumVectors) {
    DWORD crc = 0;
    EXPECT_EQ(CCrc32Static::TextCrc("abc", crc), 0u);
    EXPECT_EQ(crc, 0x352441C2u);
    EXPECT_EQ(CCrc32Static::TextCrc("123456789", crc), 0u);
    EXPECT_EQ(crc, 0xCBF43926u);
    EXPECT_EQ(CCrc32Static::TextCrc("", crc), 0u);
    EXPECT_EQ(crc, 0u);
    EXPECT_EQ(CCrc32Static::TextCrc(nullptr, crc), 23u);
    EXPECT_EQ(crc, 0u);
    // One step from 0 is the table entry of the byte.
    const std::pair<BYTE, DWORD> table[] = {{0, 0}, {1, 0x77073096}, {128, 0xEDB88320}, {255, 0x2D02EF8D}};
    for (const auto& [byte, entry] : table) {
        DWORD running = 0;
        CCrc32Static::AddByteToCrc(byte, running);
        EXPECT_EQ(running, entry) << int{byte};
    }
}

TEST(Crc32StaticTest, FileChecksumsEqualZlibs) {
    TempFolder folder;
    const std::pair<const char*, std::string> files[] = {
        {"empty", ""},
        {"abc", "abc"},
        {"blocks", NoiseBytes(3 * 65536 + 17, 21)},
    };
    for (const auto& [name, bytes] : files) {
        const CString path = folder.Path() + "/" + name;
        WriteBytes(path, bytes);
        const auto expected = static_cast<DWORD>(
            crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
        for (const auto& [function, crcOf] : kFileFunctions) {
            DWORD crc = 1;
            EXPECT_EQ(crcOf(path, crc), 0u) << function << " " << name;
            EXPECT_EQ(crc, expected) << function << " " << name;
        }
    }
}

TEST(Crc32StaticTest, ReportsWhyAFileCannotBeRead) {
    TempFolder folder;
    const CString fifo = folder.Path() + "/fifo";
    ASSERT_EQ(mkfifo(fifo, 0600), 0);
    // Holding the other end open lets the checksum open the pipe; reading it at a position then fails.
    const int writer = open(fifo, O_RDWR);
    ASSERT_GE(writer, 0);
    struct Case {
        const char* name;
        CString path;
        DWORD result;
    };
    const Case cases[] = {
        {"MissingFile", folder.Path() + "/missing", 2},
        {"MissingFolder", folder.Path() + "/missing/file", 3},
        {"Folder", folder.Path(), 5},
        {"ReadFault", fifo, 23},
    };
    for (const Case& c : cases) {
        for (const auto& [function, crcOf] : kFileFunctions) {
            DWORD crc = 1;
            const DWORD result = crcOf(c.path, crc);
            // A file of unknown size has nothing to sum for the sized read.
            if (c.result == 23 && function == std::string("Mapped"))
                EXPECT_EQ(result, 0u);
            else
                EXPECT_EQ(result, c.result) << function << " " << c.name;
            EXPECT_EQ(crc, 0u) << function << " " << c.name;
        }
    }
    close(writer);
}

TEST(Crc32StaticTest, TellsTheSizeOfAnOpenFile) {
    TempFolder folder;
    const CString path = folder.Path() + "/sized";
    WriteBytes(path, std::string(1234, 'x'));
    const int descriptor = open(path, O_RDONLY);
    ULONGLONG size = 0;
    EXPECT_TRUE(CCrc32Static::QueryFileSize64(HandleFromDescriptor(descriptor), size));
    EXPECT_EQ(size, 1234u);
    close(descriptor);
    EXPECT_FALSE(CCrc32Static::QueryFileSize64(INVALID_HANDLE_VALUE, size));
    EXPECT_EQ(size, 0u);
}

} // namespace
