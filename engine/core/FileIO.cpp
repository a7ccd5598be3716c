#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

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
    int fd = mkstemp(name.data());
    if (fd < 0) return false;
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
