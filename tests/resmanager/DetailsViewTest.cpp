// The details view: the scroll table and the layout, the embedded forms taking turns, edits stored or
// dropped with the notices that follow, the apply command's state, the file check, and Enter and Escape
// left alone.

#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ScrollBar.h"
#include "resmanager/ResManagerDetailsView.h"
#include "resmanager/ResManagerMessages.h"
#include "tests/resmanager/ViewsFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ScrollCase {
    const char* name;
    UINT request;
    int position;
    int thumb;
    int expected;
};

TEST(DetailsScrollTest, RequestsMoveWithinTheRange) {
    const ScrollCase cases[] = {
        {"line up", SB_LINEUP, 5, 0, 4},
        {"line up at the minimum", SB_LINEUP, 0, 0, 0},
        {"line down", SB_LINEDOWN, 5, 0, 6},
        {"line down at the maximum", SB_LINEDOWN, 40, 0, 40},
        {"page up", SB_PAGEUP, 25, 0, 15},
        {"page up stops at the minimum", SB_PAGEUP, 4, 0, 0},
        {"page down", SB_PAGEDOWN, 5, 0, 15},
        {"page down stops at the maximum", SB_PAGEDOWN, 35, 0, 40},
        {"thumb position", SB_THUMBPOSITION, 5, 33, 33},
        {"thumb track", SB_THUMBTRACK, 5, 12, 12},
        {"top", SB_TOP, 17, 0, 0},
        {"bottom", SB_BOTTOM, 17, 0, 40},
        {"end of scrolling keeps it", SB_ENDSCROLL, 17, 0, 17},
    };
    for (const ScrollCase& c : cases)
        EXPECT_EQ(CResManagerDetailsView::ScrollTarget(c.request, c.position, c.thumb, 0, 40), c.expected)
            << c.name;
}

class RecordingCmdUI final : public CCmdUI {
public:
    void Enable(BOOL on) override {
        m_enabled = on;
        CCmdUI::Enable(on);
    }
    BOOL m_enabled = -1;
};

class DetailsViewTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        m_app.SetString(45, "Die Datei weicht ab.");
        m_app.SetString(46, "Die Datei stimmt.");
        m_album = MakeAlbum("Urlaub", 2);
        ASSERT_NE(m_album, nullptr);
        m_view = MakeView<CResManagerDetailsView>();
        ASSERT_NE(m_view, nullptr);
    }

    LRESULT ShowEntry(int index, BOOL drop = FALSE) {
        return m_view->ShowDetails(drop, kDetailsObject, new ObjectRef{m_album, m_album->GetObjectAt(index)});
    }
    CDialog* Form() { return m_view->GetShownDialog(); }
    CString FormText(int id) {
        CString text;
        Form()->GetDlgItemText(id, text);
        return text;
    }
    BOOL ApplyEnabled() {
        RecordingCmdUI state;
        state.m_nID = ID_RM_APPLY;
        m_view->OnUpdateCommandUI(&state);
        return state.m_enabled;
    }
    // The title of the entry as a fresh manager reads it from the archive.
    std::string StoredTitle(int index) {
        CDSObjMgr fresh;
        fresh.LoadInstallSettings();
        CDSAlbum* album = fresh.GetResType(kResTypePictures)->FindAlbumByTitle("Urlaub");
        if (!album || !fresh.LoadAlbum(album))
            return "?";
        return album->GetObjectAt(index)->GetTitle().str();
    }

    CDSAlbum* m_album = nullptr;
    CResManagerDetailsView* m_view = nullptr;
};

TEST_F(DetailsViewTest, EntryFormShowsTheNameAndTheFileFacts) {
    ASSERT_EQ(ShowEntry(0), 0);
    EXPECT_EQ(m_view->GetShownKind(), kDetailsObject);
    std::vector<CString> shown;
    for (const int id : {1360, 1234, 1362, 1363, 1364})
        shown.push_back(FormText(id));
    EXPECT_EQ(shown, (std::vector<CString>{"Bild1", "/Bild1.bmp", "4", "3", "24"}));
    EXPECT_NE(FormText(1365), "");
    EXPECT_FALSE(Form()->GetDlgItem(1371)->IsWindowVisible());
}

TEST_F(DetailsViewTest, EntryWithoutItsFileShowsItsNameAlone) {
    CPhoto* missing = AddPhoto(m_album, "fehlt.bmp", "Fehlt");
    ASSERT_NE(missing, nullptr);
    ASSERT_EQ(m_view->ShowDetails(FALSE, kDetailsObject, new ObjectRef{m_album, missing}), 0);
    EXPECT_EQ(FormText(1360), "Fehlt");
    for (const int id : {1234, 1362, 1363, 1364, 1365})
        EXPECT_EQ(FormText(id), "") << id;
}

TEST_F(DetailsViewTest, EditedNameIsStoredWhenAnotherEntryIsShownAndDroppedOnRequest) {
    ASSERT_EQ(ShowEntry(0), 0);
    Form()->SetDlgItemText(1360, "Am Strand");
    ASSERT_EQ(ShowEntry(1), 0);
    EXPECT_EQ(m_album->GetObjectAt(0)->GetTitle(), "Am Strand");
    ASSERT_EQ(m_frame->Of(WM_RM_OBJECTRENAMED).size(), 1u);
    EXPECT_EQ(m_frame->Of(WM_RM_OBJECTRENAMED)[0].lParam, reinterpret_cast<LPARAM>(m_album->GetObjectAt(0)));
    EXPECT_EQ(StoredTitle(0), "Am Strand");

    Form()->SetDlgItemText(1360, "Verworfen");
    ASSERT_EQ(ShowEntry(0, TRUE), 0);
    EXPECT_EQ(m_album->GetObjectAt(1)->GetTitle(), "Bild2");
    EXPECT_EQ(StoredTitle(1), "Bild2");
    EXPECT_EQ(m_frame->Of(WM_RM_OBJECTRENAMED).size(), 1u);
}

TEST_F(DetailsViewTest, FormsTakeTurnsAndTheAlbumEditsAreStoredUnlessDropped) {
    ASSERT_EQ(m_view->ShowDetails(FALSE, kDetailsAlbum, m_album), 0);
    CDialog* albumForm = Form();
    ASSERT_NE(albumForm, nullptr);
    EXPECT_TRUE(albumForm->IsWindowVisible());
    albumForm->SetDlgItemText(1234, "Anna");
    ASSERT_EQ(ShowEntry(0), 0);
    EXPECT_FALSE(albumForm->IsWindowVisible());
    EXPECT_EQ(m_album->GetProducer(), "Anna");

    ASSERT_EQ(m_view->ShowDetails(FALSE, kDetailsAlbum, m_album), 0);
    Form()->SetDlgItemText(1234, "Ben");
    ASSERT_EQ(m_view->ShowDetails(TRUE, kDetailsNothing, nullptr), 0);
    EXPECT_EQ(m_view->GetShownDialog(), nullptr);
    EXPECT_EQ(m_album->GetProducer(), "Anna");
}

TEST_F(DetailsViewTest, ApplyIsEnabledOnlyWhileTheNameDiffers) {
    EXPECT_FALSE(ApplyEnabled());
    ASSERT_EQ(ShowEntry(0), 0);
    EXPECT_FALSE(ApplyEnabled());
    Form()->SetDlgItemText(1360, "BILD1");
    EXPECT_FALSE(ApplyEnabled());
    Form()->SetDlgItemText(1360, "Bild eins");
    EXPECT_TRUE(ApplyEnabled());
    m_view->SendMessage(WM_COMMAND, ID_RM_APPLY, 0);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(StoredTitle(0), "Bild eins");
}

TEST_F(DetailsViewTest, FileCheckComparesTheStoredChecksum) {
    CDSObj* entry = m_album->GetObjectAt(0);
    ASSERT_TRUE(m_manager->UpdateObjectCrc(entry));
    ASSERT_EQ(ShowEntry(0), 0);
    ClickAt(Form()->GetDlgItem(1367), CPoint(5, 5));
    WritePicture("Bild1.bmp", CSize(4, 3), RGB(9, 9, 9));
    ClickAt(Form()->GetDlgItem(1367), CPoint(5, 5));
    EXPECT_EQ(m_app.MessageIds(), (std::vector<UINT>{46, 45}));
}

TEST_F(DetailsViewTest, EnterAndEscapeLeaveTheFormOpen) {
    ShowActive(&m_owner);
    ASSERT_EQ(ShowEntry(0), 0);
    CWnd* name = Form()->GetDlgItem(1360);
    name->SetFocus();
    TypeKey(name, Qt::Key_Return);
    TypeKey(name, Qt::Key_Escape);
    EXPECT_TRUE(Form()->IsWindowVisible());
    EXPECT_EQ(m_view->GetShownKind(), kDetailsObject);
}

TEST_F(DetailsViewTest, LargePaneStretchesTheFormAndASmallOneScrollsIt) {
    ASSERT_EQ(ShowEntry(0), 0);
    const CSize form = static_cast<CObjectPropertiesDialog*>(Form())->GetInitialSize();
    m_view->MoveWindow(0, 0, form.cx + 100, form.cy + 100);
    int low = -1, high = -1;
    m_view->GetScrollRange(SB_VERT, &low, &high);
    EXPECT_EQ(high - low, 0);
    CRect placed;
    Form()->GetWindowRect(&placed);
    CRect client;
    m_view->GetClientRect(&client);
    EXPECT_EQ(placed.Size(), client.Size());

    m_view->MoveWindow(0, 0, form.cx / 2, form.cy / 2);
    m_view->GetClientRect(&client);
    m_view->GetScrollRange(SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, form.cy - client.Height());
    m_view->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(m_view->GetScrollPos(SB_VERT), 10);
    CRect moved;
    Form()->GetWindowRect(&moved);
    m_view->ScreenToClient(&moved);
    EXPECT_EQ(moved.top, -10);
    for (int i = 0; i < 100; ++i)
        m_view->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(m_view->GetScrollPos(SB_VERT), high);
    // A resize brings the form back to the corner.
    m_view->MoveWindow(0, 0, form.cx / 2 + 1, form.cy / 2);
    Form()->GetWindowRect(&moved);
    m_view->ScreenToClient(&moved);
    EXPECT_EQ(moved.TopLeft(), CPoint(0, 0));
    EXPECT_EQ(m_view->GetScrollPos(SB_VERT), 0);
}

} // namespace
