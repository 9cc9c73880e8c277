// Copying the shipped album lists into a user's data folder when some of it is missing or hostile.
#include "library/ShippedLibrary.h"

#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class CopyShippedAlbumsTest : public testing::Test {
protected:
    CopyShippedAlbumsTest() {
        fs::create_directories(Install() / "Rahmen");
        fs::create_directories(Data() / "Rahmen");
    }
    fs::path Install() const { return (m_folder.Path() + "/install").str(); }
    fs::path Data() const { return (m_folder.Path() + "/data").str(); }
    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
    bool Copy() { return CopyShippedAlbums(Data().c_str(), Install().c_str(), "/Rahmen"); }

    TempFolder m_folder;
    FakeAppServices m_app;
};

TEST_F(CopyShippedAlbumsTest, AMissingArchiveCopiesNothingAndLeavesNoPartOfIt) {
    Write(Install() / "Rahmen/albums.dat",
          "<ALBUMS><ALBUM path=\"\\album0.zip\"/><ALBUM path=\"/album1.zip\"/></ALBUMS>");
    Write(Install() / "Rahmen/album0.zip", "zero");
    EXPECT_FALSE(Copy());
    EXPECT_FALSE(fs::exists(Data() / "Rahmen/album0.zip"));
    EXPECT_FALSE(fs::exists(Data() / "Rahmen/albums.dat"));

    Write(Install() / "Rahmen/album1.zip", "one");
    EXPECT_TRUE(Copy()) << "a later start copies all";
    EXPECT_EQ(Read(Data() / "Rahmen/album0.zip"), "zero");
    EXPECT_EQ(Read(Data() / "Rahmen/album1.zip"), "one");
    EXPECT_EQ(Read(Data() / "Rahmen/albums.dat"), Read(Install() / "Rahmen/albums.dat"));
}

TEST_F(CopyShippedAlbumsTest, OnlyAlbumFilesOfTheFolderAreCopied) {
    fs::create_directories(Install() / "secret");
    Write(Install() / "secret/album0.zip", "outside");
    Write(Install() / "Rahmen/albums.dat",
          "<ALBUMS><ALBUM path=\"/../secret/album0.zip\"/><ALBUM path=\"/x.zip\"/><ALBUM/></ALBUMS>");
    EXPECT_TRUE(Copy());
    EXPECT_FALSE(fs::exists(Data() / "secret"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Data() / "Rahmen"), fs::directory_iterator()), 1)
        << "the list alone";
}

} // namespace
