// Events, critical sections and worker threads: the waits a browser's thumbnail job and the picture
// intake rely on.
#include "platform/base/CriticalSection.h"
#include "platform/base/Event.h"
#include "platform/base/SingleLock.h"
#include "platform/base/WinThread.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

struct EventCase {
    const char* name;
    BOOL manualReset;
    BOOL initiallySignalled;
    DWORD firstWait;
    DWORD secondWait;
};

class EventWaitTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(EventWaitTest, WaitsTakeTheStateTheResetKindLeaves) {
    const EventCase& c = GetParam();
    CEvent event(c.initiallySignalled, c.manualReset);
    if (!c.initiallySignalled) {
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
        event.SetEvent();
    }
    EXPECT_EQ(c.firstWait, WaitForSingleObject(event, 0));
    EXPECT_EQ(c.secondWait, WaitForSingleObject(event, 0));
    event.ResetEvent();
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EventWaitTest,
    ::testing::Values(EventCase{"ManualStaysSignalled", TRUE, FALSE, WAIT_OBJECT_0, WAIT_OBJECT_0},
                      EventCase{"AutomaticIsTakenByOneWait", FALSE, FALSE, WAIT_OBJECT_0, WAIT_TIMEOUT},
                      EventCase{"ManualMadeSignalled", TRUE, TRUE, WAIT_OBJECT_0, WAIT_OBJECT_0},
                      EventCase{"AutomaticMadeSignalled", FALSE, TRUE, WAIT_OBJECT_0, WAIT_TIMEOUT}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaitTest, TimeOutEndsAWaitOnAnUnsignalledEvent) {
    CEvent event(FALSE, TRUE);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 20));
}

TEST(WaitTest, HandlesThatNameNoLivingObjectFail) {
    HANDLE gone;
    {
        CEvent event;
        gone = event;
    }
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(gone, 0));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(nullptr, 0));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(HandleFromDescriptor(0), 0));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE));
}

TEST(WaitTest, AnotherThreadsSetWakesAnEndlessWait) {
    CEvent event(FALSE, TRUE);
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        event.SetEvent();
    });
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, INFINITE));
    setter.join();
}

TEST(WaitTest, AnAutomaticEventReleasesOneWaiterPerSet) {
    CEvent event(FALSE, FALSE);
    std::atomic<int> released{0};
    auto waiter = [&] {
        event.Lock();
        ++released;
    };
    std::thread first(waiter), second(waiter);
    event.SetEvent();
    while (released.load() < 1)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(1, released.load());
    event.SetEvent();
    first.join();
    second.join();
    EXPECT_EQ(2, released.load());
}

// The browser's pattern: a worker tests the kill event before each file; the owner sets it and waits
// for the thread's end.
struct Job {
    CEvent kill{FALSE, TRUE};
    std::atomic<int> filesDone{0};
};

UINT WorkUntilKilled(LPVOID param) {
    auto* job = static_cast<Job*>(param);
    while (WaitForSingleObject(job->kill, 0) != WAIT_OBJECT_0) {
        ++job->filesDone;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

TEST(WinThreadTest, AnOwnedThreadIsWaitedForAfterItsKillEvent) {
    Job job;
    CWinThread* thread = AfxBeginThread(WorkUntilKilled, &job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(thread->m_hThread, 0));
    EXPECT_EQ(0, job.filesDone.load()) << "a suspended thread does not run";
    EXPECT_EQ(1u, thread->ResumeThread());
    EXPECT_EQ(0u, thread->ResumeThread());
    while (job.filesDone.load() < 3)
        std::this_thread::yield();
    job.kill.SetEvent();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, INFINITE));
    const int done = job.filesDone.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(done, job.filesDone.load()) << "the thread has ended";
    delete thread;
}

UINT SignalEnd(LPVOID param) {
    static_cast<CEvent*>(param)->SetEvent();
    return 0;
}

TEST(WinThreadTest, AnAutoDeleteThreadFreesItselfAndItsHandleGoes) {
    CEvent ran(FALSE, TRUE);
    CWinThread* thread = AfxBeginThread(SignalEnd, &ran);
    ASSERT_NE(nullptr, thread);
    const HANDLE handle = thread->m_hThread;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ran, INFINITE));
    // The object deletes itself after the end is signalled; its handle then names nothing. The leak
    // checker sees that the object is freed.
    DWORD result = WAIT_OBJECT_0;
    for (int i = 0; i < 1000 && result != WAIT_FAILED; ++i) {
        result = WaitForSingleObject(handle, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(WAIT_FAILED, result);
}

UINT CountRun(LPVOID param) {
    ++*static_cast<std::atomic<int>*>(param);
    return 0;
}

TEST(WinThreadTest, ASuspendedThreadDeletedUnresumedNeverRuns) {
    std::atomic<int> runs{0};
    CWinThread* thread = AfxBeginThread(CountRun, &runs, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;
    delete thread;
    EXPECT_EQ(0, runs.load());
}

TEST(WinThreadTest, NoFunctionStartsNoThread) {
    EXPECT_EQ(nullptr, AfxBeginThread(nullptr, nullptr));
}

TEST(CriticalSectionTest, TheHolderMayTakeItAgainAndOthersWait) {
    CCriticalSection section;
    ASSERT_TRUE(section.Lock());
    ASSERT_TRUE(section.Lock());
    auto tryFromAnotherThread = [&] {
        BOOL taken = FALSE;
        std::thread other([&] {
            taken = section.Lock(0);
            if (taken)
                section.Unlock();
        });
        other.join();
        return taken;
    };
    EXPECT_FALSE(tryFromAnotherThread());
    section.Unlock();
    EXPECT_FALSE(tryFromAnotherThread()) << "still held once";
    section.Unlock();
    EXPECT_TRUE(tryFromAnotherThread());
}

TEST(SingleLockTest, HoldsForItsScopeAndUnlocksOnce) {
    CCriticalSection section;
    {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_FALSE(lock.Lock(0)) << "held by this lock already";
        std::thread other([&] { EXPECT_FALSE(section.Lock(0)); });
        other.join();
    }
    std::thread after([&] {
        ASSERT_TRUE(section.Lock(0));
        section.Unlock();
    });
    after.join();

    CSingleLock lock(&section);
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_FALSE(lock.Unlock());
}

TEST(SingleLockTest, WaitsForAnEventWithATimeOut) {
    CEvent event(FALSE, FALSE);
    CSingleLock lock(&event);
    EXPECT_FALSE(lock.Lock(10));
    event.SetEvent();
    EXPECT_TRUE(lock.Lock(0));
    EXPECT_TRUE(lock.IsLocked());
}

} // namespace
