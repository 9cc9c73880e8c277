// The tiles: clicks in normal and edit mode, and what a tile shows.

#include "albums/AlbumPhotoDialog.h"
#include "albums/ClipartWnd.h"
#include "albums/DSObjWnd.h"
#include "albums/PhotoWnd.h"
#include "albums/TemplateWnd.h"
#include "image/PictureInfo.h"
#include "library/DSObj.h"
#include "library/Photo.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "tests/albums/PanelFixture.h"

#include <fstream>
#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

using Code = CCategWnd::Code;

class TilesTest : public PanelTest {
protected:
    // The category's album with three items, chosen in the panel.
    void ShowCategory(int position) {
        WriteTemplateFile("a.tpl", CSize(2100, 2970), 1);
        WriteTemplateFile("b.tpl", CSize(2100, 2970), 2);
        WriteTemplateFile("c.tpl", CSize(1480, 2100), 1);
        WriteTemplateList("x;;;a.tpl;;;Karten;;\nx;;;b.tpl;;;Karten;;\nx;;;c.tpl;;;Karten;;\n");
        MakeAlbum(kResTypePictures, "Urlaub", 3);
        MakeAlbum(kResTypeFrames, "Holz", 3, "Rahmen");
        MakeAlbum(kResTypeStencils, "Formen", 3, "Form");
        MakeAlbum(kResTypeClipart, "Deko", 3, "Stern");
        ASSERT_NE(CreatePanel(), nullptr);
        if (position > 0)
            ChooseCategory(position);
    }
    int UndoKind(size_t i) const { return static_cast<CUndoNormal*>(m_main.m_undo.at(i).get())->GetIndex(); }
};

TEST_F(TilesTest, NormalModeClicksPutTheItemOnThePageAfterOneUndoRecord) {
    struct Case {
        int position;
        int undoKind;
    };
    for (const Case test : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 3}}) {
        SCOPED_TRACE(test.position);
        ShowCategory(test.position);
        const int code = test.position + 1;
        ClickTile(code, 1);
        ASSERT_EQ(m_main.m_undo.size(), 1U);
        EXPECT_STREQ(m_main.m_undo[0]->GetRuntimeClass()->m_lpszClassName, "CUndoNormal");
        EXPECT_EQ(UndoKind(0), test.undoKind);
        EXPECT_TRUE(m_main.m_modified);
        EXPECT_TRUE(m_panel->GetTiles(code)[1]->IsSelected());
        EXPECT_EQ(m_panel->GetCounterText(), "2/3");
        ClickTile(code, 2);
        EXPECT_FALSE(m_panel->GetTiles(code)[1]->IsSelected()) << "one tile stays selected";
        EXPECT_EQ(m_main.m_undo.size(), 2U);
        m_panel->DestroyWindow();
        m_main.m_undo.clear();
        m_main.m_modified = 0;
        TearDown();
        SetUp();
    }
}

TEST_F(TilesTest, APhotoGoesOnThePageAsTheAlbumsPicture) {
    ShowCategory(0);
    ClickTile(Code::kPhotos, 2);
    EXPECT_THAT(m_main.m_pictures, ElementsAre(KindFolder(kResTypePictures) + "/Bild3.bmp"));
    EXPECT_EQ(m_main.m_albumPicture, 1);
    EXPECT_EQ(m_panel->GetCurrentPhotoIndex(), 2);
    ClickTile(Code::kPhotos, 0);
    EXPECT_EQ(static_cast<CUndoNormal*>(m_main.m_undo.at(1).get())->GetSettings().GetFilePath(),
              KindFolder(kResTypePictures) + "/Bild3.bmp")
        << "the record keeps the picture before";
}

TEST_F(TilesTest, MatsAndStencilsOnThePageAreCopiesWithThePathBeforeInTheRecord) {
    ShowCategory(3);
    ClickTile(Code::kStencils, 0);
    CDSObj* first = static_cast<CThumbnailTile*>(m_panel->GetTiles(Code::kStencils)[0])->GetEntry();
    ASSERT_NE(m_main.m_stencil, nullptr);
    EXPECT_NE(static_cast<CDSObj*>(m_main.m_stencil.get()), first) << "the album keeps its own entry";
    EXPECT_EQ(m_main.m_stencil->GetTitle(), "Form1");
    ClickTile(Code::kStencils, 1);
    EXPECT_EQ(static_cast<CUndoNormal*>(m_main.m_undo.at(1).get())->GetSettings().GetFilePath(),
              KindFolder(kResTypeStencils) + "/Form1.bmp");
}

TEST_F(TilesTest, ClipartOutsideEditModeOnlyTellsItsMessage) {
    ShowCategory(4);
    ClickTile(Code::kCliparts, 0);
    EXPECT_THAT(m_app.MessageIds(), ElementsAre(311U));
    EXPECT_TRUE(m_main.m_undo.empty());
    EXPECT_FALSE(m_panel->GetTiles(Code::kCliparts)[0]->IsSelected());
}

TEST_F(TilesTest, EditModeClicksSelectAndStartTheirDragOnTheCanvas) {
    struct Case {
        int position;
        int dragMode;
    };
    for (const Case test : {Case{0, kDragPhoto}, Case{1, kDragTemplate}, Case{2, kDragMat},
                            Case{3, kDragStencil}, Case{4, kDragPlaceClipart}}) {
        SCOPED_TRACE(test.position);
        m_app.SetEditMode(TRUE);
        m_main.m_page = std::make_unique<CTemplate>();
        m_main.m_page->SetPageSize(CSize(2100, 2970));
        m_main.m_page->SetOrientation(1);
        ShowCategory(test.position);
        CPreviewWnd* canvas = CreateCanvas();
        ASSERT_NE(canvas, nullptr);
        const int code = test.position + 1;
        PressAt(m_panel->GetTiles(code)[2], CPoint(10, 10));
        EXPECT_EQ(canvas->GetDragMode(), test.dragMode);
        EXPECT_TRUE(m_panel->GetTiles(code)[2]->IsSelected());
        EXPECT_TRUE(m_main.m_undo.empty());
        EXPECT_TRUE(m_main.m_pictures.empty());
        ReleaseAt(canvas, CPoint(-50, -50));
        PumpMessages();
        TearDown();
        SetUp();
    }
}

TEST_F(TilesTest, EditModePhotoClickFillsSelectedPicturesUntilAnotherKindOfObject) {
    m_app.SetEditMode(TRUE);
    m_main.m_page = std::make_unique<CTemplate>();
    m_main.m_page->SetPageSize(CSize(2100, 2970));
    auto* first = new CDrawImage(CRect(0, 0, 100, 100));
    auto* text = new CDrawText(CRect(0, 200, 100, 300));
    auto* second = new CDrawImage(CRect(0, 400, 100, 500));
    for (CDrawObj* object : std::initializer_list<CDrawObj*>{first, text, second}) {
        object->SetSelected(TRUE);
        m_main.m_page->InsertObject(object, -1);
    }
    ShowCategory(0);
    ASSERT_NE(CreateCanvas(), nullptr);
    ClickTile(Code::kPhotos, 1);
    ASSERT_EQ(m_main.m_undo.size(), 1U);
    EXPECT_STREQ(m_main.m_undo[0]->GetRuntimeClass()->m_lpszClassName, "CUndoObject");
    EXPECT_TRUE(first->GetFilePath().Find("Bild2.bmp") >= 0) << first->GetFilePath().GetString();
    EXPECT_TRUE(second->GetFilePath().IsEmpty()) << "the walk stops at the text";
}

TEST_F(TilesTest, TheShownAlbumStaysLoadedWhileOtherAlbumsAreLoaded) {
    for (const int position : {0, 3}) {
        SCOPED_TRACE(position);
        // The library of the round before stays: new titles each round.
        CString round;
        round.Format(" %d", position);
        std::vector<CDSAlbum*> albums{MakeAlbum(kResTypePictures, "Urlaub" + round, 3),
                                      MakeAlbum(kResTypeStencils, "Formen" + round, 3, "Form")};
        for (int i = 0; i < CDSObjMgr::kAlbumCacheLimit + 1; ++i) {
            CString title;
            title.Format("Weitere %d-%d", position, i);
            albums.push_back(MakeAlbum(kResTypePictures, title, 1));
        }
        // As after a start: every album is read from its file when it is first shown.
        for (CDSAlbum* album : albums) {
            ASSERT_NE(album, nullptr);
            album->Unload();
        }
        ASSERT_NE(CreatePanel(), nullptr);
        if (position > 0)
            ChooseCategory(position);
        for (size_t i = 2; i < albums.size(); ++i)
            ASSERT_TRUE(m_manager->LoadAlbum(albums[i]));
        const int code = position + 1;
        ClickTile(code, 0);
        EXPECT_EQ(m_main.m_undo.size(), 1U);
        EXPECT_EQ(static_cast<CThumbnailTile*>(m_panel->GetTiles(code)[0])->GetEntry()->GetTitle(),
                  position == 0 ? "Bild1" : "Form1");
        m_panel->DestroyWindow();
        m_main.m_undo.clear();
        TearDown();
        SetUp();
    }
}

// A tile of its own in the frame window, at the panel's creation rectangle's size (80 x 78).
class TilePixelsTest : public PanelTest {
protected:
    template <typename Tile>
    Tile* MakeTile(Tile* tile, const char* name = "PhotoWnd") {
        EXPECT_TRUE(
            tile->Create(nullptr, name, CCategoryTile::kStyle, CRect(10, 10, 90, 88), &m_frame, 1000));
        PumpMessages();
        return tile;
    }
    static std::unique_ptr<CDSObj> Entry(CSize thumbnail, const CString& path) {
        auto entry = std::make_unique<CPhoto>();
        entry->SetFilePath(path);
        entry->SetThumbnail(CPictureInfo::CreateFilled(thumbnail, RGB(0, 0, 255), 24));
        return entry;
    }
};

TEST_F(TilePixelsTest, AWideThumbnailIsScaledOnceIntoTheMiddle) {
    EXPECT_EQ(CThumbnailTile::FitRect(74, 72, 200, 100), CRect(0, 17, 74, 54));
    const CString file = m_folder.Path() + "/da.bmp";
    std::ofstream(file.str()) << "x";
    auto entry = Entry(CSize(200, 100), file);
    CPhotoWnd* tile = MakeTile(new CPhotoWnd(entry.get()));
    CRect client;
    tile->GetClientRect(&client);
    ASSERT_EQ(client.Size(), CSize(74, 72));
    EXPECT_EQ(WindowPixel(tile, CPoint(0, 17)), RGB(0, 0, 255));
    EXPECT_EQ(WindowPixel(tile, CPoint(73, 53)), RGB(0, 0, 255));
    EXPECT_EQ(WindowPixel(tile, CPoint(37, 16)), RGB(255, 255, 255));
    EXPECT_EQ(WindowPixel(tile, CPoint(37, 54)), RGB(255, 255, 255));
    EXPECT_FALSE(tile->IsMissingBadgeShown());
}

TEST_F(TilePixelsTest, AThumbnailWithoutPixelsLeavesTheTileAsCreated) {
    auto entry = std::make_unique<CPhoto>();
    entry->SetThumbnail(CPictureInfo::CreateFilled(CSize(0, 0), RGB(0, 0, 255), 24));
    CPhotoWnd* tile = MakeTile(new CPhotoWnd(entry.get()));
    EXPECT_NE(WindowPixel(tile, CPoint(37, 36)), RGB(0, 0, 255));
}

TEST_F(TilePixelsTest, FrameAndBadgeInEachClassesOrder) {
    auto entry = Entry(CSize(10, 10), m_folder.Path() + "/fehlt.bmp");
    CPhotoWnd* photo = MakeTile(new CPhotoWnd(entry.get()));
    CDSObjWnd* mat = MakeTile(new CDSObjWnd(entry.get()), "MatWnd");
    for (CThumbnailTile* tile : std::initializer_list<CThumbnailTile*>{photo, mat}) {
        ASSERT_TRUE(tile->IsMissingBadgeShown());
        tile->SetSelected(TRUE);
        tile->Invalidate();
    }
    PumpMessages();
    // The badge's circle touches the frame on the right edge; its outline is the context's black pen.
    const CPoint edge(73, 64);
    EXPECT_EQ(WindowPixel(photo, edge), RGB(0, 0, 0)) << "photo: badge over frame";
    EXPECT_EQ(WindowPixel(mat, edge), RGB(255, 0, 0)) << "mat: frame over badge";
    for (CThumbnailTile* tile : std::initializer_list<CThumbnailTile*>{photo, mat}) {
        EXPECT_EQ(WindowPixel(tile, CPoint(1, 36)), RGB(255, 0, 0)) << "the frame";
        EXPECT_EQ(WindowPixel(tile, CPoint(20, 36)), RGB(0, 0, 255)) << "the thumbnail";
    }
}

TEST_F(TilePixelsTest, ALandscapeTemplateIsDrawnTurned) {
    struct Case {
        int orientation;
        COLORREF atLeftMiddle; // (5, 36): outside an upright page, inside a turned one
        COLORREF atTopMiddle;  // (37, 5): inside an upright page, outside a turned one
    };
    for (const Case test : {Case{1, CTemplateWnd::kBackground, RGB(255, 255, 255)},
                            Case{2, RGB(255, 255, 255), CTemplateWnd::kBackground}}) {
        auto* page = new CTemplate;
        page->SetPageSize(CSize(2100, 2970));
        page->SetOrientation(test.orientation);
        CTemplateWnd* tile = MakeTile(new CTemplateWnd(page), "TemplateWnd");
        EXPECT_EQ(WindowPixel(tile, CPoint(5, 36)), test.atLeftMiddle) << test.orientation;
        EXPECT_EQ(WindowPixel(tile, CPoint(37, 5)), test.atTopMiddle) << test.orientation;
        tile->DestroyWindow();
    }
}

// The album dialog's side of a photo tile.
class RecordingAlbumDialog final : public CWnd, public IAlbumPhotoDialog {
public:
    void SelectPhoto(CPhotoWnd* tile, UINT keyFlags) override { m_selected.emplace_back(tile, keyFlags); }
    CDSAlbum* GetAlbum() override { return m_album; }
    int GetCurrentIndex() override { return m_index; }
    void EndDialog(int result) override { m_result = result; }

    std::vector<std::pair<CPhotoWnd*, UINT>> m_selected;
    CDSAlbum* m_album = nullptr;
    int m_index = 0;
    int m_result = 0;
};

TEST_F(TilePixelsTest, APhotoTileInTheAlbumDialogReportsToTheDialog) {
    CDSAlbum* album = MakeAlbum(kResTypePictures, "Urlaub", 9);
    ASSERT_NE(CreatePanel(), nullptr);
    ASSERT_NE(MakeAlbum(kResTypePictures, "Garten", 1), nullptr);
    RecordingAlbumDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr, "Album", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &m_frame, 7));
    dialog.m_album = album;
    dialog.m_index = 7;
    auto* tile = new CPhotoWnd(album->GetObjectAt(7));
    ASSERT_TRUE(
        tile->Create(nullptr, "PhotoWnd", CCategoryTile::kStyle, CRect(10, 10, 90, 88), &dialog, 5007));
    ClickAt(tile, CPoint(5, 5));
    ASSERT_EQ(dialog.m_selected.size(), 1U);
    EXPECT_EQ(dialog.m_selected[0].first, tile);
    DoubleClickAt(tile, CPoint(5, 5));
    PumpMessages();
    EXPECT_EQ(dialog.m_result, IDCANCEL);
    EXPECT_EQ(m_main.m_album, album);
    EXPECT_EQ(m_panel->GetTiles(Code::kPhotos).size(), 9U);
    EXPECT_EQ(Slots(Code::kPhotos), "------012");
    EXPECT_EQ(m_panel->GetCounterText(), "8/9");
    EXPECT_TRUE(m_main.m_modified);
}

} // namespace
