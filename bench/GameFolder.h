#pragma once
// What the benchmarks of the whole game share: a temporary folder for the game to run in, with
// the program's files beside it, and the machine's load average to print beside the figures.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace plmbench {

// Makes `folder` and puts the game's files from `bin` in it; false (said on standard error) when
// one is missing. The engine library goes beside the game linked, not copied; the root its
// factory makes is served by the benchmark's own copy of the engine (see bench/CMakeLists.txt),
// so there is one engine state.
inline bool MakeGameFolder(const std::filesystem::path& bin, const std::filesystem::path& folder,
                           const std::vector<std::string>& files) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::create_symlink(bin / "libplm232.so", folder / "libplm232.so", ec);
    for (const std::string& name : files) {
        fs::copy_file(bin / name, folder / name, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            std::fprintf(stderr, "%s not found beside the benchmark\n", name.c_str());
            return false;
        }
    }
    return true;
}

// The 1, 5 and 15 minute load averages.
inline std::string LoadAverage() {
    std::ifstream f("/proc/loadavg");
    std::string a, b, c;
    f >> a >> b >> c;
    return a + " " + b + " " + c;
}

}  // namespace plmbench
