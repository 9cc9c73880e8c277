#include "library/zip/ZipArchive.h"

#include "library/zip/ZipException.h"
#include "tests/library/zip/ZipTestTools.h"
#include "tests/support/TempFolder.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

namespace {

class ZipArchiveTest : public ::testing::Test {
protected:
    CString PathOf(const char* name) const { return m_folder.Path() + "/" + name; }

    // An archive with the given entries, written by CZipArchive.
    CString MakeArchive(const char* name, const std::vector<std::pair<const char*, std::string>>& entries) {
        const CString path = PathOf(name);
        CZipArchive archive;
        EXPECT_TRUE(archive.Open(path, CZipArchive::zipCreate));
        for (const auto& [entryName, bytes] : entries)
            EXPECT_TRUE(AddBytes(archive, entryName, bytes));
        archive.Close();
        return path;
    }

    TempFolder m_folder;
};

struct FileIdentity {
    ino_t inode;
    struct timespec modified;
};

FileIdentity IdentityOf(const CString& path) {
    struct stat status {};
    EXPECT_EQ(stat(path, &status), 0);
    return {status.st_ino, status.st_mtim};
}

void ExpectSameFile(const FileIdentity& a, const FileIdentity& b) {
    EXPECT_EQ(a.inode, b.inode);
    EXPECT_EQ(a.modified.tv_sec, b.modified.tv_sec);
    EXPECT_EQ(a.modified.tv_nsec, b.modified.tv_nsec);
}

TEST_F(ZipArchiveTest, RoundTripsEntriesOfEveryKind) {
    const std::vector<std::pair<const char*, std::string>> entries = {
        {"index.xml", TextBytes(3000)},
        {"empty.txt", ""},
        {"noise.bin", NoiseBytes(200000, 1)},
        {"Fotos/Urlaub(0).thumb.bmp", TextBytes(50000)},
    };
    const CString path = PathOf("album.zip");
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipCreate));
        for (const auto& [name, bytes] : entries)
            ASSERT_TRUE(AddBytes(archive, name, bytes));
        CZipEntryHeader stored;
        stored.SetFileName("stored.txt");
        stored.m_method = CZipEntryHeader::kMethodStored;
        ASSERT_TRUE(archive.BeginNewEntry(stored));
        ASSERT_TRUE(archive.WriteNewEntry("gespeichert", 11));
        ASSERT_TRUE(archive.FinishNewEntry());
        archive.Close();
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    ASSERT_EQ(archive.GetEntryCount(), 5);
    for (size_t i = 0; i < entries.size(); ++i) {
        CZipEntryHeader header;
        ASSERT_TRUE(archive.GetEntryInfo(static_cast<WORD>(i), header));
        EXPECT_EQ(header.GetFileName(), entries[i].first);
        EXPECT_EQ(header.m_method, CZipEntryHeader::kMethodDeflated);
        EXPECT_EQ(header.m_crc32, crc32(0, reinterpret_cast<const Bytef*>(entries[i].second.data()),
                                        static_cast<uInt>(entries[i].second.size())));
        EXPECT_EQ(Extract(archive, static_cast<int>(i)), entries[i].second) << entries[i].first;
    }
    CZipEntryHeader header;
    ASSERT_TRUE(archive.GetEntryInfo(4, header));
    EXPECT_EQ(header.m_method, CZipEntryHeader::kMethodStored);
    EXPECT_EQ(Extract(archive, 4), "gespeichert");
    EXPECT_FALSE(archive.GetEntryInfo(5, header));
}

TEST_F(ZipArchiveTest, FindsEntriesIgnoringCaseAndSeparator) {
    const CString path = MakeArchive("find.zip", {{"index.xml", "a"},
                                                  {"Fotos/Urlaub.bmp", "b"},
                                                  {"ärger.txt", "c"},
                                                  {"dup.txt", "first"},
                                                  {"DUP.txt", "second"}});
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    struct Case {
        const char* query;
        bool caseSensitive;
        int index;
    };
    const Case cases[] = {
        {"INDEX.XML", false, 0},
        {"index.xml", true, 0},
        {"INDEX.XML", true, -1},
        {"fotos\\urlaub.bmp", false, 1},
        {"Fotos\\Urlaub.bmp", true, 1},
        {"Fotos/Urlaub.bmp", true, 1},
        {"ÄRGER.TXT", false, 2},
        {"dup.TXT", false, 3},
        {"DUP.txt", true, 4},
        {"missing.xml", false, -1},
        {"", false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(archive.FindFile(c.query, c.caseSensitive), c.index) << c.query;
    CZipArchive closed;
    EXPECT_EQ(closed.FindFile("index.xml"), -1);
}

TEST_F(ZipArchiveTest, StoresNamesInCodePage850OrFlaggedUtf8) {
    struct Case {
        const char* given;
        const char* name;
        std::string stored;
        WORD utf8Flag;
    };
    const Case cases[] = {
        {"index.xml", "index.xml", "index.xml", 0},
        {"Grüße.xml", "Grüße.xml",
         "Gr\x81\xE1"
         "e.xml",
         0},
        {"Preis €.xml", "Preis €.xml", "Preis €.xml", 0x0800},
        {"C:\\photos\\a.xml", "photos/a.xml", "photos/a.xml", 0},
        {"\\index2.xml", "index2.xml", "index2.xml", 0},
        // Its code page 850 form would be the UTF-8 of "ä" and read back as that.
        {"├ñ.xml", "├ñ.xml", "├ñ.xml", 0x0800},
    };
    const CString path = PathOf("names.zip");
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipCreate));
        for (const Case& c : cases)
            ASSERT_TRUE(AddBytes(archive, c.given, c.name));
        archive.Close();
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    for (size_t i = 0; i < std::size(cases); ++i) {
        CZipEntryHeader header;
        ASSERT_TRUE(archive.GetEntryInfo(static_cast<WORD>(i), header));
        EXPECT_EQ(header.GetFileName(), cases[i].name);
        EXPECT_EQ(header.GetStoredName(), cases[i].stored) << cases[i].name;
        EXPECT_EQ(header.m_flags & 0x0800, cases[i].utf8Flag) << cases[i].name;
        EXPECT_EQ(archive.FindFile(cases[i].name), static_cast<int>(i));
    }
}

TEST_F(ZipArchiveTest, DeletingTheLastEntryOnlyShortensTheFile) {
    const CString path =
        MakeArchive("last.zip", {{"a", TextBytes(1000)}, {"b", TextBytes(2000)}, {"c", NoiseBytes(3000, 2)}});
    const std::string before = ReadBytes(path);
    DWORD lastOffset = 0;
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        CZipEntryHeader header;
        archive.GetEntryInfo(2, header);
        lastOffset = header.m_localHeaderOffset;
        archive.DeleteFiles(Names({"C"}));
        archive.Close();
    }
    const std::string after = ReadBytes(path);
    EXPECT_EQ(after.substr(0, lastOffset), before.substr(0, lastOffset));
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(EntryNames(archive), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Extract(archive, 1), TextBytes(2000));
}

TEST_F(ZipArchiveTest, DeletingTheFirstEntryMovesTheOthersDown) {
    const CString path = MakeArchive(
        "first.zip", {{"a", NoiseBytes(5000, 3)}, {"b", TextBytes(2000)}, {"c", NoiseBytes(3000, 4)}});
    std::vector<DWORD> offsets;
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        for (WORD i = 0; i < 3; ++i) {
            CZipEntryHeader header;
            archive.GetEntryInfo(i, header);
            offsets.push_back(header.m_localHeaderOffset);
        }
        EXPECT_TRUE(archive.DeleteFile(0));
        archive.Close();
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    ASSERT_EQ(EntryNames(archive), (std::vector<std::string>{"b", "c"}));
    for (WORD i = 0; i < 2; ++i) {
        CZipEntryHeader header;
        archive.GetEntryInfo(i, header);
        EXPECT_EQ(header.m_localHeaderOffset, offsets[i + 1] - offsets[1]);
    }
    EXPECT_EQ(Extract(archive, 0), TextBytes(2000));
    EXPECT_EQ(Extract(archive, 1), NoiseBytes(3000, 4));
}

TEST_F(ZipArchiveTest, ReplacesEntriesAsTheAlbumDoes) {
    const CString path = MakeArchive(
        "album.zip",
        {{"index.xml", "alt"}, {"a(0).xml", TextBytes(900)}, {"a(0).thumb.bmp", NoiseBytes(4000, 5)}});
    for (int round = 0; round < 3; ++round) {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        archive.DeleteFiles(Names({"INDEX.XML", "a(0).XML"}));
        ASSERT_TRUE(AddBytes(archive, "a(0).xml", "neu " + std::to_string(round)));
        ASSERT_TRUE(AddBytes(archive, "index.xml", "index " + std::to_string(round)));
        // What was added reads back before Close puts it in place.
        EXPECT_EQ(Extract(archive, archive.FindFile("index.xml")), "index " + std::to_string(round));
        archive.Close();
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(EntryNames(archive), (std::vector<std::string>{"a(0).thumb.bmp", "a(0).xml", "index.xml"}));
    EXPECT_EQ(Extract(archive, archive.FindFile("index.xml")), "index 2");
    EXPECT_EQ(Extract(archive, archive.FindFile("a(0).xml")), "neu 2");
    EXPECT_EQ(Extract(archive, 0), NoiseBytes(4000, 5));
}

TEST_F(ZipArchiveTest, AddsFilesAndFoldersFromDisk) {
    const CString source = PathOf("quelle");
    ASSERT_EQ(mkdir(source, 0755), 0);
    WriteBytes(source + "/a.txt", TextBytes(5000));
    const struct timespec times[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, source + "/a.txt", times, 0), 0);
    ASSERT_EQ(chmod(source + "/a.txt", 0444), 0);
    const CString path = PathOf("files.zip");
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipCreate));
        EXPECT_TRUE(archive.AddNewFile(source + "/a.txt", -1, 1000));
        EXPECT_TRUE(archive.AddNewFile(source));
        EXPECT_FALSE(archive.AddNewFile(source + "/missing.txt"));
        archive.Close();
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    const CString stored = source.Mid(1); // without the leading slash
    ASSERT_EQ(EntryNames(archive), (std::vector<std::string>{(stored + "/a.txt").str(), stored.str()}));
    CZipEntryHeader header;
    archive.GetEntryInfo(0, header);
    EXPECT_EQ(header.GetTime(), 1700000000);
    EXPECT_EQ(header.m_externalAttributes & 0x11, 0x01u); // read-only file
    EXPECT_EQ(Extract(archive, 0), TextBytes(5000));
    EXPECT_TRUE(archive.IsFileDirectory(1));
    archive.GetEntryInfo(1, header);
    EXPECT_EQ(header.m_method, CZipEntryHeader::kMethodStored);
}

TEST(ZipEntryHeaderTest, TellsFoldersByAttributeNameOrUnixMode) {
    constexpr WORD kMadeOnFat = 20, kMadeOnUnix = (3 << 8) | 20;
    struct Case {
        const char* label;
        const char* name;
        WORD madeBy;
        DWORD attributes;
        bool folder;
    };
    const Case cases[] = {
        {"DosFolderBit", "Ordner", kMadeOnFat, 0x10, true},
        {"TrailingSlash", "Ordner/", kMadeOnFat, 0x20, true},
        {"UnixFolderMode", "Ordner", kMadeOnUnix, 0x41ED0000, true},
        {"UnixFileMode", "Datei", kMadeOnUnix, 0x81A40000, false},
        {"UpperBitsOfAFatEntryMeanNothing", "Datei", kMadeOnFat, 0x41ED0020, false},
        {"ArchiveBitAlone", "Datei", kMadeOnFat, 0x20, false},
    };
    for (const Case& c : cases) {
        CZipEntryHeader header;
        header.SetFileName(c.name);
        header.m_versionMadeBy = c.madeBy;
        header.m_externalAttributes = c.attributes;
        EXPECT_EQ(header.IsDirectory(), c.folder) << c.label;
    }
}

TEST_F(ZipArchiveTest, WritesCommentsAndExtraFields) {
    const std::string localExtra("\x34\x12\x03\x00"
                                 "abc",
                                 7),
        centralExtra("\x78\x56\x01\x00"
                     "z",
                     5);
    const CString path = PathOf("comments.zip");
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipCreate));
        archive.SetGlobalComment("Urlaub 2024");
        CZipEntryHeader header;
        header.SetFileName("bild.xml");
        header.m_extraField.Assign(localExtra.data(), static_cast<DWORD>(localExtra.size()));
        ASSERT_TRUE(archive.BeginNewEntry(header));
        archive.SetExtraField(reinterpret_cast<const BYTE*>(centralExtra.data()),
                              static_cast<int>(centralExtra.size()));
        ASSERT_TRUE(archive.WriteNewEntry("<PHOTO/>", 8));
        ASSERT_TRUE(archive.FinishNewEntry());
        EXPECT_TRUE(archive.SetFileComment(0, "Strand"));
        EXPECT_FALSE(archive.SetFileComment(1, "keins"));
        archive.Close();
    }
    EXPECT_EQ(RunTool("unzip -tq " + Quoted(path) + " >/dev/null"), 0);
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(archive.GetGlobalComment(), "Urlaub 2024");
    CZipEntryHeader header;
    archive.GetEntryInfo(0, header);
    EXPECT_EQ(header.m_comment, "Strand");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(header.m_extraField.GetBuffer()),
                          header.m_extraField.GetSize()),
              centralExtra);
    ASSERT_TRUE(archive.OpenEntry(0));
    CZipByteBuffer extra;
    ASSERT_TRUE(archive.GetLocalExtraField(extra));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(extra.GetBuffer()), extra.GetSize()), localExtra);
    archive.CloseEntry();
}

TEST_F(ZipArchiveTest, DeletesEveryEntryOfAName) {
    const CString path = MakeArchive("dup.zip", {{"dup.txt", "1"}, {"keep.txt", "2"}, {"DUP.TXT", "3"}});
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        archive.DeleteFiles(Names({"Dup.Txt"}));
        archive.Close();
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(EntryNames(archive), (std::vector<std::string>{"keep.txt"}));
    EXPECT_EQ(Extract(archive, 0), "2");
}

TEST_F(ZipArchiveTest, DeletesEntriesByIndexInAnyOrder) {
    const CString path = MakeArchive(
        "indexes.zip", {{"a", "1"}, {"b", TextBytes(3000)}, {"c", "3"}, {"d", NoiseBytes(2000, 15)}});
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        CWordArray indexes;
        for (const WORD index : {2, 0, 2, 99})
            indexes.Add(index);
        archive.DeleteEntries(indexes);
        archive.Close();
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(EntryNames(archive), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(Extract(archive, 0), TextBytes(3000));
    EXPECT_EQ(Extract(archive, 1), NoiseBytes(2000, 15));
}

TEST_F(ZipArchiveTest, LeavesTheFileAloneWhenNothingChanges) {
    const CString path = MakeArchive("same.zip", {{"index.xml", TextBytes(500)}, {"b", "x"}});
    const std::string before = ReadBytes(path);
    const FileIdentity identity = IdentityOf(path);
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        EXPECT_EQ(Extract(archive, archive.FindFile("INDEX.XML")), TextBytes(500));
        archive.DeleteFiles(Names({"not-there.xml"}));
        archive.DeleteEntries(CWordArray());
        archive.Close();
    }
    EXPECT_EQ(ReadBytes(path), before);
    ExpectSameFile(IdentityOf(path), identity);
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"same.zip"});
}

TEST_F(ZipArchiveTest, NeverWritesAnArchiveOpenedReadOnly) {
    const CString path = MakeArchive("ro.zip", {{"index.xml", "x"}});
    ASSERT_EQ(chmod(path, 0444), 0);
    const std::string before = ReadBytes(path);
    const FileIdentity identity = IdentityOf(path);
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
        EXPECT_FALSE(AddBytes(archive, "new.xml", "y"));
        CZipEntryHeader header;
        header.SetFileName("begun.xml");
        EXPECT_FALSE(archive.BeginNewEntry(header));
        archive.DeleteFiles(Names({"index.xml"}));
        EXPECT_FALSE(archive.DeleteFile(0));
        archive.SetGlobalComment("Kommentar");
        archive.Close();
    }
    EXPECT_EQ(ReadBytes(path), before);
    ExpectSameFile(IdentityOf(path), identity);
    struct stat status {};
    ASSERT_EQ(stat(path, &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"ro.zip"});
}

TEST_F(ZipArchiveTest, RefusesToAddWhenNothingCanBeAdded) {
    const CString path = MakeArchive("refuse.zip", {{"a", "1"}});
    const UniqueGlobal block = MakeBlock("abc");
    CZipArchive closed;
    EXPECT_FALSE(closed.AddNewFileFromMemory("x", block.get(), 3));

    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path));
    EXPECT_FALSE(archive.AddNewFileFromMemory("\\", block.get(), 3));
    EXPECT_FALSE(archive.AddNewFileFromMemory("C:", block.get(), 3));
    EXPECT_FALSE(archive.AddNewFileFromMemory("x", block.get(), 3, -1, 0));
    EXPECT_FALSE(archive.AddNewFileFromMemory("x", block.get(), 4)); // more than the block holds
    ASSERT_TRUE(archive.OpenEntry(0));
    EXPECT_FALSE(archive.AddNewFileFromMemory("x", block.get(), 3));
    ASSERT_TRUE(archive.CloseEntry());
    EXPECT_EQ(archive.GetEntryCount(), 1);
    archive.Close();
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"refuse.zip"});
}

// An archive of empty stored entries named e00000, e00001, ..., written record by record.
std::string ArchiveOfEmptyEntries(int count) {
    auto le16 = [](std::string& out, unsigned value) {
        out += static_cast<char>(value & 0xFF), out += static_cast<char>(value >> 8);
    };
    auto le32 = [&](std::string& out, unsigned value) { le16(out, value & 0xFFFF), le16(out, value >> 16); };
    std::string local, central;
    for (int i = 0; i < count; ++i) {
        char name[12]; // room for any int; names stay six characters below 100000 entries
        std::snprintf(name, sizeof name, "e%05d", i);
        const auto offset = static_cast<unsigned>(local.size());
        le32(local, 0x04034B50), le16(local, 20), le16(local, 0), le16(local, 0), le32(local, 0);
        le32(local, 0), le32(local, 0), le32(local, 0), le16(local, 6), le16(local, 0);
        local += name;
        le32(central, 0x02014B50), le16(central, 20), le16(central, 20), le16(central, 0), le16(central, 0);
        le32(central, 0), le32(central, 0), le32(central, 0), le32(central, 0), le16(central, 6),
            le16(central, 0);
        le16(central, 0), le16(central, 0), le16(central, 0), le32(central, 0x20), le32(central, offset);
        central += name;
    }
    std::string end;
    le32(end, 0x06054B50), le16(end, 0), le16(end, 0), le16(end, count), le16(end, count);
    le32(end, static_cast<unsigned>(central.size())), le32(end, static_cast<unsigned>(local.size())),
        le16(end, 0);
    return local + central + end;
}

TEST_F(ZipArchiveTest, HoldsAtMost65535Entries) {
    const CString path = PathOf("full.zip");
    WriteBytes(path, ArchiveOfEmptyEntries(65535));
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path));
    EXPECT_EQ(archive.GetEntryCount(), 65535);
    EXPECT_EQ(archive.FindFile("E65534"), 65534);
    const UniqueGlobal block = MakeBlock("x");
    EXPECT_FALSE(archive.AddNewFileFromMemory("one-too-many", block.get(), 1));
    CZipEntryHeader header;
    header.SetFileName("begun");
    EXPECT_FALSE(archive.BeginNewEntry(header));
    // After a deletion there is room for one again.
    archive.DeleteFiles(Names({"e00000"}));
    EXPECT_TRUE(archive.AddNewFileFromMemory("one-more", block.get(), 1));
    EXPECT_FALSE(archive.AddNewFileFromMemory("one-too-many", block.get(), 1));
    archive.Close();
    // The end record counts 65535 entries, which is not the Zip64 escape for this component.
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(bytes.size() - 22, 12), std::string("PK\x05\x06\0\0\0\0\xFF\xFF\xFF\xFF", 12));
}

// A file size limit makes writes fail as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

TEST_F(ZipArchiveTest, KeepsTheArchiveWhenAChangeFails) {
    const CString path =
        MakeArchive("keep.zip", {{"index.xml", TextBytes(2000)}, {"b.bmp", NoiseBytes(20000, 6)}});
    const std::string before = ReadBytes(path);
    enum class Ending { CloseAfterException, Destructor, CloseAfterChangesOnly };
    for (const Ending ending :
         {Ending::CloseAfterException, Ending::Destructor, Ending::CloseAfterChangesOnly}) {
        {
            CZipArchive archive;
            ASSERT_TRUE(archive.Open(path));
            archive.DeleteFiles(Names({"index.xml"}));
            ASSERT_TRUE(AddBytes(archive, "index.xml", "neu"));
            if (ending == Ending::CloseAfterException) {
                const FileSizeLimit limit(before.size() + 4096);
                bool thrown = false;
                try {
                    AddBytes(archive, "big.bin", NoiseBytes(100000, 7));
                } catch (CException* e) {
                    thrown = e->IsKindOf(RUNTIME_CLASS(CFileException));
                    e->Delete();
                }
                EXPECT_TRUE(thrown);
                archive.Close(true);
            } else if (ending == Ending::CloseAfterChangesOnly) {
                archive.Close(true);
            }
        }
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(m_folder.Names(), std::vector<CString>{"keep.zip"});
    }
}

TEST_F(ZipArchiveTest, AFailedFirstCopyChangesNothing) {
    const CString path =
        MakeArchive("copy.zip", {{"index.xml", TextBytes(2000)}, {"b.bmp", NoiseBytes(40000, 16)}});
    const std::string before = ReadBytes(path);
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const FileSizeLimit limit(before.size() / 2);
        bool thrown = false;
        try {
            if (attempt == 0)
                archive.DeleteFiles(Names({"index.xml"}));
            else
                AddBytes(archive, "c.xml", "neu");
        } catch (CException* e) {
            thrown = true;
            e->Delete();
        }
        EXPECT_TRUE(thrown) << attempt;
    }
    // Closing as if nothing had failed writes nothing: the archive is as it was.
    EXPECT_EQ(archive.GetEntryCount(), 2);
    archive.Close();
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"copy.zip"});
}

TEST_F(ZipArchiveTest, ReportsAFailingCloseAndKeepsTheArchive) {
    const CString path = MakeArchive("close.zip", {{"a.bmp", NoiseBytes(30000, 8)}});
    const std::string before = ReadBytes(path);
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path));
    ASSERT_TRUE(AddBytes(archive, "b.bmp", NoiseBytes(30000, 9)));
    bool thrown = false;
    {
        // The copy is larger than this: its last writes and the directory fail.
        const FileSizeLimit limit(before.size() + 20000);
        try {
            archive.Close();
        } catch (CException* e) {
            thrown = true;
            e->Delete();
        }
    }
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(archive.IsClosed());
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"close.zip"});
}

TEST_F(ZipArchiveTest, ReadsArchivesWithLeadingDataOrComments) {
    const CString plain =
        MakeArchive("plain.zip", {{"index.xml", TextBytes(700)}, {"b", NoiseBytes(900, 10)}});
    const std::string bytes = ReadBytes(plain);
    const std::string noComment = bytes.substr(0, bytes.size() - 2);
    auto withComment = [&](const std::string& comment) {
        std::string result = noComment;
        result += static_cast<char>(comment.size() & 0xFF);
        result += static_cast<char>(comment.size() >> 8);
        return result + comment;
    };
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"Prefix", NoiseBytes(1000, 11) + bytes},
        {"LongestComment", withComment(std::string(65535, 'c'))},
        {"CommentHoldingAnEndSignature", withComment("vorher PK\x05\x06 nachher")},
    };
    for (const Case& c : cases) {
        const CString path = PathOf(c.name);
        WriteBytes(path, c.bytes);
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly)) << c.name;
        ASSERT_EQ(archive.GetEntryCount(), 2) << c.name;
        EXPECT_EQ(Extract(archive, 0), TextBytes(700)) << c.name;
        EXPECT_EQ(Extract(archive, 1), NoiseBytes(900, 10)) << c.name;
    }
}

TEST_F(ZipArchiveTest, ChangesKeepLeadingDataAndTheComment) {
    const CString plain = MakeArchive("plain.zip", {{"index.xml", "alt"}, {"b", NoiseBytes(900, 12)}});
    std::string bytes = NoiseBytes(777, 13) + ReadBytes(plain);
    bytes.resize(bytes.size() - 2);
    bytes += std::string("\x09\x00", 2) + "Kommentar";
    const CString path = PathOf("prefixed.zip");
    WriteBytes(path, bytes);
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        archive.DeleteFiles(Names({"index.xml"}));
        ASSERT_TRUE(AddBytes(archive, "index.xml", "neu"));
        archive.Close();
    }
    EXPECT_EQ(ReadBytes(path).substr(0, 777), NoiseBytes(777, 13));
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(archive.GetGlobalComment(), "Kommentar");
    EXPECT_EQ(EntryNames(archive), (std::vector<std::string>{"b", "index.xml"}));
    EXPECT_EQ(Extract(archive, 0), NoiseBytes(900, 12));
    EXPECT_EQ(Extract(archive, 1), "neu");
}

TEST_F(ZipArchiveTest, EmptyArchiveIsAnEndRecordAlone) {
    const CString path = PathOf("empty.zip");
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipCreate));
        archive.Close();
    }
    EXPECT_EQ(ReadBytes(path), std::string("PK\x05\x06", 4) + std::string(18, '\0'));
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path));
    EXPECT_EQ(archive.GetEntryCount(), 0);
    EXPECT_FALSE(archive.Open(path)); // already open
    archive.Close();
    EXPECT_FALSE(archive.Open(PathOf("missing.zip")));
    EXPECT_FALSE(archive.Open(PathOf("no-folder/new.zip"), CZipArchive::zipCreate));
    EXPECT_FALSE(archive.Open(PathOf("span.zip"), CZipArchive::zipCreateSpan));
    EXPECT_TRUE(archive.IsClosed());
}

TEST_F(ZipArchiveTest, ReadsEntriesPieceByPiece) {
    const std::string content = TextBytes(100000) + NoiseBytes(50000, 14);
    const CString path = MakeArchive("pieces.zip", {{"a", content}});
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    ASSERT_TRUE(archive.OpenEntry(0));
    EXPECT_FALSE(archive.OpenEntry(0));
    CZipByteBuffer extra;
    EXPECT_TRUE(archive.GetLocalExtraField(extra));
    std::string read;
    char piece[777];
    for (DWORD got; (got = archive.ReadEntry(piece, sizeof piece)) > 0;)
        read.append(piece, got);
    EXPECT_TRUE(archive.CloseEntry());
    EXPECT_FALSE(archive.CloseEntry());
    EXPECT_EQ(read, content);
    // A partly read entry closes without its checksum being checked.
    ASSERT_TRUE(archive.OpenEntry(0));
    EXPECT_EQ(archive.ReadEntry(piece, sizeof piece), sizeof piece);
    EXPECT_TRUE(archive.CloseEntry());
}

TEST_F(ZipArchiveTest, ExceptionsNameTheArchiveAndTheirCause) {
    const CString path = PathOf("broken.zip");
    WriteBytes(path, "kein Archiv");
    CZipArchive archive;
    try {
        archive.Open(path);
        FAIL() << "no exception";
    } catch (CZipException* e) {
        EXPECT_EQ(e->m_iCause, CZipException::CauseCorruptArchive);
        EXPECT_EQ(e->m_strFileName, path);
        char message[512];
        EXPECT_TRUE(e->GetErrorMessage(message, sizeof message));
        EXPECT_NE(std::string(message).find(path.str()), std::string::npos);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        e->Delete();
    }
    EXPECT_TRUE(archive.IsClosed());
}

TEST(ZipExceptionTest, MapsEveryResultToItsCause) {
    const std::pair<int, int> table[] = {
        {Z_STREAM_END, 2}, {Z_NEED_DICT, 3}, {Z_ERRNO, 4},     {Z_STREAM_ERROR, 5},
        {Z_DATA_ERROR, 6}, {Z_MEM_ERROR, 7}, {Z_BUF_ERROR, 8}, {Z_VERSION_ERROR, 9},
        {-101, 10},        {-102, 11},       {-103, 12},       {-104, 13},
        {-105, 14},        {-106, 15},       {-107, 16},       {Z_OK, 1},
        {-100, 1},         {42, 1},
    };
    for (const auto& [error, cause] : table)
        EXPECT_EQ(CZipException::ErrorToCause(error), cause) << error;
}

TEST(ZipExceptionTest, EveryMessageNamesTheArchiveAndHandsOutTheCause) {
    for (int cause = CZipException::CauseGeneric; cause <= CZipException::CauseNameTooLong + 1; ++cause) {
        for (const char* name : {"/alben/a.zip", ""}) {
            UINT context = 0;
            char message[512];
            EXPECT_TRUE(CZipException(cause, name).GetErrorMessage(message, sizeof message, &context));
            EXPECT_NE(std::string(message).find(std::string("„") + name + "“"), std::string::npos)
                << cause << ": " << message;
            EXPECT_EQ(context, static_cast<UINT>(cause));
        }
    }
}

} // namespace
