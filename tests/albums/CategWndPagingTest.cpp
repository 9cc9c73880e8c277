// The category panel's pages: paging by the tiles' window places, the information buttons above the
// slots, ShowPage and the photo category's album choice at start and exit.

#include "albums/CategoryTile.h"
#include "albums/ResourceInfoDialogs.h"
#include "library/DSObj.h"
#include "platform/base/Profile.h"
#include "platform/ui/ComboBox.h"
#include "tests/albums/PanelFixture.h"

#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

using Code = CCategWnd::Code;

// Records which entry or template each information button shows.
class RecordingInfoDialogs final : public IResourceInfoDialogs {
public:
    RecordingInfoDialogs() { SetResourceInfoDialogs(this); }
    ~RecordingInfoDialogs() override { SetResourceInfoDialogs(nullptr); }
    RecordingInfoDialogs(const RecordingInfoDialogs&) = delete;
    RecordingInfoDialogs& operator=(const RecordingInfoDialogs&) = delete;

    void ShowResourceInfo(CDSObj* entry, UINT dialogTemplate, CWnd*) override {
        CString line;
        line.Format("%s %u", entry->GetTitle().GetString(), dialogTemplate);
        m_shown.push_back(line.str());
    }
    void ShowTemplateInfo(CTemplate* page, CWnd*) override {
        m_shown.push_back("template " + page->GetName().str());
    }

    std::vector<std::string> m_shown;
};

class PagingTest : public PanelTest {
protected:
    void Command(UINT id) {
        m_panel->SendMessage(WM_COMMAND, id);
        PumpMessages();
    }
};

TEST_F(PagingTest, PagesOfSixSevenAndTwelveItems) {
    struct Step {
        UINT command; // 0: as the album's choice left it
        const char* places;
        const char* info;
    };
    struct Case {
        int items;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {6,
         {{0, "012345", "111111"},
          {CCategWnd::kNextId, "012345", "111111"},
          {CCategWnd::kPrevId, "012345", "111111"},
          {CCategWnd::kLastId, "012345", "111111"}}},
        {7,
         {{0, "012345-", "111111"},
          {CCategWnd::kNextId, "------0", "100000"},
          {CCategWnd::kNextId, "------0", "100000"},
          {CCategWnd::kPrevId, "012345-", "111111"},
          {CCategWnd::kLastId, "------0", "100000"},
          {CCategWnd::kFirstId, "012345-", "111111"}}},
        {12,
         {{CCategWnd::kLastId, "------012345", "111111"},
          {CCategWnd::kFirstId, "012345------", "111111"},
          {CCategWnd::kNextId, "------012345", "111111"},
          {CCategWnd::kNextId, "------012345", "111111"}}},
    };
    for (const Case& test : cases) {
        CString title;
        title.Format("Album %d", test.items);
        ASSERT_NE(MakeAlbum(kResTypePictures, title, test.items), nullptr);
        WriteProfileString("Settings", "Album", title);
        ASSERT_NE(CreatePanel(), nullptr);
        EXPECT_EQ(m_main.m_album->GetTitle(), title);
        EXPECT_EQ(m_panel->GetCounterText(), CString("0/") + std::to_string(test.items).c_str());
        for (const Step& step : test.steps) {
            if (step.command)
                Command(step.command);
            EXPECT_EQ(Slots(Code::kPhotos), step.places) << test.items << " items, command " << step.command;
            EXPECT_EQ(InfoButtons(), step.info) << test.items << " items, command " << step.command;
        }
        m_panel->DestroyWindow();
        PumpMessages();
    }
}

TEST_F(PagingTest, TheThirdSlotIsFourPixelsShorter) {
    EXPECT_EQ(CCategWnd::SlotRect(2).Height(), CCategWnd::SlotRect(0).Height() - 4);
}

TEST_F(PagingTest, InformationButtonsShowTheTileUnderThem) {
    RecordingInfoDialogs dialogs;
    MakeAlbum(kResTypePictures, "Urlaub", 7);
    ASSERT_NE(CreatePanel(), nullptr);
    for (const UINT id : CCategWnd::kInfoIds)
        Command(id);
    Command(CCategWnd::kNextId);
    Command(CCategWnd::kInfoIds[0]);
    Command(CCategWnd::kInfoIds[1]); // no tile in slot 1
    Command(2050);                   // inside the range, no button
    EXPECT_THAT(dialogs.m_shown, ElementsAre("Bild1 596", "Bild2 596", "Bild3 596", "Bild4 596", "Bild5 596",
                                             "Bild6 596", "Bild7 596"));

    dialogs.m_shown.clear();
    MakeAlbum(kResTypeStencils, "Formen", 2, "Form");
    ChooseCategory(3);
    Command(CCategWnd::kInfoIds[1]);
    EXPECT_THAT(dialogs.m_shown, ElementsAre("Form2 596"));
    EXPECT_EQ(InfoButtons(), "110000");

    m_panel->SetCategoryMode(1);
    ChooseCategory(5);
    Command(CCategWnd::kInfoIds[0]);
    ASSERT_EQ(m_messageBoxes.Boxes().size() + m_app.Messages().size(), 1U);
    EXPECT_EQ(m_app.Messages().at(0).text, "DrawObjects");
}

TEST_F(PagingTest, WithoutInstalledDialogsTheButtonsDoNothing) {
    MakeAlbum(kResTypePictures, "Urlaub", 3);
    ASSERT_NE(CreatePanel(), nullptr);
    Command(CCategWnd::kInfoIds[0]);
    EXPECT_TRUE(m_app.Messages().empty());
}

TEST_F(PagingTest, ShowPageEightOfTwentyShowsTheSecondPageAndPutsTheNinthOnThePage) {
    MakeAlbum(kResTypePictures, "Urlaub", 20);
    ASSERT_NE(CreatePanel(), nullptr);
    EXPECT_TRUE(m_panel->ShowPage(8));
    EXPECT_EQ(Slots(Code::kPhotos), "------012345--------");
    EXPECT_EQ(m_panel->GetCurrentPhotoIndex(), 8);
    EXPECT_EQ(m_panel->GetCounterText(), "9/20");
    EXPECT_TRUE(m_panel->GetTiles(Code::kPhotos)[8]->IsSelected());
    ASSERT_EQ(m_main.m_undo.size(), 1U);
    EXPECT_THAT(m_main.m_pictures, ElementsAre(KindFolder(kResTypePictures) + "/Bild9.bmp"));
    EXPECT_EQ(InfoButtons(), "111111");
}

TEST_F(PagingTest, ShowPageBeyondTheTilesShowsTheFirstPageAndChangesNothing) {
    MakeAlbum(kResTypePictures, "Urlaub", 8);
    ASSERT_NE(CreatePanel(), nullptr);
    m_panel->OnLast();
    EXPECT_TRUE(m_panel->ShowPage(13));
    EXPECT_EQ(Slots(Code::kPhotos), "012345--");
    EXPECT_EQ(m_panel->GetCurrentPhotoIndex(), 0);
    EXPECT_TRUE(m_main.m_undo.empty());
    for (CCategoryTile* tile : m_panel->GetTiles(Code::kPhotos))
        EXPECT_FALSE(tile->IsSelected());
}

TEST_F(PagingTest, ShowPageNegativeDropsOnlyAnAlbumPicture) {
    ASSERT_NE(CreatePanel(), nullptr);
    m_main.m_work = std::make_unique<CWorkBitmap>();
    m_panel->ShowPage(-1);
    EXPECT_NE(m_main.m_work, nullptr) << "a picture loaded from disk stays";
    EXPECT_EQ(m_panel->GetCounterText(), "0/0");
    m_main.m_albumPicture = 1;
    m_panel->ShowPage(-1);
    EXPECT_EQ(m_main.m_work, nullptr);
    EXPECT_EQ(m_main.m_redraws, 1);
}

TEST_F(PagingTest, WithoutAnAlbumSettingTheFirstAlbumIsChosenAndTheLastChoiceWrittenAtExit) {
    MakeAlbum(kResTypePictures, "Urlaub", 2);
    MakeAlbum(kResTypePictures, "Garten", 3);
    ASSERT_NE(CreatePanel(), nullptr);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCurSel(), 0);
    EXPECT_EQ(m_main.m_album->GetTitle(), "Urlaub");
    ChooseAlbum(1);
    EXPECT_EQ(m_panel->GetTiles(Code::kPhotos).size(), 3U);
    EXPECT_EQ(GetProfileString("Settings", "Album", "none"), "none");
    m_panel->DestroyWindow();
    EXPECT_EQ(GetProfileString("Settings", "Album", "none"), "Garten");
}

TEST_F(PagingTest, AnAlbumSettingThatIsFoundIsChosenAndNeverRewritten) {
    MakeAlbum(kResTypePictures, "Urlaub", 2);
    MakeAlbum(kResTypePictures, "Garten", 3);
    WriteProfileString("Settings", "Album", "Garten");
    ASSERT_NE(CreatePanel(), nullptr);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCurSel(), 1);
    ChooseAlbum(0);
    m_panel->DestroyWindow();
    EXPECT_EQ(GetProfileString("Settings", "Album", ""), "Garten");
}

TEST_F(PagingTest, AResourceAlbumTitledAsThePhotoAlbumIsChosen) {
    MakeAlbum(kResTypePictures, "Urlaub", 1);
    MakeAlbum(kResTypeFrames, "Holz", 1, "Rahmen");
    MakeAlbum(kResTypeFrames, "Urlaub", 4, "Rahmen");
    ASSERT_NE(CreatePanel(), nullptr);
    ChooseCategory(2);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCurSel(), 1);
    EXPECT_EQ(m_panel->GetTiles(Code::kMats).size(), 4U);
    EXPECT_TRUE(m_panel->GetTiles(Code::kPhotos).empty()) << "the other categories' tiles go";
}

TEST_F(PagingTest, AStaleAlbumInTheComboRefillsIt) {
    MakeAlbum(kResTypePictures, "Urlaub", 1);
    CDSAlbum* gone = MakeAlbum(kResTypePictures, "Garten", 2);
    ASSERT_NE(CreatePanel(), nullptr);
    m_main.m_album = nullptr;
    ASSERT_TRUE(m_manager->DeleteAlbum(gone));
    ChooseAlbum(1);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCount(), 1);
    EXPECT_EQ(m_main.m_album->GetTitle(), "Urlaub");
}

TEST_F(PagingTest, TheEditModeEntryComesAndGoesByItsCode) {
    ASSERT_NE(CreatePanel(), nullptr);
    m_panel->SetCategoryMode(1);
    ChooseCategory(5);
    CString caption;
    static_cast<CComboBox*>(m_panel->GetDlgItem(CCategWnd::kCategoryComboId))->GetLBText(5, caption);
    EXPECT_EQ(caption, "Seitenobjekte");
    m_panel->SetCategoryMode(0);
    auto* categories = static_cast<CComboBox*>(m_panel->GetDlgItem(CCategWnd::kCategoryComboId));
    EXPECT_EQ(categories->GetCount(), 5);
    EXPECT_EQ(m_panel->GetCurrentCategory(), 0);
    categories->GetLBText(4, caption);
    EXPECT_EQ(caption, "Cliparts");
}

TEST_F(PagingTest, SelectingAPositionEmptiesTheOtherCategoriesTiles) {
    MakeAlbum(kResTypePictures, "Urlaub", 3);
    ASSERT_NE(CreatePanel(), nullptr);
    ASSERT_EQ(m_panel->GetTiles(Code::kPhotos).size(), 3U);
    m_panel->SelectCategory(4);
    EXPECT_TRUE(m_panel->GetTiles(Code::kPhotos).empty());
}

} // namespace
