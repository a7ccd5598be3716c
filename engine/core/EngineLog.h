#pragma once
// The engine log, "data.log" in the engine folder. Every failing engine operation writes the same
// error block; the game writes through PelmarEngine.Log. Writing never fails loudly.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace plm {

// The line of 38 hyphens that opens an error block and the session's start.
inline constexpr const char* kDashLine = "--------------------------------------";

// Writes one line while the log is on: a text starting with "-" bare, any other text after the
// date (mm-dd-yyyy) and time (hh:mm:ss). ResetLog starts the file afresh. Errors are swallowed.
void WriteLog(const std::string& text, bool resetLog = false);

// The trapped error that an error block reports.
struct ErrorInfo {
    std::string Source;
    int32_t Number = 0;
    std::string Description;
};

// Writes the error block: dash line, "Error: (<operation>)", the detail lines, then
// "Source: ", "Number: " and "Description: ".
void LogError(const std::string& operation, std::initializer_list<std::string> details = {},
              const ErrorInfo& error = {});

// The date-and-time prefix of an ordinary line, for a given time (seconds since the epoch).
std::string LogTimestamp(int64_t epochSeconds);

}  // namespace plm
