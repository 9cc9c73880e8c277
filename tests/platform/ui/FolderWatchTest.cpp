// The folder watch: which changes reach the window, as how many messages, and which do not.

#include "platform/ui/FolderWatch.h"

#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace fs = std::filesystem;

namespace {

constexpr LPARAM kTreeItem = 0x5150;

class WatchingWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_FOLDERCHANGED) {
            Log("changed " + std::to_string(wParam) + " " + std::to_string(lParam));
            return 0;
        }
        return LoggingWnd::WindowProc(message, wParam, lParam);
    }
};

void Touch(const fs::path& file) {
    std::ofstream(file) << "x";
}

class FolderWatchTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_window.CreatePopup(CRect(0, 0, 50, 50)));
        m_log.clear();
    }

    fs::path Folder() const { return fs::path(m_folder.Path().GetString()); }

    // Handles events until the log holds count lines (or a generous deadline passes), then a while
    // longer, so that a message too many would show.
    void WaitForMessages(std::size_t count) {
        QElapsedTimer clock;
        clock.start();
        while (m_log.size() < count && clock.elapsed() < 5000)
            Pump();
        const qint64 settled = clock.elapsed();
        while (clock.elapsed() < settled + 300)
            Pump();
    }

    static void Pump() {
        PumpMessages();
        QThread::msleep(5);
    }

    TempFolder m_folder;
    MessageLog m_log;
    WatchingWnd m_window{&m_log, "browser"};
    CFolderWatch m_watch;
};

struct ChangeCase {
    const char* name;
    std::function<void(const fs::path&)> prepare;
    std::function<void(const fs::path&)> change;
    std::vector<std::string> expected;
};

class FolderWatchChangeTest : public FolderWatchTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(FolderWatchChangeTest, ReportsEachKindOnceForAQuickRunOfChanges) {
    const ChangeCase& c = GetParam();
    if (c.prepare)
        c.prepare(Folder());
    ASSERT_TRUE(m_watch.Start(m_folder.Path(), m_window, kTreeItem));
    c.change(Folder());
    WaitForMessages(c.expected.size());
    EXPECT_EQ(c.expected, m_log);
}

const std::string kFiles = "browser changed 1 " + std::to_string(kTreeItem);
const std::string kFolders = "browser changed 0 " + std::to_string(kTreeItem);

INSTANTIATE_TEST_SUITE_P(
    Changes, FolderWatchChangeTest,
    ::testing::Values(ChangeCase{"FilesCopiedIn",
                                 nullptr,
                                 [](const fs::path& f) {
                                     for (int i = 0; i < 5; ++i)
                                         Touch(f / ("Bild " + std::to_string(i) + ".jpg"));
                                 },
                                 {kFiles}},
                      ChangeCase{"FileDeleted",
                                 [](const fs::path& f) { Touch(f / "a.jpg"); },
                                 [](const fs::path& f) { fs::remove(f / "a.jpg"); },
                                 {kFiles}},
                      ChangeCase{"FileRenamed",
                                 [](const fs::path& f) { Touch(f / "a.jpg"); },
                                 [](const fs::path& f) { fs::rename(f / "a.jpg", f / "b.jpg"); },
                                 {kFiles}},
                      ChangeCase{"SubfolderMade",
                                 nullptr,
                                 [](const fs::path& f) { fs::create_directory(f / "Urlaub"); },
                                 {kFolders}},
                      ChangeCase{"SubfolderRemoved",
                                 [](const fs::path& f) { fs::create_directory(f / "Urlaub"); },
                                 [](const fs::path& f) { fs::remove(f / "Urlaub"); },
                                 {kFolders}},
                      ChangeCase{"FolderAndFileTogether",
                                 nullptr,
                                 [](const fs::path& f) {
                                     fs::create_directory(f / "Urlaub");
                                     Touch(f / "a.jpg");
                                 },
                                 {kFolders, kFiles}},
                      ChangeCase{"ChangeInsideASubfolderIsNotReported",
                                 [](const fs::path& f) { fs::create_directory(f / "Urlaub"); },
                                 [](const fs::path& f) { Touch(f / "Urlaub" / "a.jpg"); },
                                 {}},
                      ChangeCase{
                          "FileWrittenAfterItsCreationIsReportedAgain",
                          [](const fs::path& f) { Touch(f / "a.jpg"); },
                          [](const fs::path& f) { std::ofstream(f / "a.jpg", std::ios::app) << "more"; },
                          {kFiles}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FolderWatchTest, TheWatchedFolderGoingReportsFolders) {
    const fs::path watched = Folder() / "Urlaub";
    fs::create_directory(watched);
    ASSERT_TRUE(m_watch.Start(CString(watched.c_str()), m_window, kTreeItem));
    fs::remove(watched);
    WaitForMessages(1);
    EXPECT_THAT(m_log, ElementsAre(kFolders));
}

TEST_F(FolderWatchTest, StoppedOrMovedWatchesReportNothingOfTheOldFolder) {
    const fs::path first = Folder() / "eins";
    const fs::path second = Folder() / "zwei";
    fs::create_directory(first);
    fs::create_directory(second);
    ASSERT_TRUE(m_watch.Start(CString(first.c_str()), m_window, 1));
    ASSERT_TRUE(m_watch.Start(CString(second.c_str()), m_window, 2));
    Touch(first / "a.jpg");
    Touch(second / "b.jpg");
    WaitForMessages(1);
    EXPECT_THAT(m_log, ElementsAre("browser changed 1 2"));

    m_log.clear();
    m_watch.Stop();
    EXPECT_FALSE(m_watch.IsWatching());
    Touch(second / "c.jpg");
    WaitForMessages(0);
    EXPECT_THAT(m_log, IsEmpty());
}

TEST_F(FolderWatchTest, AFolderThatCannotBeWatchedIsRefused) {
    EXPECT_FALSE(m_watch.Start(m_folder.Path() + "/fehlt", m_window, kTreeItem));
    EXPECT_FALSE(m_watch.IsWatching());
    Touch(Folder() / "datei.txt");
    EXPECT_FALSE(m_watch.Start(m_folder.Path() + "/datei.txt", m_window, kTreeItem)) << "not a folder";
    EXPECT_FALSE(m_watch.IsWatching());
}

} // namespace
