// The user's albums of a kind: names, the album list file, and create, rename, delete, duplicate, sort
// and reorder read back by a new manager.
#include "library/DSAlbum.h"
#include "library/PhotoAlbum.h"
#include "tests/library/LibraryFixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class ResTypeTest : public LibraryFixture {
protected:
    // The titles of the user albums in list order, joined by "|".
    std::string AlbumTitles() const {
        std::string titles;
        CTypedPtrList<CObList, CDSAlbum*>& albums = Pictures()->GetAlbumList(false);
        for (POSITION pos = albums.GetHeadPosition(); pos != nullptr;)
            titles += (titles.empty() ? "" : "|") + albums.GetNext(pos)->GetTitle().str();
        return titles;
    }
    CString ListFile() const { return PicturesFolder() + "/albums.dat"; }
    bool Exists(const CString& relative) const {
        return std::filesystem::exists((m_folder.Path() + relative).str());
    }
};

// More releases than references never free a kind of the manager's list: the manager deletes it, once.
TEST_F(ResTypeTest, ReleasesLeaveAListedKindToTheManager) {
    CResType* kind = Pictures();
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->AddRef(), kind);
    kind->Release();
    kind->Release();
    EXPECT_EQ(Pictures(), kind);
    EXPECT_EQ(kind->GetTypeId(), kResTypePictures) << "still alive";
    m_manager.reset();
}

// A kind in no list goes with the release that finds no reference (the leak check sees it otherwise).
TEST(ResTypeRelease, AKindInNoListGoesWithItsLastRelease) {
    auto* kind = new CResType(kResTypePictures, "Bilder", 0);
    kind->AddRef();
    kind->Release();
    kind->Release();
}

TEST_F(ResTypeTest, AlbumFileNamesFillGaps) {
    struct Case {
        const char* name;
        std::vector<const char*> present;
        const char* expected;
    };
    const Case cases[] = {
        {"Empty", {}, "/album0.zip"},
        {"TwoPresent", {"album0.zip", "album1.zip"}, "/album2.zip"},
        {"GapAtZero", {"album1.zip"}, "/album0.zip"},
        {"OtherCaseCounts", {"ALBUM0.ZIP"}, "/album1.zip"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(PicturesFolder().str());
        for (const char* file : c.present)
            WriteFile(PicturesFolder() + "/" + file, "x");
        EXPECT_EQ(m_manager->MakeAlbumFileName(Pictures()), c.expected) << c.name;
    }
}

TEST_F(ResTypeTest, TitlesAreUniqueIgnoringCaseAcrossBothLists) {
    ASSERT_NE(NewAlbum("Urlaub"), nullptr);
    ASSERT_NE(NewAlbum("Urlaub (2)"), nullptr);
    CResType* pictures = Pictures();
    EXPECT_EQ(pictures->MakeUniqueAlbumName("Sommer"), "Sommer");
    EXPECT_EQ(pictures->MakeUniqueAlbumName("Urlaub"), "Urlaub (3)");
    EXPECT_EQ(pictures->MakeUniqueAlbumName("URLAUB"), "URLAUB (3)");
    EXPECT_EQ(pictures->MakeUniqueAlbumName("kamera"), "kamera (2)") << "built-in titles count";
    EXPECT_FALSE(pictures->IsValidAlbumName("festplatte"));
    EXPECT_FALSE(m_manager->IsTitleUnused(pictures, "urlaub"));
    EXPECT_TRUE(m_manager->IsTitleUnused(pictures, "Winter"));
    EXPECT_EQ(NewAlbum("URLAUB"), nullptr);
    EXPECT_EQ(NewAlbum("Scanner"), nullptr);
    EXPECT_EQ(AlbumTitles(), "Urlaub|Urlaub (2)");
}

TEST_F(ResTypeTest, ChangesSurviveARestart) {
    CDSAlbum* summer = NewAlbum("Sommer");
    CDSAlbum* winter = NewAlbum("Winter");
    CDSAlbum* spring = NewAlbum("Frühling");
    ASSERT_TRUE(summer && winter && spring);
    ASSERT_TRUE(summer->AddObjects(NewPhoto("s.jpg", "Strand")));
    EXPECT_EQ(summer->GetPath(), "/album0.zip");
    EXPECT_EQ(spring->GetPath(), "/album2.zip");

    EXPECT_TRUE(m_manager->RenameAlbum(Pictures(), "winter", "WINTER")) << "same title ignoring case";
    EXPECT_FALSE(m_manager->RenameAlbum(Pictures(), "Winter", "Sommer"));
    EXPECT_FALSE(m_manager->RenameAlbum(Pictures(), "Herbst", "Nebel"));
    ASSERT_TRUE(m_manager->RenameAlbum(Pictures(), "Winter", "Schnee"));
    ASSERT_TRUE(Pictures()->MoveAlbumToFront(spring));
    CDSAlbum* copy = m_manager->DuplicateAlbumFile(summer);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetPath(), "/album3.zip");
    EXPECT_EQ(copy->GetObjectCount(), 1) << "the copy is loaded";
    ASSERT_TRUE(m_manager->DeleteAlbum(winter));
    EXPECT_FALSE(Exists("/data/Bilder/album1.zip"));
    EXPECT_EQ(AlbumTitles(), "Frühling|Sommer|Sommer");

    Restart();
    EXPECT_EQ(AlbumTitles(), "Frühling|Sommer|Sommer");
    CDSAlbum* read = Pictures()->GetAlbumList(false).GetTail();
    EXPECT_EQ(read->GetPath(), "/album3.zip");
    ASSERT_TRUE(m_manager->LoadAlbum(read));
    EXPECT_EQ(Titles(read), "Strand");
    EXPECT_EQ(m_manager->MakeAlbumFileName(Pictures()), "/album1.zip") << "the deleted album's name is free";

    ASSERT_NE(NewAlbum("Nebel"), nullptr);
    ASSERT_TRUE(m_manager->RenameAlbum(Pictures(), "Nebel", "Dunst"));
    Restart();
    EXPECT_EQ(AlbumTitles(), "Frühling|Sommer|Sommer|Dunst") << "a renamed title is kept in the album";
}

TEST_F(ResTypeTest, SortAndReorder) {
    for (const char* title : {"beta", "Delta", "alpha", "Gamma"})
        ASSERT_NE(NewAlbum(title), nullptr);
    Pictures()->GetAlbumList(false).GetHead()->SetProducer("Z");
    ASSERT_TRUE(Pictures()->SortAlbums(2, false));
    EXPECT_EQ(AlbumTitles(), "Gamma|Delta|beta|alpha") << "Z to A ignoring case";
    ASSERT_TRUE(Pictures()->SortAlbums(2, true));
    EXPECT_EQ(AlbumTitles(), "alpha|beta|Delta|Gamma");
    ASSERT_TRUE(Pictures()->SortAlbums(1, true));
    EXPECT_EQ(AlbumTitles(), "alpha|Delta|Gamma|beta") << "by producer: DS before Z";
    ASSERT_TRUE(Pictures()->SortAlbums(7, true));
    EXPECT_EQ(AlbumTitles(), "alpha|Delta|Gamma|beta");

    CTypedPtrList<CObList, CDSAlbum*>& albums = Pictures()->GetAlbumList(false);
    const std::string list = ReadFile(ListFile());
    EXPECT_FALSE(Pictures()->MoveAlbumUp(albums.GetHead()));
    EXPECT_FALSE(Pictures()->MoveAlbumToFront(albums.GetHead()));
    EXPECT_FALSE(Pictures()->MoveAlbumDown(albums.GetTail()));
    EXPECT_FALSE(Pictures()->MoveAlbumToBack(albums.GetTail()));
    CPhotoAlbum stranger;
    EXPECT_FALSE(Pictures()->MoveAlbumUp(&stranger));
    EXPECT_EQ(ReadFile(ListFile()), list) << "nothing moved, nothing written";

    ASSERT_TRUE(Pictures()->MoveAlbumDown(albums.GetHead()));
    EXPECT_EQ(AlbumTitles(), "Delta|alpha|Gamma|beta");
    ASSERT_TRUE(Pictures()->MoveAlbumUp(albums.GetTail()));
    EXPECT_EQ(AlbumTitles(), "Delta|alpha|beta|Gamma");
    ASSERT_TRUE(Pictures()->MoveAlbumToBack(albums.GetHead()));
    EXPECT_EQ(AlbumTitles(), "alpha|beta|Gamma|Delta");
    Restart();
    EXPECT_EQ(AlbumTitles(), "alpha|beta|Gamma|Delta");

    CDSAlbum* user = Pictures()->GetAlbumList(false).GetHead();
    CDSAlbum* second = Pictures()->GetAlbumList(false).GetTail();
    CDSAlbum* builtIn = Pictures()->GetAlbumList(true).GetHead();
    CDSAlbum* lastBuiltIn = Pictures()->GetAlbumList(true).GetTail();
    EXPECT_EQ(Pictures()->CompareAlbumOrder(user, builtIn), -1);
    EXPECT_EQ(Pictures()->CompareAlbumOrder(builtIn, user), 1);
    EXPECT_EQ(Pictures()->CompareAlbumOrder(user, second), -1);
    EXPECT_EQ(Pictures()->CompareAlbumOrder(second, user), 1);
    EXPECT_EQ(Pictures()->CompareAlbumOrder(builtIn, lastBuiltIn), -1);
    EXPECT_EQ(Pictures()->CompareAlbumOrder(user, user), 1);
    EXPECT_TRUE(Pictures()->IsSecondaryAlbum(builtIn));
    EXPECT_FALSE(Pictures()->IsSecondaryAlbum(user));
}

TEST_F(ResTypeTest, AlbumsInUseAndBuiltInAlbumsAreNotDeleted) {
    CDSAlbum* album = NewAlbum("Sommer");
    ASSERT_TRUE(album->AddObjects(NewPhoto("s.jpg", "Strand")));
    album->GetHeadObject()->SetInUse(true);
    EXPECT_FALSE(m_manager->DeleteAlbum(album));
    ASSERT_EQ(m_app.Messages().size(), 1u);
    EXPECT_EQ(m_app.Messages()[0].text, "Album contains objects in use and cannot be deleted");
    EXPECT_TRUE(Exists("/data/Bilder/album0.zip"));
    album->GetHeadObject()->SetInUse(false);

    EXPECT_FALSE(Pictures()->DeleteAlbum(Pictures()->GetAlbumList(true).GetHead()));
    EXPECT_TRUE(Pictures()->DeleteAlbum(nullptr)) << "nothing counts as deleted";
    EXPECT_FALSE(Pictures()->DeleteAlbumByTitle("Herbst"));
    EXPECT_TRUE(Pictures()->DeleteAlbumByTitle("SOMMER"));
    EXPECT_FALSE(Exists("/data/Bilder/album0.zip"));
}

TEST_F(ResTypeTest, AlbumListNamesOnlyAlbumFilesOfTheKindsFolder) {
    ASSERT_NE(NewAlbum("Echt"), nullptr);
    const std::string index = ReadFile(PicturesFolder() + "/album0.zip");
    // Victims outside the folder and below it, each a readable album.
    for (const char* victim : {"/x", "/data/Bilder/sub/album0.zip", "/data/Bilder/album7.zip.bak"})
        WriteFile(m_folder.Path() + victim, index);
    CString list;
    list.Format("<?xml version=\"1.0\"?><ALBUMS>"
                "<ALBUM path=\"..\\..\\x\"/><ALBUM path=\"%s/x\"/><ALBUM path=\"\\sub\\album0.zip\"/>"
                "<ALBUM path=\"/album7.zip.bak\"/><ALBUM/><ALBUM path=\"\\album0.ZIP\"/>"
                "<ALBUM path=\"/album5.zip\"/></ALBUMS>",
                m_folder.Path());
    WriteFile(ListFile(), list.str());
    Restart();
    EXPECT_EQ(AlbumTitles(), "Echt")
        << "only the album file of the folder, written on Windows; a missing one drops";
    ASSERT_TRUE(m_manager->DeleteAlbum(Pictures()->GetAlbumList(false).GetHead()));
    for (const char* victim : {"/x", "/data/Bilder/sub/album0.zip", "/data/Bilder/album7.zip.bak"})
        EXPECT_TRUE(Exists(victim)) << victim;
    EXPECT_EQ(ReadFile(ListFile()).find("x\""), std::string::npos) << "the list is written without them";
}

TEST_F(ResTypeTest, ListFileFailuresAreReported) {
    std::filesystem::create_directories(ListFile().str());
    EXPECT_EQ(NewAlbum("Sommer"), nullptr) << "the list cannot be replaced";
    EXPECT_FALSE(Exists("/data/Bilder/album0.zip")) << "no album file that no list names";
    EXPECT_EQ(AlbumTitles(), "");
    std::filesystem::remove(ListFile().str());

    WriteFile(ListFile(), "<ALBUMS><ALBUM path=");
    m_app.ClearMessages();
    Restart();
    EXPECT_EQ(AlbumTitles(), "");
    EXPECT_EQ(m_app.Messages().size(), 1u) << "a malformed list is reported by the XML helpers";
}

TEST_F(ResTypeTest, DuplicateNeverOverwritesAForeignFile) {
    CDSAlbum* album = NewAlbum("Sommer");
    WriteFile(PicturesFolder() + "/album1.zip", "fremd");
    CDSAlbum* copy = m_manager->DuplicateAlbumFile(album);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetPath(), "/album2.zip");
    EXPECT_EQ(ReadFile(PicturesFolder() + "/album1.zip"), "fremd");
    EXPECT_EQ(m_manager->DuplicateAlbumFile(nullptr), nullptr);
}

} // namespace
