// The album dialog over a temporary library with the category panel under a recording main window:
// paging and selection over albums of several sizes, removing photos, deleting albums, the album that is
// preselected, adding a file, the click sounds and a skin that cannot be built.

#include "albums/AlbumDlg.h"

#include "albums/PhotoWnd.h"
#include "image/FileHelpers.h"
#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/PhotoAlbum.h"
#include "output/AlbumIndexPrint.h"
#include "platform/sound/PlaySound.h"
#include "platform/ui/ComboBox.h"
#include "skin/AlbumComboBox.h"
#include "skin/TransparentStatic.h"
#include "tests/albums/PanelFixture.h"

#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kShift = 0x0004;
constexpr UINT kControl = 0x0008;

class RecordingSound final : public ISoundOutput {
public:
    RecordingSound() : m_previous(SetSoundOutput(this)) {}
    ~RecordingSound() override { SetSoundOutput(m_previous); }
    RecordingSound(const RecordingSound&) = delete;
    RecordingSound& operator=(const RecordingSound&) = delete;
    void Play(const CString& path) override { m_played.push_back(path); }

    std::vector<CString> m_played;

private:
    ISoundOutput* m_previous;
};

// Notes whether the dialog was ever shown.
class WatchedAlbumDlg final : public CAlbumDlg {
public:
    using CAlbumDlg::CAlbumDlg;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_SHOWWINDOW && wParam)
            m_shown = true;
        return CAlbumDlg::OnWndMsg(message, wParam, lParam, result);
    }
    bool m_shown = false;
};

class AlbumDlgTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        UseTexts({103u, 109u, 110u, 158u, 62053u});
    }

    // Runs the dialog over the main window; step runs once it is open and ends it.
    static INT_PTR Run(CAlbumDlg& dialog, const std::function<void()>& step) {
        QTimer::singleShot(0, step);
        return dialog.DoModal();
    }

    // Ends the dialog as no button of its own does.
    static void Close(CAlbumDlg& dialog) { dialog.EndDialog(IDABORT); }

    static void Press(CAlbumDlg& dialog, UINT id) {
        CWnd* button = dialog.GetDlgItem(static_cast<int>(id));
        dialog.SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(id), BN_CLICKED),
                           reinterpret_cast<LPARAM>(button ? button->m_hWnd : nullptr));
    }

    static bool Enabled(CAlbumDlg& dialog, UINT id) {
        return dialog.GetDlgItem(static_cast<int>(id))->IsWindowEnabled() != FALSE;
    }

    // The selected tiles' indexes, e.g. "2 3 4 5".
    static std::string Selection(CAlbumDlg& dialog) {
        std::string text;
        for (int i = 0; i < dialog.GetPhotoWndCount(); ++i) {
            if (dialog.GetPhotoWnd(i)->IsSelected())
                text += (text.empty() ? "" : " ") + std::to_string(i);
        }
        return text;
    }

    static std::string Caption(CAlbumDlg& dialog, int slot) {
        return dialog.GetCaption(slot)->GetText().str();
    }

    // The panel shows the photo album "Groß" of 31 photos at the photo position; the main window's current
    // album is then album. The panel chooses "Groß" afresh each time, as the dialog's albums may have
    // pushed it out of the loaded ones.
    void PanelAt(int position, CDSAlbum* album) {
        if (!m_panel) {
            ASSERT_NE(MakeAlbum(kResTypePictures, "Groß", 31), nullptr);
            ASSERT_NE(CreatePanel(), nullptr);
            ChooseCategory(0);
        }
        ChooseAlbum(m_panel->GetAlbumCombo()->FindStringExact(-1, "Groß"));
        m_panel->ShowPage(position);
        m_main.m_album = album;
    }

    CString NewPictureFile(const char* name) {
        const CString path = KindFolder(kResTypePictures) + "/" + name;
        std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(CSize(4, 3), RGB(1, 2, 3), 24));
        picture->WriteBmpFile(path);
        return path;
    }
};

struct PagingCase {
    int photos;
    int panelPhoto;
    // After opening.
    int firstVisible;
    bool previousEnabled;
    bool nextEnabled;
    const char* selection;
    const char* firstCaption;
    const char* lastCaption;
    // After the next-page button.
    int firstAfterNext;
    bool nextEnabledAfterNext;
    // OK right after that.
    int okIndex;
    // A file added right after opening.
    int firstAfterAdding;
};

TEST_F(AlbumDlgTest, PagesSelectionAndOkOverAlbumsOfEverySize) {
    const PagingCase cases[] = {
        {0, 0, -1, true, false, "", "", "", -1, false, -1, 0},
        {12, 0, 0, false, false, "0", "Bild1", "Bild12", 0, false, 0, 12},
        {13, 0, 0, false, true, "0", "Bild1", "Bild12", 12, false, 0, 12},
        {23, 7, 0, false, true, "7", "Bild1", "Bild12", 12, false, 7, 12},
        // The panel's photo lies beyond the album: nothing is selected and OK hands back 0.
        {24, 30, 0, false, true, "", "Bild1", "Bild12", 12, false, 0, 24},
        {31, 30, 24, true, false, "30", "Bild25", "", 24, false, 30, 24},
    };
    for (const PagingCase& c : cases) {
        SCOPED_TRACE(c.photos);
        CString title;
        title.Format("Urlaub %d", c.photos);
        CDSAlbum* album = MakeAlbum(kResTypePictures, title, c.photos);
        ASSERT_NE(album, nullptr);
        PanelAt(c.panelPhoto, album);

        CAlbumDlg dialog(&m_frame);
        int firstVisible = 0, firstAfterNext = 0;
        bool previous = false, next = false, nextAfterNext = true;
        std::string selection, firstCaption, lastCaption;
        EXPECT_EQ(Run(dialog,
                      [&] {
                          firstVisible = dialog.GetFirstVisibleIndex();
                          previous = Enabled(dialog, CAlbumDlg::kPrevPageId);
                          next = Enabled(dialog, CAlbumDlg::kNextPageId);
                          selection = Selection(dialog);
                          firstCaption = Caption(dialog, 0);
                          lastCaption = Caption(dialog, 11);
                          Press(dialog, CAlbumDlg::kNextPageId);
                          firstAfterNext = dialog.GetFirstVisibleIndex();
                          nextAfterNext = Enabled(dialog, CAlbumDlg::kNextPageId);
                          Press(dialog, IDOK);
                      }),
                  IDOK);
        EXPECT_EQ(dialog.GetAlbum(), album);
        EXPECT_EQ(firstVisible, c.firstVisible);
        EXPECT_EQ(previous, c.previousEnabled);
        EXPECT_EQ(next, c.nextEnabled);
        EXPECT_EQ(selection, c.selection);
        EXPECT_EQ(firstCaption, c.firstCaption);
        EXPECT_EQ(lastCaption, c.lastCaption);
        EXPECT_EQ(firstAfterNext, c.firstAfterNext);
        EXPECT_EQ(nextAfterNext, c.nextEnabledAfterNext);
        EXPECT_EQ(dialog.GetCurrentIndex(), c.okIndex);

        CAlbumDlg adding(&m_frame);
        BOOL added = FALSE;
        int firstAfterAdding = -2;
        Run(adding, [&] {
            added = adding.AddPhotoFile(NewPictureFile("Neu.bmp"));
            firstAfterAdding = adding.GetFirstVisibleIndex();
            Close(adding);
        });
        EXPECT_TRUE(added);
        EXPECT_EQ(firstAfterAdding, c.firstAfterAdding);
        EXPECT_EQ(album->GetObjectCount(), c.photos + 1);
        EXPECT_EQ(album->GetObjectAt(c.photos)->GetTitle(), m_app.LoadString(62053));
    }
}

TEST_F(AlbumDlgTest, TilesLabelsAndClassAreAsNamedAndTheDialogSitsCentredOneLower) {
    m_main.m_album = MakeAlbum(kResTypePictures, "Urlaub", 14);
    CAlbumDlg dialog(&m_frame);
    CRect window, desktop;
    std::vector<int> tileIds;
    Run(dialog, [&] {
        dialog.GetWindowRect(&window);
        CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
        // A tile gets its window when its page is first shown.
        EXPECT_EQ(dialog.GetPhotoWnd(13)->GetSafeHwnd(), nullptr);
        Press(dialog, CAlbumDlg::kNextPageId);
        for (int i = 0; i < dialog.GetPhotoWndCount(); ++i)
            tileIds.push_back(dialog.GetPhotoWnd(i)->GetDlgCtrlID());
        for (int slot = 0; slot < CAlbumDlg::kTilesPerPage; ++slot)
            EXPECT_EQ(dialog.GetCaption(slot)->GetDlgCtrlID(), 2052);
        Close(dialog);
    });
    EXPECT_EQ(window.left, (desktop.Width() - 800) / 2);
    EXPECT_EQ(window.top, (desktop.Height() - 600) / 2 + 1);
    EXPECT_EQ(window.Width(), 800);
    EXPECT_EQ(window.Height(), 600);
    EXPECT_STREQ(dialog.GetRuntimeClass()->m_lpszClassName, "CAlbumDlg");
    EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CDialog)));
    ASSERT_EQ(tileIds.size(), 14u);
    EXPECT_EQ(tileIds.front(), 5000);
    EXPECT_EQ(tileIds.back(), 5013);
}

struct SelectionCase {
    const char* name;
    std::vector<std::pair<int, UINT>> clicks; // tile, key flags
    const char* selection;
    int steps;
    bool okRefused;
};

TEST_F(AlbumDlgTest, ShiftAndControlClicksCountStepsAndOkRefusesTwoOrMore) {
    const SelectionCase cases[] = {
        {"plain click", {{7, 0}}, "7", 1, false},
        {"shift range after a plain click", {{2, 0}, {5, kShift}}, "2 3 4 5", 5, true},
        {"shift range backwards", {{5, 0}, {2, kShift}}, "2 3 4 5", 4, true},
        {"shift with control acts as shift", {{1, 0}, {3, kShift | kControl}}, "1 2 3", 4, true},
        {"control deselects the only photo", {{4, 0}, {4, kControl}}, "", 2, true},
        {"control adds one", {{4, 0}, {6, kControl}}, "4 6", 2, true},
    };
    m_main.m_album = MakeAlbum(kResTypePictures, "Urlaub", 13);
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_app.ClearMessages();
        CAlbumDlg dialog(&m_frame);
        std::string selection;
        int steps = 0;
        const INT_PTR result = Run(dialog, [&] {
            for (const auto& [tile, flags] : c.clicks)
                dialog.SelectPhoto(dialog.GetPhotoWnd(tile), flags);
            selection = Selection(dialog);
            steps = dialog.GetSelectionSteps();
            Press(dialog, IDOK);
            if (c.okRefused)
                Close(dialog);
        });
        EXPECT_EQ(selection, c.selection);
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(result, c.okRefused ? IDABORT : IDOK);
        EXPECT_EQ(m_app.MessageIds(), c.okRefused ? std::vector<UINT>{158} : std::vector<UINT>{});
        if (!c.okRefused) {
            EXPECT_EQ(dialog.GetCurrentIndex(), c.clicks.back().first);
        }
    }
}

TEST_F(AlbumDlgTest, ATileClickedWithTheMouseIsHandedBackOnOk) {
    m_main.m_album = MakeAlbum(kResTypePictures, "Urlaub", 5);
    CAlbumDlg dialog(&m_frame);
    EXPECT_EQ(Run(dialog,
                  [&] {
                      ClickAt(dialog.GetPhotoWnd(3), CPoint(20, 20));
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(dialog.GetCurrentIndex(), 3);
}

struct RemovalCase {
    const char* name;
    int photos;
    int current;
    std::vector<int> removed;
    int firstBefore;
    // The current index afterwards, the title of its photo, the first visible index.
    int current2;
    const char* currentTitle;
    int firstAfter;
};

TEST_F(AlbumDlgTest, RemovedPhotosTakeTheCurrentIndexAlongAndSettleThePage) {
    const RemovalCase cases[] = {
        {"two before the current one", 20, 10, {2, 3}, 0, 8, "Bild11", 0},
        {"the current one", 20, 10, {10, 11}, 0, 0, "Bild1", 0},
        {"after the current one", 20, 4, {12, 13}, 12, 4, "Bild5", 12},
        {"a whole page's run", 18, 4, {12, 13, 14, 15, 16, 17}, 12, 4, "Bild5", 0},
        {"a page's first tiles before one that stays", 18, 4, {12, 13}, 12, 4, "Bild5", 12},
        {"every photo", 3, 1, {0, 1, 2}, 0, -1, "", 0},
    };
    for (const RemovalCase& c : cases) {
        SCOPED_TRACE(c.name);
        CDSAlbum* album = MakeAlbum(kResTypePictures, c.name, c.photos);
        PanelAt(c.current, album);
        m_app.QueueAnswers({IDYES});
        CAlbumDlg dialog(&m_frame);
        int current = -2, firstAfter = -2;
        std::string title;
        Run(dialog, [&] {
            // Control clicks leave the current index where it is.
            dialog.SelectPhoto(dialog.GetPhotoWnd(c.current), kControl);
            for (const int tile : c.removed)
                dialog.SelectPhoto(dialog.GetPhotoWnd(tile), kControl);
            dialog.SetFirstVisibleIndex(c.firstBefore);
            dialog.LayoutPhotoWnds();
            Press(dialog, CAlbumDlg::kRemovePhotosId);
            current = dialog.GetCurrentIndex();
            firstAfter = dialog.GetFirstVisibleIndex();
            if (CPhotoWnd* tile = dialog.GetPhotoWnd(current))
                title = tile->GetPhoto()->GetTitle().str();
            Close(dialog);
        });
        EXPECT_EQ(album->GetObjectCount(), c.photos - static_cast<int>(c.removed.size()));
        EXPECT_EQ(current, c.current2);
        EXPECT_EQ(title, c.currentTitle);
        EXPECT_EQ(firstAfter, c.firstAfter);
    }
}

TEST_F(AlbumDlgTest, DeletingTheMainWindowsCurrentAlbumLeavesNothingBehindThatPointsAtIt) {
    CDSAlbum* holiday = MakeAlbum(kResTypePictures, "Ferien", 4);
    CDSAlbum* trip = MakeAlbum(kResTypePictures, "Urlaub", 3);
    ASSERT_NE(CreatePanel(), nullptr);
    ChooseCategory(0);
    ChooseAlbum(m_panel->GetAlbumCombo()->FindStringExact(-1, "Ferien"));
    ASSERT_EQ(m_main.m_album, holiday);
    ASSERT_EQ(m_panel->GetTiles(CCategWnd::kPhotos).size(), 4u);

    m_app.QueueAnswers({IDYES});
    CAlbumDlg dialog(&m_frame);
    int listed = -1;
    EXPECT_EQ(Run(dialog,
                  [&] {
                      Press(dialog, CAlbumDlg::kDeleteAlbumId);
                      listed = dialog.GetAlbumCombo()->GetCount();
                      ClickAt(dialog.GetPhotoWnd(1), CPoint(20, 20));
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(dialog.GetAlbum(), trip);
    EXPECT_EQ(dialog.GetCurrentIndex(), 1);
    EXPECT_EQ(m_main.m_album, nullptr);
    EXPECT_TRUE(m_panel->GetTiles(CCategWnd::kPhotos).empty());
    CComboBox* panelAlbums = m_panel->GetAlbumCombo();
    ASSERT_EQ(panelAlbums->GetCount(), 1);
    CString listed0;
    panelAlbums->GetLBText(0, listed0);
    EXPECT_EQ(listed0, "Urlaub");

    // What the main window does with the answer.
    m_main.m_album = dialog.GetAlbum();
    m_panel->SelectCategory(0);
    m_panel->ReloadAlbums();
    m_panel->SelectItem(dialog.GetAlbum(), FALSE);
    m_panel->ShowPage(dialog.GetCurrentIndex());
    PumpMessages();
    EXPECT_EQ(m_panel->GetTiles(CCategWnd::kPhotos).size(), 3u);
    EXPECT_EQ(m_panel->GetCurrentPhotoIndex(), 1);
}

TEST_F(AlbumDlgTest, DeletingAlbumsSelectsTheOneBeforeAndTheLastLeavesAnEmptyPage) {
    MakeAlbum(kResTypePictures, "Anfang", 2);
    MakeAlbum(kResTypePictures, "Mitte", 3);
    m_main.m_album = MakeAlbum(kResTypePictures, "Ende", 1);
    m_app.QueueAnswers({IDYES, IDYES, IDYES, IDYES});
    CAlbumDlg dialog(&m_frame);
    std::vector<std::string> shown;
    Run(dialog, [&] {
        for (int i = 0; i < 3; ++i) {
            Press(dialog, CAlbumDlg::kDeleteAlbumId);
            CString title;
            if (dialog.GetAlbumCombo()->GetCurSel() >= 0)
                dialog.GetAlbumCombo()->GetLBText(dialog.GetAlbumCombo()->GetCurSel(), title);
            shown.push_back(title.str() + ":" + std::to_string(dialog.GetPhotoWndCount()));
        }
        // Nothing is shown any more: the command asks nothing.
        Press(dialog, CAlbumDlg::kDeleteAlbumId);
        Close(dialog);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"Mitte:3", "Anfang:2", ":0"}));
    EXPECT_EQ(dialog.GetAlbum(), nullptr);
    EXPECT_EQ(m_app.MessageIds(), (std::vector<UINT>{110, 110, 110}));
}

struct PreselectionCase {
    const char* current;
    const char* selected;
};

TEST_F(AlbumDlgTest, TheMainWindowsCurrentAlbumIsPreselected) {
    const PreselectionCase cases[] = {
        {"Ferien 2.0", "Ferien 2.0"},
        {"Ferien", "Ferien"},
        {"Archiv\\Urlaub.alb", "Urlaub"},
        {"", "Ferien"},
    };
    MakeAlbum(kResTypePictures, "Ferien", 1);
    MakeAlbum(kResTypePictures, "Ferien 2.0", 2);
    MakeAlbum(kResTypePictures, "Urlaub", 3);
    // An album of the main window that the list need not hold under its title.
    CPhotoAlbum outside;
    for (const PreselectionCase& c : cases) {
        SCOPED_TRACE(c.current);
        outside.SetTitle(c.current);
        m_main.m_album = &outside;
        CAlbumDlg dialog(&m_frame);
        CString selected;
        Run(dialog, [&] {
            dialog.GetAlbumCombo()->GetLBText(dialog.GetAlbumCombo()->GetCurSel(), selected);
            Close(dialog);
        });
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(dialog.GetAlbum()->GetTitle(), selected);
    }
}

TEST_F(AlbumDlgTest, AddingAFileThatTheAlbumRefusesAnswersFalse) {
    CDSAlbum* album = MakeAlbum(kResTypePictures, "Urlaub", 2);
    m_main.m_album = album;
    CAlbumDlg dialog(&m_frame);
    BOOL added = TRUE;
    int tiles = 0;
    Run(dialog, [&] {
        // The album's archive cannot be rewritten any more.
        const std::string archive = m_manager->GetAlbumPath(album).str();
        std::filesystem::rename(archive, archive + ".weg");
        std::filesystem::create_directory(archive);
        added = dialog.AddPhotoFile(NewPictureFile("Neu.bmp"));
        tiles = dialog.GetPhotoWndCount();
        Close(dialog);
    });
    EXPECT_FALSE(added);
    EXPECT_EQ(tiles, 2);
    EXPECT_EQ(album->GetObjectCount(), 2);
    EXPECT_EQ(m_app.MessageIds(), std::vector<UINT>{103});
}

TEST_F(AlbumDlgTest, WithoutAnyAlbumAFileHasNowhereToGo) {
    CAlbumDlg dialog(&m_frame);
    BOOL added = TRUE;
    Run(dialog, [&] {
        added = dialog.AddPhotoFile(NewPictureFile("Neu.bmp"));
        Close(dialog);
    });
    EXPECT_FALSE(added);
    EXPECT_EQ(dialog.GetAlbum(), nullptr);
}

TEST_F(AlbumDlgTest, EachButtonPlaysItsSound) {
    const std::string folder = (m_folder.Path() + "/Sound").str();
    std::filesystem::create_directories(folder);
    for (const char* name : {"tick.wav", "blaetter.wav", "info.wav", "click.wav"})
        std::ofstream(folder + "/" + name) << "RIFF";
    m_app.SetSound(TRUE, CString(folder.c_str()));
    RecordingSound sounds;
    const struct {
        UINT id;
        const char* sound; // empty: none
    } cases[] = {{CAlbumDlg::kPrevPageId, "blaetter.wav"},
                 {CAlbumDlg::kNextPageId, "blaetter.wav"},
                 {CAlbumDlg::kRemovePhotosId, "tick.wav"},
                 {CAlbumDlg::kDeleteAlbumId, "tick.wav"},
                 {CAlbumDlg::kScanId, "tick.wav"},
                 {CAlbumDlg::kScan2Id, "tick.wav"},
                 {CAlbumDlg::kFindId, "tick.wav"},
                 {1028, "info.wav"},
                 {IDOK, "click.wav"}};
    m_main.m_album = MakeAlbum(kResTypePictures, "Urlaub", 0);
    CAlbumDlg dialog(&m_frame);
    std::vector<std::string> heard;
    Run(dialog, [&] {
        for (const auto& c : cases) {
            m_app.QueueAnswers({IDNO});
            sounds.m_played.clear();
            Press(dialog, c.id);
            heard.push_back(sounds.m_played.empty() ? "" : GetFileNamePart(sounds.m_played.back()).str());
            EXPECT_EQ(heard.back(), c.sound) << c.id;
        }
    });
    EXPECT_EQ(heard.size(), std::size(cases));
}

TEST_F(AlbumDlgTest, ExitPutsThePanelsAlbumChoiceBack) {
    ASSERT_NE(CreatePanel(), nullptr);
    MakeAlbum(kResTypePictures, "Anfang", 1);
    MakeAlbum(kResTypePictures, "Urlaub", 2);
    ChooseCategory(0);
    ChooseAlbum(1);
    CAlbumDlg dialog(&m_frame);
    EXPECT_EQ(Run(dialog,
                  [&] {
                      m_panel->GetAlbumCombo()->SetCurSel(0);
                      Press(dialog, CAlbumDlg::kExitId);
                  }),
              IDCANCEL);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCurSel(), 1);
}

// What the index print was given.
struct PrintedIndex {
    bool printerDC = false;
    std::string album;
    std::vector<std::string> titles;
    int range = -1;
    UINT first = 0;
    UINT last = 0;
};
PrintedIndex g_printed;

void RecordIndex(CDC* printerDC, const CString& albumName, const std::vector<const CDSObj*>& photos,
                 int range, UINT first, UINT last) {
    g_printed.printerDC = printerDC != nullptr;
    g_printed.album = albumName.str();
    for (const CDSObj* photo : photos)
        g_printed.titles.push_back(photo->GetTitle().str());
    g_printed.range = range;
    g_printed.first = first;
    g_printed.last = last;
}

TEST_F(AlbumDlgTest, ThePrintButtonHandsTheChosenRangeAndTheAlbumsPhotosToTheIndexPrint) {
    m_main.m_album = MakeAlbum(kResTypePictures, "Urlaub", 4);
    CAlbumDlg::s_indexPrinter = &RecordIndex;
    CAlbumDlg dialog(&m_frame);
    // The print options: photos 3 to 4.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&dialog] {
        auto* options = dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
        if (!options || options == &dialog)
            return;
        options->CheckRadioButton(1025, 1026, 1026);
        options->SetDlgItemText(1001, "3");
        options->SetDlgItemText(1032, "4");
        options->SendMessage(WM_COMMAND, MAKELONG(IDOK, BN_CLICKED), 0);
    });
    answer.start(10);
    Run(dialog, [&] {
        Press(dialog, CAlbumDlg::kPrintIndexId);
        Close(dialog);
    });
    CAlbumDlg::s_indexPrinter = &PrintAlbumIndex;
    EXPECT_TRUE(g_printed.printerDC);
    EXPECT_EQ(g_printed.album, "Urlaub");
    EXPECT_EQ(g_printed.titles, (std::vector<std::string>{"Bild1", "Bild2", "Bild3", "Bild4"}));
    EXPECT_EQ(g_printed.range, 1);
    EXPECT_EQ(g_printed.first, 3u);
    EXPECT_EQ(g_printed.last, 4u);
}

TEST_F(AlbumDlgTest, AMissingButtonBitmapEndsTheDialogUnshown) {
    m_main.m_album = MakeAlbum(kResTypePictures, "Urlaub", 3);
    HMODULE lacking = LoadLibrary(VC_ALBUM_MISSING_BITMAP_MODULE);
    ASSERT_NE(lacking, nullptr);
    AfxSetResourceHandle(lacking);
    m_app.SetResourceModule(lacking);
    WatchedAlbumDlg dialog(&m_frame);
    const INT_PTR result = dialog.DoModal();
    AfxSetResourceHandle(s_resources);
    m_app.SetResourceModule(s_resources);
    FreeLibrary(lacking);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(dialog.m_shown);
    EXPECT_EQ(dialog.GetPhotoWndCount(), 0);
}

} // namespace
