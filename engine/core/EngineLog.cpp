#include "core/EngineLog.h"

#include <cstdio>
#include <ctime>

#include "core/EngineState.h"
#include "core/Paths.h"

namespace plm {

std::string LogTimestamp(int64_t epochSeconds) {
    std::time_t t = static_cast<std::time_t>(epochSeconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d %02d:%02d:%02d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

void WriteLog(const std::string& text, bool resetLog) {
    EngineState& s = State();
    if (!s.LogState) return;
    std::string path = FilePath("data.log");
    std::FILE* f = std::fopen(path.c_str(), resetLog ? "wb" : "ab");
    if (!f) return;
    std::string line;
    if (!text.empty() && text[0] == '-') {
        line = text;
    } else {
        line = LogTimestamp(static_cast<int64_t>(std::time(nullptr))) + " " + text;
    }
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
}

void LogError(const std::string& operation, std::initializer_list<std::string> details, const ErrorInfo& error) {
    WriteLog(kDashLine);
    WriteLog("Error: (" + operation + ")");
    for (const std::string& d : details) WriteLog(d);
    WriteLog("Source: " + error.Source);
    WriteLog("Number: " + std::to_string(error.Number));
    WriteLog("Description: " + error.Description);
}

}  // namespace plm
