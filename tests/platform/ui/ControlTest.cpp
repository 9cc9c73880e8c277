// Labels, edit fields and progress bars: their notifications, text in UTF-8 bytes, and the progress
// bar's range rules.

#include "platform/ui/Edit.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/Static.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class ControlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_parent.CreatePopup(CRect(0, 0, 300, 200)));
        ShowActive(&m_parent);
        m_log.clear();
    }

    MessageLog m_log;
    LoggingWnd m_parent{&m_log, "parent"};
};

TEST_F(ControlTest, LabelsReportClicksOnlyWithNotifyAndOtherwiseLetThemThrough) {
    CStatic plain;
    CStatic notifying;
    ASSERT_TRUE(plain.Create("Ebene", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 30), &m_parent, 1));
    ASSERT_TRUE(
        notifying.Create("Link", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 40, 110, 60), &m_parent, 2));

    ClickAt(&plain, CPoint(5, 5));
    ClickAt(&notifying, CPoint(5, 5));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("parent ldown 15,15 flags 1", "parent lup 15,15 flags 0",
                                   "parent command 2 code 0 from Link"));
}

TEST_F(ControlTest, ALabelShowsItsTextOnTheDialogColour) {
    CStatic label;
    ASSERT_TRUE(
        label.Create("IIIIIIII", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(10, 10, 110, 30), &m_parent, 1));
    int inked = 0;
    for (int x = 0; x < 100; ++x)
        inked += WindowPixel(&label, CPoint(x, 6)) != GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(inked, 4);
    EXPECT_EQ(WindowPixel(&label, CPoint(2, 2)), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ControlTest, EditTextIsUtf8AndEveryChangeIsReported) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 30), &m_parent, 1001));
    edit.SetWindowText("Größe");
    edit.SetFocus();
    TypeKey(&edit, Qt::Key_End);
    TypeKey(&edit, Qt::Key_A);

    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Größea");
    EXPECT_EQ(edit.GetWindowTextLength(), 8);
    EXPECT_THAT(m_log, ElementsAre("parent command 1001 code 768 from Größe",
                                   "parent command 1001 code 256 from Größe",
                                   "parent command 1001 code 768 from Größea"));
}

TEST_F(ControlTest, TheTextLimitAndSelectionCountBytes) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &m_parent, 1001));
    edit.SetLimitText(4);
    edit.SetWindowText("äb");
    edit.SetFocus();
    TypeKey(&edit, Qt::Key_End);
    TypeKey(&edit, Qt::Key_C); // "äbc" is four bytes: it fits
    TypeKey(&edit, Qt::Key_D); // a fifth byte does not
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "äbc");

    edit.SetSel(2, 3);
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 3);
    edit.ReplaceSel("X");
    edit.GetWindowText(text);
    EXPECT_EQ(text, "äXc");
}

TEST_F(ControlTest, NumberFieldsRefuseLettersAndMultiLineFieldsUseCrLf) {
    CEdit number;
    CEdit comment;
    ASSERT_TRUE(number.Create(WS_CHILD | WS_VISIBLE | ES_NUMBER, CRect(10, 10, 100, 30), &m_parent, 1));
    ASSERT_TRUE(comment.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(10, 40, 200, 120), &m_parent, 2));
    number.SetFocus();
    TypeKey(&number, Qt::Key_4);
    TypeKey(&number, Qt::Key_X);
    TypeKey(&number, Qt::Key_2);
    CString text;
    number.GetWindowText(text);
    EXPECT_EQ(text, "42");

    comment.SetWindowText("Zeile eins\r\nZeile zwei");
    comment.GetWindowText(text);
    EXPECT_EQ(text, "Zeile eins\r\nZeile zwei");
}

struct StepCase {
    const char* name;
    int low;
    int high;
    int start;
    int step;
    int expected;
};

class ProgressStepTest : public ControlTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ProgressStepTest, StepItMovesByTheStepAndStartsAgainPastTheEnd) {
    const StepCase& c = GetParam();
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 10), &m_parent, 1003));
    bar.SetRange32(c.low, c.high);
    bar.SetPos(c.start);
    bar.SetStep(c.step);
    EXPECT_EQ(bar.StepIt(), c.start) << "returns the position before";
    EXPECT_EQ(bar.GetPos(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ProgressStepTest,
                         ::testing::Values(StepCase{"Inside", 0, 100, 20, 10, 30},
                                           StepCase{"ToTheEnd", 0, 100, 90, 10, 100},
                                           StepCase{"PastTheEnd", 0, 100, 95, 10, 5},
                                           StepCase{"NegativeStepPastTheStart", 0, 100, 5, -10, 95},
                                           StepCase{"EmptyRange", 50, 50, 50, 10, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTest, ProgressPositionsStayInTheRangeAndTheBarFillsItsShare) {
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 104, 10), &m_parent, 1003));
    bar.SetRange(0, 4);
    EXPECT_EQ(bar.SetPos(9), 0);
    EXPECT_EQ(bar.GetPos(), 4);
    EXPECT_EQ(bar.OffsetPos(-10), 4);
    EXPECT_EQ(bar.GetPos(), 0);
    int low = -1;
    int high = -1;
    bar.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 4);

    bar.SetPos(1); // a quarter of the 100 pixels inside the frame
    EXPECT_EQ(WindowPixel(&bar, CPoint(2 + 24, 5)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(WindowPixel(&bar, CPoint(2 + 25, 5)), GetSysColor(COLOR_BTNFACE));
}

} // namespace
