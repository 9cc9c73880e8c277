#include "platform/base/ResourceFile.h"

#include "platform/base/Module.h"
#include "platform/base/RccFormat.h"
#include "tests/support/TempFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QResource>
#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>

namespace {

std::vector<BYTE> ReadBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const std::vector<BYTE>& ModuleBytes() {
    static const std::vector<BYTE> bytes = ReadBytes(VC_TEST_RESOURCE_MODULE);
    return bytes;
}

// Header fields of the container, big-endian: version at 4, then the tree, data and names offsets.
DWORD HeaderField(const std::vector<BYTE>& bytes, size_t offset) {
    return (DWORD{bytes[offset]} << 24) | (DWORD{bytes[offset + 1]} << 16) | (DWORD{bytes[offset + 2]} << 8) |
           bytes[offset + 3];
}
void SetField(std::vector<BYTE>& bytes, size_t offset, DWORD value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<BYTE>(value >> (24 - 8 * i));
    }
}
constexpr size_t kTreeField = 8, kDataField = 12;
// The root folder is node 0: name (4 bytes), flags (2), child count (4), first child (4).
constexpr size_t kRootChildCount = 6, kRootFirstChild = 10;

TEST(ResourceFileTest, AnIntactModuleLoadsWithEveryEntry) {
    HMODULE module = LoadLibrary(VC_TEST_RESOURCE_MODULE);
    ASSERT_NE(module, nullptr);
    ASSERT_NE(module->Resources(), nullptr);
    EXPECT_EQ(module->Resources()->GetCount(), 9u); // six strings, one dialog, two bitmaps
    EXPECT_EQ(GetProcAddress(module, "anything"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
}

// Our reader against Qt's own: the same files with the same contents.
TEST(ResourceFileTest, ReadsWhatQtsResourceSystemReads) {
    std::map<std::string, std::vector<BYTE>> ours;
    ASSERT_TRUE(ReadRccEntries(ModuleBytes().data(), ModuleBytes().size(), ours));

    ASSERT_TRUE(QResource::registerResource(VC_TEST_RESOURCE_MODULE, "/fixture"));
    std::map<std::string, std::vector<BYTE>> qts;
    for (QDirIterator it(":/fixture", QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        qts[path.mid(QString(":/fixture/").size()).toStdString()] = {contents.begin(), contents.end()};
    }
    QResource::unregisterResource(VC_TEST_RESOURCE_MODULE, "/fixture");
    EXPECT_EQ(ours.size(), 10u);
    EXPECT_EQ(ours, qts);
}

TEST(ResourceFileTest, TheManifestCountsTheEntriesAndCoversPathsAndContents) {
    const std::map<std::string, std::vector<BYTE>> entries = {{"string/1", {'E', 'i', 'n', 's'}}};
    const std::string manifest = MakeResourceManifest(entries);
    EXPECT_EQ(manifest.substr(0, 10), "entries 1\n");

    std::map<std::string, std::vector<BYTE>> renamed = {{"string/2", {'E', 'i', 'n', 's'}}};
    std::map<std::string, std::vector<BYTE>> changed = {{"string/1", {'E', 'i', 'n', 'S'}}};
    std::map<std::string, std::vector<BYTE>> moved = {{"string/1E", {'i', 'n', 's'}}};
    for (const auto& other : {renamed, changed, moved}) {
        EXPECT_NE(MakeResourceManifest(other), manifest);
    }
}

TEST(ResourceFileTest, AContainerWithoutManifestIsReadButRefused) {
    const std::vector<BYTE> plain = ReadBytes(VC_TEST_PLAIN_RCC);
    std::map<std::string, std::vector<BYTE>> entries;
    EXPECT_TRUE(ReadRccEntries(plain.data(), plain.size(), entries));
    EXPECT_EQ(entries.count("bitmap/TINY24"), 1u);
    EXPECT_EQ(CResourceFile::FromBytes(plain.data(), plain.size()), nullptr);
}

struct DamageCase {
    const char* name;
    std::function<void(std::vector<BYTE>&)> damage;
};

void PrintTo(const DamageCase& c, std::ostream* os) {
    *os << c.name;
}

// Names are stored in UTF-16, big-endian: "TINY24" becomes "TINY25".
void RenameTiny24(std::vector<BYTE>& bytes) {
    const std::vector<BYTE> name = {0, 'T', 0, 'I', 0, 'N', 0, 'Y', 0, '2', 0, '4'};
    const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(at, bytes.end());
    at[11] = '5';
}

class DamagedModuleTest : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedModuleTest, CountsAsMissing) {
    std::vector<BYTE> bytes = ModuleBytes();
    GetParam().damage(bytes);
    EXPECT_EQ(CResourceFile::FromBytes(bytes.data(), bytes.size()), nullptr);

    TempFolder folder;
    const CString path = folder.Path() + "/qz_res.deu";
    std::ofstream(path.GetString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(LoadLibrary(path), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedModuleTest,
    testing::Values(DamageCase{"EmptyFile", [](auto& b) { b.clear(); }},
                    DamageCase{"SignatureOnly", [](auto& b) { b.resize(4); }},
                    DamageCase{"HeaderCutShort", [](auto& b) { b.resize(12); }},
                    DamageCase{"CutInTheData", [](auto& b) { b.resize(HeaderField(b, kDataField) + 20); }},
                    DamageCase{"LastByteMissing", [](auto& b) { b.pop_back(); }},
                    DamageCase{"UnknownVersion", [](auto& b) { b[7] = 9; }},
                    DamageCase{"ContentsByteChanged",
                               [](auto& b) { b[HeaderField(b, kDataField) + 6] ^= 0x01; }},
                    DamageCase{"BitmapRenamed", [](auto& b) { RenameTiny24(b); }},
                    DamageCase{"TreeOffsetBeyondTheEnd",
                               [](auto& b) { SetField(b, kTreeField, static_cast<DWORD>(b.size()) + 100); }},
                    DamageCase{"MoreChildrenThanNodes",
                               [](auto& b) {
                                   const size_t root = HeaderField(b, kTreeField);
                                   SetField(b, root + kRootChildCount,
                                            HeaderField(b, root + kRootChildCount) + 50);
                               }},
                    DamageCase{"FolderContainsItself",
                               [](auto& b) { SetField(b, HeaderField(b, kTreeField) + kRootFirstChild, 0); }},
                    DamageCase{"PlainText",
                               [](auto& b) {
                                   const std::string text = "Das ist kein Modul.";
                                   b.assign(text.begin(), text.end());
                               }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

} // namespace
