// The album dialogs: finding photos of the album dialog, choosing a sort, naming a new album, and the
// properties form that stores an album's edits and tells its frame.

#include "albums/AddAlbumDlg.h"
#include "albums/AlbumPropertiesDialog.h"
#include "albums/FindPhotoDlg.h"
#include "albums/SortAlbumDlg.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "platform/base/File.h"
#include "platform/ui/FrameWnd.h"
#include "tests/albums/AlbumDialogsFixture.h"

#include <QTimer>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

INT_PTR RunModal(CDialog& dialog, std::function<void()> step) {
    QTimer::singleShot(0, std::move(step));
    return dialog.DoModal();
}

void Press(CWnd& dialog, int id) {
    ClickAt(dialog.GetDlgItem(id), CPoint(5, 5));
}

std::string FileBytes(const CString& path) {
    std::ifstream file(path.str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class FindPhotoTest : public AlbumDialogsTest {
protected:
    CDSAlbum* AlbumOfTitles(std::initializer_list<const char*> titles) {
        CDSAlbum* album = MakeAlbum("Urlaub", static_cast<int>(titles.size()));
        int i = 0;
        for (const char* title : titles)
            album->GetObjectAt(i++)->SetTitle(title);
        return album;
    }

    // Each press of find next: the selected tile's index, or -(message id).
    std::vector<int> Presses(CFindPhotoDlg& dialog, int count) {
        std::vector<int> results;
        for (int i = 0; i < count; ++i) {
            m_albumDlg.m_selected = -1;
            m_app.ClearMessages();
            Press(dialog, 1027);
            results.push_back(m_app.Messages().empty() ? m_albumDlg.m_selected
                                                       : -static_cast<int>(m_app.Messages().back().stringId));
        }
        return results;
    }

    FakeAlbumDlg m_albumDlg;
};

struct FindCase {
    const char* name;
    const char* text;
    bool matchCase;
    std::vector<int> results;
};

TEST_F(FindPhotoTest, FindsTitlesInBothCaseModes) {
    const FindCase cases[] = {
        {"case-sensitive Meer", "Meer", true, {0, -309, -309}},
        {"any case Meer", "Meer", false, {0, 2, -309}},
        {"Berg", "Berg", true, {1, -309}},
        {"meer 2 only as typed", "meer 2", true, {2, -309}},
        {"MEER 2 in any case", "MEER 2", false, {2, -309}},
        {"nothing", "Wald", false, {-308, -308}},
    };
    ASSERT_TRUE(m_albumDlg.Open(AlbumOfTitles({"Meer", "Berg", "meer 2"})));
    for (const FindCase& c : cases) {
        CFindPhotoDlg dialog(&m_albumDlg);
        std::vector<int> results;
        RunModal(dialog, [&] {
            dialog.SetDlgItemText(1001, c.text);
            dialog.CheckDlgButton(1110, c.matchCase ? BST_CHECKED : BST_UNCHECKED);
            results = Presses(dialog, static_cast<int>(c.results.size()));
            dialog.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(results, c.results) << c.name;
    }
}

TEST_F(FindPhotoTest, ChangedTextGoesOnAfterTheLastMatch) {
    ASSERT_TRUE(m_albumDlg.Open(AlbumOfTitles({"Meer", "Berg", "Meerblick"})));
    CFindPhotoDlg dialog(&m_albumDlg);
    std::vector<int> first, second;
    RunModal(dialog, [&] {
        dialog.SetDlgItemText(1001, "Meer");
        first = Presses(dialog, 1);
        dialog.SetDlgItemText(1001, "Mee");
        second = Presses(dialog, 2);
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(first, std::vector<int>{0});
    EXPECT_EQ(second, (std::vector<int>{2, -309}));
}

TEST_F(FindPhotoTest, MatchOnALaterPageTurnsThePageAndBackwardFindsEarlierOnes) {
    ASSERT_TRUE(m_albumDlg.Open(MakeAlbum("Urlaub", 13)));
    CFindPhotoDlg dialog(&m_albumDlg);
    std::vector<int> forward, backward;
    int firstVisible = -1;
    RunModal(dialog, [&] {
        dialog.SetDlgItemText(1001, "Bild13");
        forward = Presses(dialog, 1);
        firstVisible = m_albumDlg.m_firstVisible;
        dialog.SetDlgItemText(1001, "Bild1");
        dialog.CheckRadioButton(1019, 1020, 1020);
        backward = Presses(dialog, 2);
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(forward, std::vector<int>{12});
    EXPECT_EQ(firstVisible, 12);
    EXPECT_EQ(backward, (std::vector<int>{11, 10}));
    EXPECT_EQ(m_albumDlg.m_firstVisible, 0);
    EXPECT_GT(m_albumDlg.m_layouts, 0);
    EXPECT_GT(m_albumDlg.m_pageButtonUpdates, 0);
}

TEST_F(FindPhotoTest, OneSearchFieldStaysChecked) {
    ASSERT_TRUE(m_albumDlg.Open(AlbumOfTitles({"Meer"})));
    CFindPhotoDlg dialog(&m_albumDlg);
    std::vector<UINT> afterwards;
    RunModal(dialog, [&] {
        for (const int id : {1024, 1109, 1024, 1109, 1108})
            Press(dialog, id);
        for (const int id : {1024, 1108, 1109})
            afterwards.push_back(dialog.IsDlgButtonChecked(id));
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(afterwards, (std::vector<UINT>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}));
}

TEST_F(FindPhotoTest, AlbumDialogWithoutTilesEndsAtOnce) {
    ASSERT_TRUE(m_albumDlg.Open(MakeAlbum("Leer", 0)));
    CFindPhotoDlg dialog(&m_albumDlg);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(AlbumDialogsTest, SortDialogGivesKeyAndDirectionForTheAlbum) {
    CDSAlbum* album = MakeAlbum("Urlaub", 3);
    ASSERT_NE(album, nullptr);
    const char* titles[] = {"Berg", "Meer", "Dorf"};
    for (int i = 0; i < 3; ++i)
        album->GetObjectAt(i)->SetTitle(titles[i]);
    CSortAlbumDlg byDefault(&m_owner);
    EXPECT_EQ(RunModal(byDefault, [&] { Press(byDefault, IDOK); }), IDOK);
    EXPECT_EQ(byDefault.GetSortKey(), 1019);
    EXPECT_EQ(byDefault.GetDirection(), 0);

    CSortAlbumDlg chosen(&m_owner);
    EXPECT_EQ(RunModal(chosen,
                       [&] {
                           Press(chosen, 1022);
                           Press(chosen, 1019);
                           Press(chosen, 1024);
                           Press(chosen, IDOK);
                       }),
              IDOK);
    EXPECT_EQ(chosen.GetSortKey(), 1019);
    EXPECT_EQ(chosen.GetDirection(), 1);
    album->Sort(chosen.GetSortKey() - 1018, chosen.GetDirection() == 1);
    std::vector<CString> order;
    for (int i = 0; i < album->GetObjectCount(); ++i)
        order.push_back(album->GetObjectAt(i)->GetTitle());
    EXPECT_EQ(order, (std::vector<CString>{"Berg", "Dorf", "Meer"}));
}

TEST_F(AlbumDialogsTest, NewAlbumNameInUseInAnyCaseIsRefused) {
    ASSERT_NE(MakeAlbum("Urlaub", 0), nullptr);
    CAddAlbumDlg dialog(&m_owner);
    bool openAfterRefusal = false;
    EXPECT_EQ(RunModal(dialog,
                       [&] {
                           dialog.SetDlgItemText(1101, "URLAUB");
                           Press(dialog, IDOK);
                           openAfterRefusal = IsWindow(dialog.m_hWnd) && dialog.IsWindowVisible();
                           dialog.SetDlgItemText(1101, "Meer");
                           Press(dialog, IDOK);
                       }),
              IDOK);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(m_app.MessageIds(), std::vector<UINT>{366});
    EXPECT_EQ(dialog.GetName(), "Meer");
}

// The resource manager's frame, a child of the sheet: records what the properties form sends it.
class RecordingFrame final : public CFrameWnd {
public:
    struct Sent {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Sent&) const = default;
    };
    std::vector<Sent> m_sent;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_RM_ALBUMRENAMED || message == WM_RM_TREEUPDATEALBUM)
            m_sent.push_back({message, wParam, lParam});
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    // A member of the test: not deleted with its window.
    void PostNcDestroy() override {}
};

class AlbumPropertiesTest : public AlbumDialogsTest {
protected:
    void SetUp() override {
        AlbumDialogsTest::SetUp();
        ASSERT_TRUE(m_sheet.CreateEx(0, nullptr, "Ressourcen", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr,
                                     nullptr));
        ASSERT_TRUE(
            m_frame.Create(nullptr, "Rahmen", WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &m_sheet, 1));
        ASSERT_TRUE(
            m_view.Create(nullptr, "Details", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &m_frame, 1));
        m_form = std::make_unique<CAlbumPropertiesDialog>(&m_view);
        ASSERT_TRUE(m_form->Create(CAlbumPropertiesDialog::kTemplateId, &m_view));
        m_urlaub = MakeAlbum("Urlaub", 1);
        m_meer = MakeAlbum("Meer", 1);
        ASSERT_TRUE(m_urlaub && m_meer);
    }
    void TearDown() override {
        if (m_form && IsWindow(m_form->m_hWnd))
            m_form->DestroyWindow();
        m_form.reset();
        m_sheet.DestroyWindow();
        AlbumDialogsTest::TearDown();
    }
    CString Text(int id) const {
        CString text;
        m_form->GetDlgItemText(id, text);
        return text;
    }
    CString AlbumFile(const CDSAlbum* album) const { return m_manager->GetAlbumPath(album); }
    LPARAM Param(CDSAlbum* album) const { return reinterpret_cast<LPARAM>(album); }

    CWnd m_sheet;
    RecordingFrame m_frame;
    CWnd m_view;
    std::unique_ptr<CAlbumPropertiesDialog> m_form;
    CDSAlbum* m_urlaub = nullptr;
    CDSAlbum* m_meer = nullptr;
    const bool m_false = false;
    const bool m_true = true;
};

TEST_F(AlbumPropertiesTest, ShowsTheAlbumAndKeepsEnterAndEscapeFromClosing) {
    m_urlaub->SetProducer("Anna");
    m_form->ApplyChanges(m_urlaub, &m_false);
    EXPECT_EQ(Text(1236), "Urlaub");
    EXPECT_EQ(Text(1234), "Anna");
    EXPECT_EQ(Text(1235), m_urlaub->GetPath());
    EXPECT_GT(m_form->GetInitialSize().cx, 0);
    m_form->GetDlgItem(1236)->SetFocus();
    TypeKey(m_form.get(), Qt::Key_Escape);
    TypeKey(m_form.get(), Qt::Key_Return);
    EXPECT_TRUE(m_form->IsWindowVisible());
}

TEST_F(AlbumPropertiesTest, ChangeOfLetterCaseAloneStoresNothing) {
    const std::string before = FileBytes(AlbumFile(m_urlaub));
    m_form->ApplyChanges(m_urlaub, &m_false);
    m_form->SetDlgItemText(1236, "URLAUB");
    EXPECT_FALSE(m_form->LoadFields());
    m_form->ApplyChanges(m_meer, &m_false);
    EXPECT_EQ(m_urlaub->GetTitle(), "Urlaub");
    EXPECT_EQ(FileBytes(AlbumFile(m_urlaub)), before);
    EXPECT_TRUE(m_frame.m_sent.empty());

    m_form->ApplyChanges(m_urlaub, &m_false);
    m_form->SetDlgItemText(1236, "URLAUB");
    EXPECT_TRUE(m_form->StoreFields(&m_false));
    EXPECT_EQ(m_urlaub->GetTitle(), "URLAUB");
    EXPECT_TRUE(m_frame.m_sent.empty());
}

TEST_F(AlbumPropertiesTest, RejectedTitleShowsTheMessageAndWritesNothing) {
    const std::string before = FileBytes(AlbumFile(m_urlaub));
    m_form->ApplyChanges(m_urlaub, &m_false);
    m_form->SetDlgItemText(1236, "meer");
    EXPECT_FALSE(m_form->StoreFields(&m_true));
    ASSERT_EQ(m_app.Messages().size(), 1u);
    EXPECT_NE(m_app.Messages()[0].text.Find("„meer“"), -1) << m_app.Messages()[0].text;
    EXPECT_EQ(m_urlaub->GetTitle(), "Urlaub");
    EXPECT_EQ(FileBytes(AlbumFile(m_urlaub)), before);
    EXPECT_TRUE(m_frame.m_sent.empty());
    EXPECT_EQ(Text(1236), "meer");
}

TEST_F(AlbumPropertiesTest, EditsAreStoredWhenAnotherAlbumIsShownAndTheFrameHearsOfIt) {
    m_form->ApplyChanges(m_urlaub, &m_false);
    m_form->SetDlgItemText(1234, "Anna Berger");
    m_form->SetDlgItemText(1266, "Sommer 2001");
    m_form->ApplyChanges(m_meer, &m_false);
    EXPECT_EQ(m_urlaub->GetProducer(), "Anna Berger");
    EXPECT_EQ(m_urlaub->GetDescription(), "Sommer 2001");
    EXPECT_EQ(m_frame.m_sent,
              (std::vector<RecordingFrame::Sent>{{WM_RM_ALBUMRENAMED, 0, Param(m_urlaub)},
                                                 {WM_RM_TREEUPDATEALBUM, 0, Param(m_urlaub)}}));
    EXPECT_EQ(Text(1236), "Meer");

    const CString producer = m_meer->GetProducer();
    m_form->SetDlgItemText(1234, "verworfen");
    m_form->ApplyChanges(m_urlaub, &m_true);
    EXPECT_EQ(m_meer->GetProducer(), producer);
    EXPECT_EQ(m_frame.m_sent.size(), 2u);
}

TEST_F(AlbumPropertiesTest, PendingEditsAreStoredWhenTheFormIsDestroyed) {
    m_form->ApplyChanges(m_meer, &m_false);
    m_form->SetDlgItemText(1266, "Ostsee");
    m_form->DestroyWindow();
    EXPECT_EQ(m_meer->GetDescription(), "Ostsee");
    EXPECT_EQ(m_frame.m_sent.size(), 2u);
}

} // namespace
