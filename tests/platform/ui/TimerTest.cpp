// Window timers on the manual clock: periods, restarts, ordering, procedures, and timers that end with
// their window.

#include "platform/ui/TimerTesting.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class TimerTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_window.CreatePopup(CRect(0, 0, 10, 10)));
        m_log.clear();
    }

    MessageLog m_log;
    LoggingWnd m_window{&m_log, "w"};
};

TEST_F(TimerTest, ATimerFiresOncePerPeriodUntilKilled) {
    ASSERT_EQ(m_window.SetTimer(1000, 100), 1000u);
    AdvanceTimersForTesting(1000);
    EXPECT_EQ(m_log.size(), 10u);

    EXPECT_TRUE(m_window.KillTimer(1000));
    EXPECT_FALSE(m_window.KillTimer(1000));
    AdvanceTimersForTesting(1000);
    EXPECT_EQ(m_log.size(), 10u);
}

TEST_F(TimerTest, SettingAnIdAgainRestartsItsPeriod) {
    m_window.SetTimer(1, 100);
    AdvanceTimersForTesting(90);
    m_window.SetTimer(1, 100);
    AdvanceTimersForTesting(90);
    EXPECT_TRUE(m_log.empty());
    AdvanceTimersForTesting(10);
    EXPECT_THAT(m_log, ElementsAre("w timer 1"));
}

TEST_F(TimerTest, TimersFireInTimeOrderAndNeverFasterThanTenMilliseconds) {
    m_window.SetTimer(1, 30);
    m_window.SetTimer(2, 20);
    m_window.SetTimer(3, 1);
    AdvanceTimersForTesting(60);
    EXPECT_THAT(m_log,
                ElementsAre("w timer 3", "w timer 2", "w timer 3", "w timer 1", "w timer 3", "w timer 2",
                            "w timer 3", "w timer 3", "w timer 1", "w timer 2", "w timer 3"));
}

TEST_F(TimerTest, AProcedureIsCalledInsteadOfTheMessage) {
    static std::vector<UINT_PTR> calls;
    calls.clear();
    m_window.SetTimer(7, 50, [](HWND, UINT message, UINT_PTR id, DWORD) {
        if (message == WM_TIMER)
            calls.push_back(id);
    });
    AdvanceTimersForTesting(100);
    EXPECT_THAT(calls, ElementsAre(7u, 7u));
    EXPECT_TRUE(m_log.empty());
}

TEST_F(TimerTest, TimersEndWithTheirWindow) {
    LoggingWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateChild(&m_window, CRect(0, 0, 5, 5), 1));
    child.SetTimer(1, 10);
    m_window.SetTimer(1, 10);
    m_window.DestroyWindow();
    m_log.clear();
    AdvanceTimersForTesting(100);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(TimerTest, TheTickCountFollowsTheManualClock) {
    const DWORD start = GetTickCount();
    AdvanceTimersForTesting(1234);
    EXPECT_EQ(GetTickCount() - start, 1234u);
}

} // namespace
