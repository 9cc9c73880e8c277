// Albums against a temporary library: the archive, the index, adding, removing, ordering, and failures
// that must leave an album as it was.
#include "image/PictureInfo.h"
#include "library/AlbumArchive.h"
#include "library/DSAlbum.h"
#include "library/PhotoAlbum.h"
#include "platform/base/GlobalMemory.h"
#include "tests/library/LibraryFixture.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

class AlbumTest : public LibraryFixture {
protected:
    // The names in the album's archive.
    std::set<std::string> EntryNames(const CDSAlbum* album) {
        CZipArchive zip;
        std::set<std::string> names;
        if (!zip.Open(m_manager->GetAlbumPath(album), CZipArchive::zipOpenReadOnly))
            return names;
        for (int i = 0; i < zip.GetEntryCount(); ++i) {
            CZipEntryHeader header;
            zip.GetEntryInfo(static_cast<WORD>(i), header);
            names.insert(header.GetFileName().str());
        }
        zip.Close();
        return names;
    }

    std::string EntryText(const CDSAlbum* album, const CString& name) {
        CAlbumArchive archive;
        if (!archive.OpenForReading(m_manager->GetAlbumPath(album)))
            return "(no archive)";
        DWORD size = 0;
        const UniqueGlobal block = archive.Extract(name, size);
        if (!block)
            return "(no entry)";
        const CGlobalLock lock(block.get());
        return std::string(reinterpret_cast<const char*>(lock.Bytes()), size);
    }

    // The album of that title after a restart, loaded.
    CDSAlbum* Reloaded(const CString& title) {
        Restart();
        CDSAlbum* album = Pictures()->FindAlbumByTitle(title);
        if (album != nullptr) {
            EXPECT_TRUE(m_manager->LoadAlbum(album));
        }
        return album;
    }

    // Moves the entries titled a, b, c and d to the front in that order.
    static void BackToAlphabeticalOrder(CDSAlbum* album) {
        for (const char letter : std::string("dcba")) {
            for (POSITION pos = album->GetObjectList().GetHeadPosition(); pos != nullptr;) {
                CDSObj* entry = album->GetObjectList().GetNext(pos);
                if (entry->GetTitle() == CString(letter))
                    album->MoveObjectToFront(entry);
            }
        }
    }

    // An album with photos titled by the letters of titles, files "<letter>.jpg".
    CDSAlbum* AlbumOf(const std::string& titles) {
        CDSAlbum* album = NewAlbum("Urlaub");
        for (const char letter : titles) {
            const CString name = CString(letter) + ".jpg";
            EXPECT_TRUE(album->AddObjects(NewPhoto(name, CString(letter), letter)));
        }
        return album;
    }
};

TEST_F(AlbumTest, NewAlbumIsAnArchiveWithAnIndexAndALineInTheList) {
    CDSAlbum* album = NewAlbum("Urlaub");
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->GetPath(), "/album0.zip");
    EXPECT_EQ(album->GetProducer(), "DS");
    EXPECT_EQ(EntryNames(album), (std::set<std::string>{"index.xml"}));
    const std::string index = EntryText(album, "index.xml");
    EXPECT_NE(index.find("encoding=\"ISO-8859-2\""), std::string::npos) << index;
    EXPECT_NE(index.find(R"(Producer="DS" Title="Urlaub")"), std::string::npos) << index;

    album->ExchangeProperty(FALSE);
    ASSERT_TRUE(album->SaveIndex());
    EXPECT_NE(EntryText(album, "index.xml").find(R"(producer="DS" title="Urlaub")"), std::string::npos)
        << "storing the properties writes the lower-case names";

    CDSAlbum* read = Reloaded("urlaub");
    ASSERT_NE(read, nullptr) << "the title is found whatever its case";
    EXPECT_EQ(read->GetTitle(), "Urlaub");
    EXPECT_EQ(read->GetProducer(), "DS");
    EXPECT_EQ(read->GetObjectCount(), 0);
}

TEST_F(AlbumTest, EntriesLoadBackInOrderWithThumbnailsAndDescriptions) {
    CDSAlbum* album = NewAlbum("Urlaub");
    CPhoto* beach = NewPhoto("strand.jpg", "Strand", 10);
    beach->SetDescription("Erster Tag\nam Meer");
    ASSERT_TRUE(album->AddObjects(beach));
    ASSERT_TRUE(album->AddObjects(NewPhoto("berg.jpg", "Berg", 20)));
    ASSERT_TRUE(album->AddObjects(NewPhoto("hafen.jpg", "Hafen", 30)));
    EXPECT_EQ(
        EntryNames(album),
        (std::set<std::string>{"index.xml", "strand.jpg(0).xml", "strand.jpg(0).thumb.bmp", "berg.jpg(0).xml",
                               "berg.jpg(0).thumb.bmp", "hafen.jpg(0).xml", "hafen.jpg(0).thumb.bmp"}));

    CDSAlbum* read = Reloaded("Urlaub");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(Titles(read), "Strand|Berg|Hafen");
    auto* first = dynamic_cast<CPhoto*>(read->GetHeadObject());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetDescription(), "Erster Tag\nam Meer");
    EXPECT_EQ(first->GetHref(), "strand.jpg(0).xml");
    EXPECT_EQ(m_manager->GetObjectFilePath(first), PicturesFolder() + "/strand.jpg");
    EXPECT_FALSE(first->HasThumbnail()) << "thumbnails load on demand";

    std::vector<CString> reported;
    read->LoadThumbnails(
        [](void* context, const CString& text) {
            static_cast<std::vector<CString>*>(context)->push_back(text);
        },
        &reported);
    EXPECT_EQ(reported, (std::vector<CString>{"strand.jpg(0).thumb.bmp", "berg.jpg(0).thumb.bmp",
                                              "hafen.jpg(0).thumb.bmp"}));
    int shade = 10;
    for (POSITION pos = read->GetObjectList().GetHeadPosition(); pos != nullptr; shade += 10) {
        const CPictureInfo* thumbnail = read->GetObjectList().GetNext(pos)->GetThumbnail();
        ASSERT_NE(thumbnail, nullptr);
        ASSERT_EQ(thumbnail->GetWidth(), 5);
        EXPECT_EQ(thumbnail->GetBits()[2], shade) << "the red byte of the first pixel tells the photos apart";
    }
}

TEST_F(AlbumTest, SameFileNameGetsNumberedNames) {
    CDSAlbum* album = NewAlbum("Urlaub");
    CPhoto* first = NewPhoto("a.jpg", "Eins");
    first->SetHref("a.jpg.xml");
    first->SetThumbnailName("a.jpg.thumb.bmp");
    CPhoto* second = NewPhoto("a.jpg", "Zwei");
    second->SetHref("A.JPG.xml");
    second->SetThumbnailName("a.jpg.thumb.bmp");
    ASSERT_TRUE(album->AddObjects(first));
    ASSERT_TRUE(album->AddObjects(second));
    EXPECT_EQ(second->GetHref(), "a.jpg(0).xml") << "names clash ignoring case; the counter starts at 0";
    EXPECT_EQ(second->GetThumbnailName(), "a.jpg(0).thumb.bmp");
    CPhoto* third = NewPhoto("a.jpg", "Drei");
    third->SetHref("a.jpg.xml");
    ASSERT_TRUE(album->AddObjects(third));
    EXPECT_EQ(third->GetHref(), "a.jpg(1).xml");
    EXPECT_EQ(third->GetThumbnailName(), "a.jpg(1).thumb.bmp") << "an empty thumbnail name is made too";
    EXPECT_FALSE(album->AddObjects(third)) << "an entry of the album is not added twice";
    EXPECT_EQ(Titles(Reloaded("Urlaub")), "Eins|Zwei|Drei");
}

TEST_F(AlbumTest, RemovedEntryLeavesArchiveAndIndex) {
    CDSAlbum* album = AlbumOf("abc");
    ASSERT_TRUE(album->RemoveObjects(album->GetObjectAt(1)));
    EXPECT_EQ(Titles(album), "a|c");
    EXPECT_EQ(EntryNames(album), (std::set<std::string>{"index.xml", "a.jpg(0).xml", "a.jpg(0).thumb.bmp",
                                                        "c.jpg(0).xml", "c.jpg(0).thumb.bmp"}));
    CPhoto stranger;
    EXPECT_FALSE(album->RemoveObjects(&stranger));
    EXPECT_EQ(Titles(Reloaded("Urlaub")), "a|c");
    EXPECT_TRUE(m_app.Messages().empty()) << "no OBJECT names a missing entry";
}

TEST_F(AlbumTest, MovesChangeTheStoredOrder) {
    struct Case {
        const char* name;
        bool (CDSAlbum::*move)(CDSObj*);
        int index;
        bool moved;
        std::string order;
    };
    const Case cases[] = {
        {"FrontOfLast", &CDSAlbum::MoveObjectToFront, 3, true, "d|a|b|c"},
        {"FrontOfFirst", &CDSAlbum::MoveObjectToFront, 0, false, "a|b|c|d"},
        {"UpOfSecond", &CDSAlbum::MoveObjectUp, 1, true, "b|a|c|d"},
        {"UpOfFirst", &CDSAlbum::MoveObjectUp, 0, false, "a|b|c|d"},
        {"DownOfThird", &CDSAlbum::MoveObjectDown, 2, true, "a|b|d|c"},
        {"DownOfLast", &CDSAlbum::MoveObjectDown, 3, false, "a|b|c|d"},
        {"BackOfFirst", &CDSAlbum::MoveObjectToBack, 0, true, "b|c|d|a"},
        {"BackOfLast", &CDSAlbum::MoveObjectToBack, 3, false, "a|b|c|d"},
    };
    CDSAlbum* album = AlbumOf("abcd");
    const CString path = m_manager->GetAlbumPath(album);
    for (const Case& c : cases) {
        const std::string before = ReadFile(path);
        EXPECT_EQ((album->*c.move)(album->GetObjectAt(c.index)), c.moved) << c.name;
        EXPECT_EQ(Titles(album), c.order) << c.name;
        if (!c.moved) {
            EXPECT_EQ(ReadFile(path), before) << c.name << ": nothing written";
        }
        EXPECT_EQ(Titles(Reloaded("Urlaub")), c.order) << c.name;
        album = Pictures()->FindAlbumByTitle("Urlaub");
        BackToAlphabeticalOrder(album); // for the next case
        ASSERT_EQ(Titles(album), "a|b|c|d");
    }
}

TEST_F(AlbumTest, SortByTitleIgnoresCaseAndEveryKeyRewritesTheIndex) {
    CDSAlbum* album = NewAlbum("Urlaub");
    for (const char* title : {"b", "C", "a", "D"})
        ASSERT_TRUE(album->AddObjects(NewPhoto(CString(title) + ".jpg", title)));
    album->Sort(1, true);
    EXPECT_EQ(Titles(album), "a|b|C|D");
    EXPECT_EQ(Titles(Reloaded("Urlaub")), "a|b|C|D");
    album = Pictures()->FindAlbumByTitle("Urlaub");
    album->Sort(1, false);
    EXPECT_EQ(Titles(album), "D|C|b|a");

    const CString path = m_manager->GetAlbumPath(album);
    std::filesystem::last_write_time(path.str(),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const auto earlier = std::filesystem::last_write_time(path.str());
    album->Sort(0, true);
    EXPECT_EQ(Titles(album), "D|C|b|a") << "key 0 keeps the order";
    EXPECT_GT(std::filesystem::last_write_time(path.str()), earlier) << "and still saves the index";
}

// Photos a.JPG (30 bytes, oldest), b.png (10 bytes, newest), c.bmp (file missing), d.jpg (20 bytes).
TEST_F(AlbumTest, PhotoAlbumsSortByTheirFiles) {
    struct Case {
        const char* name;
        int key;
        bool ascending;
        std::string order;
    };
    const Case cases[] = {
        {"ExtensionIgnoringCase", 2, true, "c|a|d|b"},
        {"SizeMissingFileStays", 3, true, "b|d|c|a"},
        {"SizeDescending", 3, false, "a|d|c|b"},
        {"TimeMissingFileStays", 4, true, "a|d|c|b"},
        {"Description", 5, true, "d|a|c|b"},
        {"DescriptionDescending", 5, false, "b|c|a|d"},
        {"UnknownKey", 6, true, "a|b|c|d"},
    };
    CDSAlbum* album = NewAlbum("Urlaub");
    const auto now = std::filesystem::file_time_type::clock::now();
    struct File {
        const char* title;
        const char* name;
        int size;
        int hoursAgo;
        const char* description;
    };
    for (const File& file : {File{"a", "a.JPG", 30, 3, "Berg"}, File{"b", "b.png", 10, 1, "hafen"},
                             File{"c", "c.bmp", 0, 0, "Bucht"}, File{"d", "d.jpg", 20, 2, ""}}) {
        CPhoto* photo = NewPhoto(file.name, file.title);
        photo->SetDescription(file.description);
        const CString path = PicturesFolder() + "/" + file.name;
        WriteFile(path, std::string(static_cast<size_t>(file.size), 'x'));
        std::filesystem::last_write_time(path.str(), now - std::chrono::hours(file.hoursAgo));
        ASSERT_TRUE(album->AddObjects(photo));
    }
    std::filesystem::remove((PicturesFolder() + "/c.bmp").str());
    for (const Case& c : cases) {
        album->Sort(c.key, c.ascending);
        EXPECT_EQ(Titles(album), c.order) << c.name;
        EXPECT_EQ(Titles(Reloaded("Urlaub")), c.order) << c.name << ": stored";
        album = Pictures()->FindAlbumByTitle("Urlaub");
        BackToAlphabeticalOrder(album);
        ASSERT_EQ(Titles(album), "a|b|c|d");
    }
}

TEST_F(AlbumTest, SavedInfoReplacesTheEntryDocument) {
    CDSAlbum* album = AlbumOf("ab");
    auto* photo = dynamic_cast<CPhoto*>(album->GetTailObject());
    photo->SetTitle("Neuer Titel");
    photo->SetDescription("zwei  Blanks");
    photo->ExchangeXml(FALSE);
    ASSERT_TRUE(album->SaveObjectInfo(photo));
    CDSAlbum* read = Reloaded("Urlaub");
    EXPECT_EQ(Titles(read), "a|Neuer Titel");
    EXPECT_EQ(dynamic_cast<CPhoto*>(read->GetTailObject())->GetDescription(), "zwei  Blanks");

    CPhoto stranger;
    stranger.SetHref("fremd.xml");
    EXPECT_TRUE(read->SaveObjectInfo(&stranger)) << "no OBJECT names it: nothing to write";
    EXPECT_EQ(EntryNames(read).count("fremd.xml"), 0u);
}

TEST_F(AlbumTest, FailedChangesLeaveTheAlbumAsItWas) {
    CDSAlbum* album = AlbumOf("ab");
    const CString path = m_manager->GetAlbumPath(album);
    const std::string intact = ReadFile(path);
    // A damaged archive makes every change fail when it opens.
    WriteFile(path, "PK\x03\x04 this is no longer an album");

    CPhoto* extra = NewPhoto("c.jpg", "c");
    EXPECT_FALSE(album->AddObjects(extra));
    delete extra;
    EXPECT_FALSE(album->RemoveObjects(album->GetHeadObject()));
    EXPECT_FALSE(album->MoveObjectToFront(album->GetTailObject()));
    EXPECT_EQ(Titles(album), "a|b") << "memory keeps the order the archive has";
    EXPECT_FALSE(album->SaveIndex());

    WriteFile(path, intact);
    ASSERT_TRUE(album->SaveIndex()) << "the index in memory is the one before the failures";
    EXPECT_EQ(Titles(Reloaded("Urlaub")), "a|b");
    EXPECT_TRUE(m_app.Messages().empty()) << "neither an OBJECT without entry nor a lost one";
}

TEST_F(AlbumTest, UniqueTitlesAndNeighbours) {
    CDSAlbum* album = AlbumOf("ab");
    album->GetTailObject()->SetTitle("a (2)");
    CString out;
    album->MakeUniqueObjectName(out, "neu");
    EXPECT_EQ(out, "neu");
    album->MakeUniqueObjectName(out, "a");
    EXPECT_EQ(out, "a (3)");
    album->MakeUniqueObjectName(out, "");
    EXPECT_EQ(out, " (2)") << "an empty title is never free";

    CDSObj* first = album->GetHeadObject();
    CDSObj* last = album->GetTailObject();
    CPhoto stranger;
    EXPECT_EQ(album->GetObjectAt(-1), nullptr);
    EXPECT_EQ(album->GetObjectAt(2), nullptr);
    EXPECT_EQ(album->GetObjectAt(1), last);
    EXPECT_EQ(album->GetObjectIndex(&stranger), -1);
    EXPECT_EQ(album->GetObjectAfter(first), last);
    EXPECT_EQ(album->GetObjectAfter(last), nullptr);
    EXPECT_EQ(album->GetObjectBefore(first), nullptr);
    EXPECT_EQ(album->CompareObjectOrder(first, last), -1);
    EXPECT_EQ(album->CompareObjectOrder(last, first), 1);
    EXPECT_EQ(album->CompareObjectOrder(&stranger, first), 1);
    EXPECT_EQ(album->CompareObjectOrder(&stranger, &stranger), 0);
}

TEST_F(AlbumTest, PropertiesWithoutObjectsKeepTheCount) {
    CDSAlbum* album = NewAlbum("Leer");
    CAlbumArchive archive;
    ASSERT_TRUE(archive.OpenForUpdate(m_manager->GetAlbumPath(album)));
    const std::string index = R"(<?xml version="1.0"?><ALBUM><PROPERTY title="Nur Titel"/></ALBUM>)";
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, index.size()));
    std::memcpy(CGlobalLock(block.get()).Bytes(), index.data(), index.size());
    ASSERT_TRUE(archive.Replace("index.xml", block.get(), static_cast<DWORD>(index.size())));
    archive.Commit();

    CPhotoAlbum probe;
    probe.SetPath(album->GetPath());
    probe.SetProducer("alt");
    int count = 42;
    ASSERT_TRUE(probe.LoadProperties(count));
    EXPECT_EQ(count, 42);
    EXPECT_EQ(probe.GetTitle(), "Nur Titel");
    EXPECT_EQ(probe.GetProducer(), "") << "missing attributes read as empty";
    EXPECT_FALSE(probe.IsIndexOpen()) << "reading the properties leaves the index alone";
}

} // namespace
