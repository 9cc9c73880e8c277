// One running copy per user: a live holder keeps the lock however old it is; a dead one loses it.

#include "platform/base/InstanceLock.h"

#include "tests/support/TempFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

// A process that takes the lock and then waits until its pipe closes (or it is killed).
class LockHolder {
public:
    LockHolder(const CString& folder) {
        int ready[2];
        EXPECT_EQ(pipe(ready), 0);
        EXPECT_EQ(pipe(m_release), 0);
        m_pid = fork();
        if (m_pid == 0) {
            // Only the parent's end may keep the release pipe open, so that closing it ends the wait.
            close(m_release[1]);
            close(ready[0]);
            CInstanceLock lock;
            const char answer = lock.Acquire(folder, "Vellumcraft") ? 'y' : 'n';
            (void)!write(ready[1], &answer, 1);
            char ignored;
            (void)!read(m_release[0], &ignored, 1);
            _exit(0);
        }
        close(ready[1]);
        close(m_release[0]);
        char answer = 0;
        EXPECT_EQ(read(ready[0], &answer, 1), 1);
        close(ready[0]);
        m_held = answer == 'y';
    }
    ~LockHolder() {
        close(m_release[1]);
        waitpid(m_pid, nullptr, 0);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool Held() const { return m_held; }
    void Kill() {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }

private:
    pid_t m_pid = -1;
    int m_release[2] = {-1, -1};
    bool m_held = false;
};

TEST(InstanceLockTest, SecondCopyIsRefusedWhileTheFirstHoldsTheLock) {
    TempFolder folder;
    const CString runtime = folder.Path() + "/run";
    CInstanceLock first;
    ASSERT_TRUE(first.Acquire(runtime, "Vellumcraft"));
    EXPECT_TRUE(first.IsHeld());
    struct stat info {};
    ASSERT_EQ(stat(runtime.GetString(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "a folder made for the lock is the user's alone";

    CInstanceLock second;
    EXPECT_FALSE(second.Acquire(runtime, "Vellumcraft"));
    EXPECT_FALSE(second.IsHeld());
    {
        LockHolder other(runtime);
        EXPECT_FALSE(other.Held());
    }
    CInstanceLock otherProgram;
    EXPECT_TRUE(otherProgram.Acquire(runtime, "Anderes"));
}

TEST(InstanceLockTest, LockOfAKilledProcessDoesNotBlock) {
    TempFolder folder;
    LockHolder killed(folder.Path());
    ASSERT_TRUE(killed.Held());
    killed.Kill();
    CInstanceLock next;
    EXPECT_TRUE(next.Acquire(folder.Path(), "Vellumcraft"));
}

TEST(InstanceLockTest, LongRunningHolderKeepsItsLock) {
    TempFolder folder;
    LockHolder running(folder.Path());
    ASSERT_TRUE(running.Held());
    const utimbuf anHourAgo{time(nullptr) - 3600, time(nullptr) - 3600};
    ASSERT_EQ(utime((folder.Path() + "/Vellumcraft.lock").GetString(), &anHourAgo), 0);
    CInstanceLock second;
    EXPECT_FALSE(second.Acquire(folder.Path(), "Vellumcraft"));
}

} // namespace
