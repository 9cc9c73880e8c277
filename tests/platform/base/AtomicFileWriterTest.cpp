#include "platform/base/AtomicFileWriter.h"

#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadAll(const CString& path) {
    std::ifstream file(path.GetString(), std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteAll(const CString& path, const std::string& content) {
    std::ofstream(path.GetString(), std::ios::binary) << content;
}

mode_t ModeOf(const CString& path) {
    struct stat status {};
    stat(path, &status);
    return status.st_mode & 07777;
}

class AtomicFileWriterTest : public testing::Test {
protected:
    CString PathOf(const char* name) const { return m_folder.Path() + "/" + name; }

    TempFolder m_folder;
};

TEST_F(AtomicFileWriterTest, ReplacesTheContentAndKeepsThePermissions) {
    const CString path = PathOf("albums.dat");
    WriteAll(path, "<ALBUMS>old</ALBUMS>");
    chmod(path, 0640);

    ASSERT_TRUE(WriteFileAtomically(path, "<ALBUMS/>", 9));
    EXPECT_EQ(ReadAll(path), "<ALBUMS/>");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"albums.dat"});
}

TEST_F(AtomicFileWriterTest, CreatesANewFileWithTheUsualPermissions) {
    const mode_t previous = umask(022);
    const CString path = PathOf("Templ.dat");
    ASSERT_TRUE(WriteFileAtomically(path, "", 0));
    umask(previous);
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_EQ(ModeOf(path), 0644u);
}

TEST_F(AtomicFileWriterTest, ReplacesAFileStoredInAnotherCase) {
    WriteAll(PathOf("Index.XML"), "old");
    ASSERT_TRUE(WriteFileAtomically(PathOf("index.xml"), "new", 3));
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"Index.XML"});
    EXPECT_EQ(ReadAll(PathOf("Index.XML")), "new");
}

TEST_F(AtomicFileWriterTest, ReplacesTheFileBehindASymbolicLink) {
    WriteAll(PathOf("real.dat"), "old");
    std::filesystem::create_symlink("real.dat", PathOf("link.dat").str());
    ASSERT_TRUE(WriteFileAtomically(PathOf("link.dat"), "new", 3));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.dat").str()));
    EXPECT_EQ(ReadAll(PathOf("real.dat")), "new");
}

// A disk that fills up mid-write: the file-size limit makes write() fail as a full disk would.
TEST_F(AtomicFileWriterTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    const CString path = PathOf("album1.zip");
    WriteAll(path, "the old album");

    signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::string big(100000, 'z');
    errno = 0;
    const BOOL written = WriteFileAtomically(path, big.data(), big.size());
    const int error = errno;
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadAll(path), "the old album");
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"album1.zip"});
}

TEST_F(AtomicFileWriterTest, ReportsTargetsThatCannotBeReplaced) {
    struct Case {
        const char* name;
        const char* target;
        int error;
    };
    std::filesystem::create_directory(PathOf("Fotos").str());
    for (const Case& c : {Case{"MissingFolder", "Neu/album.zip", ENOENT},
                          Case{"TargetIsAFolder", "Fotos", EISDIR}, Case{"NoFileName", "Fotos/", EISDIR}}) {
        errno = 0;
        EXPECT_FALSE(WriteFileAtomically(PathOf(c.target), "x", 1)) << c.name;
        EXPECT_EQ(errno, c.error) << c.name;
    }
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"Fotos"});
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("Fotos").str()));
}

TEST_F(AtomicFileWriterTest, AbandonedReplacementLeavesTheOldFile) {
    const CString path = PathOf("index.xml");
    WriteAll(path, "old");
    {
        CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        EXPECT_TRUE(writer.Write("half", 4));
        EXPECT_EQ(m_folder.Names().size(), 2u);
    }
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(m_folder.Names(), std::vector<CString>{"index.xml"});
}

TEST_F(AtomicFileWriterTest, WriterThroughItsDescriptorCommitsOnce) {
    const CString path = PathOf("album2.zip");
    CAtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(path));
    ASSERT_EQ(write(writer.GetDescriptor(), "PK", 2), 2);
    EXPECT_TRUE(writer.Write("\x05\x06", 2));
    EXPECT_TRUE(writer.Commit());
    EXPECT_EQ(ReadAll(path), "PK\x05\x06");
    EXPECT_FALSE(writer.Commit());
    EXPECT_FALSE(writer.Write("more", 4));
    EXPECT_EQ(ReadAll(path), "PK\x05\x06");
}

// A writer killed halfway leaves its copy; one that is still writing holds a lock on its own. Only the
// first goes, and nothing else that lies beside the file.
TEST_F(AtomicFileWriterTest, RemovesOnlyTheCopiesOfKilledWriters) {
    const CString path = PathOf("album.zip");
    WriteAll(path, "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CAtomicFileWriter killed;
        _exit(killed.Open(path) && killed.Write("half", 4) ? 0 : 1); // no destructor, as after SIGKILL
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::vector<CString> withStale = m_folder.Names();
    ASSERT_EQ(withStale.size(), 2u);
    EXPECT_TRUE(std::regex_match(withStale[0].str(), std::regex(R"(\.album\.zip\.[a-z0-9]{8}\.vcpart)")))
        << withStale[0].str();

    CAtomicFileWriter writing;
    ASSERT_TRUE(writing.Open(path));
    ASSERT_TRUE(writing.Write("new", 3));
    const char* others[] = {".andere.zip.abcdefgh.vcpart", "album.zip.abcdefgh.vcpart", ".album.zip.notizen",
                            ".album.zip.ABCDEFGH.vcpart", ".album.zip.abcdefg.vcpart"};
    for (const char* name : others)
        WriteAll(PathOf(name), "x");
    std::vector<CString> kept = m_folder.Names();
    kept.erase(std::find(kept.begin(), kept.end(), withStale[0]));

    RemoveStaleReplacements(path);
    EXPECT_EQ(m_folder.Names(), kept);
    EXPECT_TRUE(writing.Commit());
    EXPECT_EQ(ReadAll(path), "new");
}

} // namespace
