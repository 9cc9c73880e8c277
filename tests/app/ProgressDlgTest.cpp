// The two modeless progress dialogs: the bar follows range, step and position, the label beside it shows
// the percentage, Cancel only raises a flag, and the pumping variant disables its owner while it is up.

#include "app/ProgressDlg.h"

#include "app/ProgDlg.h"
#include "platform/ui/ProgressCtrl.h"
#include "tests/app/DialogTestSupport.h"

namespace {

constexpr int kBar = 1003;
constexpr int kLabel = 1004;

class ProgressDlgTest : public AppDialogTest {
protected:
    int BarPos(const CWnd& dialog) const {
        return static_cast<int>(dialog.GetDlgItem(kBar)->SendMessage(PBM_GETPOS));
    }
};

TEST_F(ProgressDlgTest, OpensWithTheCaptionStringAndTheBarAtTheStart) {
    m_services.SetString(900, "Vorlage wird übernommen");
    CProgressDlg custom(900);
    ASSERT_TRUE(custom.Create(&m_owner));
    CString title;
    custom.GetWindowText(title);
    EXPECT_EQ(title, "Vorlage wird übernommen");
    EXPECT_EQ(BarPos(custom), 0);
    EXPECT_EQ(ItemText(custom, kLabel), "0%");

    CProgressDlg standard;
    ASSERT_TRUE(standard.Create(&m_owner));
    standard.GetWindowText(title);
    EXPECT_EQ(title, "Bitte warten …") << "string 175 by default";
}

// A sequence of calls on a dialog with range 0..200 and step 25.5 (the bar moves by 25).
struct ProgressCall {
    const char* name;
    enum Kind { kSetPos, kOffset, kStep } kind;
    int argument;
    int barAfter;
    const char* label;
};

std::ostream& operator<<(std::ostream& out, const ProgressCall& call) {
    return out << call.name;
}

class ProgressCallTest : public ProgressDlgTest, public ::testing::WithParamInterface<ProgressCall> {};

TEST_P(ProgressCallTest, BarAndLabelFollowTheCall) {
    const ProgressCall& call = GetParam();
    CProgressDlg dialog;
    dialog.SetRange(0, 200);
    dialog.SetStep(25.5f);
    ASSERT_TRUE(dialog.Create(&m_owner));
    dialog.SetPos(100);
    switch (call.kind) {
    case ProgressCall::kSetPos:
        EXPECT_EQ(dialog.SetPos(call.argument), 100);
        break;
    case ProgressCall::kOffset:
        EXPECT_EQ(dialog.OffsetPos(call.argument), 100);
        break;
    case ProgressCall::kStep:
        EXPECT_EQ(dialog.StepIt(), 100);
        break;
    }
    EXPECT_EQ(BarPos(dialog), call.barAfter);
    EXPECT_EQ(ItemText(dialog, kLabel), call.label);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ProgressCallTest,
    ::testing::Values(ProgressCall{"SetPosShowsItsShare", ProgressCall::kSetPos, 50, 50, "25%"},
                      ProgressCall{"SetPosAtHighShowsHundred", ProgressCall::kSetPos, 200, 200, "100%"},
                      ProgressCall{"OffsetAddsToThePositionBefore", ProgressCall::kOffset, 30, 130, "65%"},
                      ProgressCall{"StepItMovesByTheWholeStep", ProgressCall::kStep, 0, 125, "62%"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgressDlgTest, RangeChangedWhileOpenReachesBarAndLabel) {
    CProgressDlg dialog;
    ASSERT_TRUE(dialog.Create(&m_owner));
    dialog.SetRange(10, 20);
    dialog.SetPos(15);
    EXPECT_EQ(BarPos(dialog), 15);
    EXPECT_EQ(ItemText(dialog, kLabel), "50%");
    dialog.SetPos(30);
    EXPECT_EQ(ItemText(dialog, kLabel), "0%") << "beyond high: the excess modulo 100";
}

TEST_F(ProgressDlgTest, RangeWithHighEqualToLowShowsZeroThenHundred) {
    CProgressDlg dialog;
    dialog.SetRange(5, 5);
    ASSERT_TRUE(dialog.Create(&m_owner));
    dialog.SetPos(4);
    EXPECT_EQ(ItemText(dialog, kLabel), "0%");
    dialog.SetPos(5);
    EXPECT_EQ(ItemText(dialog, kLabel), "100%");
}

TEST_F(ProgressDlgTest, CancelRaisesAFlagOnceAndKeepsTheDialogOpen) {
    CProgressDlg dialog;
    ASSERT_TRUE(dialog.Create(&m_owner));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_FALSE(dialog.CheckCancel());
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDCANCEL)->GetSafeHwnd()));
    EXPECT_TRUE(dialog.CheckCancel());
    EXPECT_FALSE(dialog.CheckCancel()) << "reading the flag clears it";
    EXPECT_TRUE(dialog.IsWindowVisible());

    ASSERT_TRUE(WaitUntilActive(&dialog));
    TypeKey(&dialog, Qt::Key_Escape);
    PumpMessages();
    EXPECT_TRUE(dialog.CheckCancel()) << "Esc cancels as the button does";
    EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST_F(ProgressDlgTest, DestroyingTheObjectDestroysItsWindow) {
    HWND window = nullptr;
    {
        CProgressDlg dialog;
        ASSERT_TRUE(dialog.Create(&m_owner));
        window = dialog.GetSafeHwnd();
        EXPECT_TRUE(::IsWindow(window));
    }
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(ProgressDlgTest, PumpingDialogDisablesItsOwnerUntilDestroyed) {
    CProgDlg dialog;
    ASSERT_TRUE(dialog.Create(&m_owner));
    EXPECT_FALSE(m_owner.IsWindowEnabled());
    CString title;
    dialog.GetWindowText(title);
    EXPECT_EQ(title, "Vellumcraft");
    dialog.DestroyWindow();
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

TEST_F(ProgressDlgTest, PumpingDialogLeavesAnAlreadyDisabledOwnerDisabled) {
    m_owner.EnableWindow(FALSE);
    CProgDlg dialog;
    ASSERT_TRUE(dialog.Create(&m_owner));
    dialog.DestroyWindow();
    EXPECT_FALSE(m_owner.IsWindowEnabled());
}

// A window that counts the private messages it receives.
class CountingWnd : public CWnd {
public:
    static constexpr UINT kPing = WM_USER + 77;
    int pings = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kPing)
            ++pings;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(ProgressDlgTest, PumpingDialogHandlesWaitingMessagesBeforeEachUpdate) {
    CountingWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "anderes", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CProgDlg dialog;
    ASSERT_TRUE(dialog.Create(&m_owner));
    dialog.SetStep(30);
    other.PostMessage(CountingWnd::kPing);
    dialog.StepIt();
    EXPECT_EQ(other.pings, 1) << "handled by the time the position moves";
    EXPECT_EQ(BarPos(dialog), 30);
    EXPECT_EQ(ItemText(dialog, kLabel), "30%");
    other.PostMessage(CountingWnd::kPing);
    dialog.SetPos(100);
    EXPECT_EQ(other.pings, 2);
    EXPECT_EQ(ItemText(dialog, kLabel), "100%");
    other.DestroyWindow();
}

} // namespace

namespace {

TEST_F(ProgressDlgTest, PageOperationsOpenStepAndCloseItThroughTheirInterface) {
    CProgressDlg dialog;
    IProgressReport& report = dialog;
    report.SetRange(0, 4);
    report.SetStep(1.0f);
    report.Open("Vellumcraft");
    ASSERT_NE(dialog.m_hWnd, nullptr);
    EXPECT_TRUE(dialog.IsWindowVisible());
    CString title;
    dialog.GetWindowText(title);
    EXPECT_EQ(title, "Vellumcraft");
    EXPECT_EQ(report.StepIt(), 0);
    EXPECT_EQ(BarPos(dialog), 1);
    EXPECT_EQ(ItemText(dialog, kLabel), "25%");
    report.Close();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

} // namespace
