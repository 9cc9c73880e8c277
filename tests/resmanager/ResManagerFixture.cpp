#include "tests/resmanager/ResManagerFixture.h"

#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "platform/base/File.h"
#include "platform/base/Path.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/TreeCtrl.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerDocument.h"
#include "resmanager/ResManagerWnd.h"

IMPLEMENT_DYNCREATE(FakeAlbumsView, CTreeView)

CDSAlbum* FakeAlbumsView::m_pointed = nullptr;
std::vector<int> FakeAlbumsView::s_kinds;
std::vector<std::string> FakeAlbumsView::s_calls;

LRESULT FakeAlbumsView::AddResTypeNode(CResType* kind) {
    s_kinds.push_back(kind->GetTypeId());
    const HTREEITEM node = GetTreeCtrl().InsertItem(kind->GetName());
    auto& albums = kind->GetAlbumList(false);
    for (POSITION pos = albums.GetHeadPosition(); pos != nullptr;)
        GetTreeCtrl().InsertItem(albums.GetNext(pos)->GetTitle(), node);
    return 0;
}

void ResManagerTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(TempLibraryTest::SetUp());
    UseTexts({62016u, 62017u, 62018u, 62053u, 62056u, 62057u, 62058u, 62060u, 65519u, 65520u, 65400u, 65401u,
              65402u, 65512u, 65513u});
    m_app.SetString(62053, "Neues Bild");
    FakeAlbumsView::m_pointed = nullptr;
    FakeAlbumsView::s_kinds.clear();
    FakeAlbumsView::s_calls.clear();
    CResManagerWnd::SetAlbumsViewClass(RUNTIME_CLASS(FakeAlbumsView));
    OpenLibrary(VC_PROGRAM_DIR, {kLibraryPhotos});
    MakeFolderPath(m_folder.Path() + "/drops");
    ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700, nullptr,
                                 nullptr));
}

void ResManagerTest::TearDown() {
    if (IsWindow(m_owner.m_hWnd))
        m_owner.DestroyWindow();
    PumpMessages();
    CResManagerWnd::SetAlbumsViewClass(nullptr);
    TempLibraryTest::TearDown();
}

CResManagerWnd* ResManagerTest::OpenFrame(CSize size) {
    auto* document = new CResManagerDocument;
    m_frame = new CResManagerWnd;
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pCurrentFrame = m_frame;
    if (!m_frame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), size), &m_owner,
                         nullptr, WS_EX_CONTROLPARENT, &context)) {
        m_frame = nullptr;
        return nullptr;
    }
    auto& kinds = m_manager->GetResTypeList();
    for (POSITION pos = kinds.GetHeadPosition(); pos != nullptr;) {
        CResType* kind = kinds.GetNext(pos);
        if (kind->GetTypeId() != kResTypePrintTemplates)
            m_frame->AddResType(kind);
    }
    document->OnNewDocument();
    m_frame->ActivateFrame(-1);
    PumpMessages();
    return m_frame;
}

CObjectsView* ResManagerTest::Objects() const {
    return m_frame ? m_frame->GetObjectsView() : nullptr;
}

CString ResManagerTest::WritePicture(const CString& name, CSize size, COLORREF colour) const {
    std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(size, colour, 24));
    const CString path = m_folder.Path() + "/drops/" + name;
    picture->WriteBmpFile(path);
    return path;
}

CDSAlbum* ResManagerTest::MakeAlbum(const CString& title, int count, std::initializer_list<int> relative) {
    CDSAlbum* album = m_manager->CreateAlbum(Photos(), title);
    if (!album)
        return nullptr;
    for (int i = 1; i <= count; ++i) {
        CString name;
        name.Format("Bild%d", i);
        auto* photo = new CPhoto;
        photo->SetFilePath(WritePicture(name + ".bmp", CSize(8, 6), RGB(i * 20, 0, 0)));
        photo->SetRelative(std::find(relative.begin(), relative.end(), i) != relative.end());
        photo->SetTitle(name);
        photo->SetThumbnail(CPictureInfo::CreateFilled(CSize(40, 30), RGB(10, 100, 200), 24));
        if (!album->AddObjects(photo)) {
            delete photo;
            return nullptr;
        }
    }
    return album;
}

std::unique_ptr<CDSObjMgr> ResManagerTest::ReadBack() {
    m_frame = nullptr;
    if (IsWindow(m_owner.m_hWnd))
        m_owner.DestroyWindow();
    PumpMessages();
    m_manager.reset();
    auto fresh = std::make_unique<CDSObjMgr>();
    fresh->LoadInstallSettings();
    return fresh;
}
