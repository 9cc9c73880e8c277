#include "platform/base/File.h"

#include "tests/platform/base/FileFixtures.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs the call and returns the cause of the CFileException it throws (-1 when none).
template <typename Call>
int CauseOf(Call call, CString* fileName = nullptr) {
    try {
        call();
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        if (fileName) {
            *fileName = e->m_strFileName;
        }
        e->Delete();
        return cause;
    }
    return -1;
}

class FileTest : public testing::Test {
protected:
    TempFolder m_folder;
};

struct OpenFailure {
    const char* name;
    std::string (*path)(const TempFolder&);
    UINT flags;
    int cause;
    int errorNumber;
};

std::ostream& operator<<(std::ostream& out, const OpenFailure& c) {
    return out << c.name;
}

class FileOpenFailureTest : public FileTest, public testing::WithParamInterface<OpenFailure> {};

TEST_P(FileOpenFailureTest, ReportsCauseErrnoAndName) {
    const OpenFailure& failure = GetParam();
    WriteBytes(InFolder(m_folder, "plain.txt"), "x");
    ::mkdir(InFolder(m_folder, "folder").c_str(), 0755);
    const std::string path = failure.path(m_folder);

    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), failure.flags, &error));
    EXPECT_EQ(error.m_cause, failure.cause);
    EXPECT_EQ(error.m_lOsError, failure.errorNumber);
    EXPECT_EQ(error.m_strFileName, path.c_str());
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);

    CString thrownName;
    EXPECT_EQ(CauseOf([&] { CFile opened(path.c_str(), failure.flags); }, &thrownName), failure.cause);
    EXPECT_EQ(thrownName, path.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FileOpenFailureTest,
    testing::Values(OpenFailure{"MissingFile", [](const TempFolder& f) { return InFolder(f, "missing.bmp"); },
                                CFile::modeRead, CFileException::fileNotFound, ENOENT},
                    OpenFailure{"MissingFolderOnCreate",
                                [](const TempFolder& f) { return InFolder(f, "nowhere/new.bmp"); },
                                CFile::modeCreate | CFile::modeWrite, CFileException::fileNotFound, ENOENT},
                    OpenFailure{"FileUsedAsFolder",
                                [](const TempFolder& f) { return InFolder(f, "plain.txt/inner"); },
                                CFile::modeRead, CFileException::badPath, ENOTDIR},
                    OpenFailure{"NameTooLong",
                                [](const TempFolder& f) { return InFolder(f, std::string(300, 'n')); },
                                CFile::modeRead, CFileException::badPath, ENAMETOOLONG},
                    OpenFailure{"FolderAsFile", [](const TempFolder& f) { return InFolder(f, "folder"); },
                                CFile::modeRead, CFileException::accessDenied, EISDIR},
                    OpenFailure{"EmptyName", [](const TempFolder&) { return std::string(); }, CFile::modeRead,
                                CFileException::fileNotFound, ENOENT}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileTest, WritesReadsSeeksAndCutsBinaryData) {
    const std::string path = InFolder(m_folder, "data.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
    const char bytes[] = {'a', '\0', '\r', '\n', 'b'};
    file.Write(bytes, sizeof bytes);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_EQ(file.GetPosition(), 5u);

    file.SeekToBegin();
    char back[8] = {};
    EXPECT_EQ(file.Read(back, sizeof back), 5u); // short only at the end
    EXPECT_EQ(std::string(back, 5), std::string(bytes, 5));
    EXPECT_EQ(file.Read(back, 1), 0u);

    EXPECT_EQ(file.Seek(-2, CFile::end), 3u);
    EXPECT_EQ(file.Seek(1, CFile::current), 4u);
    EXPECT_EQ(file.SeekToEnd(), 5u);
    EXPECT_EQ(CauseOf([&] { file.Seek(-6, CFile::end); }), CFileException::badSeek);

    file.SetLength(2);
    EXPECT_EQ(file.GetLength(), 2u);
    file.SetLength(4);
    file.SeekToBegin();
    EXPECT_EQ(file.Read(back, 8), 4u);
    EXPECT_EQ(std::string(back, 4), std::string("a\0\0\0", 4));
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(ReadBytes(path), std::string("a\0\0\0", 4));
}

TEST_F(FileTest, CreateTruncatesUnlessToldNotTo) {
    const std::string path = WriteBytes(InFolder(m_folder, "keep.txt"), "Inhalt");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 6u);
    }
    EXPECT_EQ(ReadBytes(path), "Inhalt");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
    }
    EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(FileTest, ReadOnlyFileRefusesWritesAndClosedFileRefusesEverything) {
    const std::string path = WriteBytes(InFolder(m_folder, "read.txt"), "abc");
    CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CString name;
    EXPECT_EQ(CauseOf([&] { file.Write("x", 1); }, &name), CFileException::accessDenied);
    EXPECT_EQ(name, path.c_str());
    file.Close();
    char byte;
    EXPECT_EQ(CauseOf([&] { file.Read(&byte, 1); }), CFileException::invalidFile);
    EXPECT_EQ(CauseOf([&] { file.GetLength(); }), CFileException::invalidFile);
}

TEST_F(FileTest, FullDiskIsReported) {
    CFile file;
    ASSERT_TRUE(file.Open("/dev/full", CFile::modeWrite));
    EXPECT_EQ(CauseOf([&] { file.Write("x", 1); }), CFileException::diskFull);
}

TEST_F(FileTest, KnowsItsPathNameAndTitle) {
    WriteBytes(InFolder(m_folder, "Urlaub.2024.jpg"), "x");
    ::mkdir(InFolder(m_folder, "sub").c_str(), 0755);
    const std::string folder = m_folder.Path().str();
    ASSERT_EQ(::chdir(folder.c_str()), 0);
    CFile file("./sub/../Urlaub.2024.jpg", CFile::modeRead);
    EXPECT_EQ(file.GetFilePath(), (folder + "/Urlaub.2024.jpg").c_str());
    EXPECT_EQ(file.GetFileName(), "Urlaub.2024.jpg");
    EXPECT_EQ(file.GetFileTitle(), "Urlaub.2024");
    ASSERT_EQ(::chdir("/"), 0);
}

TEST_F(FileTest, FindsFilesWhoseNamesDifferInCase) {
    // Libraries made on Windows name their files in another case than the stored paths.
    ::mkdir(InFolder(m_folder, "Alben").c_str(), 0755);
    const std::string stored = WriteBytes(InFolder(m_folder, "Alben/Bild.JPG"), "jpeg");
    const std::string asWritten = InFolder(m_folder, "alben/bild.jpg");
    CFile file(asWritten.c_str(), CFile::modeRead);
    EXPECT_EQ(file.GetFilePath(), stored.c_str());
    CFileStatus status;
    EXPECT_TRUE(CFile::GetStatus(asWritten.c_str(), status));
    EXPECT_EQ(status.m_size, 4u);

    // A new file goes into the folder that exists in another case.
    CFile created(InFolder(m_folder, "ALBEN/Neu.txt").c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(created.GetFilePath(), InFolder(m_folder, "Alben/Neu.txt").c_str());
}

TEST_F(FileTest, AttachedHandleStaysOpen) {
    const std::string path = WriteBytes(InFolder(m_folder, "attached.txt"), "xyz");
    CFile owner(path.c_str(), CFile::modeRead);
    {
        CFile borrowed(owner.m_hFile);
        char byte = 0;
        EXPECT_EQ(borrowed.Read(&byte, 1), 1u);
        EXPECT_EQ(byte, 'x');
    }
    char rest[2];
    EXPECT_EQ(owner.Read(rest, 2), 2u);
}

TEST_F(FileTest, StatusDescribesFilesAndFolders) {
    const std::string path = WriteBytes(InFolder(m_folder, "status.bin"), std::string(1234, 'x'));
    const CTime before(std::time(nullptr) - 5);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(status.m_size, 1234u);
    EXPECT_EQ(status.m_attribute, CFile::archive);
    EXPECT_EQ(status.m_szFullName, path.c_str());
    EXPECT_GE(status.m_mtime, before);
    EXPECT_GE(status.m_ctime, before);

    CFile file(path.c_str(), CFile::modeRead);
    CFileStatus open;
    ASSERT_TRUE(file.GetStatus(open));
    EXPECT_EQ(open.m_size, 1234u);
    EXPECT_EQ(open.m_mtime, status.m_mtime);

    ASSERT_TRUE(CFile::GetStatus(m_folder.Path().str().c_str(), status));
    EXPECT_EQ(status.m_attribute & CFile::directory, CFile::directory);
    WriteBytes(InFolder(m_folder, ".versteckt"), "");
    ASSERT_TRUE(CFile::GetStatus(InFolder(m_folder, ".versteckt").c_str(), status));
    EXPECT_EQ(status.m_attribute & CFile::hidden, CFile::hidden);
    EXPECT_FALSE(CFile::GetStatus(InFolder(m_folder, "missing").c_str(), status));
}

TEST_F(FileTest, RenameNeverReplacesAndRemoveReportsMissingFiles) {
    const std::string from = WriteBytes(InFolder(m_folder, "a.txt"), "A");
    const std::string to = WriteBytes(InFolder(m_folder, "b.txt"), "B");
    EXPECT_EQ(CauseOf([&] { CFile::Rename(from.c_str(), to.c_str()); }), CFileException::accessDenied);
    EXPECT_EQ(ReadBytes(to), "B");

    const std::string moved = InFolder(m_folder, "c.txt");
    CFile::Rename(from.c_str(), moved.c_str());
    EXPECT_EQ(ReadBytes(moved), "A");
    EXPECT_FALSE(std::filesystem::exists(from));

    CFile::Remove(moved.c_str());
    EXPECT_FALSE(std::filesystem::exists(moved));
    CString name;
    EXPECT_EQ(CauseOf([&] { CFile::Remove(moved.c_str()); }, &name), CFileException::fileNotFound);
    EXPECT_EQ(name, moved.c_str());
}

} // namespace
