// Editing on the page canvas with input through the window: selecting, moving, swapping and copying
// pictures, placing text and clipart, drops from the panel, the context menus, the fit commands and
// deleting.

#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/UndoDelete.h"
#include "page/UndoObject.h"
#include "platform/base/MessageBeep.h"
#include "platform/base/MessageBoxStyles.h"
#include "platform/ui/TimerTesting.h"
#include "platform/ui/WindowRecord.h"
#include "tests/page/CanvasFixture.h"
#include "tests/support/UiTestSupport.h"

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

std::vector<UINT> g_beeps;
void RecordBeep(UINT type) {
    g_beeps.push_back(type);
}

class CanvasEditingTest : public CanvasFixture {
protected:
    void SetUp() override {
        CanvasFixture::SetUp();
        m_a = Add(SolidPicture(CRect(0, 0, 1000, 1000), 0xFF0000));
        m_a->SetFilePath("/bilder/a.jpg");
        m_b = Add(SolidPicture(CRect(1100, 0, 2100, 1000), 0x0000FF));
        m_b->SetFilePath("/bilder/b.jpg");
        m_text = Add(Text(CRect(200, 1500, 1200, 1900), "Hallo"));
        m_text->SetTemplate(m_host.m_page.get());
        ASSERT_TRUE(m_canvas->RedrawTemplate());
        m_previousBeep = SetMessageBeepHandler(RecordBeep);
        g_beeps.clear();
    }
    void TearDown() override {
        SetMessageBeepHandler(m_previousBeep);
        CanvasFixture::TearDown();
    }

    void Drag(CPoint from, CPoint to, Qt::KeyboardModifiers modifiers = {}) {
        PressAt(m_canvas, from, Qt::LeftButton, modifiers);
        MoveTo(m_canvas, to);
        ReleaseAt(m_canvas, to, Qt::LeftButton, modifiers);
        PumpMessages();
    }
    QWindow* MainWindowHandle() const { return WidgetOf(m_main.m_hWnd)->windowHandle(); }
    void Command(UINT id) {
        m_canvas->SendMessage(WM_COMMAND, id, 0);
        PumpMessages();
    }
    std::vector<CString> Paths() const { return {m_a->GetFilePath(), m_b->GetFilePath()}; }

    CDrawImage* m_a = nullptr;
    CDrawImage* m_b = nullptr;
    CDrawText* m_text = nullptr;
    MessageBeepHandler m_previousBeep = nullptr;
};

TEST_F(CanvasEditingTest, DraggingAPictureOntoAnotherSwapsOrCopiesWithOneRecord) {
    Drag(Centre(m_a), Centre(m_b));
    EXPECT_THAT(Paths(), ElementsAre(CString("/bilder/b.jpg"), CString("/bilder/a.jpg")));
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoReplace"));
    EXPECT_TRUE(m_host.m_modified);

    Drag(Centre(m_a), Centre(m_b), Qt::ControlModifier);
    EXPECT_THAT(Paths(), ElementsAre(CString("/bilder/b.jpg"), CString("/bilder/b.jpg")))
        << "with Ctrl the target becomes a copy";
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoReplace", "CUndoCopy"));

    Drag(Centre(m_a), Centre(m_a) + CSize(3, 3));
    EXPECT_EQ(m_host.m_undo.size(), 2U) << "a drop on itself changes nothing";
    EXPECT_EQ(m_canvas->GetDragMode(), kDragNone);
}

TEST_F(CanvasEditingTest, AMoveFollowsTheMouseAndAZeroMoveDrawsNothing) {
    const CRect before = m_text->GetPosition();
    PressAt(m_canvas, Centre(m_text));
    ReleaseAt(m_canvas, Centre(m_text));
    PumpMessages();
    EXPECT_FALSE(m_text->IsTrackerShown()) << "no offset: the move operation is not called";
    EXPECT_EQ(m_text->GetPosition(), before);

    m_text->SetSelected(FALSE);
    const CPoint start = Centre(m_text);
    PressAt(m_canvas, start);
    MoveTo(m_canvas, start + CSize(20, 10));
    PumpMessages();
    EXPECT_GT(WindowDiffersFromBitmap(), 0) << "the outline shows on the window during the move";
    ReleaseAt(m_canvas, start + CSize(20, 10));
    PumpMessages();
    const CRect after = m_text->GetPosition();
    EXPECT_NEAR(after.left - before.left, 20 / 0.1464, 8);
    EXPECT_NEAR(after.top - before.top, 10 / 0.1464, 8);
    EXPECT_TRUE(m_canvas->GetMovingObjects().IsEmpty());
    EXPECT_EQ(WindowDiffersFromBitmap(), 0) << "after the release the window shows the bitmap";
}

TEST_F(CanvasEditingTest, DeletingDuringAMoveEndsTheMove) {
    const CPoint start = Centre(m_text);
    PressAt(m_canvas, start);
    MoveTo(m_canvas, start + CSize(10, 0));
    PumpMessages();
    ASSERT_EQ(m_canvas->GetDragMode(), kDragMove);
    m_app.QueueAnswers({IDYES});
    m_canvas->SetFocus();
    TypeKey(m_canvas, Qt::Key_Delete);
    PumpMessages();
    EXPECT_EQ(m_host.m_page->GetObjectCount(), 2) << "the text is gone";
    EXPECT_TRUE(m_canvas->GetMovingObjects().IsEmpty());
    ReleaseAt(m_canvas, start + CSize(10, 0)); // must not reach the deleted text
    PumpMessages();
    EXPECT_EQ(m_canvas->GetDragMode(), kDragNone);
}

TEST_F(CanvasEditingTest, SelectingStartsTheMarkerTimerAndDeselectingStopsIt) {
    ClickAt(m_canvas, Centre(m_a));
    PumpMessages();
    EXPECT_TRUE(m_a->IsSelected());
    EXPECT_TRUE(m_canvas->IsTimerRunning());
    AdvanceTimersForTesting(260);
    ClickAt(m_canvas, Centre(m_a));
    PumpMessages();
    EXPECT_FALSE(m_a->IsSelected());
    EXPECT_FALSE(m_canvas->IsTimerRunning());

    ClickAt(m_canvas, Centre(m_a), Qt::LeftButton, Qt::ShiftModifier);
    ClickAt(m_canvas, Centre(m_b), Qt::LeftButton, Qt::ShiftModifier);
    PumpMessages();
    EXPECT_EQ(m_host.m_page->GetSelectedCount(), 2) << "Shift adds to the selection";
    m_canvas->KillDragTimer();
    EXPECT_FALSE(m_canvas->IsTimerRunning());
}

TEST_F(CanvasEditingTest, ASpacePressPutsTheObjectIntoTheMovingListWithoutSelectingIt) {
    QWindow* window = MainWindowHandle();
    QTest::keyPress(window, Qt::Key_Space);
    PumpMessages();
    ASSERT_NE(GetAsyncKeyState(VK_SPACE) & 0x8000, 0) << "bit 15 tells a held key";
    PressAt(m_canvas, Centre(m_a));
    PumpMessages();
    ASSERT_EQ(m_canvas->GetMovingObjects().GetCount(), 1);
    EXPECT_EQ(m_canvas->GetMovingObjects().GetHead(), m_a) << "a picture as well";
    EXPECT_EQ(m_canvas->GetDragMode(), kDragMove);
    EXPECT_FALSE(m_a->IsSelected()) << "a Space press does not select";
    ReleaseAt(m_canvas, Centre(m_a));
    QTest::keyRelease(window, Qt::Key_Space);
    PumpMessages();
    EXPECT_TRUE(m_canvas->GetMovingObjects().IsEmpty()) << "the move ends with the release";
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE) & 0x8000, 0);

    PressAt(m_canvas, Centre(m_text));
    PumpMessages();
    EXPECT_EQ(m_canvas->GetMovingObjects().GetCount(), 1);
    m_canvas->ClearSelection();
    EXPECT_TRUE(m_canvas->GetMovingObjects().IsEmpty());
    ReleaseAt(m_canvas, Centre(m_text));
    PumpMessages();
}

TEST_F(CanvasEditingTest, NewTextStartsAtTheClickAndOpensTheFontDialog) {
    m_canvas->BeginCapture(kDragNewText);
    const CPoint click = Centre(m_b) + CSize(0, 200);
    ClickAt(m_canvas, click);
    PumpMessages();
    auto* text = dynamic_cast<CDrawText*>(m_host.m_page->GetObjectAt(3));
    ASSERT_NE(text, nullptr);
    const CPoint page = m_canvas->WindowToPage(click);
    EXPECT_EQ(text->GetPosition().TopLeft(), page);
    EXPECT_EQ(m_dialogs.m_fontDialogs, 1);
    EXPECT_EQ(m_canvas->GetDragMode(), kDragNone);
}

TEST_F(CanvasEditingTest, ClipartIsPlacedOnlyInsideThePage) {
    WriteBmp(Res("stern.bmp"), 30, 20, {0x00FF00});
    CClipart entry;
    entry.SetFilePath(Res("stern.bmp"));
    for (const CPoint at : {CPoint(20, 200), CPoint(550, 200)}) {
        m_canvas->BeginPlaceObject(&entry);
        ClickAt(m_canvas, at);
        PumpMessages();
    }
    EXPECT_EQ(m_host.m_page->GetObjectCount(), 3) << "left and right of the page: nothing";
    m_canvas->BeginPlaceObject(&entry);
    const CPoint inside = Centre(m_b) + CSize(0, 200);
    ClickAt(m_canvas, inside);
    PumpMessages();
    auto* clipart = dynamic_cast<CDrawClipart*>(m_host.m_page->GetObjectAt(3));
    ASSERT_NE(clipart, nullptr);
    const CPoint page = m_canvas->WindowToPage(inside);
    EXPECT_EQ(clipart->GetPosition(), CRect(page.x, page.y, page.x + 30, page.y + 20));
    EXPECT_NE(clipart->GetClipart(), &entry) << "the object holds its own copy";
}

// A resource tile of the panel: a press on it hands the drag to the canvas, as the real tiles do.
class CStandInTile : public CWnd {
public:
    CStandInTile(CPreviewWnd*& canvas, int& mode) : m_canvas(canvas), m_mode(mode) {}

protected:
    void OnLButtonDown(UINT, CPoint) override { m_canvas->BeginCapture(m_mode); }

private:
    CPreviewWnd*& m_canvas;
    int& m_mode;
};

TEST_F(CanvasEditingTest, ATilesCaptureCarriesPanelDropsOntoThePage) {
    int mode = kDragPhoto;
    CStandInTile tile(m_canvas, mode);
    ASSERT_TRUE(
        tile.Create(nullptr, "Kachel", WS_CHILD | WS_VISIBLE, CRect(10, 500, 60, 550), &m_main, 1300));
    auto drop = [&](int dragMode, CPoint at) {
        mode = dragMode;
        PressAt(&tile, CPoint(5, 5));
        MoveTo(m_canvas, at);
        ReleaseAt(m_canvas, at);
        PumpMessages();
    };

    drop(kDragPhoto, Centre(m_a));
    EXPECT_TRUE(m_host.m_undo.empty()) << "no photo selected in the panel";
    m_host.m_panel.m_photo.reset(NewPhoto("urlaub.bmp", "Urlaub"));
    drop(kDragPhoto, Centre(m_a));
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoObject"));
    EXPECT_TRUE(m_a->GetFilePath().Find("urlaub.bmp") >= 0) << m_a->GetFilePath().GetString();
    EXPECT_EQ(static_cast<CUndoObject*>(m_host.m_undo[0].get())->GetPath(), CString("/bilder/a.jpg"));

    m_host.m_panel.m_mat = OpenMat("Gold");
    drop(kDragMat, Centre(m_text));
    EXPECT_EQ(m_host.m_undo.size(), 1U) << "a mat dropped on a text is ignored";
    drop(kDragMat, Centre(m_b));
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoObject", "CUndoObject"));
    ASSERT_NE(m_b->GetMat(), nullptr);
    EXPECT_NE(m_b->GetMat(), m_host.m_panel.m_mat.get()) << "the picture holds its own copy";

    m_host.m_panel.m_template = A4Page();
    m_host.m_panel.m_template->InsertObject(new CDrawImage(CRect(0, 0, 500, 500)), -1);
    m_dialogs.m_saveAnswer = IDCANCEL;
    drop(kDragTemplate, CPoint(300, 300));
    EXPECT_EQ(m_dialogs.m_savePrompts, 1) << "the page holds a text";
    EXPECT_EQ(m_host.m_page->GetObjectCount(), 3) << "cancelled";
    m_dialogs.m_saveAnswer = IDNO;
    drop(kDragTemplate, CPoint(300, 300));
    EXPECT_EQ(m_host.m_page->GetObjectCount(), 1);
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoObject", "CUndoObject", "CUndoTemplate"));
    EXPECT_TRUE(m_host.m_modified);
}

TEST_F(CanvasEditingTest, TheContextMenuFitsTheSituation) {
    struct MenuCase {
        const char* name;
        std::function<void()> arrange;
        std::vector<std::string> items;
    };
    const std::vector<std::string> picture = {"32771",        "32772", "32773", "32774",
                                              "32775",        "32776", "32777", "32791 grayed",
                                              "32792 grayed", "57634", "57635", "32779"};
    const std::vector<std::string> text = {"32780", "32773", "32774", "32775", "32776",
                                           "32777", "57634", "57635", "32779"};
    const MenuCase cases[] = {
        {"NothingSelectedNoClipboard", [] {}, {"-"}},
        {"OnePicture", [this] { m_a->SetSelected(TRUE); }, picture},
        {"OneText", [this] { m_text->SetSelected(TRUE); }, text},
        {"TwoSelected",
         [this] {
             m_a->SetSelected(TRUE);
             m_b->SetSelected(TRUE);
         },
         {"-"}},
    };
    for (const MenuCase& c : cases) {
        for (int i = 0; i < m_host.m_page->GetObjectCount(); ++i)
            m_host.m_page->GetObjectAt(i)->SetSelected(FALSE);
        m_menus.reset();
        m_menus = std::make_unique<RecordingMenuPresenter>();
        c.arrange();
        ClickAt(m_canvas, CPoint(300, 300), Qt::RightButton);
        PumpMessages();
        EXPECT_EQ(LastMenu(), c.items) << c.name;
    }
    m_app.SetEditMode(FALSE);
    m_menus.reset();
    m_menus = std::make_unique<RecordingMenuPresenter>();
    ClickAt(m_canvas, CPoint(300, 300), Qt::RightButton);
    PumpMessages();
    EXPECT_EQ(LastMenu(), (std::vector<std::string>{"32772", "32771", "32791 grayed", "32792 grayed"}));
    EXPECT_EQ(CPreviewWnd::s_lastContextPoint, CPoint(300, 300));
}

TEST_F(CanvasEditingTest, FitCommandsActOnThePointedPictureOrTheNormalModeFlag) {
    CPreviewWnd::s_lastContextPoint = Centre(m_a);
    Command(kCmdFitStretch);
    EXPECT_FALSE(m_a->IsStateFlagClear()) << "stretched";
    Command(kCmdFitKeep);
    EXPECT_TRUE(m_a->IsStateFlagClear());

    m_app.SetEditMode(FALSE);
    Command(kCmdFitKeep);
    EXPECT_TRUE(m_host.m_stretch) << "in normal mode 32772 stretches";
    Command(kCmdFitStretch);
    EXPECT_FALSE(m_host.m_stretch);
    EXPECT_TRUE(m_a->IsStateFlagClear()) << "the page's pictures are left alone";
}

TEST_F(CanvasEditingTest, DeleteFlowByWhatIsSelected) {
    struct DeleteCase {
        const char* name;
        bool selectText;
        int stencils; // pictures of the two selected with a stencil
        int answer;   // of the question or the dialog
        DeleteImageOptions options;
        int beeps;
        std::vector<UINT> questions;
        std::pair<int, int> states;
        int objectsLeft;
        size_t subRecords;
    };
    const DeleteCase cases[] = {
        {"NothingSelectedBeeps", false, -1, IDOK, {}, 1, {}, {-1, -1}, 3, 0},
        {"TextAskedNo", true, -1, IDNO, {}, 0, {246}, {-1, -1}, 3, 0},
        {"TextAskedYes", true, -1, IDYES, {}, 0, {246}, {-1, -1}, 2, 1},
        {"TextAndPicturesAskedYes", true, 0, IDYES, {}, 0, {246}, {-1, -1}, 2, 3},
        {"PicturesCancelled", false, 0, IDCANCEL, {}, 0, {}, {0, 0}, 3, 0},
        {"SomeStencilsTakenOff", false, 1, IDOK, {1, 0, false}, 0, {}, {2, 0}, 3, 1},
        {"AllStencilsKept", false, 2, IDOK, {1, 1, false}, 0, {}, {1, 0}, 3, 0},
        {"PicturesCleared", false, 2, IDOK, {1, 1, true}, 0, {}, {1, 0}, 3, 2},
    };
    for (const DeleteCase& c : cases) {
        m_host.m_page = A4Page();
        m_a = Add(SolidPicture(CRect(0, 0, 1000, 1000), 0xFF0000));
        m_b = Add(SolidPicture(CRect(1100, 0, 2100, 1000), 0x0000FF));
        m_text = Add(Text(CRect(200, 1500, 1200, 1900), "Hallo"));
        if (c.stencils >= 0) {
            m_a->SetSelected(TRUE);
            m_b->SetSelected(TRUE);
        }
        if (c.stencils >= 1)
            m_a->SetStencil(GreenStepStencil().release());
        if (c.stencils >= 2)
            m_b->SetStencil(GreenStepStencil().release());
        m_text->SetSelected(c.selectText);
        m_host.m_undo.clear();
        m_app.ClearMessages();
        if (!c.questions.empty())
            m_app.QueueAnswers({c.answer});
        m_dialogs.m_deleteAnswer = c.answer;
        m_dialogs.m_deleteOptions = c.options;
        m_dialogs.m_deleteStates.clear();
        g_beeps.clear();
        m_canvas->SetFocus();
        TypeKey(m_canvas, Qt::Key_Delete);
        PumpMessages();

        EXPECT_EQ(static_cast<int>(g_beeps.size()), c.beeps) << c.name;
        if (c.beeps) {
            EXPECT_EQ(g_beeps[0], 0xFFFFU) << c.name;
        }
        EXPECT_EQ(m_app.MessageIds(), c.questions) << c.name;
        if (c.states.first >= 0) {
            EXPECT_THAT(m_dialogs.m_deleteStates, ElementsAre(c.states)) << c.name;
        }
        EXPECT_EQ(m_host.m_page->GetObjectCount(), c.objectsLeft) << c.name;
        if (c.subRecords == 0) {
            EXPECT_TRUE(m_host.m_undo.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(m_host.m_undo.size(), 1U) << c.name;
        auto* record = dynamic_cast<CUndoDelete*>(m_host.m_undo[0].get());
        ASSERT_NE(record, nullptr) << c.name;
        EXPECT_EQ(static_cast<size_t>(record->GetList().GetCount()), c.subRecords) << c.name;
    }
}

} // namespace
