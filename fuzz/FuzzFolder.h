#pragma once
// The sandbox of a fuzz target: an engine folder inside a parent folder of its own, so that a
// file written anywhere but the engine folder is seen at once.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/EngineState.h"
#include "core/FileIO.h"

namespace plmfuzz {

class FuzzFolder {
public:
    FuzzFolder() {
        std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
        std::string tmpl = base + "/plmfuzz-XXXXXX";
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data())) std::abort();
        parent_ = buf.data();
        engine_ = parent_ + "/engine/";
        std::filesystem::create_directory(engine_);
        plm::State().EnginePath = engine_;
    }
    ~FuzzFolder() {
        std::error_code ec;
        std::filesystem::remove_all(parent_, ec);
    }
    const std::string& engine() const { return engine_; }

    void Put(const std::string& name, std::string_view bytes) const {
        if (!plm::WriteWholeFile(engine_ + name, bytes)) std::abort();
    }

    // Aborts when anything was written beside the engine folder; empties the engine folder.
    void CheckAndClear() const {
        for (const auto& e : std::filesystem::directory_iterator(parent_)) {
            if (e.path().filename() != "engine") {
                std::fprintf(stderr, "file written outside the engine folder: %s\n", e.path().c_str());
                std::abort();
            }
        }
        for (const auto& e : std::filesystem::directory_iterator(engine_)) std::filesystem::remove_all(e.path());
    }

private:
    std::string parent_, engine_;
};

}  // namespace plmfuzz
