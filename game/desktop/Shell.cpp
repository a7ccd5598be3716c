#include "Shell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>

extern char** environ;

namespace tessaly::desktop {
namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool Spawn(const std::string& target, DesktopRecorder* recorder) {
    if (recorder) {
        recorder->ShellTargets.push_back(target);
        return true;
    }
    // Openers started by earlier calls that have finished are reaped here; the game starts no
    // other children.
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    std::string program = "xdg-open";
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    return posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0;
}

}  // namespace

bool IsWebAddress(const std::string& address) {
    return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://");
}

bool OpenFile(const std::string& path, DesktopRecorder* recorder) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return Spawn(path, recorder);
}

bool OpenWebAddress(const std::string& address, DesktopRecorder* recorder) {
    return IsWebAddress(address) && Spawn(address, recorder);
}

}  // namespace tessaly::desktop
