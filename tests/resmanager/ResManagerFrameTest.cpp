// The frame on a temporary library: pane sizes, the sort box and its choices, albums made and deleted,
// entries removed and dropped from the desktop, each read back by a fresh manager.

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/ResType.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/OleDataObject.h"
#include "platform/ui/ProgressCtrl.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerDetailsView.h"
#include "resmanager/ResManagerMessages.h"
#include "resmanager/ResManagerSplitterView.h"
#include "resmanager/ResManagerWnd.h"
#include "tests/resmanager/ResManagerFixture.h"

#include <algorithm>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>

using ::testing::ElementsAre;

namespace {

std::vector<CString> Titles(CResType* kind) {
    std::vector<CString> titles;
    auto& albums = kind->GetAlbumList(false);
    for (POSITION pos = albums.GetHeadPosition(); pos != nullptr;)
        titles.push_back(albums.GetNext(pos)->GetTitle());
    return titles;
}

std::vector<CString> EntryTitles(CDSAlbum* album) {
    std::vector<CString> titles;
    if (!album->IsIndexOpen())
        album->Load();
    POSITION pos = nullptr;
    for (CDSObj* entry = album->GetFirstObject(pos); entry != nullptr; entry = album->GetNextObject(pos))
        titles.push_back(entry->GetTitle());
    return titles;
}

std::vector<DWORD_PTR> ChoiceIds(CComboBox& box) {
    std::vector<DWORD_PTR> ids;
    for (int i = 0; i < box.GetCount(); ++i)
        ids.push_back(box.GetItemData(i));
    return ids;
}

using FrameTest = ResManagerTest;

TEST_F(FrameTest, FirstColumnIsAThirdOfTheWidthAndTheUpperRowThreeQuarters) {
    ASSERT_NE(OpenFrame(CSize(901, 600)), nullptr);
    int width = 0;
    int minimum = 0;
    m_frame->GetSplitter().GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 300); // int(901 / 3.0 + 0.5)
    auto* right = dynamic_cast<CResManagerSplitterView*>(m_frame->GetSplitter().GetPane(0, 1));
    ASSERT_NE(right, nullptr);
    CRect client;
    right->GetClientRect(&client);
    int height = 0;
    right->GetSplitter().GetRowInfo(0, height, minimum);
    EXPECT_EQ(height, std::max(client.Height() * 3 / 4, 100));
    EXPECT_EQ(minimum, 100);
    EXPECT_NE(m_frame->GetObjectsView(), nullptr);
}

TEST_F(FrameTest, KindsAreListedOnceAndPrintTemplatesNever) {
    ASSERT_NE(OpenFrame(), nullptr);
    EXPECT_EQ(
        std::count(FakeAlbumsView::s_kinds.begin(), FakeAlbumsView::s_kinds.end(), kResTypePrintTemplates),
        0);
    const size_t listed = FakeAlbumsView::s_kinds.size();
    m_frame->AddResType(Photos());
    EXPECT_EQ(FakeAlbumsView::s_kinds.size(), listed);
    EXPECT_EQ(m_frame->GetResTypes().GetCount(), static_cast<INT_PTR>(listed));
}

TEST_F(FrameTest, SortBoxSitsOnTheSecondSeparatorAndHoldsChoiceIds) {
    CDSAlbum* album = MakeAlbum("Urlaub", 1);
    ASSERT_NE(album, nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    CResManagerSortToolBar& bar = m_frame->GetSortToolBar();
    EXPECT_EQ(bar.GetItemID(5), kSortBoxId);
    CRect slot;
    bar.GetItemRect(5, &slot);
    EXPECT_EQ(slot.Width(), 100);
    CComboBox& box = bar.GetSortBox();
    EXPECT_EQ(m_frame->SendMessage(WM_RM_GETSORTCHOICE), 0);

    ASSERT_EQ(Objects()->ShowResType(Photos()), 0);
    EXPECT_THAT(ChoiceIds(box), ElementsAre(2u, 1u, 0u));
    EXPECT_EQ(box.GetCurSel(), 0);
    EXPECT_EQ(m_frame->SendMessage(WM_RM_GETSORTCHOICE), 2);
    ASSERT_EQ(Objects()->ShowAlbum(album), 0);
    EXPECT_THAT(ChoiceIds(box), ElementsAre(1u, 0u));
    box.SetCurSel(1);
    EXPECT_EQ(m_frame->SendMessage(WM_RM_GETSORTCHOICE), 0);
}

TEST_F(FrameTest, TwoNewAlbumsAreNamed62016AndThenWithTwo) {
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowResType(Photos()), 0);
    for (int i = 0; i < 2; ++i) {
        Objects()->RunCommand(ID_RM_NEW);
        Objects()->CancelLabelEdit();
        PumpMessages();
    }
    EXPECT_EQ(Objects()->GetListCtrl().GetItemCount(), 2);
    EXPECT_EQ(Objects()->GetListCtrl().GetItemText(1, 0), "Neues Album (2)");
    std::unique_ptr<CDSObjMgr> fresh = ReadBack();
    EXPECT_THAT(Titles(fresh->GetResType(kResTypePictures)), ElementsAre("Neues Album", "Neues Album (2)"));
}

TEST_F(FrameTest, RemovingThreeEntriesKeepsTheRelativeOneSelectedWithOneMessage) {
    CDSAlbum* album = MakeAlbum("Urlaub", 3, {2});
    ASSERT_NE(album, nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowAlbum(album), 0);
    CListCtrl& list = Objects()->GetListCtrl();
    ASSERT_EQ(list.GetItemCount(), 3);
    Objects()->RunCommand(ID_RM_SELECTALL);
    m_app.QueueAnswers({IDYES});
    Objects()->RunCommand(ID_RM_DELETE);
    EXPECT_THAT(m_app.MessageIds(), ElementsAre(0u, 65520u));
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 0), "Bild2");
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(Objects()->GetThumbnailList()->GetImageCount(), 1);
    std::unique_ptr<CDSObjMgr> fresh = ReadBack();
    CDSAlbum* stored = fresh->GetResType(kResTypePictures)->FindAlbumByTitle("Urlaub");
    ASSERT_NE(stored, nullptr);
    EXPECT_THAT(EntryTitles(stored), ElementsAre("Bild2"));
}

// A click selects and focuses an entry at once: its form shows and stays; the arrow keys move it on.
TEST_F(FrameTest, AClickedEntryShowsItsFormAndTheArrowKeysFollow) {
    CDSAlbum* album = MakeAlbum("Urlaub", 3);
    ASSERT_NE(album, nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    ShowActive(&m_owner);
    ASSERT_EQ(Objects()->ShowAlbum(album), 0);
    CRect icon;
    ASSERT_TRUE(Objects()->GetListCtrl().GetItemRect(0, &icon, LVIR_ICON));
    ClickAt(Objects(), icon.CenterPoint());
    PumpMessages();
    auto* details = dynamic_cast<CResManagerDetailsView*>(m_frame->GetDetailsView());
    ASSERT_NE(details, nullptr);
    const auto shownName = [details] {
        CDialog* form = details->GetShownDialog();
        CString name;
        if (form && form->IsWindowVisible())
            form->GetDlgItemText(1360, name);
        return name;
    };
    EXPECT_EQ(shownName(), "Bild1");
    Objects()->SetFocus();
    TypeKey(Objects(), Qt::Key_Right);
    PumpMessages();
    EXPECT_EQ(shownName(), "Bild2");
}

// The tree lets go of the album before it goes, and the view stops listing it (the sanitizers watch).
TEST_F(FrameTest, DeletingAListedAlbumTakesItOutOfViewTreeAndLibrary) {
    ASSERT_NE(MakeAlbum("Urlaub", 2), nullptr);
    ASSERT_NE(MakeAlbum("Garten", 1), nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowResType(Photos()), 0);
    CListCtrl& list = Objects()->GetListCtrl();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_app.QueueAnswers({IDYES});
    Objects()->RunCommand(ID_RM_DELETE);
    PumpMessages();
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 0), "Garten");
    EXPECT_NE(std::find(FakeAlbumsView::s_calls.begin(), FakeAlbumsView::s_calls.end(), "delete"),
              FakeAlbumsView::s_calls.end());
    std::unique_ptr<CDSObjMgr> fresh = ReadBack();
    EXPECT_THAT(Titles(fresh->GetResType(kResTypePictures)), ElementsAre("Garten"));
}

// Every dropped path is offered to the library, which makes entries of the pictures only. Both entries
// are named by string 62053.
TEST_F(FrameTest, DesktopDropOfTwoPicturesAndATextAddsTwoNamedEntries) {
    CDSAlbum* album = MakeAlbum("Urlaub", 0);
    ASSERT_NE(album, nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowAlbum(album), 0);
    const CString text = m_folder.Path() + "/drops/notiz.txt";
    std::ofstream(text.str()) << "kein Bild";
    COleDataObject drop({WritePicture("a.bmp", CSize(30, 20), RGB(200, 0, 0)), text,
                         WritePicture("b.bmp", CSize(20, 30), RGB(0, 200, 0))});
    Objects()->OnDrop(&drop, DROPEFFECT_COPY, CPoint(10, 10));
    CListCtrl& list = Objects()->GetListCtrl();
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(Objects()->GetThumbnailList()->GetImageCount(), 2);
    EXPECT_FALSE(m_frame->GetStatusBar().GetProgressBar()->IsWindowVisible());
    std::unique_ptr<CDSObjMgr> fresh = ReadBack();
    CDSAlbum* stored = fresh->GetResType(kResTypePictures)->FindAlbumByTitle("Urlaub");
    ASSERT_NE(stored, nullptr);
    EXPECT_THAT(EntryTitles(stored), ElementsAre("Neues Bild", "Neues Bild"));
}

// A damaged archive: the view stays empty, the progress hidden, a German message names the album, and
// neither showing it nor a drop on it writes the file.
TEST_F(FrameTest, DamagedAlbumShowsAMessageAndWritesNothing) {
    CDSAlbum* album = MakeAlbum("Urlaub", 2);
    ASSERT_NE(album, nullptr);
    const CString archive = m_manager->GetAlbumPath(album);
    album->Unload();
    const std::string damaged = "PK\x03\x04 kein Album";
    std::ofstream(archive.str(), std::ios::binary) << damaged;
    ASSERT_NE(OpenFrame(), nullptr);
    m_app.ClearMessages();

    EXPECT_EQ(Objects()->ShowAlbum(album), RM_E_NOTARGET);
    EXPECT_EQ(Objects()->GetListCtrl().GetItemCount(), 0);
    EXPECT_FALSE(m_frame->GetStatusBar().GetProgressBar()->IsWindowVisible());
    ASSERT_EQ(m_app.Messages().size(), 1u);
    EXPECT_EQ(m_app.Messages()[0].text, "Das Album „Urlaub“ ist beschädigt und kann nicht geöffnet werden.");

    COleDataObject drop({WritePicture("a.bmp", CSize(30, 20), RGB(200, 0, 0))});
    Objects()->OnDrop(&drop, DROPEFFECT_COPY, CPoint(10, 10));
    EXPECT_EQ(Objects()->GetListCtrl().GetItemCount(), 0);
    EXPECT_FALSE(m_frame->GetStatusBar().GetProgressBar()->IsWindowVisible());
    std::ifstream file(archive.str(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), damaged);
}

TEST_F(FrameTest, DesktopDropOnKindModeOutsideAnyAlbumAddsNothing) {
    CDSAlbum* album = MakeAlbum("Urlaub", 0);
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowResType(Photos()), 0);
    COleDataObject drop({WritePicture("a.bmp", CSize(30, 20), RGB(200, 0, 0))});
    Objects()->OnDrop(&drop, DROPEFFECT_COPY, CPoint(600, 400));
    EXPECT_EQ(album->GetObjectCount(), 0);
}

} // namespace
