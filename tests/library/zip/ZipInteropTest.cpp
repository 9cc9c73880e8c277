// Archives made by Info-ZIP zip, bsdtar and Python's zipfile (also streamed to a pipe) are read here;
// archives written here are tested and extracted by unzip, bsdtar, 7z and Python's zipfile.
#include "library/zip/ZipArchive.h"
#include "library/zip/ZipException.h"
#include "tests/library/zip/ZipTestTools.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

constexpr char kUtf8Locale[] = "LC_ALL=C.UTF-8 ";

// Every file below a folder, by path relative to it, with its bytes.
std::map<std::string, std::string> FilesBelow(const CString& folder) {
    std::string listing;
    RunTool("cd " + Quoted(folder) + " && find . -type f -printf '%P\\n' | sort", &listing);
    std::map<std::string, std::string> files;
    for (size_t start = 0, end; (end = listing.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string name = listing.substr(start, end - start);
        files[name] = ReadBytes(folder + "/" + CString(name));
    }
    return files;
}

std::vector<std::string> NamesOf(const std::map<std::string, std::string>& files) {
    std::vector<std::string> names;
    for (const auto& file : files)
        names.push_back(file.first);
    return names;
}

class ZipInteropTest : public ::testing::Test {
protected:
    CString PathOf(const char* name) const { return m_folder.Path() + "/" + name; }
    CString MakeFolder(const char* name) const {
        const CString path = PathOf(name);
        mkdir(path, 0755);
        return path;
    }

    TempFolder m_folder;
};

// Entries that this component writes; the names of the second and third fit code page 850 (in which "ø"
// is not where code page 437 has it), the fourth does not.
const std::vector<std::pair<std::string, std::string>> kOurEntries = {
    {"index.xml", TextBytes(4000)},
    {"Fotos/Grüße(0).thumb.bmp", NoiseBytes(30000, 31)},
    {"Grüße Ærø.txt", "Hej\n"},
    {"Preis €.xml", TextBytes(900)},
    {"leer.txt", ""},
};

TEST_F(ZipInteropTest, ToolsReadWhatWeWrite) {
    const CString path = PathOf("ours.zip");
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipCreate));
        ASSERT_TRUE(AddBytes(archive, "index.xml", "alt"));
        for (const auto& [name, bytes] : kOurEntries) {
            if (name != "index.xml") {
                ASSERT_TRUE(AddBytes(archive, name.c_str(), bytes));
            }
        }
        archive.Close();
        // Changed once more, as albums are: the rewritten archive is what the tools see.
        ASSERT_TRUE(archive.Open(path));
        archive.DeleteFiles(Names({"index.xml"}));
        ASSERT_TRUE(AddBytes(archive, "index.xml", kOurEntries[0].second));
        archive.Close();
    }
    const std::string archive = Quoted(path);
    EXPECT_EQ(RunTool("unzip -tq " + archive + " >/dev/null"), 0);
    std::string pythonTest;
    EXPECT_EQ(RunTool("/usr/bin/python3 -m zipfile -t " + archive, &pythonTest), 0);
    EXPECT_NE(pythonTest.find("Done testing"), std::string::npos);
    EXPECT_EQ(RunTool("bsdtar -tf " + archive + " >/dev/null"), 0);

    // unzip, bsdtar and 7z take the names from the Unicode path blocks; Python reads only the stored names
    // and must be told their code page.
    std::map<std::string, std::string> expected(kOurEntries.begin(), kOurEntries.end());
    const std::pair<const char*, std::string> extractors[] = {
        {"unzip", "unzip -q " + archive + " -d "},
        {"bsdtar", "bsdtar -xf " + archive + " -C "},
        {"7z", "7z x -bd -y " + archive + " >/dev/null -o"},
        {"python", "/usr/bin/python3 -m zipfile --metadata-encoding cp850 -e " + archive + " "},
    };
    for (const auto& [tool, command] : extractors) {
        const CString folder = MakeFolder(tool);
        ASSERT_EQ(RunTool(command + Quoted(folder)), 0) << tool;
        const auto files = FilesBelow(folder);
        EXPECT_EQ(NamesOf(files), NamesOf(expected)) << tool;
        EXPECT_TRUE(files == expected) << tool << ": contents differ";
    }
}

// A source folder of album-like files, and the names under which zip stores them.
class ZipMadeByToolsTest : public ZipInteropTest {
protected:
    void SetUp() override {
        m_source = MakeFolder("quelle");
        mkdir(m_source + "/Fotos", 0755);
        m_files = {
            {"index.xml", TextBytes(3000)},
            {"bild.bmp", NoiseBytes(20000, 41)},
            {"Grüße.txt", "Liebe Grüße\n"},
            {"Fotos/a(0).xml", TextBytes(500)},
        };
        for (const auto& [name, bytes] : m_files)
            WriteBytes(m_source + "/" + CString(name), bytes);
    }

    // Opens the archive and finds and extracts every source file from it.
    void ExpectAllFiles(const CString& path, const std::string& label) {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly)) << label;
        for (const auto& [name, bytes] : m_files) {
            const int index = archive.FindFile(name.c_str());
            ASSERT_GE(index, 0) << label << " " << name;
            EXPECT_EQ(Extract(archive, index), bytes) << label << " " << name;
            CZipEntryHeader header;
            archive.GetEntryInfo(static_cast<WORD>(index), header);
            EXPECT_EQ(header.GetFileName(), name.c_str()) << label;
        }
    }

    CString m_source;
    std::vector<std::pair<std::string, std::string>> m_files;
};

TEST_F(ZipMadeByToolsTest, ReadsArchivesOfInfoZip) {
    WriteBytes(PathOf("stub.bin"), NoiseBytes(4321, 42));
    const std::string source = "cd " + Quoted(m_source) + " && ";
    const std::pair<const char*, std::string> variants[] = {
        {"deflated", "zip -q -r -9 ../deflated.zip ."},
        {"stored", "zip -q -r -0 ../stored.zip ."},
        {"without-extra-fields", "zip -q -r -X ../plain.zip ."},
        {"with-comment", "zip -q -r ../comment.zip . && echo 'Album Urlaub' | zip -q -z ../comment.zip"},
        {"with-stub", "zip -q -r ../inner.zip . && cat ../stub.bin ../inner.zip > ../stub.zip"},
        {"with-stub-adjusted",
         "zip -q -r ../adjusted.zip . && cat ../stub.bin ../adjusted.zip > ../sfx.zip && "
         "zip -q -A ../sfx.zip"},
    };
    const char* archives[] = {"deflated.zip", "stored.zip", "plain.zip",
                              "comment.zip",  "stub.zip",   "sfx.zip"};
    for (size_t i = 0; i < std::size(variants); ++i) {
        ASSERT_EQ(RunTool(kUtf8Locale + source + variants[i].second), 0) << variants[i].first;
        ExpectAllFiles(PathOf(archives[i]), variants[i].first);
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(PathOf("comment.zip"), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(archive.GetGlobalComment(), "Album Urlaub");
}

TEST_F(ZipMadeByToolsTest, ReadsArchivesOfPythonsZipfile) {
    const std::string script =
        "import sys, zipfile, os\n"
        "os.chdir(sys.argv[2])\n"
        "with zipfile.ZipFile(sys.stdout.buffer if sys.argv[1] == '-' else sys.argv[1], 'w',\n"
        "                     zipfile.ZIP_DEFLATED) as z:\n"
        "    for root, dirs, files in sorted(os.walk('.')):\n"
        "        for name in sorted(files):\n"
        "            path = os.path.join(root, name)[2:]\n"
        "            z.writestr(path, open(path, 'rb').read())\n";
    WriteBytes(PathOf("make.py"), script);
    const std::string python = "/usr/bin/python3 " + Quoted(PathOf("make.py"));
    ASSERT_EQ(RunTool(python + " " + Quoted(PathOf("python.zip")) + " " + Quoted(m_source)), 0);
    ExpectAllFiles(PathOf("python.zip"), "seekable");
    // Written to a pipe, zipfile cannot go back to the local headers and puts data descriptors after the
    // data.
    ASSERT_EQ(RunTool(python + " - " + Quoted(m_source) + " | cat > " + Quoted(PathOf("streamed.zip"))), 0);
    const std::string streamed = ReadBytes(PathOf("streamed.zip"));
    ASSERT_EQ(streamed[6] & 0x08, 0x08);
    ExpectAllFiles(PathOf("streamed.zip"), "streamed");

    // A data descriptor that disagrees with the central header marks the archive as damaged.
    std::string damaged = streamed;
    const size_t descriptor = damaged.find("PK\x07\x08");
    ASSERT_NE(descriptor, std::string::npos);
    damaged[descriptor + 8] ^= 1; // compressed size
    WriteBytes(PathOf("damaged.zip"), damaged);
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(PathOf("damaged.zip"), CZipArchive::zipOpenReadOnly));
    int cause = 0;
    try {
        Extract(archive, 0);
    } catch (CZipException* e) {
        cause = e->m_iCause;
        e->Delete();
    }
    EXPECT_EQ(cause, CZipException::CauseCorruptArchive);
}

// Folder entries as Unix tools write them: bsdtar gives them only the Unix folder mode, zip and Python
// the DOS folder bit as well. Each is a folder, and extracting makes the empty one.
TEST_F(ZipInteropTest, ReadsFolderEntriesOfUnixTools) {
    const CString source = MakeFolder("quelle");
    MakeFolder("quelle/Ordner");
    MakeFolder("quelle/Ordner/Leer");
    WriteBytes(source + "/Ordner/a.txt", "a");
    const std::string into = "cd " + Quoted(source) + " && ";
    const std::pair<const char*, std::string> tools[] = {
        {"bsdtar", into + "bsdtar --format zip -cf ../bsdtar.zip Ordner"},
        {"zip", into + "zip -q -r ../zip.zip Ordner"},
        {"python", into + "/usr/bin/python3 -c \"import zipfile\n"
                          "with zipfile.ZipFile('../python.zip', 'w') as z:\n"
                          "    z.mkdir('Ordner'); z.mkdir('Ordner/Leer'); z.write('Ordner/a.txt')\""},
    };
    for (const auto& [tool, command] : tools) {
        ASSERT_EQ(RunTool(command), 0) << tool;
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(PathOf(tool) + ".zip", CZipArchive::zipOpenReadOnly)) << tool;
        const std::vector<std::string> names = EntryNames(archive);
        ASSERT_EQ(names.size(), 3u) << tool;
        const CString target = MakeFolder((std::string(tool) + "-aus").c_str());
        for (WORD i = 0; i < names.size(); ++i) {
            EXPECT_EQ(archive.IsFileDirectory(i), names[i].back() == '/') << tool << " " << names[i];
            EXPECT_TRUE(archive.ExtractFile(i, target)) << tool << " " << names[i];
        }
        struct stat status;
        EXPECT_TRUE(stat(target + "/Ordner/Leer", &status) == 0 && S_ISDIR(status.st_mode)) << tool;
        EXPECT_EQ(ReadBytes(target + "/Ordner/a.txt"), "a") << tool;
    }
}

int ExtractCause(const CString& path) {
    CZipArchive archive;
    if (!archive.Open(path, CZipArchive::zipOpenReadOnly))
        return -1;
    try {
        Extract(archive, 0);
    } catch (CZipException* e) {
        const int cause = e->m_iCause;
        e->Delete();
        return cause;
    }
    return 0;
}

// Writers that cannot know the size in advance mark the local header with a Zip64 block and put 8-byte
// sizes into the data descriptor; the archive itself needs no Zip64 records.
TEST_F(ZipInteropTest, ReadsArchivesWithZip64SizesInTheLocalHeader) {
    const std::string python =
        "/usr/bin/python3 -c \"import sys, zipfile\n"
        "with zipfile.ZipFile(sys.argv[1] if len(sys.argv) > 1 else sys.stdout.buffer, 'w',\n"
        "                     zipfile.ZIP_DEFLATED) as z:\n"
        "    with z.open('strom.txt', 'w', force_zip64=True) as f:\n"
        "        f.write(sys.stdin.buffer.read())\n\"";
    const std::string content = TextBytes(3000);
    WriteBytes(PathOf("inhalt.txt"), content);
    const std::string input = Quoted(PathOf("inhalt.txt"));
    struct Case {
        const char* label;
        std::string command; // " > archive" follows
        const char* entry;
        bool descriptor;
    };
    const Case cases[] = {
        {"InfoZipToAPipe", "zip -q - - < " + input + " | cat", "-", true},
        {"PythonToAPipe", python + " < " + input + " | cat", "strom.txt", true},
        {"PythonToAFile", python + " /dev/stdout < " + input, "strom.txt", false},
    };
    for (const Case& c : cases) {
        const CString path = PathOf(c.label) + ".zip";
        ASSERT_EQ(RunTool(c.command + " > " + Quoted(path)), 0) << c.label;
        const std::string bytes = ReadBytes(path);
        ASSERT_EQ((bytes[6] & 0x08) != 0, c.descriptor) << c.label;
        ASSERT_EQ(bytes.substr(30 + std::strlen(c.entry), 2), std::string("\x01\x00", 2)) << c.label; // Zip64
        ASSERT_EQ(RunTool("unzip -tq " + Quoted(path) + " >/dev/null"), 0) << c.label;
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly)) << c.label;
        ASSERT_EQ(EntryNames(archive), std::vector<std::string>{c.entry}) << c.label;
        EXPECT_EQ(Extract(archive, 0), content) << c.label;
    }

    // A descriptor whose 8-byte compressed size disagrees in its upper half marks the archive as damaged.
    std::string damaged = ReadBytes(PathOf("PythonToAPipe.zip"));
    const size_t descriptor = damaged.find("PK\x07\x08");
    ASSERT_NE(descriptor, std::string::npos);
    damaged[descriptor + 12] ^= 1;
    WriteBytes(PathOf("damaged.zip"), damaged);
    EXPECT_EQ(ExtractCause(PathOf("damaged.zip")), CZipException::CauseCorruptArchive);
    // zip writing to a file adds Zip64 end records, which stay refused.
    ASSERT_EQ(RunTool("zip -q - - < " + input + " > " + Quoted(PathOf("zip64.zip"))), 0);
    CZipArchive archive;
    int cause = 0;
    try {
        archive.Open(PathOf("zip64.zip"), CZipArchive::zipOpenReadOnly);
    } catch (CZipException* e) {
        cause = e->m_iCause;
        e->Delete();
    }
    EXPECT_EQ(cause, CZipException::CauseCorruptArchive);
}

TEST_F(ZipInteropTest, ChangingAToolsArchiveKeepsWhatWeDoNotTouch) {
    const CString source = MakeFolder("quelle");
    WriteBytes(source + "/a.txt", TextBytes(2000));
    WriteBytes(source + "/b.bin", NoiseBytes(5000, 51));
    WriteBytes(source + "/Grüße.txt", "x");
    ASSERT_EQ(RunTool(kUtf8Locale + std::string("cd ") + Quoted(source) +
                      " && zip -q ../tool.zip a.txt b.bin Grüße.txt"),
              0);
    const CString path = PathOf("tool.zip");
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path));
        archive.DeleteFiles(Names({"a.txt"}));
        ASSERT_TRUE(AddBytes(archive, "c.xml", "neu"));
        archive.Close();
    }
    EXPECT_EQ(RunTool("unzip -tq " + Quoted(path) + " >/dev/null"), 0);
    // The UTF-8 name that zip wrote unflagged (Python shows it as code page 437) is kept byte for byte,
    // extra fields and all.
    std::string names;
    ASSERT_EQ(RunTool("/usr/bin/python3 -c \"import zipfile, sys; z = zipfile.ZipFile(sys.argv[1]); "
                      "print([(i.filename, len(i.extra) > 0) for i in z.infolist()])\" " +
                          Quoted(path),
                      &names),
              0);
    EXPECT_EQ(names, "[('b.bin', True), ('Gr├╝├ƒe.txt', True), ('c.xml', False)]\n");
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(EntryNames(archive), (std::vector<std::string>{"b.bin", "Grüße.txt", "c.xml"}));
}

} // namespace
