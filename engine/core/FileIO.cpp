#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace plm {

namespace {

int FsyncRetrying(int fd) {
    int r;
    do r = ::fsync(fd);
    while (r != 0 && errno == EINTR);
    return r;
}

void SyncFolderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    FsyncRetrying(fd);
    ::close(fd);
}

constexpr std::string_view kTemporaryMark = ".tmp-";
// mkstemp's six characters: letters and digits.
constexpr size_t kTemporaryNameChars = 6;
// A temporary file the writer has just made is locked a moment later; one younger than this is
// left alone even when nobody holds it yet.
constexpr auto kTemporaryGrace = std::chrono::seconds(2);

// True when name is fileName followed by ".tmp-" and six letters or digits: the name the writer
// gives the temporary file of fileName, and nothing else.
bool IsTemporaryNameOf(const std::string& name, const std::string& fileName) {
    if (name.size() != fileName.size() + kTemporaryMark.size() + kTemporaryNameChars) return false;
    if (name.compare(0, fileName.size(), fileName) != 0) return false;
    if (name.compare(fileName.size(), kTemporaryMark.size(), kTemporaryMark) != 0) return false;
    for (size_t i = fileName.size() + kTemporaryMark.size(); i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (!std::isalnum(c)) return false;
    }
    return true;
}

// Removes one temporary file when it is a plain file of this user that no process holds locked
// (every writer locks its temporary file while it writes; the lock ends with its process) and
// that is not brand new. The lock is held across the removal, so no writer can take it between.
void RemoveIfStale(const std::string& path) {
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode) || named.st_uid != ::geteuid()) return;
    const auto age = std::chrono::system_clock::now() -
                     std::chrono::system_clock::from_time_t(named.st_mtime);
    if (age < kTemporaryGrace) return;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && opened.st_dev == named.st_dev &&
        opened.st_ino == named.st_ino)
        ::unlink(path.c_str());
    ::close(fd);
}

}  // namespace

void RemoveStaleTemporaries(const std::string& path) {
    const std::filesystem::path target(path);
    const std::string fileName = target.filename().string();
    if (fileName.empty()) return;
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsTemporaryNameOf(name, fileName)) RemoveIfStale(it->path().string());
    }
}

bool ReadWholeFile(const std::string& path, std::string& out, uint64_t maxBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || ec) return false;
    uint64_t size = std::filesystem::file_size(path, ec);
    if (ec || size > maxBytes) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(size, '\0');
    in.read(out.data(), static_cast<std::streamsize>(size));
    // A file that changed size while it was read is read as far as it goes and refused.
    return static_cast<uint64_t>(in.gcount()) == size && in.peek() == std::ifstream::traits_type::eof();
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, bool flushToDisk) {
    std::string tmpl = path + ".tmp-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    // Temporary files of earlier saves of this file that were cut short (the program killed
    // mid-way) go first; the new one is locked while it is written, so no other save takes it
    // for such a leftover.
    if (flushToDisk) RemoveStaleTemporaries(path);
    int fd = mkstemp(name.data());
    if (fd < 0) return false;
    ::flock(fd, LOCK_EX);
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else done += static_cast<size_t>(n);
    }
    // Plain files for the game's folder, readable as any file the user makes.
    if (ok && fchmod(fd, 0644) != 0) ok = false;
    // The bytes reach the disk before the name points at them: after a crash the name holds the
    // old file or the new one, never a new name over blocks that were not written yet.
    if (ok && flushToDisk && FsyncRetrying(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(name.data(), path.c_str()) != 0) ok = false;
    if (!ok) {
        std::remove(name.data());
        return false;
    }
    // The rename itself lives in the folder: flush the folder so that the new name survives a
    // power cut too. The new file is in place whatever this answers.
    if (flushToDisk) SyncFolderOf(path);
    return true;
}

}  // namespace plm
