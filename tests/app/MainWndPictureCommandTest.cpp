// The picture commands on the real main window: the editing dialogs through a fake that records each
// run and presses the owner's steps, the merge's file through the scripted chooser. What each command
// pushes, marks and redraws, the steps and their limits, and the undo of the adjustment and placement
// records in both modes.
#include "app/EffectsDialogs.h"
#include "app/MainWnd.h"
#include "app/VellumcraftApp.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "page/DrawImage.h"
#include "page/EffOb.h"
#include "page/PreviewWnd.h"
#include "page/ShiftZoomOb.h"
#include "page/Template.h"
#include "page/UndoLayers.h"
#include "platform/base/MessageBeep.h"
#include "platform/base/Profile.h"
#include "platform/gdi/Dc.h"
#include "skin/KnobBitmapButton.h"
#include "skin/TwoColorsBitmapButton.h"
#include "tests/app/MainWndPageFixture.h"
#include "tests/support/ScriptedFileChooser.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <memory>
#include <string>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

namespace fs = std::filesystem;

constexpr WORD kDoubleClick = 5;

// Records each dialog run; each run plays the test's script on the owner and gives its answer.
class FakeEffectsDialogs final : public IEffectsDialogs {
public:
    FakeEffectsDialogs() { SetEffectsDialogs(this); }
    ~FakeEffectsDialogs() override { SetEffectsDialogs(nullptr); }
    FakeEffectsDialogs(const FakeEffectsDialogs&) = delete;
    FakeEffectsDialogs& operator=(const FakeEffectsDialogs&) = delete;

    INT_PTR RunEffectsDialog(CAdjustImage* picture, CWnd*, IEffectsDialogOwner* owner,
                             EffectsDialogResult* result, CAdjustImage* settings) override {
        runs.push_back("effects");
        return effects(*picture, *owner, *result, *settings);
    }
    INT_PTR RunMoveDlg(int zoomStep, int shiftStep, int rotateStep, CWnd*, const RECT&,
                       IMovePadOwner* owner) override {
        runs.push_back("pad " + std::to_string(zoomStep) + " " + std::to_string(shiftStep) + " " +
                       std::to_string(rotateStep));
        return movePad(*owner);
    }
    INT_PTR RunToolbarEffectsDlg(int percent, CWnd*, IToolPanelOwner* owner) override {
        runs.push_back("panel " + std::to_string(percent));
        return toolPanel(*owner);
    }
    INT_PTR RunSetColorDlg(COLORREF& first, COLORREF& second, CWnd*) override {
        runs.push_back("colours " + std::to_string(first) + " " + std::to_string(second));
        if (colourAnswer == IDOK) {
            first = chosenColours[0];
            second = chosenColours[1];
        }
        return colourAnswer;
    }
    INT_PTR RunSavePictureDialog(const SavePictureRequest&, CWnd*, SavePictureChoice&) override {
        runs.push_back("save");
        return IDCANCEL;
    }

    std::vector<std::string> runs;
    std::function<INT_PTR(CAdjustImage&, IEffectsDialogOwner&, EffectsDialogResult&, CAdjustImage&)> effects =
        [](CAdjustImage&, IEffectsDialogOwner&, EffectsDialogResult&, CAdjustImage&) { return IDCANCEL; };
    std::function<INT_PTR(IMovePadOwner&)> movePad = [](IMovePadOwner&) { return IDCANCEL; };
    std::function<INT_PTR(IToolPanelOwner&)> toolPanel = [](IToolPanelOwner&) { return IDCANCEL; };
    INT_PTR colourAnswer = IDCANCEL;
    COLORREF chosenColours[2] = {0, 0};
};

std::vector<UINT> g_beeps;
void RecordBeep(UINT type) {
    g_beeps.push_back(type);
}

constexpr COLORREF kMarker = RGB(1, 2, 3);

// The red byte of the picture's first pixel (the pictures are filled with one colour).
int FirstRed(const CPictureInfo* picture) {
    return picture->GetBits()[2];
}

class MainWndPictureTest : public MainWndPageTest {
protected:
    void SetUp() override {
        MainWndPageTest::SetUp();
        // Merged pictures go to the data folder's "Bilder".
        WriteProfileString("Settings", "DataPath", m_files.Path());
        WriteProfileInt("Settings", "PictureInstallType", 0);
        WriteProfileString("Settings", "PictureDataPath", "\\Bilder");
        m_manager = std::make_unique<CDSObjMgr>();
        m_manager->LoadInstallSettings();
        m_previousBeep = SetMessageBeepHandler(&RecordBeep);
        g_beeps.clear();
    }
    void TearDown() override {
        SetMessageBeepHandler(m_previousBeep);
        MainWndPageTest::TearDown();
        m_manager.reset();
    }

    void Command(UINT id, WORD code = BN_CLICKED) {
        m_window->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), 0);
        PumpMessages();
    }
    // Normal mode with a.bmp, brightness 25.
    CWorkBitmap* NormalPage() {
        m_services.SetEditMode(FALSE);
        EXPECT_TRUE(m_window->AddPicturesToPage(File("a.bmp")));
        m_window->GetWorkBitmap()->brightness = 0.25f;
        return m_window->GetWorkBitmap();
    }
    // Edit mode with the page "a.bmp Hallo b.bmp clip", a.bmp selected with brightness 25.
    CDrawImage* EditPicture() {
        CTemplate* page = EditPage();
        auto* image = static_cast<CDrawImage*>(page->GetObjectAt(0));
        image->SetSelected(TRUE);
        image->brightness = 0.25f;
        return image;
    }
    CPreviewWnd* Canvas() const { return static_cast<CPreviewWnd*>(m_window->GetPreviewWnd()); }
    CAdjustImage* Current() {
        return m_services.IsEditMode() ? static_cast<CDrawImage*>(m_window->GetTemplate()->GetObjectAt(0))
                                       : static_cast<CAdjustImage*>(m_window->GetWorkBitmap());
    }

    // Markers in the canvas's picture: one in the first object's area (the middle of the window in
    // normal mode), one in a corner outside it. What a command redrew: "page" when both are gone,
    // "area" when only the inner one is, "none" when both stay.
    void PlaceMarkers() {
        CTemplate* page = m_services.IsEditMode() ? m_window->GetTemplate() : nullptr;
        CRect client;
        Canvas()->GetClientRect(&client);
        m_inner = page ? Canvas()->ObjectToWindow(page->GetObjectAt(0)->GetPosition()).CenterPoint()
                       : client.CenterPoint();
        m_outer = CPoint(client.right - 2, client.bottom - 2);
        Canvas()->GetMemoryDC()->SetPixel(m_inner, kMarker);
        Canvas()->GetMemoryDC()->SetPixel(m_outer, kMarker);
    }
    std::string Redrawn() const {
        const bool inner = Canvas()->GetMemoryDC()->GetPixel(m_inner) != kMarker;
        const bool outer = Canvas()->GetMemoryDC()->GetPixel(m_outer) != kMarker;
        return outer ? "page" : inner ? "area" : "none";
    }
    // The newest record's class, or "none" when the list kept its length.
    std::string NewRecord(int countBefore) const {
        if (m_window->GetUndoCount() == countBefore)
            return "none";
        return m_window->GetLastUndo()->GetRuntimeClass()->m_lpszClassName;
    }
    std::vector<std::string> PictureFolder() const {
        std::vector<std::string> names;
        if (fs::exists(File("Bilder").str()))
            for (const auto& entry : fs::directory_iterator(File("Bilder").str()))
                names.push_back(entry.path().filename().string());
        return names;
    }

    std::unique_ptr<CDSObjMgr> m_manager;
    FakeEffectsDialogs m_dialogs;
    ScriptedFileChooser m_chooser;
    MessageBeepHandler m_previousBeep = nullptr;
    CPoint m_inner;
    CPoint m_outer;
};

struct CommandCase {
    const char* name;
    bool editMode;
    UINT command;
    WORD code;
    const char* record;
    const char* redraw;
};

const CommandCase kCommandCases[] = {
    {"EffectsNormal", false, 1014, BN_CLICKED, "none", "page"},
    {"EffectsEdit", true, 1014, BN_CLICKED, "none", "page"},
    {"TwoColoursModeNormal", false, 2082, BN_CLICKED, "CEffOb", "page"},
    {"GreyEdit", true, 2083, BN_CLICKED, "CEffOb", "page"},
    {"TrueColoursNormal", false, 2085, BN_CLICKED, "CEffOb", "page"},
    {"ChooseColoursNormal", false, 2082, kDoubleClick, "none", "page"},
    {"ChooseColoursEdit", true, 2082, kDoubleClick, "none", "page"},
    {"MirrorNormal", false, 2086, BN_CLICKED, "CEffOb", "page"},
    {"MirrorEdit", true, 2086, BN_CLICKED, "none", "area"},
    {"QuarterTurnNormal", false, 2087, BN_CLICKED, "CShiftZoomOb", "page"},
    {"QuarterTurnEdit", true, 2087, BN_CLICKED, "none", "area"},
    {"MovePadNormal", false, 2088, BN_CLICKED, "CShiftZoomOb", "page"},
    {"MovePadEdit", true, 2088, BN_CLICKED, "CShiftZoomOb", "area"},
    {"ResetNormal", false, 2089, BN_CLICKED, "none", "page"},
    {"ResetEdit", true, 2089, BN_CLICKED, "none", "page"},
    {"BrightnessNormal", false, 2090, BN_CLICKED, "CEffOb", "page"},
    {"GammaEdit", true, 2094, BN_CLICKED, "CEffOb", "page"},
    {"MergeNormal", false, 2095, BN_CLICKED, "CUndoNormal", "page"},
    {"MergeEdit", true, 2095, BN_CLICKED, "CUndoObject", "page"},
};

TEST_F(MainWndPictureTest, EachCommandPushesItsRecordMarksTheProjectAndRedraws) {
    m_dialogs.effects = [](CAdjustImage&, IEffectsDialogOwner&, EffectsDialogResult& result, CAdjustImage&) {
        result.mirror = TRUE;
        return IDOK;
    };
    m_dialogs.colourAnswer = IDOK;
    m_dialogs.chosenColours[0] = RGB(9, 9, 9);
    m_dialogs.movePad = [](IMovePadOwner& owner) {
        owner.IncreasePictureOffsetX();
        return IDOK;
    };
    m_dialogs.toolPanel = [](IToolPanelOwner& owner) {
        owner.SetAdjustmentValue(80);
        return IDOK;
    };
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE(c.name);
        if (c.editMode)
            EditPicture();
        else
            NormalPage();
        m_window->ClearUndo();
        m_window->AddUndo(new CUndoLayers(0, 0));
        m_window->SetModified(FALSE);
        m_services.ClearMessages();
        if (c.command == 2089)
            m_services.QueueAnswers({IDYES});
        if (c.command == 2095)
            m_chooser.Pick({File("b.bmp")});
        PlaceMarkers();
        Command(c.command, c.code);
        EXPECT_EQ(NewRecord(1), c.record);
        EXPECT_TRUE(m_window->IsModified());
        EXPECT_EQ(Redrawn(), c.redraw);
        EXPECT_EQ(m_window->GetUndoCount(), std::string(c.record) == "none" ? 1 : 2);
        EXPECT_EQ(m_services.MessageIds(), c.command == 2089 ? std::vector<UINT>{213} : std::vector<UINT>{});
    }
}

TEST_F(MainWndPictureTest, WithoutAPictureNothingRunsAndNothingIsPushed) {
    m_services.SetEditMode(FALSE);
    for (UINT id : {1014u, 2082u, 2086u, 2087u, 2088u, 2089u, 2090u, 2095u}) {
        SCOPED_TRACE(id);
        Command(id);
        Command(2082, kDoubleClick);
    }
    EXPECT_THAT(m_dialogs.runs, IsEmpty());
    EXPECT_EQ(m_window->GetUndoCount(), 0);
    EXPECT_FALSE(m_window->IsModified());
    EXPECT_THAT(m_chooser.Requests(), IsEmpty());
    // Two pictures selected: message 172, nothing else.
    CTemplate* page = EditPage();
    page->GetObjectAt(0)->SetSelected(TRUE);
    page->GetObjectAt(2)->SetSelected(TRUE);
    Command(2088);
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{172});
    EXPECT_EQ(m_window->GetUndoCount(), 0);
}

TEST_F(MainWndPictureTest, ColourModesSetTheModeAndUndoBringsBackTheSettings) {
    for (bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "edit" : "normal");
        CAdjustImage* picture = edit ? static_cast<CAdjustImage*>(EditPicture()) : NormalPage();
        m_window->ClearUndo();
        for (UINT id = 2082; id <= 2085; ++id) {
            Command(id);
            EXPECT_EQ(picture->colourMode, static_cast<int>(id - 2082));
        }
        auto* record = static_cast<CEffOb*>(m_window->GetLastUndo());
        EXPECT_EQ(record->GetObjectIndex(), edit ? 0 : -1);
        EXPECT_EQ(record->GetSnapshot()->colourMode, 2);
        for (int expected : {2, 1, 0, 3}) {
            m_window->OnUndo();
            EXPECT_EQ(picture->colourMode, expected);
        }
        EXPECT_EQ(m_window->GetUndoCount(), 0);
        EXPECT_FLOAT_EQ(picture->brightness, 0.25f);
    }
}

TEST_F(MainWndPictureTest, FourQuarterTurnsComeBackToZeroAndOnlyNormalModeTurnsAreUndone) {
    for (bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "edit" : "normal");
        CAdjustImage* picture = edit ? static_cast<CAdjustImage*>(EditPicture()) : NormalPage();
        m_window->ClearUndo();
        std::vector<int> rotations;
        for (int turn = 0; turn < 4; ++turn) {
            Command(2087);
            rotations.push_back(picture->rotation);
        }
        EXPECT_THAT(rotations, ElementsAre(900, 1800, 2700, 0));
        Command(2086);
        EXPECT_EQ(picture->mirror, 1);
        EXPECT_EQ(m_window->GetUndoCount(), edit ? 0 : 5);
        m_window->OnUndo();
        EXPECT_EQ(picture->mirror, edit ? 1 : 0);
        m_window->OnUndo();
        EXPECT_EQ(picture->rotation, edit ? 0 : 2700);
    }
}

struct StepCase {
    const char* name;
    void (IMovePadOwner::*step)();
    int shiftX;
    int shiftY;
    int zoom;
    int rotation;
};

// Steps of 5 (zoom), 7 (shift) and 30 (rotation) from shift 0, zoom 100, rotation 0.
const StepCase kStepCases[] = {
    {"Left", &IMovePadOwner::DecreasePictureOffsetX, -7, 0, 100, 0},
    {"Right", &IMovePadOwner::IncreasePictureOffsetX, 7, 0, 100, 0},
    {"Up", &IMovePadOwner::DecreasePictureOffsetY, 0, -7, 100, 0},
    {"Down", &IMovePadOwner::IncreasePictureOffsetY, 0, 7, 100, 0},
    {"ZoomIn", &IMovePadOwner::IncreasePictureZoom, 0, 0, 105, 0},
    {"ZoomOut", &IMovePadOwner::DecreasePictureZoom, 0, 0, 95, 0},
    {"TurnLeft", &IMovePadOwner::IncreasePictureRotation, 0, 0, 100, 30},
    {"TurnRight", &IMovePadOwner::DecreasePictureRotation, 0, 0, 100, 3570},
};

TEST_F(MainWndPictureTest, ThePadsStepsMoveByTheProgramsStepsAndItsCancelUndoesThemAll) {
    CVellumcraftApp app; // the step sizes are the program's
    SetAppServices(&m_services);
    app.SetZoomStep(5);
    app.SetShiftStep(7);
    app.SetRotateStep(30);
    for (bool edit : {false, true}) {
        for (const StepCase& c : kStepCases) {
            SCOPED_TRACE(std::string(c.name) + (edit ? " edit" : " normal"));
            CAdjustImage* picture = edit ? static_cast<CAdjustImage*>(EditPicture()) : NormalPage();
            m_window->ClearUndo();
            m_window->SetModified(FALSE);
            m_dialogs.runs.clear();
            m_dialogs.movePad = [&](IMovePadOwner& owner) {
                (owner.*c.step)();
                EXPECT_EQ(picture->shiftX, c.shiftX);
                EXPECT_EQ(picture->shiftY, c.shiftY);
                EXPECT_EQ(picture->zoom, c.zoom);
                EXPECT_EQ(picture->rotation, c.rotation);
                EXPECT_TRUE(m_window->IsModified());
                EXPECT_EQ(m_window->GetUndoCount(), 1); // the steps push nothing
                (owner.*c.step)();
                owner.OnUndo(); // the pad's cancel
                return IDCANCEL;
            };
            Command(2088);
            EXPECT_THAT(m_dialogs.runs, ElementsAre("pad 5 7 30"));
            EXPECT_EQ(picture->shiftX, 0);
            EXPECT_EQ(picture->shiftY, 0);
            EXPECT_EQ(picture->zoom, 100);
            EXPECT_EQ(picture->rotation, 0);
            EXPECT_EQ(m_window->GetUndoCount(), 0);
        }
    }
    EXPECT_THAT(g_beeps, IsEmpty());
}

TEST_F(MainWndPictureTest, ZoomingBelowOneBeepsKeepsTheZoomAndStillRedraws) {
    CVellumcraftApp app;
    SetAppServices(&m_services);
    for (int step : {1, 5, 1000}) {
        SCOPED_TRACE(step);
        app.SetZoomStep(step);
        CWorkBitmap* picture = NormalPage();
        picture->zoom = 1;
        m_window->ClearUndo();
        m_window->SetModified(FALSE);
        g_beeps.clear();
        PlaceMarkers();
        m_window->DecreasePictureZoom();
        EXPECT_EQ(picture->zoom, 1);
        EXPECT_THAT(g_beeps, ElementsAre(0xFFFFFFFFu));
        EXPECT_EQ(Redrawn(), "page");
        EXPECT_FALSE(m_window->IsModified());
        EXPECT_EQ(m_window->GetUndoCount(), 0);
    }
}

TEST_F(MainWndPictureTest, StepsOnAnEmptyFrameShow214AndChangeNothing) {
    CTemplate* page = EditPage();
    auto* empty = Image(page, nullptr, 400);
    page->InsertObject(empty, -1);
    empty->SetSelected(TRUE);
    m_window->IncreasePictureOffsetX();
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{214});
    EXPECT_EQ(empty->shiftX, 0);
    EXPECT_FALSE(m_window->IsModified());
}

TEST_F(MainWndPictureTest, AdjustmentPanelStartsAtThePercentAndItsCancelRestoresTheOpeningSettingsExactly) {
    for (bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "edit" : "normal");
        CAdjustImage* picture = edit ? static_cast<CAdjustImage*>(EditPicture()) : NormalPage();
        picture->SetAdjustPercent(kAdjustContrast, 70);
        // Between two of the panel's steps: only the opening settings themselves bring it back.
        picture->gamma = 1.2345f;
        m_window->ClearUndo();
        m_dialogs.runs.clear();
        m_dialogs.toolPanel = [&](IToolPanelOwner& owner) {
            owner.SetAdjustmentValue(10);
            EXPECT_EQ(picture->GetAdjustPercent(kAdjustContrast), 10);
            owner.SetAdjustmentValue(90);
            return IDCANCEL;
        };
        Command(2092);
        EXPECT_THAT(m_dialogs.runs, ElementsAre("panel 70"));
        EXPECT_EQ(picture->GetAdjustPercent(kAdjustContrast), 70);
        EXPECT_EQ(picture->gamma, 1.2345f);
        EXPECT_EQ(NewRecord(0), "CEffOb");
        m_window->OnUndo();
        EXPECT_EQ(picture->GetAdjustPercent(kAdjustContrast), 70);
        EXPECT_EQ(picture->gamma, 1.2345f);
        EXPECT_FLOAT_EQ(picture->brightness, 0.25f);
        EXPECT_EQ(m_window->GetUndoCount(), 0);
    }
}

TEST_F(MainWndPictureTest, EffectsDialogResultLandsOnTheWorkingPictureUnlessTheDialogAppliedIt) {
    CWorkBitmap* picture = NormalPage();
    fs::create_directory(File("Sound").str());
    std::ofstream(File("Sound/tick.wav").str()) << "RIFF";
    m_services.SetSound(TRUE, File("Sound"));
    auto* knob = static_cast<CKnobBitmapButton*>(m_window->GetButton(CMainWnd::kKnob));
    for (BOOL applied : {FALSE, TRUE}) {
        SCOPED_TRACE(applied);
        m_window->SetModified(FALSE);
        m_dialogs.effects = [&](CAdjustImage& shown, IEffectsDialogOwner& owner, EffectsDialogResult& result,
                                CAdjustImage& settings) {
            EXPECT_EQ(&shown, picture);
            EXPECT_EQ(owner.GetEffectsTarget(), picture);
            settings.brightness = 0.5f;
            result = EffectsDialogResult{applied, 1,   TRUE, 900, RGB(1, 1, 1), RGB(2, 2, 2),
                                         TRUE,    0.1, 0.9,  0.2, 0.8};
            return IDOK;
        };
        Command(1014);
        EXPECT_EQ(knob->GetPosition(), CMainWnd::kZoneEffects);
        EXPECT_TRUE(m_window->IsModified());
        EXPECT_EQ(m_window->GetUndoCount(), 0);
    }
    // The first run copied the result; the second, applied, left the picture to the dialog.
    EXPECT_FLOAT_EQ(picture->brightness, 0.5f);
    EXPECT_EQ(picture->colourMode, 1);
    EXPECT_EQ(picture->mirror, 1);
    EXPECT_EQ(picture->rotation, 900);
    EXPECT_EQ(picture->GetLightColor(), RGB(2, 2, 2));
    EXPECT_EQ(picture->cropOn, 1);
    EXPECT_DOUBLE_EQ(picture->cropBottom, 0.8);
    auto* button = static_cast<CTwoColorsBitmapButton*>(m_window->GetButton(CMainWnd::k2Colors));
    EXPECT_EQ(button->GetFirstColor(), RGB(1, 1, 1));

    // Cancel: nothing changes and nothing is marked.
    m_window->SetModified(FALSE);
    m_dialogs.effects = [](CAdjustImage&, IEffectsDialogOwner&, EffectsDialogResult&,
                           CAdjustImage& settings) {
        settings.brightness = 0.0f;
        return IDCANCEL;
    };
    Command(1014);
    EXPECT_FLOAT_EQ(picture->brightness, 0.5f);
    EXPECT_FALSE(m_window->IsModified());
}

TEST_F(MainWndPictureTest, ChosenColoursReachThePictureAndTheButtonAndCancelKeepsThem) {
    CDrawImage* picture = EditPicture();
    picture->SetTwoColors(RGB(1, 1, 1), RGB(2, 2, 2));
    m_dialogs.chosenColours[0] = RGB(3, 3, 3);
    m_dialogs.chosenColours[1] = RGB(4, 4, 4);
    Command(2082, kDoubleClick);
    EXPECT_FALSE(m_window->IsModified());
    m_dialogs.colourAnswer = IDOK;
    Command(2082, kDoubleClick);
    EXPECT_THAT(m_dialogs.runs,
                ElementsAre("colours " + std::to_string(RGB(1, 1, 1)) + " " + std::to_string(RGB(2, 2, 2)),
                            "colours " + std::to_string(RGB(1, 1, 1)) + " " + std::to_string(RGB(2, 2, 2))));
    EXPECT_EQ(picture->GetDarkColor(), RGB(3, 3, 3));
    EXPECT_EQ(picture->GetLightColor(), RGB(4, 4, 4));
    auto* button = static_cast<CTwoColorsBitmapButton*>(m_window->GetButton(CMainWnd::k2Colors));
    EXPECT_EQ(button->GetSecondColor(), RGB(4, 4, 4));
    EXPECT_TRUE(m_window->IsModified());
    EXPECT_EQ(m_window->GetUndoCount(), 0);
    // Two selected pictures: the button shows black and black, and the chooser does not open.
    m_window->GetTemplate()->GetObjectAt(2)->SetSelected(TRUE);
    m_window->UpdateTwoColorsButton();
    EXPECT_EQ(button->GetFirstColor(), RGB(0, 0, 0));
    EXPECT_EQ(button->GetSecondColor(), RGB(0, 0, 0));
    Command(2082, kDoubleClick);
    EXPECT_EQ(m_dialogs.runs.size(), 2u);
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{172});
}

TEST_F(MainWndPictureTest, ResetAsksOnlyForAnAdjustedPictureAndKeepsAPictureWhoseFileIsGone) {
    // Unadjusted: message 242 and no question.
    CWorkBitmap* picture = NormalPage();
    picture->brightness = 0.0f;
    Command(2089);
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{242});
    // No: nothing.
    picture->brightness = 0.25f;
    m_services.ClearMessages();
    m_services.QueueAnswers({IDNO});
    Command(2089);
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{213});
    EXPECT_FLOAT_EQ(m_window->GetWorkBitmap()->brightness, 0.25f);
    EXPECT_FALSE(m_window->IsModified());
    // Yes: the file again, unadjusted.
    m_services.QueueAnswers({IDYES});
    Command(2089);
    EXPECT_NE(m_window->GetWorkBitmap(), nullptr);
    EXPECT_FLOAT_EQ(m_window->GetWorkBitmap()->brightness, 0.0f);
    EXPECT_EQ(NameOf(m_window->GetWorkBitmap()->GetFilePath()), "a.bmp");
    EXPECT_TRUE(m_window->IsModified());
    // Yes with the file gone: the picture stays, its settings reset.
    picture = m_window->GetWorkBitmap();
    picture->brightness = 0.25f;
    picture->colourMode = 1;
    fs::remove(File("a.bmp").str());
    m_services.QueueAnswers({IDYES});
    Command(2089);
    ASSERT_EQ(m_window->GetWorkBitmap(), picture);
    EXPECT_NE(picture->GetAdjustedDib(), nullptr);
    EXPECT_FLOAT_EQ(picture->brightness, 0.0f);
    EXPECT_EQ(picture->colourMode, 3);
    EXPECT_EQ(m_window->GetUndoCount(), 0);
}

TEST_F(MainWndPictureTest, MergeWritesANumberedFileThatBecomesThePicturesSourceAndUndoTakesItBack) {
    for (bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "edit" : "normal");
        CAdjustImage* picture = edit ? static_cast<CAdjustImage*>(EditPicture()) : NormalPage();
        const int before = FirstRed(picture->GetOriginalDib());
        m_window->ClearUndo();
        m_chooser.Pick({File("b.bmp")});
        Command(2095);
        ASSERT_EQ(m_chooser.Requests().size(), edit ? 2u : 1u);
        const CString path = Current()->GetFilePath();
        EXPECT_EQ(NameOf(path), edit ? "1.bmp" : "0.bmp");
        EXPECT_EQ(path, File("Bilder/") + NameOf(path).c_str());
        EXPECT_GT(fs::file_size(path.str()), 0u);
        // a + b - 127 byte by byte.
        EXPECT_EQ(FirstRed(Current()->GetOriginalDib()), 'a' + 'b' - 127);
        EXPECT_FLOAT_EQ(Current()->brightness, 0.25f);
        EXPECT_TRUE(m_window->IsModified());
        m_window->OnUndo();
        EXPECT_EQ(NameOf(Current()->GetFilePath()), "a.bmp");
        EXPECT_EQ(FirstRed(Current()->GetOriginalDib()), before);
        EXPECT_FLOAT_EQ(Current()->brightness, 0.25f);
    }
}

TEST_F(MainWndPictureTest, AMergeWithoutResultShows165AndLeavesNoFile) {
    CWorkBitmap* picture = NormalPage();
    std::ofstream(File("kaputt.bmp").str()) << "kein Bild";
    m_chooser.Pick({File("kaputt.bmp")});
    Command(2095);
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{165});
    // Cancelled: nothing at all.
    m_chooser.Cancel();
    Command(2095);
    EXPECT_EQ(m_chooser.Requests().size(), 2u);
    EXPECT_EQ(m_services.MessageIds(), std::vector<UINT>{165});
    EXPECT_EQ(m_window->GetWorkBitmap(), picture);
    EXPECT_EQ(NameOf(picture->GetFilePath()), "a.bmp");
    EXPECT_EQ(m_window->GetUndoCount(), 0);
    EXPECT_FALSE(m_window->IsModified());
    EXPECT_THAT(PictureFolder(), IsEmpty());
}

struct UndoCase {
    const char* name;
    bool editMode;
    std::function<CObject*(const CAdjustImage& picture)> record;
    int brightness; // percent afterwards
    int shiftX;
    int zoom;
    int rotation;
    bool modified;
};

// The picture's settings before its brightness became 75 %.
CAdjustImage* SnapshotAt60(const CAdjustImage& picture) {
    CAdjustImage* snapshot = picture.Clone();
    snapshot->SetAdjustPercent(kAdjustBrightness, 60);
    return snapshot;
}

// From brightness 75 %, shift 5, zoom 200, rotation 1800.
const UndoCase kUndoCases[] = {
    {"SettingsNormal", false, [](const CAdjustImage& p) { return new CEffOb(SnapshotAt60(p), -1); }, 60, 5,
     200, 1800, true},
    {"SettingsEdit", true, [](const CAdjustImage& p) { return new CEffOb(SnapshotAt60(p), 0); }, 60, 5, 200,
     1800, true},
    {"PlacementNormal", false, [](const CAdjustImage&) { return new CShiftZoomOb(-3, 4, 900, 150, -1); }, 75,
     -3, 150, 900, true},
    {"PlacementEdit", true, [](const CAdjustImage&) { return new CShiftZoomOb(-3, 4, 900, 150, 0); }, 75, -3,
     150, 900, true},
    {"ZeroZoomKeepsTheZoom", true, [](const CAdjustImage&) { return new CShiftZoomOb(-3, 4, 900, 0, 0); }, 75,
     -3, 200, 900, true},
    {"EmptySettingsRecord", false, [](const CAdjustImage&) { return new CEffOb; }, 75, 5, 200, 1800, false},
    {"StaleIndexOfAText", true, [](const CAdjustImage& p) { return new CEffOb(SnapshotAt60(p), 1); }, 75, 5,
     200, 1800, false},
    {"StaleIndexPastTheEnd", true, [](const CAdjustImage&) { return new CShiftZoomOb(-3, 4, 900, 150, 9); },
     75, 5, 200, 1800, false},
    {"EditRecordInNormalMode", false, [](const CAdjustImage& p) { return new CEffOb(SnapshotAt60(p), 0); },
     75, 5, 200, 1800, false},
};

TEST_F(MainWndPictureTest, UndoPutsTheRecordsStateOnItsPictureOrDropsAStaleRecord) {
    for (const UndoCase& c : kUndoCases) {
        SCOPED_TRACE(c.name);
        CAdjustImage* picture = c.editMode ? static_cast<CAdjustImage*>(EditPicture()) : NormalPage();
        picture->SetAdjustPercent(kAdjustBrightness, 75);
        picture->shiftX = 5;
        picture->zoom = 200;
        picture->SetRotation(1800);
        m_window->ClearUndo();
        m_window->AddUndo(new CUndoLayers(0, 0));
        m_window->AddUndo(c.record(*picture));
        m_window->SetModified(FALSE);
        m_panelLog.clear();
        m_window->OnUndo();
        EXPECT_EQ(m_window->GetUndoCount(), 1);
        EXPECT_EQ(picture->GetAdjustPercent(kAdjustBrightness), c.brightness);
        EXPECT_EQ(picture->shiftX, c.shiftX);
        EXPECT_EQ(picture->zoom, c.zoom);
        EXPECT_EQ(picture->rotation, c.rotation);
        EXPECT_EQ(m_window->IsModified() != 0, c.modified);
        EXPECT_THAT(m_panelLog, ElementsAre("undo 1"));
    }
}

TEST_F(MainWndPictureTest, UndoOfAnEditModeSnapshotShowsItsTwoColours) {
    EditPicture();
    auto* snapshot = new CAdjustImage(false);
    snapshot->SetTwoColors(RGB(7, 7, 7), RGB(8, 8, 8));
    m_window->AddUndo(new CEffOb(snapshot, 0));
    m_window->OnUndo();
    auto* button = static_cast<CTwoColorsBitmapButton*>(m_window->GetButton(CMainWnd::k2Colors));
    EXPECT_EQ(button->GetFirstColor(), RGB(7, 7, 7));
    EXPECT_EQ(button->GetSecondColor(), RGB(8, 8, 8));
    EXPECT_THAT(m_panelLog, ElementsAre("undo 1", "undo 0"));
}

} // namespace
