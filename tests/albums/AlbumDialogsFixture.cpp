#include "tests/albums/AlbumDialogsFixture.h"

#include "albums/PhotoWnd.h"
#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "platform/base/Path.h"

FakeAlbumDlg::~FakeAlbumDlg() {
    if (IsWindow(m_hWnd))
        DestroyWindow();
}

bool FakeAlbumDlg::Open(CDSAlbum* album) {
    m_album = album;
    if (!CreateEx(0, nullptr, "Album", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr))
        return false;
    int id = 5000;
    for (int i = 0; i < album->GetObjectCount(); ++i) {
        auto* tile = new CPhotoWnd(album->GetObjectAt(i));
        if (!tile->Create(nullptr, "PhotoWnd", WS_CHILD | WS_VISIBLE, CRect(-200, -200, -44, -46), this,
                          id++))
            return false;
        m_tiles.push_back(tile);
    }
    return true;
}

void FakeAlbumDlg::SelectPhoto(CPhotoWnd* tile, UINT) {
    for (size_t i = 0; i < m_tiles.size(); ++i)
        if (m_tiles[i] == tile)
            m_selected = static_cast<int>(i);
}

void AlbumDialogsTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(TempLibraryTest::SetUp());
    UseTexts({308, 309, 366, 62058});
    for (UINT id = 65523; id <= 65534; ++id)
        UseTexts({id});
    OpenLibrary(VC_PROGRAM_DIR, {kLibraryPhotos});
    ASSERT_TRUE(
        m_owner.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr));
}

void AlbumDialogsTest::TearDown() {
    if (IsWindow(m_owner.m_hWnd))
        m_owner.DestroyWindow();
    PumpMessages();
    TempLibraryTest::TearDown();
}

CString AlbumDialogsTest::PhotoFolder() const {
    return DataDir() + BackslashesToSlashes(Photos()->GetSubDirectory());
}

CDSAlbum* AlbumDialogsTest::MakeAlbum(const CString& title, int count) {
    CDSAlbum* album = m_manager->CreateAlbum(Photos(), title);
    if (!album)
        return nullptr;
    for (int i = 1; i <= count; ++i) {
        CString name;
        name.Format("Bild%d", i);
        WritePicture(name + ".bmp", CSize(4, 3), RGB(i, 0, 0));
        AddPhoto(album, name + ".bmp", name);
    }
    return album;
}

CPhoto* AlbumDialogsTest::AddPhoto(CDSAlbum* album, const CString& fileName, const CString& title,
                                   CSize thumbnail) {
    auto* photo = new CPhoto;
    photo->SetFilePath("/" + fileName);
    photo->SetRelative(true);
    photo->SetTitle(title);
    photo->SetThumbnail(CPictureInfo::CreateFilled(thumbnail, RGB(10, 100, 200), 24));
    if (!album->AddObjects(photo)) {
        delete photo;
        return nullptr;
    }
    return photo;
}

void AlbumDialogsTest::WritePicture(const CString& fileName, CSize size, COLORREF colour) const {
    std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(size, colour, 24));
    picture->WriteBmpFile(PhotoFolder() + "/" + fileName);
}
