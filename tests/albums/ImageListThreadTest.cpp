// The image list job: every file made once on the worker cores, results handed over through the queue
// with one message until they are taken, and a stop that ends at once without pumping messages.

#include "albums/ImageListThread.h"

#include "platform/ui/Wnd.h"
#include "tests/support/UiTestSupport.h"

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

std::mutex g_callsLock;
std::map<CString, int> g_calls;
std::atomic<int> g_delayMs{0};

// Counts the files it is asked for; "kaputt" files have no thumbnail.
CPictureInfo* CountingMaker(const CString& path, const CSize&, COLORREF) {
    {
        std::lock_guard lock(g_callsLock);
        ++g_calls[path];
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(g_delayMs.load()));
    return path.Find("kaputt") >= 0 ? nullptr : new CPictureInfo();
}

int CallCount() {
    std::lock_guard lock(g_callsLock);
    int count = 0;
    for (const auto& [path, calls] : g_calls)
        count += calls;
    return count;
}

class ReadyWnd : public CWnd {
public:
    int m_messages = 0;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_THUMBNAILSREADY) {
            ++m_messages;
            return TRUE;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

class ImageListThreadTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        g_calls.clear();
        g_delayMs = 0;
        SetThumbnailMakerForTesting(CountingMaker);
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "ready", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    }
    void TearDown() override {
        SetThumbnailMakerForTesting(nullptr);
        m_window.DestroyWindow();
        UiTest::TearDown();
    }

    static std::vector<CString> Paths(int count) {
        std::vector<CString> paths;
        for (int i = 0; i < count; ++i) {
            CString path;
            path.Format(i % 7 == 3 ? "/bilder/kaputt%03d.jpg" : "/bilder/bild%03d.jpg", i);
            paths.push_back(path);
        }
        return paths;
    }

    ReadyWnd m_window;
};

TEST_F(ImageListThreadTest, EveryFileIsMadeOnceAndHandedOverWithItsPicture) {
    const std::vector<CString> paths = Paths(60);
    CImageListJob job(m_window.GetSafeHwnd(), paths, CSize(100, 100), RGB(255, 255, 255));
    ASSERT_TRUE(job.Start());
    job.WaitUntilEnded();
    EXPECT_TRUE(job.HasEnded());
    PumpMessages();
    EXPECT_EQ(1, m_window.m_messages);

    std::map<CString, bool> pictures;
    for (CImageListJob::Result& result : job.TakeResults())
        EXPECT_TRUE(pictures.emplace(result.path, result.picture != nullptr).second)
            << result.path.GetString();
    ASSERT_EQ(paths.size(), pictures.size());
    for (const CString& path : paths) {
        EXPECT_EQ(1, g_calls[path]) << path.GetString();
        EXPECT_EQ(path.Find("kaputt") < 0, pictures[path]) << path.GetString();
    }
}

TEST_F(ImageListThreadTest, TakingTheQueueLetsTheNextResultPostAgain) {
    g_delayMs = 5;
    CImageListJob job(m_window.GetSafeHwnd(), Paths(20), CSize(32, 32), 0);
    ASSERT_TRUE(job.Start());
    std::size_t taken = 0;
    while (!job.HasEnded() || taken < 20) {
        PumpMessages();
        taken += job.TakeResults().size();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(20u, taken);
    EXPECT_GT(m_window.m_messages, 1);
}

TEST_F(ImageListThreadTest, StopEndsAfterTheFilesInHandAndDropsTheRest) {
    g_delayMs = 20;
    CImageListJob job(m_window.GetSafeHwnd(), Paths(400), CSize(32, 32), 0);
    ASSERT_TRUE(job.Start());
    while (CallCount() == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    job.Stop();
    const int made = CallCount();
    EXPECT_LT(made, 400);
    EXPECT_TRUE(job.HasEnded());
    EXPECT_TRUE(job.TakeResults().empty());
    EXPECT_FALSE(job.Append("/bilder/neu.jpg"));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(made, CallCount());
}

TEST_F(ImageListThreadTest, AppendedFilesAreMadeWhileTheRunLasts) {
    g_delayMs = 10;
    CImageListJob job(m_window.GetSafeHwnd(), Paths(40), CSize(32, 32), 0);
    ASSERT_TRUE(job.Start());
    ASSERT_TRUE(job.Append("/bilder/neu.jpg"));
    job.WaitUntilEnded();
    EXPECT_EQ(1, g_calls["/bilder/neu.jpg"]);
    EXPECT_FALSE(job.Append("/bilder/zu-spaet.jpg"));
}

TEST_F(ImageListThreadTest, EveryExitMarksTheJobEnded) {
    EXPECT_EQ(kImageListNoJob, ImageListThread(nullptr));
    CImageListJob withoutWindow(nullptr, Paths(3), CSize(32, 32), 0);
    EXPECT_EQ(kImageListIncompleteJob, ImageListThread(&withoutWindow));
    EXPECT_TRUE(withoutWindow.HasEnded());
    EXPECT_EQ(0, CallCount());
}

} // namespace
