#include "FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "GameState.h"
#include "MediaLayout.h"

namespace tessaly {

FolderLock::~FolderLock() { Release(); }

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool FolderLock::Take(const std::string& folder) {
    if (Held()) return true;
    // Close-on-exec: a program the game starts (the browser for the help file) must not inherit
    // the descriptor, or the lock would outlive the game as long as that program runs.
    const std::string path = folder + media::kLockFile;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return true;
    // flock, not fcntl: its lock belongs to the open file, so it also tells two locks of one
    // process apart, and it never ends because some other descriptor of the file was closed.
    int r;
    do {
        r = flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return !busy;
    }
    fd_ = fd;
    return true;
}

void FolderLock::Release() {
    if (fd_ < 0) return;
    close(fd_);  // drops the lock
    fd_ = -1;
}

bool HoldsFolderLock() { return Game().Run.Lock.Held(); }

}  // namespace tessaly
