// Sent and posted messages, WM_COMMAND with its sender, private messages, pre-translation and the
// guard that keeps exceptions out of the event loop.

#include "platform/base/FileException.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QCoreApplication>
#include <atomic>
#include <gmock/gmock.h>
#include <thread>

using ::testing::ElementsAre;

namespace {

constexpr UINT kFolderChanged = WM_USER + 1; // 0x401, as the browser's watch thread posts it
constexpr UINT kColorChosen = 2025;

// Handles private messages in WindowProc, the way the program's windows do.
class PrivateMessageWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    bool m_swallowChildCommands = false;
    bool m_throwOnPrivate = false;

    BOOL PreTranslateMessage(MSG* message) override {
        if (m_swallowChildCommands && message->message == WM_COMMAND && message->hwnd != m_hWnd) {
            Log("swallowed " + std::to_string(message->message));
            return TRUE;
        }
        return FALSE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFolderChanged || message == kColorChosen) {
            Log("private " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                std::to_string(lParam));
            if (m_throwOnPrivate)
                throw new CFileException(CFileException::fileNotFound, -1, "gone.qzp");
            return 42;
        }
        return LoggingWnd::WindowProc(message, wParam, lParam);
    }
};

class MessageTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_main.CreatePopup(CRect(0, 0, 300, 300)));
        ASSERT_TRUE(m_laden.CreateChild(&m_main, CRect(0, 0, 40, 40), 2047));
        ASSERT_TRUE(m_album.CreateChild(&m_main, CRect(50, 0, 90, 40), 2029));
        m_log.clear();
    }

    MessageLog m_log;
    PrivateMessageWnd m_main{&m_log, "main"};
    LoggingWnd m_laden{&m_log, "Laden"};
    LoggingWnd m_album{&m_log, "Album"};
};

TEST_F(MessageTest, PostedCommandsArriveInOrderWithIdCodeAndSender) {
    m_main.PostMessage(WM_COMMAND, MAKEWPARAM(2047, BN_CLICKED), reinterpret_cast<LPARAM>(m_laden.m_hWnd));
    m_main.PostMessage(WM_COMMAND, MAKEWPARAM(2029, 5), reinterpret_cast<LPARAM>(m_album.m_hWnd));
    m_main.PostMessage(WM_COMMAND, MAKEWPARAM(2047, BN_CLICKED), reinterpret_cast<LPARAM>(m_laden.m_hWnd));
    EXPECT_TRUE(m_log.empty()) << "posting must not deliver at once";

    PumpMessages();

    EXPECT_THAT(m_log,
                ElementsAre("main command 2047 code 0 from Laden", "main command 2029 code 5 from Album",
                            "main command 2047 code 0 from Laden"));
}

TEST_F(MessageTest, SentMessagesRunBeforeTheCallReturnsAndGiveTheHandlersResult) {
    m_main.PostMessage(kColorChosen, 1, 2);
    const LRESULT result = m_main.SendMessage(kFolderChanged, 7, 8);

    EXPECT_EQ(result, 42);
    EXPECT_THAT(m_log, ElementsAre("main private 1025 7 8"));
    PumpMessages();
    EXPECT_THAT(m_log, ElementsAre("main private 1025 7 8", "main private 2025 1 2"));
}

TEST_F(MessageTest, MessagesPostedFromAWorkerThreadAreHandledOnTheWindowsThread) {
    std::thread worker([window = m_main.m_hWnd] {
        for (int i = 0; i < 3; ++i)
            PostMessage(window, kFolderChanged, static_cast<WPARAM>(i), 0);
    });
    worker.join();
    PumpMessages();

    EXPECT_THAT(m_log,
                ElementsAre("main private 1025 0 0", "main private 1025 1 0", "main private 1025 2 0"));
}

TEST_F(MessageTest, AMessageSentFromAWorkerThreadWaitsForTheWindowsThread) {
    std::atomic<LRESULT> result{0};
    std::atomic<bool> done{false};
    std::thread worker([&, window = m_main.m_hWnd] {
        result = SendMessage(window, kFolderChanged, 5, 6);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents();
    worker.join();

    EXPECT_EQ(result, 42);
    EXPECT_THAT(m_log, ElementsAre("main private 1025 5 6"));
}

TEST_F(MessageTest, AWindowMayDestroyItselfWhileItHandlesAQueuedMessage) {
    class ClosingWnd : public LoggingWnd {
    public:
        using LoggingWnd::LoggingWnd;

    protected:
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
            LoggingWnd::OnCommand(wParam, lParam);
            DestroyWindow();
            Log("still here"); // the object lives on; only its window is gone
            return TRUE;
        }
    };
    ClosingWnd panel(&m_log, "panel");
    ASSERT_TRUE(panel.CreateChild(&m_main, CRect(0, 50, 40, 90), 1204));
    m_log.clear();
    panel.PostMessage(WM_COMMAND, 1, 0);
    PumpMessages();

    EXPECT_EQ(panel.m_hWnd, nullptr);
    EXPECT_THAT(m_log, ElementsAre("panel command 1 code 0 from -", "panel destroy", "panel ncdestroy",
                                   "panel still here"));
}

TEST_F(MessageTest, MessagesForAWindowThatIsGoneAreRefusedOrDropped) {
    m_laden.PostMessage(WM_COMMAND, 1, 0);
    const HWND laden = m_laden.m_hWnd;
    m_laden.DestroyWindow();
    PumpMessages();

    EXPECT_FALSE(PostMessage(laden, WM_COMMAND, 1, 0));
    EXPECT_EQ(SendMessage(laden, kFolderChanged, 0, 0), 0);
    EXPECT_THAT(m_log, ElementsAre("Laden destroy", "Laden ncdestroy"));
}

TEST_F(MessageTest, AParentSeesItsChildrensQueuedMessagesFirstAndMaySwallowThem) {
    m_main.m_swallowChildCommands = true;
    m_laden.PostMessage(WM_COMMAND, 1, 0);
    m_main.PostMessage(WM_COMMAND, 2, 0);
    m_laden.SendMessage(WM_COMMAND, 3, 0); // sent messages bypass pre-translation
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("Laden command 3 code 0 from -", "main swallowed 273",
                                   "main command 2 code 0 from -"));
}

TEST_F(MessageTest, AnExceptionInAHandlerIsReportedAndDoesNotReachTheEventLoop) {
    FakeAppServices services;
    m_main.m_throwOnPrivate = true;
    m_main.PostMessage(kFolderChanged, 0, 0);
    m_main.PostMessage(WM_COMMAND, 9, 0);
    PumpMessages();

    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_THAT(services.Messages()[0].text.GetString(), ::testing::HasSubstr("gone.qzp"));
    EXPECT_THAT(m_log, ElementsAre("main private 1025 0 0", "main command 9 code 0 from -"));
}

TEST_F(MessageTest, CommandNotificationsAreOfferedToTheSendingControlFirst) {
    // A control that handles a notification itself (through reflection) keeps it from its parent.
    class ReflectingWnd : public LoggingWnd {
    public:
        using LoggingWnd::LoggingWnd;

    protected:
        BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*) override {
            if (message != WM_COMMAND || HIWORD(static_cast<DWORD>(wParam)) != 6)
                return FALSE;
            Log("reflected");
            return TRUE;
        }
    };
    class ParentWnd : public LoggingWnd {
    public:
        using LoggingWnd::LoggingWnd;

    protected:
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
            return CWnd::OnCommand(wParam, lParam) || LoggingWnd::OnCommand(wParam, lParam);
        }
    };
    ParentWnd parent(&m_log, "parent");
    ASSERT_TRUE(parent.CreatePopup(CRect(0, 0, 50, 50)));
    ReflectingWnd combo(&m_log, "combo");
    ASSERT_TRUE(combo.CreateChild(&parent, CRect(0, 0, 40, 20), 1111));
    m_log.clear();

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(1111, 6), reinterpret_cast<LPARAM>(combo.m_hWnd));
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(1111, 1), reinterpret_cast<LPARAM>(combo.m_hWnd));

    EXPECT_THAT(m_log, ElementsAre("combo reflected", "parent command 1111 code 1 from combo"));
}

} // namespace
