#include "core/EngineLog.h"

#include <filesystem>
#include <regex>

#include "EngineFixture.h"

namespace {

using plmtest::EngineTest;

TEST_F(EngineTest, LogLinesAreDatedOrBareAndEndInCrLf) {
    plm::WriteLog("Session: Start", true);
    plm::WriteLog("-bare text");
    std::string text = LogText();
    std::regex dated(R"(^\d\d-\d\d-\d{4} \d\d:\d\d:\d\d Session: Start\r\n-bare text\r\n$)");
    EXPECT_TRUE(std::regex_match(text, dated)) << text;
}

TEST_F(EngineTest, ResetLogStartsTheFileAfresh) {
    plm::WriteLog("one");
    plm::WriteLog("two");
    plm::WriteLog("x", true);
    auto lines = Log();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(plmtest::Undated(lines[0]), "x");
}

TEST_F(EngineTest, LogOffTouchesNoFile) {
    plm::State().LogState = false;
    plm::WriteLog("nothing", true);
    plm::LogError("Texture.Load");
    EXPECT_FALSE(std::filesystem::exists(folder.file("data.log")));
}

TEST_F(EngineTest, ErrorBlockHasItsLinesInOrder) {
    plm::LogError("Texture.Load", {"Path=" + folder.path(), "Filename=a.png"}, {"plm232", 53, "File not found"});
    auto lines = Log();
    std::vector<std::string> undated;
    for (auto& l : lines) undated.push_back(plmtest::Undated(l));
    std::vector<std::string> want = {"<bare>--------------------------------------",
                                     "Error: (Texture.Load)",
                                     "Path=" + folder.path(),
                                     "Filename=a.png",
                                     "Source: plm232",
                                     "Number: 53",
                                     "Description: File not found"};
    EXPECT_EQ(undated, want);
    EXPECT_EQ(lines[0].size(), 38u);
}

TEST_F(EngineTest, WriteFailureIsSilent) {
    plm::State().EnginePath = folder.file("no/such/folder/");
    plm::WriteLog("lost");  // must not throw or crash
    SUCCEED();
}

TEST(LogTimestamp, FixedMonthDayYearForm) {
    // 2026-03-04 05:06:07 in local time, built from a local tm so the test holds in any zone.
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_mon = 2;
    tm.tm_mday = 4;
    tm.tm_hour = 5;
    tm.tm_min = 6;
    tm.tm_sec = 7;
    tm.tm_isdst = -1;
    EXPECT_EQ(plm::LogTimestamp(static_cast<int64_t>(mktime(&tm))), "03-04-2026 05:06:07");
}

}  // namespace
