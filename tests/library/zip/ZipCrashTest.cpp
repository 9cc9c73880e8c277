// A process that changes an archive is killed at random points: the archive is always either the old one
// or the new one, whole.
#include "library/zip/ZipArchive.h"
#include "tests/library/zip/ZipTestTools.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kEntryMebibytes = 4;
constexpr int kKills = 10;

// A child that is about to change the archive: it has started once it reports on the pipe.
pid_t StartChild(const CString& archive) {
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    const std::string size = std::to_string(kEntryMebibytes);
    char* argv[] = {const_cast<char*>(VC_ZIP_CRASH_CHILD), const_cast<char*>(archive.GetString()),
                    const_cast<char*>(size.c_str()), nullptr};
    pid_t pid = -1;
    const bool spawned = posix_spawn(&pid, VC_ZIP_CRASH_CHILD, &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    char signal = 0;
    const bool started = spawned && read(ready[0], &signal, 1) == 1;
    close(ready[0]);
    return started ? pid : -1;
}

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries ReadEntries(const CString& path) {
    CZipArchive archive;
    archive.Open(path, CZipArchive::zipOpenReadOnly);
    Entries entries;
    for (const std::string& name : EntryNames(archive))
        entries.emplace_back(name, Extract(archive, archive.FindFile(name.c_str(), true)));
    return entries;
}

TEST(ZipCrashTest, AKilledChangeLeavesTheOldOrTheNewArchive) {
    TempFolder folder;
    const CString base = folder.Path() + "/base.zip";
    const CString path = folder.Path() + "/album.zip";
    {
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(base, CZipArchive::zipCreate));
        ASSERT_TRUE(AddBytes(archive, "index.xml", "alt"));
        ASSERT_TRUE(AddBytes(archive, "a.bmp", NoiseBytes(100000, 62)));
        archive.Close();
    }
    const Entries oldEntries = ReadEntries(base);
    const std::string baseBytes = ReadBytes(base);

    // How long a whole change takes here, so that the kills spread over it.
    WriteBytes(path, baseBytes);
    const pid_t calibration = StartChild(path);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_GT(calibration, 0);
    int status = 0;
    waitpid(calibration, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto duration = std::chrono::steady_clock::now() - start;
    const Entries newEntries = ReadEntries(path);
    ASSERT_EQ(newEntries.size(), 3u);

    std::mt19937 random(20240517);
    // A little beyond the end, so that some kills find the change done.
    const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
    std::uniform_int_distribution<long long> killAt(0, microseconds + microseconds / 5);
    int oldSeen = 0, newSeen = 0;
    for (int round = 0; round < kKills; ++round) {
        WriteBytes(path, baseBytes);
        const pid_t child = StartChild(path);
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(killAt(random)));
        kill(child, SIGKILL);
        waitpid(child, &status, 0);

        const Entries entries = ReadEntries(path);
        EXPECT_TRUE(entries == oldEntries || entries == newEntries) << "round " << round;
        (entries == oldEntries ? oldSeen : newSeen) += 1;
        EXPECT_EQ(RunTool("unzip -tq " + Quoted(path) + " >/dev/null"), 0) << "round " << round;
        // A killed change may leave its unfinished copy behind; the next change removes it first.
        EXPECT_LE(FolderNames(folder.Path()).size(), 3u) << "round " << round;
    }
    CZipArchive archive;
    ASSERT_TRUE(archive.Open(path));
    archive.Close();
    EXPECT_EQ(FolderNames(folder.Path()), (std::vector<CString>{"album.zip", "base.zip"}));
    std::cout << "old archive after " << oldSeen << " kills, new after " << newSeen << " (change takes "
              << microseconds / 1000 << " ms)\n";
}

} // namespace
