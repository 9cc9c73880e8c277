// Keys: WM_KEYDOWN/WM_KEYUP with virtual keys and the system's key data, WM_CHAR with the character,
// focus messages, and pre-translation that takes a key before its characters are made.

#include "platform/ui/CommandMap.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class KeyWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    bool m_swallowEscape = false;

    BOOL PreTranslateMessage(MSG* message) override {
        return m_swallowEscape && message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE;
    }

protected:
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override {
        Log("keydown " + std::to_string(key) + " repeat " + std::to_string(repeat) + " up " +
            std::to_string((flags >> 15) & 1) + " shift " + std::to_string(GetKeyState(VK_SHIFT) < 0));
    }
    void OnKeyUp(UINT key, UINT, UINT flags) override {
        Log("keyup " + std::to_string(key) + " up " + std::to_string((flags >> 15) & 1));
    }
    void OnChar(UINT ch, UINT, UINT) override { Log("char " + std::to_string(ch)); }
    void OnSetFocus(CWnd*) override { Log("setfocus"); }
    void OnKillFocus(CWnd* next) override { Log(std::string("killfocus to ") + (next ? "window" : "none")); }
};

class KeyInputTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_main.CreatePopup(CRect(0, 0, 200, 100)));
        ASSERT_TRUE(m_first.CreateChild(&m_main, CRect(0, 0, 50, 50), 1));
        ASSERT_TRUE(m_second.CreateChild(&m_main, CRect(60, 0, 110, 50), 2));
        ShowActive(&m_main);
        m_first.SetFocus();
        m_log.clear();
    }

    MessageLog m_log;
    KeyWnd m_main{&m_log, "main"};
    KeyWnd m_first{&m_log, "first"};
    KeyWnd m_second{&m_log, "second"};
};

TEST_F(KeyInputTest, KeysReachTheFocusWithVirtualKeysAndCharacters) {
    TypeKey(&m_main, Qt::Key_A, Qt::ShiftModifier);
    TypeKey(&m_main, Qt::Key_F5);
    TypeKey(&m_main, Qt::Key_Left);

    // The test driver presses Shift itself and types the letter as Qt's text gives it.
    EXPECT_THAT(m_log, ElementsAre("first keydown 16 repeat 1 up 0 shift 0",
                                   "first keydown 65 repeat 1 up 0 shift 1", "first char 97",
                                   "first keyup 65 up 1", "first keyup 16 up 1",
                                   "first keydown 116 repeat 1 up 0 shift 0", "first keyup 116 up 1",
                                   "first keydown 37 repeat 1 up 0 shift 0", "first keyup 37 up 1"));
}

TEST_F(KeyInputTest, AKeyTakenByPreTranslationMakesNoCharacter) {
    m_main.m_swallowEscape = true;
    TypeKey(&m_main, Qt::Key_Escape);
    EXPECT_THAT(m_log, ElementsAre("first keyup 27 up 1"));
}

TEST_F(KeyInputTest, MovingTheFocusTellsBothWindows) {
    m_second.SetFocus();
    EXPECT_THAT(m_log, ElementsAre("first killfocus to window", "second setfocus"));
    EXPECT_EQ(CWnd::GetFocus(), &m_second);
}

// The command table of OnCommand overrides.
class CommandTarget {
public:
    std::vector<std::string> calls;
    void OnLoad() { calls.push_back("load"); }
    void OnEffect(UINT id) { calls.push_back("effect " + std::to_string(id)); }
};

TEST(CommandMapTest, TheFirstEntryMatchingIdAndCodeHandlesTheCommand) {
    static const CommandEntry<CommandTarget> kCommands[] = {
        {2047, BN_CLICKED, &CommandTarget::OnLoad}, {2090, 2094, BN_CLICKED, &CommandTarget::OnEffect}};
    CommandTarget target;
    EXPECT_TRUE(DispatchCommand(target, kCommands, MAKEWPARAM(2047, BN_CLICKED)));
    EXPECT_TRUE(DispatchCommand(target, kCommands, MAKEWPARAM(2092, BN_CLICKED)));
    EXPECT_FALSE(DispatchCommand(target, kCommands, MAKEWPARAM(2047, BN_DOUBLECLICKED)));
    EXPECT_FALSE(DispatchCommand(target, kCommands, MAKEWPARAM(2095, BN_CLICKED)));
    EXPECT_THAT(target.calls, ElementsAre("load", "effect 2092"));
}

} // namespace
