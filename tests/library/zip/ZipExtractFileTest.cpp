#include "library/zip/ZipArchive.h"
#include "tests/library/zip/ZipTestTools.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An archive with one entry of exactly that name (no drive or slash taken off).
CString ArchiveWithEntry(const CString& folder, const char* name, std::string_view bytes,
                         DWORD attributes = 0x20) {
    const CString path = folder + "/archive.zip";
    CZipArchive archive;
    archive.Open(path, CZipArchive::zipCreate);
    CZipEntryHeader header;
    header.SetFileName(name);
    header.m_externalAttributes = attributes;
    header.SetTime(1700000000);
    archive.BeginNewEntry(header);
    archive.WriteNewEntry(bytes.data(), static_cast<DWORD>(bytes.size()));
    archive.FinishNewEntry();
    archive.Close();
    return path;
}

class ZipExtractFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_target = m_folder.Path() + "/ziel";
        m_outside = m_folder.Path() + "/outside";
        ASSERT_EQ(mkdir(m_target, 0755), 0);
        ASSERT_EQ(mkdir(m_outside, 0755), 0);
    }

    TempFolder m_folder;
    CString m_target;
    CString m_outside;
};

TEST_F(ZipExtractFileTest, WritesTheEntryBelowTheFolderWithItsTime) {
    const CString path = ArchiveWithEntry(m_folder.Path(), "Fotos/Urlaub/a.xml", TextBytes(3000));
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    EXPECT_FALSE(archive.ExtractFile(0, m_target, 0));
    ASSERT_TRUE(archive.ExtractFile(0, m_target + "/", 1000));
    const CString written = m_target + "/Fotos/Urlaub/a.xml";
    EXPECT_EQ(ReadBytes(written), TextBytes(3000));
    struct stat status {};
    ASSERT_EQ(stat(written, &status), 0);
    EXPECT_EQ(status.st_mtime, 1700000000);
    EXPECT_NE(status.st_mode & S_IWUSR, 0u);
}

TEST_F(ZipExtractFileTest, KeepsReadOnlyAndFolderAttributes) {
    {
        const CString path = ArchiveWithEntry(m_folder.Path(), "schreibgeschützt.txt", "x", 0x21);
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
        ASSERT_TRUE(archive.ExtractFile(0, m_target));
        struct stat status {};
        ASSERT_EQ(stat(m_target + "/schreibgeschützt.txt", &status), 0);
        EXPECT_EQ(status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH), 0u);
    }
    const CString path = ArchiveWithEntry(m_folder.Path(), "Ordner/Unterordner", "", 0x10);
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
    ASSERT_TRUE(archive.ExtractFile(0, m_target));
    struct stat status {};
    ASSERT_EQ(stat(m_target + "/Ordner/Unterordner", &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
}

TEST_F(ZipExtractFileTest, RefusesNamesThatLeaveTheFolder) {
    ASSERT_EQ(symlink(m_outside, m_target + "/link"), 0);
    ASSERT_EQ(symlink(m_outside + "/file.txt", m_target + "/filelink.txt"), 0);
    const std::string names[] = {
        "../outside/dotdot.txt",
        "a/../../outside/dotdot.txt",
        (m_outside + "/absolute.txt").str(),
        "C:/drive.txt",
        "c:drive.txt",
        "..",
        "link/through-link.txt",
        "filelink.txt",
        "a/b/../../../outside/deep.txt",
    };
    for (const std::string& name : names) {
        const CString path = ArchiveWithEntry(m_folder.Path(), name.c_str(), "böse");
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(path, CZipArchive::zipOpenReadOnly));
        EXPECT_FALSE(archive.ExtractFile(0, m_target)) << name;
    }
    EXPECT_EQ(FolderNames(m_outside), std::vector<CString>{});
    EXPECT_EQ(FolderNames(m_target), (std::vector<CString>{"filelink.txt", "link"}));
}

} // namespace
