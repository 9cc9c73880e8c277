#include "platform/base/TempFile.h"

#include "tests/support/TempFolder.h"

#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets TMPDIR for one test and puts the old value back.
class ScopedTempDir {
public:
    explicit ScopedTempDir(const char* value) {
        if (const char* old = getenv("TMPDIR")) {
            m_old = old;
            m_hadOld = true;
        }
        value ? setenv("TMPDIR", value, 1) : unsetenv("TMPDIR");
    }
    ~ScopedTempDir() { m_hadOld ? setenv("TMPDIR", m_old, 1) : unsetenv("TMPDIR"); }

private:
    CString m_old;
    bool m_hadOld = false;
};

TEST(TempFileTest, TempPathIsTheTempFolderWithATrailingSlash) {
    struct Case {
        const char* tmpdir;
        const char* expected;
    };
    for (const Case& c : {Case{"/var/tmp/vc", "/var/tmp/vc/"}, Case{"/var/tmp/vc/", "/var/tmp/vc/"},
                          Case{"", "/tmp/"}, Case{nullptr, "/tmp/"}}) {
        ScopedTempDir tmpdir(c.tmpdir);
        char buffer[MAX_PATH];
        EXPECT_EQ(GetTempPath(MAX_PATH, buffer), std::strlen(c.expected));
        EXPECT_STREQ(buffer, c.expected);
    }

    ScopedTempDir tmpdir("/var/tmp/vc");
    char small[5] = "keep";
    EXPECT_EQ(GetTempPath(sizeof(small), small), 13u); // "/var/tmp/vc/" and its terminator
    EXPECT_STREQ(small, "keep");
}

TEST(TempFileTest, DeleteOnCloseFileIsAnOpenHandleWithNoNameLeft) {
    TempFolder folder;
    ScopedTempDir tmpdir(folder.Path());

    HANDLE handle = CreateDeleteOnCloseTempFile("~qk");
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    ASSERT_NE(handle, nullptr);
    const int descriptor = DescriptorFromHandle(handle);
    ASSERT_GE(descriptor, 0);
    EXPECT_TRUE(folder.Names().empty());

    struct stat file, home;
    ASSERT_EQ(fstat(descriptor, &file), 0);
    ASSERT_EQ(stat(folder.Path(), &home), 0);
    EXPECT_EQ(file.st_nlink, 0u);
    EXPECT_EQ(file.st_dev, home.st_dev); // made in the temporary folder
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    EXPECT_TRUE(fcntl(descriptor, F_GETFD) & FD_CLOEXEC);

    ASSERT_EQ(pwrite(descriptor, "BM picture", 10, 0), 10);
    char back[10];
    ASSERT_EQ(pread(descriptor, back, 10, 0), 10);
    EXPECT_EQ(std::string(back, 10), "BM picture");
    close(descriptor);
}

TEST(TempFileTest, RefusesPrefixesWithFoldersAndMissingTempFolders) {
    TempFolder folder;
    {
        ScopedTempDir tmpdir(folder.Path());
        EXPECT_EQ(CreateDeleteOnCloseTempFile("../~qk"), INVALID_HANDLE_VALUE);
    }
    ScopedTempDir tmpdir(folder.Path() + "/missing");
    EXPECT_EQ(CreateDeleteOnCloseTempFile("~qk"), INVALID_HANDLE_VALUE);
}

} // namespace
