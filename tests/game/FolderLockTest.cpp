// The folder lock: one holder at a time, whether the other is this process or another; freed by
// its holder's end, however it ends, and never kept alive by a program the holder started.
#include "game/FolderLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "game/MediaLayout.h"

extern char** environ;

namespace {

using tessaly::FolderLock;

// Starts a program with the given arguments; its process id.
pid_t Spawn(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    return pid;
}

void Kill(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Whether a fresh lock of the folder can be taken now (and gives it up again).
bool Free(const plmtest::TempFolder& folder) {
    FolderLock probe;
    return probe.Take(folder.path()) && probe.Held();
}

TEST(FolderLock, OneHolderAtATimeInThisProcess) {
    plmtest::TempFolder folder;
    FolderLock first, second;
    ASSERT_TRUE(first.Take(folder.path()));
    EXPECT_TRUE(first.Held());
    EXPECT_FALSE(second.Take(folder.path()));
    EXPECT_FALSE(second.Held());
    // Moved, it is still held, by the new owner only.
    FolderLock moved = std::move(first);
    EXPECT_TRUE(moved.Held());
    EXPECT_FALSE(first.Held());
    EXPECT_FALSE(Free(folder));
    moved.Release();
    EXPECT_TRUE(Free(folder));
}

// Another process holding the lock (a shell that locks the file with flock(1) and becomes a sleep,
// one process with the descriptor, as a running copy of the game is) keeps it from us; killed, it
// leaves nothing that blocks the next start.
TEST(FolderLock, AKilledHolderLeavesTheFolderFree) {
    plmtest::TempFolder folder;
    const pid_t holder = Spawn({"sh", "-c", "exec 9>>\"$0\" && flock 9 && exec sleep 30", folder.file(tessaly::media::kLockFile)});
    bool taken = true;
    for (int i = 0; i < 100 && (taken = Free(folder)); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(taken) << "the other process never held the lock";
    Kill(holder);
    EXPECT_TRUE(Free(folder));
}

// A program started while the lock is held (the browser for the help file) does not inherit it:
// once the holder gives it up, the folder is free though that program still runs.
TEST(FolderLock, AProgramStartedByTheHolderDoesNotKeepIt) {
    plmtest::TempFolder folder;
    FolderLock lock;
    ASSERT_TRUE(lock.Take(folder.path()));
    const pid_t child = Spawn({"sleep", "30"});
    lock.Release();
    EXPECT_TRUE(Free(folder));
    Kill(child);
}

// A folder where no lock file can be made is not refused (the copy runs unguarded).
TEST(FolderLock, AFolderWithoutRoomForTheLockFileIsNotRefused) {
    FolderLock lock;
    EXPECT_TRUE(lock.Take("/proc/no-such-folder/"));
    EXPECT_FALSE(lock.Held());
}

}  // namespace
