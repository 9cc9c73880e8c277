// The effects dialog on a photo, offscreen: the strength bar and its drag, rotations, colour modes with
// undo, the presets, OK with and without changes, reset, and a missing skin.

#include "editing/EffectsDlg.h"

#include "editing/EffModifWnd.h"
#include "editing/EffectImgWnd.h"
#include "editing/EffectsComboBox.h"
#include "editing/EffectsDialogs.h"
#include "editing/PreviewPicture.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/Cursor.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"
#include "tools/photoscene/PhotoScene.h"

#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class RecordingOwner final : public IEffectsDialogOwner {
public:
    CAdjustImage* GetEffectsTarget() override { return target; }
    void RedrawPreview() override { ++redraws; }
    void UpdateTwoColorsButton() override { ++colourUpdates; }
    void PlayButtonSound(LPCTSTR fileName) override { sounds.emplace_back(fileName); }
    BOOL ChooseTwoColors(CWnd*, COLORREF& first, COLORREF& second) override {
        if (!chooseColours)
            return FALSE;
        first = chosenFirst;
        second = chosenSecond;
        return TRUE;
    }

    CAdjustImage* target = nullptr;
    int redraws = 0;
    int colourUpdates = 0;
    std::vector<std::string> sounds;
    bool chooseColours = false;
    COLORREF chosenFirst = 0;
    COLORREF chosenSecond = 0;
};

constexpr UINT kPlus = 1053;
constexpr UINT kMinus = 1052;
constexpr UINT kRotate = 1035;
constexpr UINT kGray = 1050;
constexpr UINT kTwoColors = 1048;
constexpr UINT kUndo = 3;
constexpr UINT kReset = 1037;
constexpr UINT kEffectList = 2045;

// x of the bar that stands for a strength.
int BarX(int strength) {
    return 43 + (strength * 184 + 99) / 100;
}

class EffectsDlgTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        s_lacking = LoadLibrary(VC_TEST_BINARY_DIR "/without_EFFEKTE_WND.deu");
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_resources);
        FreeLibrary(s_lacking);
    }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_resources, nullptr);
        UseModule(s_resources);
        const std::vector<BYTE> photo = MakePhotoScene(240, 160);
        ASSERT_TRUE(m_picture.SetTo(static_cast<DWORD>(photo.size()), photo.data()));
        m_picture.Rebuild(true);
        m_owner.target = &m_picture;
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
    INT_PTR Run(CEffectsDlg& dialog, std::function<void()> step) {
        QTimer::singleShot(0, [step = std::move(step)] { step(); });
        return dialog.DoModal();
    }

    static void Command(CEffectsDlg& dialog, UINT id, WORD code = 0) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), 0);
    }

    static HMODULE s_resources;
    static HMODULE s_lacking;
    FakeAppServices m_services;
    RecordingOwner m_owner;
    CWorkBitmap m_picture;
    CWnd m_main;
};

HMODULE EffectsDlgTest::s_resources = nullptr;
HMODULE EffectsDlgTest::s_lacking = nullptr;

} // namespace

TEST(EffectsStrengthBarTest, MapsTheBarsEndsAndItsMarker) {
    EXPECT_EQ(CEffectsDlg::StrengthAtX(43), 0);
    EXPECT_EQ(CEffectsDlg::StrengthAtX(228), 100);
    EXPECT_EQ(CEffectsDlg::StrengthAtX(135), 50);
    EXPECT_EQ(CEffectsDlg::MarkerX(0), 43);
    EXPECT_EQ(CEffectsDlg::MarkerX(100), 227);
    for (int strength = 0; strength <= 100; ++strength)
        EXPECT_EQ(CEffectsDlg::StrengthAtX(BarX(strength)), strength) << strength;
}

TEST_F(EffectsDlgTest, OpensOnThePictureAndOkWithoutChangesAsksNothing) {
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    const INT_PTR result = Run(dialog, [&] {
        EXPECT_EQ(dialog.GetStrength(), 50);
        EXPECT_EQ(dialog.GetEffectList()->GetCount(), 20);
        EXPECT_EQ(dialog.GetEffectList()->GetCurSel(), 0);
        EXPECT_NE(dialog.GetPreviewPicture().GetPicture(), nullptr);
        EXPECT_FALSE(dialog.GetModifWnd()->GetPictureRect().IsRectEmpty());
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(m_services.Messages().empty());
    EXPECT_FALSE(dialog.IsApplied());
    EXPECT_EQ(m_owner.redraws, 0);
    EXPECT_EQ(m_owner.sounds, std::vector<std::string>{"camera2.wav"});
}

TEST_F(EffectsDlgTest, PlusAndMinusStopAtTheEndsAndApplyTheStrength) {
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    Run(dialog, [&] {
        Command(dialog, kPlus);
        EXPECT_EQ(dialog.GetStrength(), 51);
        EXPECT_EQ(dialog.GetWorkBitmap()->GetAdjustPercent(0), 51);
        dialog.SetStrength(100);
        Command(dialog, kPlus);
        EXPECT_EQ(dialog.GetStrength(), 100);
        dialog.SetStrength(0);
        Command(dialog, kMinus);
        EXPECT_EQ(dialog.GetStrength(), 0);
        EXPECT_EQ(dialog.GetWorkBitmap()->GetAdjustPercent(0), 0);
        // Strength changes by the keys push no snapshot.
        EXPECT_EQ(dialog.GetUndoCount(), 0u);
        Command(dialog, IDCANCEL);
    });
    // Cancel writes nothing back.
    EXPECT_EQ(m_picture.GetAdjustPercent(0), 50);
}

TEST_F(EffectsDlgTest, ADragPushesASnapshotOnlyAtTheEndsAndAtAChangedRelease) {
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    Run(dialog, [&] {
        // Released where it started: nothing.
        PressAt(&dialog, CPoint(BarX(50), 205));
        ReleaseAt(&dialog, CPoint(BarX(50), 205));
        EXPECT_EQ(dialog.GetUndoCount(), 0u);
        EXPECT_EQ(dialog.GetWorkBitmap()->GetAdjustPercent(0), 50);

        PressAt(&dialog, CPoint(BarX(50), 205));
        MoveTo(&dialog, CPoint(BarX(30), 205));
        EXPECT_EQ(dialog.GetStrength(), 30);
        EXPECT_EQ(dialog.GetUndoCount(), 0u);
        EXPECT_EQ(dialog.GetWorkBitmap()->GetAdjustPercent(0), 50);
        MoveTo(&dialog, CPoint(43, 205));
        EXPECT_EQ(dialog.GetUndoCount(), 1u);
        EXPECT_EQ(dialog.GetWorkBitmap()->GetAdjustPercent(0), 0);
        MoveTo(&dialog, CPoint(228, 205));
        EXPECT_EQ(dialog.GetUndoCount(), 2u);
        EXPECT_EQ(dialog.GetWorkBitmap()->GetAdjustPercent(0), 100);
        MoveTo(&dialog, CPoint(BarX(70), 205));
        EXPECT_EQ(dialog.GetUndoCount(), 2u);
        ReleaseAt(&dialog, CPoint(BarX(70), 205));
        EXPECT_EQ(dialog.GetUndoCount(), 3u);
        EXPECT_EQ(dialog.GetWorkBitmap()->GetAdjustPercent(0), 70);
        Command(dialog, IDCANCEL);
    });
}

TEST_F(EffectsDlgTest, FourQuarterTurnsComeBackToTheOpeningRotation) {
    for (const int opening : {0, 2700}) {
        m_picture.SetRotation(opening);
        m_picture.Rebuild(true);
        CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
        std::vector<int> met;
        Run(dialog, [&] {
            for (int turn = 0; turn < 4; ++turn) {
                Command(dialog, kRotate);
                met.push_back(dialog.GetRotation());
                EXPECT_EQ(dialog.GetWorkBitmap()->rotation, dialog.GetRotation());
            }
            // At zoom 1 each turn refits: the picture always lies inside the preview.
            const CRect shown = dialog.GetModifWnd()->GetPictureRect();
            EXPECT_GE(shown.left, 0);
            EXPECT_GE(shown.top, 0);
            Command(dialog, IDCANCEL);
        });
        const std::vector<int> expected =
            opening == 0 ? std::vector<int>{900, 1800, 2700, 0} : std::vector<int>{0, 900, 1800, 2700};
        EXPECT_EQ(met, expected) << opening;
    }
}

TEST_F(EffectsDlgTest, AColourModePressThenUndoGivesTheOpeningSettings) {
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    Run(dialog, [&] {
        Command(dialog, kGray);
        EXPECT_EQ(dialog.GetWorkBitmap()->colourMode, 1);
        EXPECT_EQ(dialog.GetUndoCount(), 1u);
        Command(dialog, kUndo);
        EXPECT_EQ(dialog.GetUndoCount(), 0u);
        EXPECT_EQ(dialog.GetColorMode(), 3);
        EXPECT_TRUE(dialog.GetWorkBitmap()->HasSameSettings(&m_picture));
        // An empty list only ticks.
        Command(dialog, kUndo);
        Command(dialog, IDCANCEL);
    });
    EXPECT_EQ(m_owner.sounds, (std::vector<std::string>{"quickcl.wav", "tick.wav", "tick.wav", "tick.wav"}));
}

TEST_F(EffectsDlgTest, PresetsShowTwoForNegativeAndFiveForRedEye) {
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    Run(dialog, [&] {
        struct Case {
            int effect;
            int visible;
        };
        for (const Case c : {Case{12, 2}, Case{19, 5}, Case{0, 5}}) {
            dialog.GetEffectList()->SetCurSel(c.effect);
            Command(dialog, kEffectList, CBN_SELCHANGE);
            int visible = 0;
            for (int i = 0; i < CEffectsDlg::kPresetCount; ++i)
                visible += dialog.GetPresetWnd(i)->IsWindowVisible() ? 1 : 0;
            EXPECT_EQ(visible, c.visible) << c.effect;
        }
        // Negative at 100 leaves the picture as it is: the original's pixels that the thumbnail shows.
        dialog.GetEffectList()->SetCurSel(12);
        Command(dialog, kEffectList, CBN_SELCHANGE);
        const CPictureInfo* unchanged = dialog.GetPresetWnd(1)->GetThumbnail();
        ASSERT_NE(unchanged, nullptr);
        EXPECT_EQ(dialog.GetPresetWnd(1)->GetValue(), 100);
        const CPictureInfo& original = *m_picture.GetOriginalDib();
        const OwnedPicture shown(SamplePicture(original,
                                               DrawnPixels(original.GetWidth(), unchanged->GetWidth()),
                                               DrawnPixels(original.GetHeight(), unchanged->GetHeight())));
        ASSERT_TRUE(shown);
        EXPECT_LT(unchanged->GetWidth(), original.GetWidth());
        EXPECT_EQ(std::memcmp(unchanged->GetBits(), shown->GetBits(),
                              static_cast<size_t>(unchanged->GetHeader()->biSizeImage)),
                  0);
        Command(dialog, IDCANCEL);
    });
}

TEST_F(EffectsDlgTest, OkAsksAndWritesBackOnlyOnYes) {
    struct Case {
        const char* name;
        int answer;
        INT_PTR result;
        bool applied;
    };
    for (const Case c : {Case{"yes writes back", IDYES, IDOK, true},
                         Case{"no closes without writing", IDNO, IDCANCEL, false}}) {
        CWorkBitmap picture;
        const std::vector<BYTE> photo = MakePhotoScene(120, 80);
        ASSERT_TRUE(picture.SetTo(static_cast<DWORD>(photo.size()), photo.data()));
        m_owner.target = &picture;
        m_services.ClearMessages();
        m_services.QueueAnswers({c.answer});
        CEffectsDlg dialog(&picture, &m_main, &m_owner);
        const INT_PTR result = Run(dialog, [&] {
            Command(dialog, kGray);
            dialog.SendMessage(WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{220}) << c.name;
        EXPECT_EQ(dialog.IsApplied() != FALSE, c.applied) << c.name;
        EXPECT_EQ(picture.colourMode, c.applied ? 1 : 3) << c.name;
    }
}

TEST_F(EffectsDlgTest, AChangeOfOnlyTheTwoColoursCountsAtOk) {
    m_owner.chooseColours = true;
    m_owner.chosenFirst = RGB(10, 20, 30);
    m_owner.chosenSecond = RGB(240, 230, 220);
    m_services.QueueAnswers({IDYES});
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    const INT_PTR result = Run(dialog, [&] {
        Command(dialog, kTwoColors, 5);
        // Not in two-colour mode: no snapshot.
        EXPECT_EQ(dialog.GetUndoCount(), 0u);
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{220});
    EXPECT_EQ(m_picture.GetDarkColor(), RGB(10, 20, 30));
    EXPECT_EQ(m_picture.GetLightColor(), RGB(240, 230, 220));
    EXPECT_EQ(m_owner.colourUpdates, 1);
}

TEST_F(EffectsDlgTest, AfterAResetOkStillWritesTheDefaultsBackKeepingThePath) {
    m_picture.SetFilePath("/fotos/urlaub.bmp");
    m_picture.colourMode = 1;
    m_picture.mirror = 1;
    m_services.QueueAnswers({IDYES, IDYES});
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    const INT_PTR result = Run(dialog, [&] {
        Command(dialog, kReset);
        EXPECT_EQ(dialog.GetColorMode(), 3);
        EXPECT_FALSE(dialog.GetMirror());
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_services.MessageIds(), (std::vector<UINT>{213, 220}));
    EXPECT_TRUE(dialog.IsApplied());
    EXPECT_EQ(m_picture.colourMode, 3);
    EXPECT_EQ(m_picture.mirror, 0);
    EXPECT_EQ(m_picture.GetFilePath(), "/fotos/urlaub.bmp");
}

TEST_F(EffectsDlgTest, AMissingBackgroundEndsWithCancelAndLeavesThePicture) {
    ASSERT_NE(s_lacking, nullptr);
    UseModule(s_lacking);
    ADJUST before = m_picture;
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    // Through the main window's interface alike.
    CEffectsDialogs dialogs;
    EffectsDialogResult result;
    result.rotation = -1;
    EXPECT_EQ(dialogs.RunEffectsDialog(&m_picture, &m_main, &m_owner, &result, nullptr), IDCANCEL);
    EXPECT_EQ(result.rotation, -1);
    EXPECT_TRUE(static_cast<const ADJUST&>(m_picture) == before);
    EXPECT_TRUE(m_services.Messages().empty());
}

TEST_F(EffectsDlgTest, ThePreviewTakesMouseAndMenuOnlyForRedEye) {
    CEffectsDlg dialog(&m_picture, &m_main, &m_owner);
    Run(dialog, [&] {
        CEffModifWnd* preview = dialog.GetModifWnd();
        const CRect shown = preview->GetPictureRect();
        PressAt(preview, shown.CenterPoint());
        EXPECT_FALSE(preview->IsPanning());
        ReleaseAt(preview, shown.CenterPoint());
        EXPECT_EQ(dialog.GetUndoCount(), 0u);

        dialog.GetEffectList()->SetCurSel(19);
        Command(dialog, kEffectList, CBN_SELCHANGE);
        const size_t afterChange = dialog.GetUndoCount();
        // Grab the region's middle and move it: one snapshot for the whole drag.
        double left, right, top, bottom;
        dialog.GetWorkBitmap()->GetCurrentShapeEntry(left, right, top, bottom, true);
        const CRect rect = preview->GetPictureRect();
        const CPoint middle(rect.left + static_cast<int>(rect.Width() * (left + right) / 2),
                            rect.top + static_cast<int>(rect.Height() * (top + bottom) / 2));
        PressAt(preview, middle);
        EXPECT_EQ(preview->GetDragMode(), kDragWholeFrame);
        MoveTo(preview, middle + CPoint(10, 5));
        MoveTo(preview, middle + CPoint(20, 10));
        ReleaseAt(preview, middle + CPoint(20, 10));
        EXPECT_EQ(dialog.GetUndoCount(), afterChange + 1);
        double movedLeft, movedRight, movedTop, movedBottom;
        dialog.GetWorkBitmap()->GetCurrentShapeEntry(movedLeft, movedRight, movedTop, movedBottom, true);
        EXPECT_GT(movedLeft, left);
        EXPECT_NEAR(movedRight - movedLeft, right - left, 1e-9);

        // Outside the region a press pans.
        PressAt(preview, CPoint(rect.left + 2, rect.top + 2));
        EXPECT_TRUE(preview->IsPanning());
        ReleaseAt(preview, CPoint(rect.left + 2, rect.top + 2));
        EXPECT_FALSE(preview->IsPanning());
        EXPECT_EQ(dialog.GetUndoCount(), afterChange + 1);

        // Zoom by the menu's commands.
        preview->SendMessage(WM_COMMAND, 32788, 0);
        EXPECT_EQ(preview->GetZoom(), 4.0);
        preview->SendMessage(WM_COMMAND, 32781, 0);
        EXPECT_EQ(preview->GetZoom(), 5.0);
        preview->SendMessage(WM_COMMAND, 32785, 0);
        EXPECT_EQ(preview->GetZoom(), 1.0);
        Command(dialog, IDCANCEL);
    });
}

TEST_F(EffectsDlgTest, ThePanCursorComesFromTheResourceModule) {
    const HCURSOR pan = LoadCursor(s_resources, MAKEINTRESOURCE(CEffModifWnd::kPanCursorId));
    ASSERT_NE(pan, nullptr);
    EXPECT_EQ(LoadCursor(s_resources, MAKEINTRESOURCE(CEffModifWnd::kPanCursorId)), pan);
    EXPECT_FALSE(DestroyCursor(pan));
    EXPECT_EQ(LoadCursor(s_resources, MAKEINTRESOURCE(1002)), nullptr);
}
