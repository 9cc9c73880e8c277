// The panel's Undo and Close buttons, its resets and what the page canvas fetches from it.

#include "albums/ThumbnailTile.h"
#include "library/DSObj.h"
#include "platform/sound/PlaySound.h"
#include "tests/albums/PanelFixture.h"

#include <fstream>
#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

using Code = CCategWnd::Code;

class RecordingSounds final : public ISoundOutput {
public:
    RecordingSounds() : m_previous(SetSoundOutput(this)) {}
    ~RecordingSounds() override { SetSoundOutput(m_previous); }
    RecordingSounds(const RecordingSounds&) = delete;
    RecordingSounds& operator=(const RecordingSounds&) = delete;
    void Play(const CString& path) override { m_played.push_back(path); }

    ISoundOutput* m_previous;
    std::vector<CString> m_played;
};

class ButtonsTest : public PanelTest {};

TEST_F(ButtonsTest, UndoPlaysItsSoundWhenSoundsAreOnAndRunsTheMainWindowsUndo) {
    RecordingSounds sounds;
    m_main.m_soundPath = m_folder.Path();
    std::ofstream(m_folder.Path().str() + "/sweek.wav") << "RIFF";
    ASSERT_NE(CreatePanel(), nullptr);
    m_panel->SendMessage(WM_COMMAND, CCategWnd::kUndoId);
    m_main.m_sound = 1;
    m_panel->SendMessage(WM_COMMAND, CCategWnd::kUndoId);
    EXPECT_EQ(m_main.m_undoCommands, 2);
    EXPECT_THAT(sounds.m_played, ElementsAre(m_folder.Path() + "/sweek.wav"));
}

TEST_F(ButtonsTest, CloseAsksAboutAModifiedProjectAndClosesTheMainWindow) {
    m_app.SetString(215, "Speichern vor dem Beenden von %s?");
    m_app.SetAppName("Vellumcraft");
    ASSERT_NE(CreatePanel(), nullptr);
    m_main.m_modified = 1;
    m_app.QueueAnswers({IDCANCEL});
    m_panel->SendMessage(WM_COMMAND, CCategWnd::kCloseId);
    PumpMessages();
    ASSERT_TRUE(IsWindow(m_frame.m_hWnd)) << "Cancel keeps the program";
    EXPECT_EQ(m_app.Messages().at(0).text, "Speichern vor dem Beenden von Vellumcraft?");
    m_app.QueueAnswers({IDNO});
    m_panel->SendMessage(WM_COMMAND, CCategWnd::kCloseId);
    PumpMessages();
    EXPECT_FALSE(IsWindow(m_frame.m_hWnd));
}

TEST_F(ButtonsTest, UndoButtonFollowsTheUndoList) {
    ASSERT_NE(CreatePanel(), nullptr);
    CWnd* undo = m_panel->GetDlgItem(CCategWnd::kUndoId);
    m_panel->EnableUndoButton(FALSE);
    EXPECT_FALSE(undo->IsWindowEnabled());
    m_panel->EnableUndoButton(TRUE);
    EXPECT_TRUE(undo->IsWindowEnabled());
}

TEST_F(ButtonsTest, TheCanvasGetsCopiesOfTheShownCategorysSelection) {
    MakeAlbum(kResTypePictures, "Urlaub", 3);
    MakeAlbum(kResTypeFrames, "Holz", 2, "Rahmen");
    ASSERT_NE(CreatePanel(), nullptr);
    m_app.SetEditMode(TRUE);
    EXPECT_EQ(m_panel->GetSelectedPhoto(), nullptr) << "nothing selected";
    ClickTile(Code::kPhotos, 1);
    std::unique_ptr<CDSObj> photo(m_panel->GetSelectedPhoto());
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->GetTitle(), "Bild2");
    EXPECT_NE(photo.get(), static_cast<CThumbnailTile*>(m_panel->GetTiles(Code::kPhotos)[1])->GetEntry());
    EXPECT_EQ(m_panel->GetSelectedMat(), nullptr) << "mats are not shown";

    ChooseCategory(2);
    EXPECT_EQ(m_panel->GetSelectedPhoto(), nullptr);
    ClickTile(Code::kMats, 0);
    std::unique_ptr<CMat> mat(m_panel->GetSelectedMat());
    EXPECT_EQ(mat, nullptr) << "a mat without its frame description does not load";
}

TEST_F(ButtonsTest, ResetsOfThePhotoPage) {
    MakeAlbum(kResTypePictures, "Urlaub", 8);
    ASSERT_NE(CreatePanel(), nullptr);
    m_panel->ShowPage(7);
    ASSERT_EQ(m_panel->GetCounterText(), "8/8");

    m_panel->ResetPageCounter();
    EXPECT_FALSE(m_panel->GetTiles(Code::kPhotos)[7]->IsSelected());
    EXPECT_EQ(m_panel->GetCounterText(), "0/8");
    EXPECT_EQ(Slots(Code::kPhotos), "------01") << "the page stays";

    m_panel->ShowPage(7);
    m_panel->ResetPhotoSelection();
    EXPECT_FALSE(m_panel->GetTiles(Code::kPhotos)[7]->IsSelected());
    EXPECT_EQ(Slots(Code::kPhotos), "012345--");
    EXPECT_EQ(m_panel->GetCurrentPhotoIndex(), 0);

    ASSERT_EQ(m_main.m_albumPicture, 1);
    ASSERT_NE(m_main.m_work, nullptr);
    m_panel->ClearPhotoAlbum();
    EXPECT_TRUE(m_panel->GetTiles(Code::kPhotos).empty());
    EXPECT_EQ(m_panel->GetCounterText(), "0/0");
    EXPECT_EQ(m_main.m_work, nullptr) << "the album's picture leaves the page";
    EXPECT_EQ(m_main.m_album, nullptr);
}

} // namespace
