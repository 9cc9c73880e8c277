// The resource object manager: settings and kinds, path resolution by install type, entries made from
// files, the caches of albums and entries, checksums and file information.
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/PhotoAlbum.h"
#include "library/zip/Crc32Static.h"
#include "platform/base/ClipboardFormat.h"
#include "platform/base/Module.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"
#include "tests/library/LibraryFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class ManagerTest : public LibraryFixture {
protected:
    // A BMP file of the size at path.
    static void WriteBmp(const CString& path, const CSize& size) {
        std::filesystem::create_directories(std::filesystem::path(path.str()).parent_path());
        std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(size, RGB(10, 20, 30), 24));
        ASSERT_TRUE(picture->SaveFile(path));
    }
};

TEST_F(ManagerTest, KindsComeFromTheSettings) {
    ASSERT_NE(Pictures(), nullptr);
    EXPECT_EQ(Pictures()->GetName(), "Bilder") << "an empty name takes string 31443";
    EXPECT_EQ(Pictures()->GetSubDirectory(), "/Bilder") << "the stored backslash is read as a slash";
    EXPECT_EQ(Pictures()->GetInstallType(), 0);
    EXPECT_EQ(Pictures()->GetAlbumExtension(), "zip");
    EXPECT_TRUE(m_manager->UsesInstallDirectory()) << "the other kinds look in both folders";
    EXPECT_EQ(m_manager->GetTransitionFormat(), RegisterClipboardFormat("transition"));
    EXPECT_EQ(m_manager->GetResType(kResTypePrintTemplates), nullptr);

    CTypedPtrList<CObList, CDSAlbum*>& builtIn = Pictures()->GetAlbumList(true);
    std::string titles;
    for (POSITION pos = builtIn.GetHeadPosition(); pos != nullptr;)
        titles += builtIn.GetNext(pos)->GetTitle().str() + "|";
    EXPECT_EQ(titles, "Festplatte|Scanner|Kamera|Zuletzt verwendet|");

    WriteProfileString("Settings", "PhotoName", "Fotos");
    WriteProfileInt("Settings", "PrnTplInstallType", 1);
    WriteProfileString("Settings", "Vorlagen", "Druckvorlagen");
    WriteProfileString("Settings", "PrnTplDataPath", "\\Vorlagen");
    WriteProfileInt("Settings", "WebTplInstallType", 2);
    WriteProfileString("Settings", "archive", "web.wtz");
    Restart();
    EXPECT_EQ(Pictures()->GetName(), "Fotos");
    const CResType* templates = m_manager->GetResType(kResTypePrintTemplates);
    ASSERT_NE(templates, nullptr);
    EXPECT_EQ(templates->GetName(), "Druckvorlagen");
    EXPECT_EQ(templates->GetSubDirectory(), "/Vorlagen");
    EXPECT_EQ(templates->GetAlbumExtension(), "");
    EXPECT_EQ(m_manager->GetWebTemplateInstallType(), 2);
    EXPECT_EQ(m_manager->GetWebTemplateArchive(), "web.wtz");

    DeleteProfileValue("Settings", "PictureInstallType");
    Restart();
    EXPECT_EQ(Pictures(), nullptr) << "without an install type the kind is absent";
    EXPECT_EQ(m_manager->MakeNumberedBitmapPath(), "");
}

TEST_F(ManagerTest, EveryKindHasItsBuiltInAlbumsAndClasses) {
    struct Case {
        const char* name;
        int typeId;
        std::string builtIn;
    };
    const Case cases[] = {
        {"Pictures", kResTypePictures, "Festplatte|Scanner|Kamera|Zuletzt verwendet|"},
        {"Clipart", kResTypeClipart, "Festplatte|Zuletzt verwendet|"},
        {"Frames", kResTypeFrames, "Zuletzt verwendet|"},
        {"Stencils", kResTypeStencils, "Zuletzt verwendet|"},
    };
    std::string order;
    for (POSITION pos = m_manager->GetResTypeList().GetHeadPosition(); pos != nullptr;)
        order += std::to_string(m_manager->GetResTypeList().GetNext(pos)->GetTypeId());
    EXPECT_EQ(order, "0321") << "pictures, clipart, frames, stencils";
    for (const Case& c : cases) {
        CResType* kind = m_manager->GetResType(c.typeId);
        ASSERT_NE(kind, nullptr) << c.name;
        std::string titles;
        for (POSITION pos = kind->GetAlbumList(true).GetHeadPosition(); pos != nullptr;) {
            CDSAlbum* album = kind->GetAlbumList(true).GetNext(pos);
            titles += album->GetTitle().str() + "|";
            EXPECT_EQ(m_manager->GetResTypeOfAlbum(album), kind) << c.name;
        }
        EXPECT_EQ(titles, c.builtIn) << c.name;
        std::unique_ptr<CDSAlbum> album(kind->NewAlbum());
        std::unique_ptr<CDSObj> entry(album->NewObject());
        ASSERT_NE(entry, nullptr) << c.name;
        EXPECT_EQ(m_manager->GetResTypeOfObject(entry.get()), kind) << c.name;
        std::unique_ptr<CDSObj> empty(m_manager->NewEntryOfKind(kind));
        EXPECT_EQ(empty != nullptr, c.typeId != kResTypePictures) << c.name;
        if (empty) {
            EXPECT_EQ(empty->GetRuntimeClass(), entry->GetRuntimeClass()) << c.name;
        }
    }
    EXPECT_EQ(m_manager->GetResTypeOfAlbum(nullptr), nullptr);
    EXPECT_EQ(m_manager->GetResTypeOfObject(nullptr), nullptr);

    // A stencil of the data folder stays relative, and is found in the install folder once it lives there.
    CResType* stencils = m_manager->GetResType(kResTypeStencils);
    WriteFile(DataDir() + "/Schablonen/Herz.bmp", "s");
    std::unique_ptr<CDSObj> stencil(
        m_manager->NewObjectOfKind(stencils, false, false, DataDir() + "/Schablonen/Herz.bmp"));
    ASSERT_TRUE(stencil->IsRelative());
    EXPECT_EQ(stencil->GetFilePath(), "/Herz.bmp");
    EXPECT_EQ(m_manager->GetObjectFilePath(stencil.get()), DataDir() + "/Schablonen/Herz.bmp");
    std::filesystem::remove((DataDir() + "/Schablonen/Herz.bmp").str());
    EXPECT_EQ(m_manager->GetObjectFilePath(stencil.get()), InstallDir() + "/Schablonen/Herz.bmp");
}

// The entry "/img/a.jpg" of the pictures kind ("/Bilder") by install type, with the file in the data
// folder or not.
TEST_F(ManagerTest, EntryPathsFollowTheInstallType) {
    struct Case {
        const char* name;
        int installType;
        bool inData;
        CString expected; // below the temporary folder; "" for none
    };
    const Case cases[] = {
        {"DataFolder", 0, false, "/data/Bilder/img/a.jpg"},
        {"DataFolderWithFile", 0, true, "/data/Bilder/img/a.jpg"},
        {"InstallFolder", 1, true, "/install/Bilder/img/a.jpg"},
        {"EitherWithFileInData", 2, true, "/data/Bilder/img/a.jpg"},
        {"EitherWithoutFileInData", 2, false, "/install/Bilder/img/a.jpg"},
        {"UnknownInstallType", 3, true, ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all((PicturesFolder() + "/img").str());
        if (c.inData)
            WriteFile(PicturesFolder() + "/img/a.jpg", "a");
        WriteProfileInt("Settings", "PictureInstallType", c.installType);
        Restart();
        CPhoto photo;
        photo.SetRelative(true);
        photo.SetFilePath("/img/a.jpg");
        const CString expected = c.expected.IsEmpty() ? CString() : m_folder.Path() + c.expected;
        EXPECT_EQ(m_manager->GetObjectFilePath(&photo), expected) << c.name;
        EXPECT_EQ(m_manager->GetResourceFilePath(Pictures(), "\\img\\a.jpg", true), expected) << c.name;
        EXPECT_EQ(m_manager->GetResourceFilePath(Pictures(), "\\img\\a.jpg", false), "\\img\\a.jpg")
            << c.name;
    }

    CPhoto absolute;
    absolute.SetFilePath(m_folder.Path() + "/elsewhere/b.jpg");
    EXPECT_EQ(m_manager->GetObjectFilePath(&absolute), m_folder.Path() + "/elsewhere/b.jpg")
        << "a path that is not relative is taken as it is";
    EXPECT_EQ(m_manager->GetObjectFilePath(nullptr), "");
}

TEST_F(ManagerTest, RelativeDataPathHangsBelowTheProgramFolder) {
    SetProgramFolderForTesting(m_folder.Path() + "/P");
    WriteProfileString("Settings", "DataPath", "\\Data");
    WriteProfileString("Settings", "InstallPath", m_folder.Path() + "/I");
    Restart();
    EXPECT_EQ(m_manager->GetDataDir(), m_folder.Path() + "/P/Data");
    EXPECT_EQ(m_manager->GetInstallDataDir(), m_folder.Path() + "/I/Data");
    CPhoto photo;
    photo.SetRelative(true);
    photo.SetFilePath("\\img\\a.jpg");
    EXPECT_EQ(m_manager->GetObjectFilePath(&photo), m_folder.Path() + "/P/Data/Bilder/img/a.jpg")
        << "plain concatenation of the stored parts";
    SetProgramFolderForTesting("");
}

TEST_F(ManagerTest, FilesMadeOnWindowsAreFoundWhateverTheirCase) {
    WriteFile(PicturesFolder() + "/Urlaub/Strand.JPG", "x");
    CPhoto photo;
    photo.SetRelative(true);
    photo.SetFilePath("\\URLAUB\\strand.jpg");
    EXPECT_EQ(m_manager->GetObjectFilePath(&photo), PicturesFolder() + "/Urlaub/Strand.JPG");
    EXPECT_EQ(photo.GetFilePath(), "\\URLAUB\\strand.jpg") << "the stored path keeps its case";
}

TEST_F(ManagerTest, ResourceFilesAreLookedUpBelowEitherFolder) {
    WriteProfileInt("Settings", "PrnTplInstallType", 2);
    WriteProfileString("Settings", "PrnTplDataPath", "/Vorlagen");
    Restart();
    const CResType* templates = m_manager->GetResType(kResTypePrintTemplates);
    WriteFile(InstallDir() + "/Vorlagen/karte.tpl", "i");
    EXPECT_EQ(m_manager->FindResourceFile(templates, "karte.tpl"), InstallDir() + "/Vorlagen/karte.tpl");
    WriteFile(DataDir() + "/Vorlagen/KARTE.tpl", "d");
    EXPECT_EQ(m_manager->FindResourceFile(templates, "karte.tpl"), DataDir() + "/Vorlagen/KARTE.tpl")
        << "the data folder wins";
    EXPECT_EQ(m_manager->FindResourceFile(templates, "fehlt.tpl"), "");
    const CString existing = InstallDir() + "/Vorlagen/karte.tpl";
    EXPECT_EQ(m_manager->FindResourceFile(templates, existing), existing) << "an existing path stays";

    WriteProfileInt("Settings", "PrnTplInstallType", 1);
    Restart();
    EXPECT_EQ(m_manager->FindResourceFile(m_manager->GetResType(kResTypePrintTemplates), "\\karte.tpl"),
              InstallDir() + "/Vorlagen/karte.tpl")
        << "one separator between folder, sub-folder and name";
}

TEST_F(ManagerTest, NewEntriesFromFilesAreStoredRelativeInsideTheKindsFolder) {
    CExtMgr extensions(VC_LIBRARY_TEST_CODEC_DIR);
    extensions.LoadPlugins();
    WriteBmp(PicturesFolder() + "/Urlaub/Strand.bmp", CSize(7, 5));
    WriteBmp(m_folder.Path() + "/Bilder-alt/x.bmp", CSize(3, 3));
    struct Case {
        const char* name;
        CString path;
        bool relative;
        CString stored;
    };
    const Case cases[] = {
        {"InsideInAnyCase", DataDir() + "/BILDER/Urlaub/Strand.bmp", true, "/Urlaub/Strand.bmp"},
        {"InsideWithSteps", PicturesFolder() + "/x/../Urlaub/Strand.bmp", true, "/Urlaub/Strand.bmp"},
        {"Outside", m_folder.Path() + "/Bilder-alt/x.bmp", false, m_folder.Path() + "/Bilder-alt/x.bmp"},
        {"SameBeginningIsNotInside", DataDir() + "/BilderAlt/x.bmp", false, DataDir() + "/BilderAlt/x.bmp"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CDSObj> entry(m_manager->NewObjectOfKind(Pictures(), false, false, c.path));
        ASSERT_NE(dynamic_cast<CPhoto*>(entry.get()), nullptr) << c.name;
        EXPECT_EQ(entry->IsRelative(), c.relative) << c.name;
        EXPECT_EQ(entry->GetFilePath(), c.stored) << c.name;
        EXPECT_FALSE(entry->IsAlbumOwned()) << c.name;
        EXPECT_FALSE(entry->HasThumbnail()) << c.name;
    }

    CDSObj* entry =
        m_manager->NewObjectOfKind(Pictures(), true, true, PicturesFolder() + "/Urlaub/Strand.bmp");
    EXPECT_TRUE(entry->IsAlbumOwned());
    EXPECT_EQ(entry->GetHref(), "Strand.bmp.xml");
    EXPECT_EQ(entry->GetThumbnailName(), "Strand.bmp.thumb.bmp");
    ASSERT_TRUE(entry->HasThumbnail()) << "made by the plug-in";
    EXPECT_EQ(entry->GetThumbnail()->GetWidth(), 7);
    DWORD crc = 0;
    ASSERT_EQ(CCrc32Static::FileCrcByReadFile(PicturesFolder() + "/Urlaub/Strand.bmp", crc), 0u);
    EXPECT_EQ(entry->GetCrc(), crc);
    EXPECT_TRUE(m_manager->VerifyObjectCrc(entry));
    EXPECT_TRUE(m_manager->DeleteObject(entry)) << "album-owned: left alone";
    delete entry;

    EXPECT_EQ(m_manager->NewObjectOfKind(nullptr, false, false, "x"), nullptr);
    std::ofstream((PicturesFolder() + "/Urlaub/notiz.txt").str()) << "kein Bild";
    EXPECT_EQ(m_manager->NewObjectOfKind(Pictures(), true, true, PicturesFolder() + "/Urlaub/notiz.txt"),
              nullptr)
        << "no plug-in opens text";
    EXPECT_EQ(m_manager->NewEntryOfKind(Pictures()), nullptr) << "photos are made from files only";
}

TEST_F(ManagerTest, TwoEntriesOfOneFileNameGetNumberedNamesInAnAlbum) {
    CExtMgr extensions(VC_LIBRARY_TEST_CODEC_DIR);
    extensions.LoadPlugins();
    WriteBmp(PicturesFolder() + "/a/Bild.bmp", CSize(2, 2));
    WriteBmp(PicturesFolder() + "/b/Bild.bmp", CSize(3, 3));
    CDSAlbum* album = NewAlbum("Urlaub");
    CDSObj* first = m_manager->NewObjectOfKind(Pictures(), true, true, PicturesFolder() + "/a/Bild.bmp");
    CDSObj* second = m_manager->NewObjectOfKind(Pictures(), true, true, PicturesFolder() + "/b/Bild.bmp");
    ASSERT_TRUE(album->AddObjects(first));
    ASSERT_TRUE(album->AddObjects(second));
    EXPECT_EQ(first->GetHref(), "Bild.bmp.xml");
    EXPECT_EQ(second->GetHref(), "Bild.bmp(0).xml");
    EXPECT_EQ(second->GetThumbnailName(), "Bild.bmp(0).thumb.bmp");

    Restart();
    album = Pictures()->FindAlbumByTitle("Urlaub");
    ASSERT_TRUE(m_manager->LoadAlbum(album));
    album->LoadThumbnails();
    ASSERT_EQ(album->GetObjectCount(), 2);
    EXPECT_EQ(album->GetTailObject()->GetThumbnail()->GetWidth(), 3);
    std::unique_ptr<CPictureInfo> picture(album->GetTailObject()->LoadPicture());
    ASSERT_NE(picture, nullptr) << "photos load through the plug-in manager";
    EXPECT_EQ(picture->GetWidth(), 3);
}

TEST_F(ManagerTest, PhotoPicturesNeedBothManagersAndAFile) {
    auto photo = std::unique_ptr<CDSObj>(NewPhoto("masked.bmp", "m"));
    WriteBmp(PicturesFolder() + "/masked.bmp", CSize(4, 4));
    EXPECT_EQ(photo->LoadPicture(), nullptr) << "no plug-in manager";
    {
        CExtMgr extensions(VC_LIBRARY_TEST_CODEC_DIR);
        extensions.LoadPlugins();
        std::unique_ptr<CPictureInfo> picture(photo->LoadPicture());
        ASSERT_NE(picture, nullptr) << "the mask the plug-in hands back is freed";
        EXPECT_EQ(picture->GetWidth(), 4);
        photo->SetFilePath("/fehlt.bmp");
        EXPECT_EQ(photo->LoadPicture(), nullptr);
    }
}

TEST_F(ManagerTest, ChecksumsAndFileInformation) {
    WriteBmp(PicturesFolder() + "/p.bmp", CSize(6, 4));
    CPhoto photo;
    photo.SetRelative(true);
    photo.SetFilePath("/p.bmp");
    EXPECT_FALSE(m_manager->VerifyObjectCrc(&photo)) << "stored 0";
    ASSERT_TRUE(m_manager->UpdateObjectCrc(&photo));
    EXPECT_TRUE(m_manager->VerifyObjectCrc(&photo));

    ASSERT_TRUE(m_manager->ReadImageInfo(&photo, false));
    EXPECT_EQ(photo.GetSize(), CSize(6, 4));
    EXPECT_EQ(photo.GetBitsPerPixel(), 24);
    EXPECT_EQ(photo.GetFileSize(),
              static_cast<int>(std::filesystem::file_size((PicturesFolder() + "/p.bmp").str())));

    WriteBmp(PicturesFolder() + "/p.bmp", CSize(9, 9));
    EXPECT_FALSE(m_manager->VerifyObjectCrc(&photo)) << "the file changed";
    ASSERT_TRUE(m_manager->ReadImageInfo(&photo, false));
    EXPECT_EQ(photo.GetSize(), CSize(6, 4)) << "known information is kept unless forced";
    ASSERT_TRUE(m_manager->ReadImageInfo(&photo, true));
    EXPECT_EQ(photo.GetSize(), CSize(9, 9));

    const DWORD before = photo.GetCrc();
    std::filesystem::remove((PicturesFolder() + "/p.bmp").str());
    EXPECT_FALSE(m_manager->UpdateObjectCrc(&photo));
    EXPECT_EQ(photo.GetCrc(), before) << "an unreadable file keeps the old checksum";
    EXPECT_FALSE(m_manager->VerifyObjectCrc(&photo));
    EXPECT_FALSE(m_manager->ReadImageInfo(&photo, true));
    EXPECT_FALSE(m_manager->ReadImageInfo(nullptr, false));
    EXPECT_FALSE(m_manager->VerifyObjectCrc(nullptr));
}

TEST_F(ManagerTest, AlbumCacheKeepsTheLastFiveAndWhatIsInUse) {
    std::vector<CDSAlbum*> albums;
    for (int i = 0; i < 8; ++i) {
        CString title;
        title.Format("Album %d", i);
        CDSAlbum* album = NewAlbum(title);
        ASSERT_TRUE(album->AddObjects(NewPhoto("p.jpg", title)));
        albums.push_back(album);
    }
    Restart();
    albums.clear();
    for (int i = 0; i < 8; ++i) {
        CString title;
        title.Format("Album %d", i);
        albums.push_back(Pictures()->FindAlbumByTitle(title));
    }
    const auto loaded = [this] {
        std::string order;
        for (POSITION pos = m_manager->GetLoadedAlbumList().GetHeadPosition(); pos != nullptr;)
            order += m_manager->GetLoadedAlbumList().GetNext(pos)->GetTitle().Right(1).str();
        return order;
    };
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(m_manager->LoadAlbum(albums[i]));
    EXPECT_EQ(loaded(), "01234");
    ASSERT_TRUE(m_manager->LoadAlbum(albums[2]));
    EXPECT_EQ(loaded(), "01234") << "loading a listed album again does not reorder";
    EXPECT_EQ(albums[2]->GetObjectCount(), 1) << "nor lists its entries twice";
    ASSERT_TRUE(m_manager->LoadAlbum(albums[5]));
    EXPECT_EQ(loaded(), "12345") << "the sixth unloads the oldest";
    EXPECT_FALSE(albums[0]->IsIndexOpen());
    EXPECT_EQ(albums[0]->GetObjectCount(), 0);

    m_manager->SetCurrentPhotoAlbum(albums[1]);
    albums[2]->GetHeadObject()->SetInUse(true);
    const int panel = 0;
    m_manager->SetShownAlbum(&panel, albums[3]);
    ASSERT_TRUE(m_manager->LoadAlbum(albums[6]));
    EXPECT_EQ(loaded(), "12356") << "the current album, one in use and the shown one stay";
    EXPECT_TRUE(albums[1]->IsIndexOpen());
    EXPECT_TRUE(albums[2]->IsIndexOpen());
    EXPECT_TRUE(albums[3]->IsIndexOpen());

    ASSERT_TRUE(m_manager->SaveCurrentPhotoAlbum());
    EXPECT_EQ(GetProfileString("Settings", "PhotoAlbum", ""), albums[1]->GetPath());
    albums[2]->GetHeadObject()->SetInUse(false);
    EXPECT_TRUE(m_manager->DeleteAlbum(albums[1]));
    EXPECT_EQ(m_manager->GetCurrentPhotoAlbum(), nullptr) << "a deleted album leaves the manager";
    EXPECT_EQ(loaded(), "2356");

    m_manager->SetShownAlbum(&panel, nullptr);
    albums[2]->GetHeadObject()->SetInUse(true);
    ASSERT_TRUE(m_manager->LoadAlbum(albums[7]));
    ASSERT_TRUE(m_manager->LoadAlbum(albums[0]));
    EXPECT_EQ(loaded(), "25670") << "an album no window shows any more can go";
    albums[2]->GetHeadObject()->SetInUse(false);
}

TEST_F(ManagerTest, EntryCacheKeepsTheLastTwentyAlbumEntries) {
    CDSAlbum* album = NewAlbum("Viele");
    for (int i = 0; i < 21; ++i) {
        CString name;
        name.Format("p%d.jpg", i);
        ASSERT_TRUE(album->AddObjects(NewPhoto(name, name)));
    }
    for (POSITION pos = album->GetObjectList().GetHeadPosition(); pos != nullptr;)
        ASSERT_TRUE(m_manager->LoadObject(album->GetObjectList().GetNext(pos)));
    EXPECT_EQ(m_manager->GetLoadedObjectList().GetCount(), 20);
    EXPECT_EQ(m_manager->GetLoadedObjectList().GetHead(), album->GetObjectAt(1));
    CPhoto loose;
    loose.SetAlbumOwned(false);
    ASSERT_TRUE(m_manager->LoadObject(&loose));
    EXPECT_EQ(m_manager->GetLoadedObjectList().GetCount(), 20) << "only entries of albums are kept";
    album->Unload();
    EXPECT_TRUE(m_manager->GetLoadedObjectList().IsEmpty())
        << "an album takes its entries out when it unloads";
}

TEST_F(ManagerTest, NumberedBitmapsTakeTheFirstFreeNumber) {
    WriteFile(PicturesFolder() + "/0.bmp", "x");
    WriteFile(PicturesFolder() + "/2.bmp", "x");
    EXPECT_EQ(m_manager->MakeNumberedBitmapPath(), PicturesFolder() + "/1.bmp");
    EXPECT_TRUE(std::filesystem::exists((PicturesFolder() + "/1.bmp").str())) << "made at once, empty";
    EXPECT_EQ(std::filesystem::file_size((PicturesFolder() + "/1.bmp").str()), 0u);
    EXPECT_EQ(m_manager->MakeNumberedBitmapPath(), PicturesFolder() + "/3.bmp");
    EXPECT_EQ(ReadFile(PicturesFolder() + "/2.bmp"), "x");

    std::filesystem::remove_all(PicturesFolder().str());
    EXPECT_EQ(m_manager->MakeNumberedBitmapPath(), PicturesFolder() + "/0.bmp") << "the folder is made";
}

TEST_F(ManagerTest, ChoicesAndFilters) {
    m_app.SetString(65400, "Eigene Reihenfolge");
    m_app.SetString(65401, "Nach Hersteller");
    m_app.SetString(65402, "Nach Titel");
    m_app.SetString(65512, "Album eigene");
    m_app.SetString(65513, "Album Titel");
    std::vector<ItemChoice> choices;
    m_manager->GetItemChoices(Pictures(), choices);
    m_manager->GetItemChoices(Pictures()->GetAlbumList(true).GetHead(), choices);
    m_manager->GetItemChoices(nullptr, choices);
    std::string listed;
    for (const ItemChoice& choice : choices)
        listed += std::to_string(choice.id) + "=" + choice.caption.str() + "|";
    EXPECT_EQ(listed, "2=Nach Titel|1=Nach Hersteller|0=Eigene Reihenfolge|1=Album Titel|0=Album eigene|");

    EXPECT_EQ(m_manager->GetFileFilter(Pictures(), false), "") << "no plug-in manager";
    CExtMgr extensions(VC_LIBRARY_TEST_CODEC_DIR);
    extensions.LoadPlugins();
    EXPECT_EQ(m_manager->GetFileFilter(Pictures(), false), extensions.BuildOpenFilter(false));
    CResType text(kResTypeTextFiles, "Text", 0);
    EXPECT_EQ(m_manager->GetFileFilter(&text, false), "text files (*.txt)|*.txt||");
    CResType other(7, "", 0);
    EXPECT_EQ(m_manager->GetFileFilter(&other, false), "");
    EXPECT_EQ(m_manager->GetDefaultObject(Pictures()), nullptr);
}

} // namespace
