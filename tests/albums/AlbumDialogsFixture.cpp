#include "tests/albums/AlbumDialogsFixture.h"

#include "albums/PhotoWnd.h"
#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "platform/base/File.h"
#include "platform/base/Module.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"

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

HMODULE AlbumDialogsTest::s_resources = nullptr;
HMODULE AlbumDialogsTest::s_texts = nullptr;

void AlbumDialogsTest::SetUpTestSuite() {
    UiTest::SetUpTestSuite();
    s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    s_texts = LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu");
}

void AlbumDialogsTest::TearDownTestSuite() {
    FreeLibrary(s_resources);
    FreeLibrary(s_texts);
    s_resources = s_texts = nullptr;
}

void AlbumDialogsTest::SetUp() {
    UiTest::SetUp();
    ASSERT_NE(s_resources, nullptr);
    ASSERT_NE(s_texts, nullptr);
    m_app.SetResourceModule(s_resources);
    m_app.SetTextModule(s_texts);
    AfxSetResourceHandle(s_resources);
    UseTexts({308, 309, 366, 62058});
    for (UINT id = 65523; id <= 65534; ++id)
        UseTexts({id});

    const CString data = m_folder.Path() + "/data";
    SetProfileFolderForTesting(m_folder.Path() + "/profile");
    WriteProfileString("Settings", "DataPath", data);
    WriteProfileString("Settings", "InstallPath", m_folder.Path() + "/install");
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "/Bilder");
    MakeFolderPath(data + "/Bilder");
    m_codecs = std::make_unique<CExtMgr>(VC_PROGRAM_DIR);
    m_codecs->LoadPlugins();
    m_manager = std::make_unique<CDSObjMgr>();
    m_manager->LoadInstallSettings();
    ASSERT_TRUE(
        m_owner.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr));
}

void AlbumDialogsTest::TearDown() {
    if (IsWindow(m_owner.m_hWnd))
        m_owner.DestroyWindow();
    PumpMessages();
    m_manager.reset();
    m_codecs.reset();
    SetProfileFolderForTesting("");
    AfxSetResourceHandle(nullptr);
    UiTest::TearDown();
}

void AlbumDialogsTest::UseTexts(std::initializer_list<UINT> ids) {
    for (const UINT id : ids) {
        char text[1024] = {};
        LoadString(s_texts, id, text, sizeof text);
        m_app.SetString(id, text);
    }
}

CString AlbumDialogsTest::PhotoFolder() const {
    return m_folder.Path() + "/data" + BackslashesToSlashes(Photos()->GetSubDirectory());
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
