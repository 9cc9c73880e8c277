#include "platform/base/FileApi.h"

#include "tests/platform/base/FileFixtures.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/stat.h>

namespace {

class FileApiTest : public testing::Test {
protected:
    TempFolder m_folder;
};

TEST(FileHandleTest, DescriptorZeroIsAValidHandle) {
    const HANDLE zero = HandleFromDescriptor(0);
    EXPECT_NE(zero, nullptr);
    EXPECT_NE(zero, INVALID_HANDLE_VALUE);
    EXPECT_EQ(DescriptorFromHandle(zero), 0);
    EXPECT_EQ(DescriptorFromHandle(HandleFromDescriptor(41)), 41);
    EXPECT_EQ(HandleFromDescriptor(-1), INVALID_HANDLE_VALUE);
    EXPECT_EQ(DescriptorFromHandle(nullptr), -1);
    EXPECT_EQ(DescriptorFromHandle(INVALID_HANDLE_VALUE), -1);
}

struct Disposition {
    const char* name;
    DWORD disposition;
    bool fileExists;
    bool opens;
    DWORD lastError;
    const char* contentsAfter; // nullptr: no file
};

std::ostream& operator<<(std::ostream& out, const Disposition& c) {
    return out << c.name;
}

class CreateFileDispositionTest : public FileApiTest, public testing::WithParamInterface<Disposition> {};

TEST_P(CreateFileDispositionTest, OpensCreatesOrTruncatesAsAsked) {
    const Disposition& c = GetParam();
    const std::string path =
        c.fileExists ? WriteBytes(InFolder(m_folder, "f.dat"), "old") : InFolder(m_folder, "f.dat");
    const HANDLE handle = CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.disposition,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(GetLastError(), c.lastError);
    EXPECT_EQ(handle != INVALID_HANDLE_VALUE, c.opens);
    if (handle != INVALID_HANDLE_VALUE) {
        EXPECT_TRUE(CloseHandle(handle));
    }
    if (c.contentsAfter) {
        EXPECT_EQ(ReadBytes(path), c.contentsAfter);
    } else {
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dispositions, CreateFileDispositionTest,
    testing::Values(
        Disposition{"NewOnMissing", CREATE_NEW, false, true, ERROR_SUCCESS, ""},
        Disposition{"NewOnExisting", CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
        Disposition{"AlwaysOnMissing", CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
        Disposition{"AlwaysTruncates", CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
        Disposition{"ExistingOnMissing", OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        Disposition{"ExistingKeeps", OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
        Disposition{"OpenAlwaysCreates", OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
        Disposition{"OpenAlwaysKeeps", OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
        Disposition{"TruncateOnMissing", TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        Disposition{"TruncateExisting", TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileApiTest, ReadsWritesMovesAndCutsThroughHandles) {
    const std::string path = InFolder(m_folder, "h.dat");
    const HANDLE file = CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    EXPECT_TRUE(WriteFile(file, "0123456789", 10, &done, nullptr));
    EXPECT_EQ(done, 10u);
    EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
    char buffer[16] = {};
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(std::string(buffer, done), "456789");
    EXPECT_TRUE(ReadFile(file, buffer, 4, &done, nullptr)); // end of file is not an error
    EXPECT_EQ(done, 0u);

    EXPECT_EQ(SetFilePointer(file, -3, nullptr, FILE_END), 7u);
    EXPECT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 7u);
    EXPECT_EQ(SetFilePointer(file, -8, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);

    // Past 4 GiB the high half carries the rest (the file stays sparse).
    LONG high = 1;
    EXPECT_EQ(SetFilePointer(file, 16, &high, FILE_BEGIN), 16u);
    EXPECT_EQ(high, 1);
    EXPECT_TRUE(SetEndOfFile(file));
    DWORD sizeHigh = 0;
    EXPECT_EQ(GetFileSize(file, &sizeHigh), 16u);
    EXPECT_EQ(sizeHigh, 1u);
    EXPECT_EQ(GetFileSize(file, nullptr), INVALID_FILE_SIZE);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 1, &done, nullptr));
}

TEST_F(FileApiTest, DeleteOnCloseRemovesTheNameButKeepsTheData) {
    const std::string path = InFolder(m_folder, "~qk1.tmp");
    const HANDLE file = CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(std::filesystem::exists(path));
    DWORD done = 0;
    EXPECT_TRUE(WriteFile(file, "abc", 3, &done, nullptr));
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_BEGIN), 0u);
    char back[3];
    EXPECT_TRUE(ReadFile(file, back, 3, &done, nullptr));
    EXPECT_EQ(std::string(back, 3), "abc");
    EXPECT_TRUE(CloseHandle(file));
}

TEST_F(FileApiTest, CopyKeepsContentsAndModeAndGuardsTheTarget) {
    const std::string source = WriteBytes(InFolder(m_folder, "src.bin"), std::string(200000, 'q'));
    ::chmod(source.c_str(), 0640);
    const std::string target = InFolder(m_folder, "dst.bin");
    EXPECT_TRUE(CopyFile(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(ReadBytes(target), std::string(200000, 'q'));
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);

    WriteBytes(InFolder(m_folder, "dst.bin"), "other");
    EXPECT_FALSE(CopyFile(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(ReadBytes(target), "other");
    EXPECT_TRUE(CopyFile(source.c_str(), target.c_str(), FALSE));
    EXPECT_EQ(ReadBytes(target).size(), 200000u);

    // Copying a file onto itself must not empty it.
    EXPECT_FALSE(CopyFile(source.c_str(), source.c_str(), FALSE));
    EXPECT_EQ(ReadBytes(source).size(), 200000u);
    EXPECT_FALSE(CopyFile(InFolder(m_folder, "missing").c_str(), target.c_str(), FALSE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    // Nothing half-written is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path().str()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(FileApiTest, MoveAndDeleteFiles) {
    const std::string from = WriteBytes(InFolder(m_folder, "a"), "A");
    const std::string to = WriteBytes(InFolder(m_folder, "b"), "B");
    EXPECT_FALSE(MoveFile(from.c_str(), to.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_TRUE(DeleteFile(to.c_str()));
    EXPECT_TRUE(MoveFile(from.c_str(), to.c_str()));
    EXPECT_EQ(ReadBytes(to), "A");
    EXPECT_FALSE(DeleteFile(from.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFile(m_folder.Path().str().c_str())); // folders are not files
}

TEST_F(FileApiTest, AttributesTellFoldersHiddenAndReadOnlyFiles) {
    EXPECT_EQ(GetFileAttributes(WriteBytes(InFolder(m_folder, "plain"), "").c_str()), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributes(m_folder.Path().str().c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(WriteBytes(InFolder(m_folder, ".hidden"), "").c_str()),
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    const std::string locked = WriteBytes(InFolder(m_folder, "locked"), "");
    ::chmod(locked.c_str(), 0444);
    EXPECT_EQ(GetFileAttributes(locked.c_str()), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributes(InFolder(m_folder, "missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileApiTest, ReadOnlyAttributeTakesAndGivesWritePermission) {
    const std::string file = WriteBytes(InFolder(m_folder, "file"), "");
    ASSERT_TRUE(SetFileAttributes(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributes(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_FALSE(SetFileAttributes(InFolder(m_folder, "missing").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

} // namespace
