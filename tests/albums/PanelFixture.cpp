#include "tests/albums/PanelFixture.h"

#include "albums/CategoryTile.h"
#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"
#include "platform/base/Path.h"
#include "platform/ui/ComboBox.h"

#include <fstream>
#include <memory>

namespace {

CDSObj* NewEntry(int kindId) {
    switch (kindId) {
    case kResTypeFrames:
        return new CMat;
    case kResTypeStencils:
        return new CStencil;
    case kResTypeClipart:
        return new CClipart;
    default:
        return new CPhoto;
    }
}

} // namespace

RecordingMainWnd::RecordingMainWnd() {
    SetMainWndServices(this);
    SetCategoryPanelHost(this);
}

RecordingMainWnd::~RecordingMainWnd() {
    SetCategoryPanelHost(nullptr);
    SetMainWndServices(nullptr);
}

void RecordingMainWnd::SetTemplate(CTemplate* page) {
    m_normalPage.reset(page);
}

BOOL RecordingMainWnd::AddPicturesToPage(const CString& path) {
    m_pictures.push_back(path);
    m_work = std::make_unique<CWorkBitmap>();
    m_work->SetFilePath(path);
    return TRUE;
}

void PanelTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(TempLibraryTest::SetUp());
    m_app.SetString(250, "Fotos|Vorlagen|Rahmen|Schablonen|Cliparts");
    m_app.SetString(277, "Seitenobjekte");
    m_app.SetString(278, "Cliparts");
    for (const UINT kindName : {31441u, 31443u, 31444u})
        m_app.SetString(kindName, "Art");
    // The mask codec reads every picture file as BMP.
    OpenLibrary(VC_MASK_CODEC_DIR, {kLibraryPhotos,
                                    {"ClipartInstallType", "ClipartDataPath", "/Cliparts"},
                                    {"FrameInstallType", "FrameDataPath", "/Rahmen"},
                                    {"StencilInstallType", "StencilDataPath", "/Schablonen"},
                                    {"PrnTplInstallType", "PrnTplDataPath", "/Vorlagen"}});
    ASSERT_TRUE(
        m_frame.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr));
}

void PanelTest::TearDown() {
    if (IsWindow(m_frame.m_hWnd))
        m_frame.DestroyWindow();
    PumpMessages();
    m_main.m_panel = nullptr;
    m_main.m_canvas = nullptr;
    TempLibraryTest::TearDown();
}

CString PanelTest::KindFolder(int kindId) const {
    return DataDir() + BackslashesToSlashes(Kind(kindId)->GetSubDirectory());
}

CDSAlbum* PanelTest::MakeAlbum(int kindId, const CString& title, int count, const char* prefix) {
    CDSAlbum* album = m_manager->CreateAlbum(Kind(kindId), title);
    if (!album)
        return nullptr;
    for (int i = 1; i <= count; ++i) {
        CString name;
        name.Format("%s%d", prefix, i);
        std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(CSize(4, 3), RGB(i, 0, 0), 24));
        picture->WriteBmpFile(KindFolder(kindId) + "/" + name + ".bmp");
        CDSObj* entry = NewEntry(kindId);
        entry->SetFilePath("/" + name + ".bmp");
        entry->SetRelative(true);
        entry->SetTitle(name);
        entry->SetThumbnail(CPictureInfo::CreateFilled(CSize(5, 3), RGB(10 * i, 100, 200), 24));
        album->AddObjects(entry);
    }
    return album;
}

void PanelTest::WriteTemplateList(const std::string& text) {
    std::ofstream(std::string(KindFolder(kResTypePrintTemplates).str()) + "/Templ.dat", std::ios::binary)
        << text;
}

void PanelTest::WriteTemplateFile(const CString& name, CSize size, int orientation) {
    CTemplate page;
    page.SetPageSize(size);
    page.SetOrientation(orientation);
    CFile file(KindFolder(kResTypePrintTemplates) + "/" + name, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    page.Serialize(ar);
    ar.Close();
}

CCategWnd* PanelTest::CreatePanel() {
    auto* panel = new CCategWnd;
    if (!panel->CreatePanel(&m_frame, CRect(0, 484, 800, 600), 1204)) {
        delete panel;
        return nullptr;
    }
    m_panel = panel;
    m_main.m_panel = panel;
    return panel;
}

CPreviewWnd* PanelTest::CreateCanvas() {
    auto* canvas = new CPreviewWnd;
    if (!canvas->Create(nullptr, "PreviewWnd", WS_CHILD | WS_VISIBLE, CRect(197, 40, 767, 475), &m_frame,
                        1202))
        return nullptr;
    m_main.m_canvas = canvas;
    return canvas;
}

void PanelTest::ChooseCategory(int position) {
    m_panel->SelectCategory(position);
    m_panel->OnSelChangeCategory();
}

void PanelTest::ChooseAlbum(int index) {
    m_panel->GetAlbumCombo()->SetCurSel(index);
    m_panel->OnSelChangeAlbum();
}

int PanelTest::SlotOf(int code, int index) const {
    CRect rect;
    m_panel->GetTiles(code)[static_cast<size_t>(index)]->GetWindowRect(&rect);
    m_panel->ScreenToClient(&rect);
    for (int slot = 0; slot < CCategWnd::kSlots; ++slot) {
        const CRect wanted = CCategWnd::SlotRect(slot);
        if (rect.left == wanted.left && rect.top == wanted.top && rect.right == wanted.right &&
            rect.bottom == wanted.bottom)
            return slot;
    }
    return -1;
}

std::string PanelTest::Slots(int code) const {
    std::string places;
    for (size_t i = 0; i < m_panel->GetTiles(code).size(); ++i) {
        const int slot = SlotOf(code, static_cast<int>(i));
        places += slot < 0 ? '-' : static_cast<char>('0' + slot);
    }
    return places;
}

std::string PanelTest::InfoButtons() const {
    std::string shown;
    for (int slot = 0; slot < CCategWnd::kSlots; ++slot)
        shown += m_panel->GetInfoButton(slot)->IsWindowVisible() ? '1' : '0';
    return shown;
}

void PanelTest::ClickTile(int code, int index) {
    ClickAt(m_panel->GetTiles(code)[static_cast<size_t>(index)], CPoint(10, 10));
    PumpMessages();
}
