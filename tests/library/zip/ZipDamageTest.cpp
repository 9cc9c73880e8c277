#include "library/zip/ZipArchive.h"
#include "library/zip/ZipException.h"
#include "tests/library/zip/ZipTestTools.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const std::string kStored = "gespeicherte Daten";
const char kStoredName[] = "stored.txt";

// Two entries: stored.txt (method 0) at offset 0 and deflated.txt (method 8) after it.
std::string MakeBaseArchive(const CString& folder) {
    const CString path = folder + "/base.zip";
    CZipArchive archive;
    archive.Open(path, CZipArchive::zipCreate);
    CZipEntryHeader stored;
    stored.SetFileName(kStoredName);
    stored.m_method = CZipEntryHeader::kMethodStored;
    archive.BeginNewEntry(stored);
    archive.WriteNewEntry(kStored.data(), static_cast<DWORD>(kStored.size()));
    archive.FinishNewEntry();
    AddBytes(archive, "deflated.txt", TextBytes(5000));
    archive.Close();
    return ReadBytes(path);
}

size_t Find(const std::string& bytes, std::string_view signature, int occurrence) {
    size_t at = bytes.find(signature);
    while (occurrence-- > 0)
        at = bytes.find(signature, at + 1);
    return at;
}

size_t Local(const std::string& bytes, int entry) {
    return Find(bytes, "PK\x03\x04", entry);
}
size_t Central(const std::string& bytes, int entry) {
    return Find(bytes, "PK\x01\x02", entry);
}
size_t End(const std::string& bytes) {
    return bytes.rfind("PK\x05\x06");
}

void Put16(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}
void Put32(std::string& bytes, size_t at, unsigned value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}
unsigned Get32(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8 |
           static_cast<unsigned char>(bytes[at + 2]) << 16 |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

// The same 32-bit field (offset in the local header, offset in the central header) of one entry in both.
void PutBoth32(std::string& bytes, int entry, size_t localField, size_t centralField, unsigned value) {
    Put32(bytes, Local(bytes, entry) + localField, value);
    Put32(bytes, Central(bytes, entry) + centralField, value);
}
constexpr size_t kLocalCrc = 14, kLocalCompressed = 18, kLocalUncompressed = 22;
constexpr size_t kCentralCrc = 16, kCentralCompressed = 20, kCentralUncompressed = 24;

enum class Phase { Open, ExtractStored, ExtractDeflated };

struct DamageCase {
    const char* name;
    std::function<void(std::string&)> damage;
    Phase phase;
    int cause;
};

const DamageCase kDamageCases[] = {
    {"NoEndRecord", [](std::string& b) { b.resize(End(b)); }, Phase::Open,
     CZipException::CauseCorruptArchive},
    {"EndRecordCutShort", [](std::string& b) { b.resize(b.size() - 10); }, Phase::Open,
     CZipException::CauseCorruptArchive},
    {"CentralSignatureWrong", [](std::string& b) { b[Central(b, 1) + 3] = 9; }, Phase::Open,
     CZipException::CauseCorruptArchive},
    {"DirectoryBeyondTheEndRecord", [](std::string& b) { Put32(b, End(b) + 16, 0x00100000); }, Phase::Open,
     CZipException::CauseCorruptArchive},
    {"EntriesWithoutDirectory", [](std::string& b) { Put32(b, End(b) + 12, 0); }, Phase::Open,
     CZipException::CauseCorruptArchive},
    {"Zip64Locator",
     [](std::string& b) { b.insert(End(b), std::string("PK\x06\x07", 4) + std::string(16, '\0')); },
     Phase::Open, CZipException::CauseCorruptArchive},
    {"Zip64Sizes", [](std::string& b) { Put32(b, Central(b, 1) + kCentralUncompressed, 0xFFFFFFFF); },
     Phase::Open, CZipException::CauseCorruptArchive},
    {"AnotherVolume", [](std::string& b) { Put16(b, End(b) + 4, 1); }, Phase::Open,
     CZipException::CauseNoVolumeCallback},
    {"WrongCrcOfStoredData", [](std::string& b) { b[Local(b, 0) + 30 + 10] ^= 1; }, Phase::ExtractStored,
     CZipException::CauseChecksumMismatch},
    {"WrongCrcInBothHeaders", [](std::string& b) { PutBoth32(b, 1, kLocalCrc, kCentralCrc, 0x12345678); },
     Phase::ExtractDeflated, CZipException::CauseChecksumMismatch},
    {"LocalMethodDiffers", [](std::string& b) { Put16(b, Local(b, 1) + 8, 0); }, Phase::ExtractDeflated,
     CZipException::CauseCorruptArchive},
    {"LocalNameLengthDiffers", [](std::string& b) { Put16(b, Local(b, 1) + 26, 11); }, Phase::ExtractDeflated,
     CZipException::CauseCorruptArchive},
    {"LocalCrcDiffers", [](std::string& b) { Put32(b, Local(b, 1) + kLocalCrc, 1); }, Phase::ExtractDeflated,
     CZipException::CauseCorruptArchive},
    {"LocalSizeDiffers", [](std::string& b) { Put32(b, Local(b, 1) + kLocalCompressed, 1); },
     Phase::ExtractDeflated, CZipException::CauseCorruptArchive},
    {"LocalSignatureWrong", [](std::string& b) { b[Local(b, 1) + 3] = 5; }, Phase::ExtractDeflated,
     CZipException::CauseCorruptArchive},
    {"UnknownMethod",
     [](std::string& b) {
         Put16(b, Local(b, 1) + 8, 12);
         Put16(b, Central(b, 1) + 10, 12);
     },
     Phase::ExtractDeflated, CZipException::CauseCorruptArchive},
    {"EntryBeyondTheFile",
     [](std::string& b) { PutBoth32(b, 1, kLocalCompressed, kCentralCompressed, 0x7FFFFFFF); },
     Phase::ExtractDeflated, CZipException::CauseCorruptArchive},
    {"DeflateDataCutShort",
     [](std::string& b) {
         const unsigned size = Get32(b, Central(b, 1) + kCentralCompressed);
         PutBoth32(b, 1, kLocalCompressed, kCentralCompressed, size / 2);
     },
     Phase::ExtractDeflated, CZipException::CauseCorruptArchive},
    {"InflatesToMoreThanDeclared",
     [](std::string& b) { PutBoth32(b, 1, kLocalUncompressed, kCentralUncompressed, 4999); },
     Phase::ExtractDeflated, CZipException::CauseCorruptArchive},
    {"InflatesToLessThanDeclared",
     [](std::string& b) { PutBoth32(b, 1, kLocalUncompressed, kCentralUncompressed, 5001); },
     Phase::ExtractDeflated, CZipException::CauseCorruptArchive},
    {"StoredShorterThanDeclared",
     [](std::string& b) { PutBoth32(b, 0, kLocalUncompressed, kCentralUncompressed, 19); },
     Phase::ExtractStored, CZipException::CauseCorruptArchive},
    {"DeclaredSizeAboveTheLimit",
     [](std::string& b) { PutBoth32(b, 1, kLocalUncompressed, kCentralUncompressed, 300u << 20); },
     Phase::ExtractDeflated, CZipException::CauseCorruptArchive},
    {"DamagedDeflateData",
     [](std::string& b) { b[Local(b, 1) + 30 + 12] = static_cast<char>(0xFF); }, // reserved block type
     Phase::ExtractDeflated, CZipException::CauseDataError},
};

void PrintTo(const DamageCase& c, std::ostream* out) {
    *out << c.name;
}

class ZipDamageTest : public ::testing::TestWithParam<DamageCase> {
protected:
    TempFolder m_folder;
};

TEST_P(ZipDamageTest, RaisesItsCause) {
    const DamageCase& c = GetParam();
    std::string bytes = MakeBaseArchive(m_folder.Path());
    c.damage(bytes);
    const CString path = m_folder.Path() + "/damaged.zip";
    WriteBytes(path, bytes);

    CZipArchive archive;
    int cause = 0;
    try {
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
        ASSERT_NE(c.phase, Phase::Open) << "opened";
        Extract(archive, c.phase == Phase::ExtractStored ? 0 : 1);
    } catch (CZipException* e) {
        cause = e->m_iCause;
        EXPECT_EQ(e->m_strFileName, path);
        e->Delete();
    }
    EXPECT_EQ(cause, c.cause);
    // A failed extraction leaves the archive usable: the other entry still reads.
    if (c.phase == Phase::ExtractDeflated) {
        EXPECT_EQ(Extract(archive, 0), kStored);
    }
    archive.Close();
    EXPECT_EQ(ReadBytes(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(Archives, ZipDamageTest, ::testing::ValuesIn(kDamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ZipDamageBaseTest, TheUndamagedArchiveReads) {
    TempFolder folder;
    const CString path = folder.Path() + "/base.zip";
    WriteBytes(path, MakeBaseArchive(folder.Path()));
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(Extract(archive, 0), kStored);
    EXPECT_EQ(Extract(archive, 1), TextBytes(5000));
}

} // namespace
