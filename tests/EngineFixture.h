#pragma once
// A headless engine for tests: a fresh engine state, a temporary folder as the engine path, a
// manual clock and a fixed random seed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/Clock.h"

namespace plmtest {

class TempFolder {
public:
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "plmtest-XXXXXX").string();
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        char* made = mkdtemp(buf.data());
        path_ = made ? std::string(made) + "/" : std::string("./");
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Splits a log file into its lines (CRLF ends every line).
inline std::vector<std::string> LogLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Strips the "mm-dd-yyyy hh:mm:ss " prefix of a dated log line ("" when it has none).
inline std::string Undated(const std::string& line) {
    if (line.size() < 20 || line[2] != '-' || line[5] != '-' || line[10] != ' ' || line[13] != ':' ||
        line[16] != ':' || line[19] != ' ')
        return "<bare>" + line;
    return line.substr(20);
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        plm::ResetState();
        clock = std::make_shared<plm::platform::ManualClock>(1000, 0);
        plm::State().Clock = clock;
        plm::State().EnginePath = folder.path();
        plm::RandomizeSeed(12345);
    }
    void TearDown() override { plm::ResetState(); }

    std::string LogText() const { return ReadFile(folder.file("data.log")); }
    std::vector<std::string> Log() const { return LogLines(LogText()); }

    TempFolder folder;
    std::shared_ptr<plm::platform::ManualClock> clock;
};

}  // namespace plmtest
