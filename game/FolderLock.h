#pragma once
// The program's claim on its folder: an advisory lock (flock) on a file of our own beside the
// program, held for as long as the copy that took it runs. A second copy started from the same
// folder sees the lock taken and leaves the folder's files alone. The kernel drops the lock with
// the last descriptor of it, so a killed copy leaves nothing that blocks the next start.
#include <string>

namespace tessaly {

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock of `folder` (ending in "/"); false only when another copy holds it. A folder
    // where the lock file cannot be made (read-only) is not refused: the lock is then not held.
    bool Take(const std::string& folder);
    // Gives the lock up (as the end of the process would).
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Whether this process holds the lock of the program's folder, and with it the files there that
// only a running copy may own.
bool HoldsFolderLock();

}  // namespace tessaly
