#pragma once
// What the desktop showed and opened, for tests: with a recorder in place, message boxes and shell
// calls are written here instead of reaching the window system.
#include <string>
#include <vector>

namespace tessaly::desktop {

struct MessageBoxRecord {
    std::string Title, Text;
};

struct DesktopRecorder {
    std::vector<MessageBoxRecord> Boxes;
    std::vector<std::string> ShellTargets;  // each file or address handed to the shell
};

}  // namespace tessaly::desktop
