// The move pad, the adjustment panel and the two-colour dialog, offscreen: the pad's place, its step
// fields and its cancel; the panel's bar, keys and cancel; the swatches of the colour dialog.

#include "app/StepSettings.h"
#include "editing/EffectsDialogs.h"
#include "editing/MoveDlg.h"
#include "editing/SetColorDlg.h"
#include "editing/ToolbarEffectsDlg.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/ColorDialogPresenter.h"
#include "platform/ui/WinApp.h"
#include "skin/ColorButton.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class RecordingPadOwner final : public IMovePadOwner {
public:
    void DecreasePictureOffsetX() override { calls.emplace_back("left"); }
    void IncreasePictureOffsetX() override { calls.emplace_back("right"); }
    void DecreasePictureOffsetY() override { calls.emplace_back("up"); }
    void IncreasePictureOffsetY() override { calls.emplace_back("down"); }
    void IncreasePictureZoom() override { calls.emplace_back("zoom in"); }
    void DecreasePictureZoom() override { calls.emplace_back("zoom out"); }
    void IncreasePictureRotation() override { calls.emplace_back("turn left"); }
    void DecreasePictureRotation() override { calls.emplace_back("turn right"); }
    void OnUndo() override { calls.emplace_back("undo"); }

    std::vector<std::string> calls;
};

class RecordingPanelOwner final : public IToolPanelOwner {
public:
    void SetAdjustmentValue(int value) override { values.push_back(value); }

    std::vector<int> values;
};

// The application with its step settings, as the pad finds it.
class StepApp final : public CWinApp, public IStepSettings {
public:
    StepApp() : CWinApp("Vellumcraft") {}
    void SetZoomStep(int step) override { zoom = step; }
    void SetShiftStep(int step) override { shift = step; }
    void SetRotateStep(int step) override { rotate = step; }

    int zoom = -1;
    int shift = -1;
    int rotate = -1;
};

// Picks the scripted colours in order; an empty entry cancels.
class ScriptedColorChooser final : public IColorDialogPresenter {
public:
    ScriptedColorChooser() { SetColorDialogPresenter(this); }
    ~ScriptedColorChooser() override { SetColorDialogPresenter(nullptr); }
    ScriptedColorChooser(const ScriptedColorChooser&) = delete;
    ScriptedColorChooser& operator=(const ScriptedColorChooser&) = delete;

    BOOL Choose(CHOOSECOLOR& request) override {
        shown.push_back(request.rgbResult);
        if (answers.empty() || answers.front() < 0) {
            if (!answers.empty())
                answers.pop_front();
            return FALSE;
        }
        request.rgbResult = static_cast<COLORREF>(answers.front());
        answers.pop_front();
        return TRUE;
    }

    std::deque<long> answers;
    std::vector<COLORREF> shown;
};

// The modal dialog that a runner shows, once it is active; null when none comes.
template <class Dialog>
Dialog* ShownDialog() {
    for (int round = 0; round < 200; ++round) {
        if (auto* dialog = dynamic_cast<Dialog*>(CWnd::GetActiveWindow()))
            return dialog;
        PumpMessages();
    }
    return nullptr;
}

constexpr RECT kCanvas = {100, 60, 700, 520};

class SmallEditingDialogsTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        s_lacking = LoadLibrary(VC_TEST_BINARY_DIR "/without_MOVE_DLG_TOOLBAR_EFFECTS.deu");
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_resources);
        FreeLibrary(s_lacking);
    }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_resources, nullptr);
        UseModule(s_resources);
        ASSERT_TRUE(m_main.CreateEx(0, nullptr, "Hauptfenster", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                    nullptr, nullptr));
    }

    void TearDown() override {
        m_main.DestroyWindow();
        AfxSetResourceHandle(nullptr);
        UiTest::TearDown();
    }

    void UseModule(HMODULE module) {
        AfxSetResourceHandle(module);
        m_services.SetResourceModule(module);
    }

    // Runs the dialog modally; step runs inside its loop once it is open.
    static INT_PTR Run(CDialog& dialog, std::function<void()> step) {
        QTimer::singleShot(0, [step = std::move(step)] { step(); });
        return dialog.DoModal();
    }

    static void Command(CDialog& dialog, int id, WORD code = BN_CLICKED) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), 0);
    }

    static HMODULE s_resources;
    static HMODULE s_lacking;
    FakeAppServices m_services;
    CWnd m_main;
};

HMODULE SmallEditingDialogsTest::s_resources = nullptr;
HMODULE SmallEditingDialogsTest::s_lacking = nullptr;

} // namespace

TEST_F(SmallEditingDialogsTest, ThePadOpensAtTheCanvasTopRightWithItsStepsAndAllItsKeys) {
    RecordingPadOwner owner;
    CMoveDlg pad(10, 5, 15, &m_main, kCanvas, &owner);
    const INT_PTR result = Run(pad, [&] {
        CRect place;
        pad.GetWindowRect(&place);
        EXPECT_EQ(place, CRect(700 - 122, 60, 700 - 122 + 142, 60 + 206));
        CString text;
        pad.GetDlgItemText(CMoveDlg::kZoomStepId, text);
        EXPECT_EQ(text, "10");
        pad.GetDlgItemText(CMoveDlg::kShiftStepId, text);
        EXPECT_EQ(text, "5");
        pad.GetDlgItemText(CMoveDlg::kRotateStepId, text);
        EXPECT_EQ(text, "15");
        for (int id : {1120, 1123, 1122, 1121, 1124, 1125, 1001, 1002})
            Command(pad, id);
        // A right click on a key is no step.
        Command(pad, 1120, 5);
        // A real click in the middle of the zoom-in key's disc.
        ASSERT_TRUE(WaitUntilActive(&pad));
        ClickAt(&pad, CPoint(56 + 14, 103 + 16));
        PumpMessages();
        Command(pad, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    // OK keeps the nudges: no undo.
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"up", "down", "left", "right", "zoom in", "zoom out",
                                                     "turn left", "turn right", "zoom in"}));
}

TEST_F(SmallEditingDialogsTest, ATypedStepIsStoredWhenItsFieldLosesTheFocus) {
    StepApp app;
    RecordingPadOwner owner;
    CMoveDlg pad(10, 5, 15, &m_main, kCanvas, &owner);
    Run(pad, [&] {
        ASSERT_TRUE(WaitUntilActive(&pad));
        const struct {
            int field;
            const char* typed;
            const int* stored;
            int expected;
        } cases[] = {{CMoveDlg::kZoomStepId, "25", &app.zoom, 25},
                     {CMoveDlg::kShiftStepId, "abc", &app.shift, 0},
                     {CMoveDlg::kRotateStepId, "7x", &app.rotate, 7}};
        CWnd* key = pad.GetDlgItem(1120);
        for (const auto& c : cases) {
            CWnd* field = pad.GetDlgItem(c.field);
            field->SetWindowText(c.typed);
            field->SetFocus();
            PumpMessages();
            // Pointing at the pad's background leaves the focus in the field: nothing stored yet.
            pad.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(pad.GetSafeHwnd()),
                            MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
            EXPECT_EQ(CWnd::GetFocus(), field) << c.typed;
            EXPECT_NE(*c.stored, c.expected) << c.typed;
            // Pointing at a key moves the focus there, and the field stores its step.
            pad.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(key->GetSafeHwnd()),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            PumpMessages();
            EXPECT_EQ(CWnd::GetFocus(), key) << c.typed;
            EXPECT_EQ(*c.stored, c.expected) << c.typed;
        }
        // Away from the fields, the background hands the focus to the template's holder.
        pad.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(pad.GetSafeHwnd()),
                        MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
        EXPECT_EQ(CWnd::GetFocus(), pad.GetDlgItem(1066));
        Command(pad, IDOK);
    });
    EXPECT_EQ(app.zoom, 25);
    EXPECT_EQ(app.shift, 0);
    EXPECT_EQ(app.rotate, 7);
}

TEST_F(SmallEditingDialogsTest, CancelTakesBackEveryNudgeWithOneUndo) {
    RecordingPadOwner owner;
    CMoveDlg pad(10, 5, 15, &m_main, kCanvas, &owner);
    EXPECT_EQ(Run(pad,
                  [&] {
                      Command(pad, 1121);
                      Command(pad, 1121);
                      Command(pad, 1124);
                      Command(pad, IDCANCEL);
                  }),
              IDCANCEL);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"right", "right", "zoom in", "undo"}));
    // Escape is the same cancel.
    owner.calls.clear();
    CMoveDlg second(10, 5, 15, &m_main, kCanvas, &owner);
    EXPECT_EQ(Run(second,
                  [&] {
                      Command(second, 1120);
                      ASSERT_TRUE(WaitUntilActive(&second));
                      TypeKey(&second, Qt::Key_Escape);
                  }),
              IDCANCEL);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"up", "undo"}));
}

TEST_F(SmallEditingDialogsTest, WithoutTheirBackgroundsPadAndPanelEndUnappliedAndUndone) {
    ASSERT_NE(s_lacking, nullptr);
    UseModule(s_lacking);
    CEffectsDialogs dialogs;
    RecordingPadOwner padOwner;
    EXPECT_EQ(dialogs.RunMoveDlg(10, 5, 15, &m_main, kCanvas, &padOwner), IDCANCEL);
    EXPECT_TRUE(padOwner.calls.empty());
    RecordingPanelOwner panelOwner;
    EXPECT_EQ(dialogs.RunToolbarEffectsDlg(40, &m_main, &panelOwner), IDCANCEL);
    EXPECT_TRUE(panelOwner.values.empty());
}

TEST(ToolPanelBarTest, MapsTheBarsEndsAndItsMarker) {
    EXPECT_EQ(CToolbarEffectsDlg::ValueAtX(27), 0);
    EXPECT_EQ(CToolbarEffectsDlg::ValueAtX(211), 100);
    EXPECT_EQ(CToolbarEffectsDlg::ValueAtX(119), 50);
    EXPECT_EQ(CToolbarEffectsDlg::MarkerX(0), 27);
    EXPECT_EQ(CToolbarEffectsDlg::MarkerX(100), 210);
    for (int x = 27; x < 212; ++x) {
        const int value = CToolbarEffectsDlg::ValueAtX(x);
        EXPECT_GE(value, 0) << x;
        EXPECT_LE(value, 100) << x;
    }
}

TEST_F(SmallEditingDialogsTest, ThePanelAppliesPressesOnTheBarAndItsKeysAndShowsTheMarker) {
    RecordingPanelOwner owner;
    CToolbarEffectsDlg panel(40, &m_main, &owner);
    const INT_PTR result = Run(panel, [&] {
        CRect place;
        panel.GetWindowRect(&place);
        EXPECT_EQ(place.Size(), CSize(252, 76));
        ASSERT_TRUE(WaitUntilActive(&panel));
        ClickAt(&panel, CPoint(27, 20));
        ClickAt(&panel, CPoint(211, 20));
        // Outside the bar a press moves the panel and changes nothing.
        ClickAt(&panel, CPoint(100, 40));
        EXPECT_EQ(panel.GetValue(), 100);
        EXPECT_EQ(panel.GetDlgItem(2052)->GetSafeHwnd() != nullptr, true);
        PumpMessages();
        // The marker at 100 covers x 210 and 211.
        EXPECT_EQ(WindowPixel(&panel, CPoint(210, 24)), RGB(0, 0, 0));
        EXPECT_EQ(WindowPixel(&panel, CPoint(211, 24)), RGB(0, 0, 0));
        EXPECT_NE(WindowPixel(&panel, CPoint(209, 24)), RGB(0, 0, 0));
        // Plus at 100 and minus at 0 change nothing but apply again.
        Command(panel, 1053);
        ClickAt(&panel, CPoint(27, 20));
        Command(panel, 1052);
        Command(panel, 1053);
        Command(panel, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(owner.values, (std::vector<int>{0, 100, 100, 0, 0, 1}));
}

TEST_F(SmallEditingDialogsTest, ThePanelsCancelAppliesTheOpeningValueOnceMore) {
    for (const bool byEscape : {false, true}) {
        RecordingPanelOwner owner;
        CToolbarEffectsDlg panel(37, &m_main, &owner);
        const INT_PTR result = Run(panel, [&] {
            Command(panel, 1053);
            Command(panel, 1053);
            Command(panel, 1052);
            if (byEscape) {
                ASSERT_TRUE(WaitUntilActive(&panel));
                TypeKey(&panel, Qt::Key_Escape);
            } else {
                Command(panel, IDCANCEL);
            }
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(owner.values, (std::vector<int>{38, 39, 38, 37})) << byEscape;
    }
}

TEST_F(SmallEditingDialogsTest, TheColourDialogChangesASwatchOnlyWhenAColourIsChosen) {
    ScriptedColorChooser chooser;
    const struct {
        std::vector<long> answers;
        int closeWith;
        COLORREF first;
        COLORREF second;
    } cases[] = {
        // The first swatch takes a colour, the second one's choice is cancelled; OK hands both back.
        {{0x123456, -1}, IDOK, 0x123456, 0xFFFFFF},
        {{-1, 0x00FF00}, IDOK, 0x000000, 0x00FF00},
        // Cancel hands nothing back.
        {{0x123456, 0x00FF00}, IDCANCEL, 0x000000, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        chooser.answers.assign(c.answers.begin(), c.answers.end());
        chooser.shown.clear();
        CSetColorDlg* shownDialog = nullptr;
        COLORREF first = 0x000000;
        COLORREF second = 0xFFFFFF;
        CEffectsDialogs dialogs;
        QTimer::singleShot(0, [&] {
            shownDialog = ShownDialog<CSetColorDlg>();
            ASSERT_NE(shownDialog, nullptr);
            auto* firstSwatch =
                dynamic_cast<CColorButton*>(shownDialog->GetDlgItem(CSetColorDlg::kFirstSwatchId));
            auto* secondSwatch =
                dynamic_cast<CColorButton*>(shownDialog->GetDlgItem(CSetColorDlg::kSecondSwatchId));
            ASSERT_NE(firstSwatch, nullptr);
            ASSERT_NE(secondSwatch, nullptr);
            EXPECT_EQ(firstSwatch->GetColor(), 0x000000u);
            EXPECT_EQ(secondSwatch->GetColor(), 0xFFFFFFu);
            Command(*shownDialog, CSetColorDlg::kFirstSwatchId);
            Command(*shownDialog, CSetColorDlg::kSecondSwatchId);
            EXPECT_EQ(firstSwatch->GetColor(), shownDialog->GetFirstColor());
            EXPECT_EQ(secondSwatch->GetColor(), shownDialog->GetSecondColor());
            Command(*shownDialog, c.closeWith);
        });
        EXPECT_EQ(dialogs.RunSetColorDlg(first, second, &m_main), c.closeWith);
        EXPECT_EQ(chooser.shown, (std::vector<COLORREF>{0x000000, 0xFFFFFF}));
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
    }
}
