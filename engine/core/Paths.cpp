#include "core/Paths.h"

#include <filesystem>
#include <system_error>

#include "core/EngineState.h"

namespace plm {

std::string NativePath(const std::string& path) {
    std::string out = path;
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

std::string NormalizeFolder(const std::string& folder) {
    std::string out = NativePath(folder);
    if (out.empty() || out.back() != '/') out += '/';
    return out;
}

std::string FilePath(const std::string& fileNameOnly) { return State().EnginePath + NativePath(fileNameOnly); }

std::string ProgramFolderPath() {
    const std::string& set = State().ProgramFolder;
    if (!set.empty()) return NormalizeFolder(set);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("./") : NormalizeFolder(exe.parent_path().string());
}

bool IsSafeFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == '\0' || c == ':') return false;
    return true;
}

}  // namespace plm
