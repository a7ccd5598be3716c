#pragma once
// The program's version, in one place: the about window's version line is made from it (its
// picture is drawn at build time from the same constant).
#include <string>

namespace tessaly {

struct ProgramVersion {
    int Major, Minor, Revision;
};
constexpr ProgramVersion kVersion{1, 0, 0};

// "Tessaly v" and the major, minor and revision numbers joined by ".".
inline std::string VersionLine() {
    return "Tessaly v" + std::to_string(kVersion.Major) + "." + std::to_string(kVersion.Minor) + "." +
           std::to_string(kVersion.Revision);
}

}  // namespace tessaly
