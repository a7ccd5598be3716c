// High-score tables: the pre-filled tables and their file byte for byte, Check at its edges,
// SetHighScore's limits, round trips, damaged files, refusals, and a save killed part way.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "ui/HighScores.h"

namespace {

using plm::HighScores;

class HighScoresTest : public plmtest::EngineTest {
protected:
    std::string Saved() const { return plmtest::ReadFile(folder.file("scores.dat")); }
    // The four lines of one entry as the file holds them.
    static std::string EntryLines(const std::string& name, long score, const std::string& d1 = "",
                                  const std::string& d2 = "") {
        return "\"" + name + "\"\r\n" + std::to_string(score) + "\r\n\"" + d1 + "\"\r\n\"" + d2 + "\"\r\n";
    }
    HighScores scores;
};

TEST_F(HighScoresTest, InitPrefillsEveryTableAndSaveWritesItByteForByte) {
    scores.Init("scores.dat", 10, 100000, 5);
    EXPECT_FALSE(std::filesystem::exists(folder.file("scores.dat")));  // Init reads and writes nothing
    ASSERT_TRUE(scores.SaveScores());
    std::string want;
    for (int i = 1; i <= 5; ++i)
        for (int p = 1; p <= 10; ++p) want += EntryLines("GUEST", 100000 - 10000 * (p - 1));
    EXPECT_EQ(Saved(), want);
    EXPECT_EQ(plmtest::LogLines(Saved()).size(), 200u);
    EXPECT_EQ(scores.GetScore(10, 5), 10000);
    EXPECT_EQ(scores.GetName(3, 2), "GUEST");

    // 95 over 10 places: a step of 9.5 rounds to the even 10.
    scores.Init("scores.dat", 10, 95, 1);
    EXPECT_EQ(scores.GetScore(1, 1), 95);
    EXPECT_EQ(scores.GetScore(10, 1), 5);
    // HighestScore 0 leaves the tables empty: any positive score takes the first place.
    scores.Init("scores.dat", 10, 0, 5);
    EXPECT_EQ(scores.GetScore(1, 4), 0);
    EXPECT_EQ(scores.GetName(1, 4), "");
    EXPECT_EQ(scores.Check(1, 4), 1);
}

TEST_F(HighScoresTest, CheckShiftsTheTableAndAnEqualScoreRanksBelow) {
    scores.Init("scores.dat", 3, 0, 2);
    const int32_t table[] = {500, 400, 300};
    for (int p = 1; p <= 3; ++p)
        scores.SetHighScore(p, "P" + std::to_string(p), table[p - 1], "level " + std::to_string(p), "x", 2);
    EXPECT_EQ(scores.Check(300, 2), 0);
    EXPECT_EQ(scores.GetScore(3, 2), 300);
    EXPECT_EQ(scores.Check(400, 2), 3);
    EXPECT_EQ(scores.GetScore(2, 2), 400);
    EXPECT_EQ(scores.GetName(2, 2), "P2");
    EXPECT_EQ(scores.GetScore(3, 2), 400);
    EXPECT_EQ(scores.GetName(3, 2), "GUEST");
    EXPECT_EQ(scores.GetDataString1(3, 2), "");  // the new entry's data strings are cleared

    // A new best moves everything down one place and the last entry drops off.
    EXPECT_EQ(scores.Check(2000000000, 2), 1);
    EXPECT_EQ(scores.GetScore(1, 2), 9999999);
    EXPECT_EQ(scores.GetDataString1(1, 2), "");
    EXPECT_EQ(scores.GetName(2, 2), "P1");
    EXPECT_EQ(scores.GetDataString1(2, 2), "level 1");
    EXPECT_EQ(scores.GetName(3, 2), "P2");
    // The other table is untouched.
    EXPECT_EQ(scores.GetScore(1, 1), 0);
    EXPECT_EQ(scores.GetName(1, 1), "");
}

TEST_F(HighScoresTest, SetHighScoreCapsWhatItStores) {
    scores.Init("scores.dat", 2, 1000, 1);
    scores.SetHighScore(1, "ABCDEFGHIJKLMNOPQRSTUVWXY", -1, "d\"1", "line\r\nbreak", 1);
    EXPECT_EQ(scores.GetScore(1, 1), 1000);  // a negative score keeps the old one
    EXPECT_EQ(scores.GetName(1, 1), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(scores.GetDataString1(1, 1), "d1");
    EXPECT_EQ(scores.GetDataString2(1, 1), "linebreak");
    scores.SetHighScore(2, "\"Q\"", 10000000, "", "", 1);
    EXPECT_EQ(scores.GetScore(2, 1), 9999999);
    EXPECT_EQ(scores.GetName(2, 1), "Q");
}

TEST_F(HighScoresTest, SavedTablesLoadBackWhole) {
    scores.Init("scores.dat", 3, 300, 2);
    scores.SetHighScore(1, "Anne, Bee", 777, "12", "a, b ", 1);
    scores.SetHighScore(3, "  spaced  ", 0, "", "#TRUE#", 2);
    ASSERT_TRUE(scores.SaveScores());
    const std::string bytes = Saved();
    const std::string first = EntryLines("Anne, Bee", 777, "12", "a, b ");
    EXPECT_EQ(bytes.substr(0, first.size()), first);

    HighScores other;
    other.Init("scores.dat", 3, 0, 2);
    ASSERT_TRUE(other.LoadScores());
    for (int i = 1; i <= 2; ++i)
        for (int p = 1; p <= 3; ++p) {
            EXPECT_EQ(other.GetScore(p, i), scores.GetScore(p, i));
            EXPECT_EQ(other.GetName(p, i), scores.GetName(p, i));
            EXPECT_EQ(other.GetDataString1(p, i), scores.GetDataString1(p, i));
            EXPECT_EQ(other.GetDataString2(p, i), scores.GetDataString2(p, i));
        }
    ASSERT_TRUE(other.SaveScores());
    EXPECT_EQ(Saved(), bytes);

    // A file's too high score or too long name is cut on loading, as SetHighScore would.
    plmtest::WriteFile(folder.file("scores.dat"), EntryLines("ABCDEFGHIJKLMNOPQRSTUVWXY", 12345678) +
                                                      "unquoted, 5, x, y\n" + EntryLines("c", -4) +
                                                      EntryLines("d", 1) + EntryLines("e", 2) + EntryLines("f", 3));
    ASSERT_TRUE(other.LoadScores());
    EXPECT_EQ(other.GetScore(1, 1), 9999999);
    EXPECT_EQ(other.GetName(1, 1), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(other.GetName(2, 1), "unquoted");
    EXPECT_EQ(other.GetDataString2(2, 1), "y");
    EXPECT_EQ(other.GetScore(3, 1), -4);
    EXPECT_EQ(LogText(), "");
}

// A damaged file keeps each entry read whole before the damage; the entry the damage falls in,
// and every one after it, stay as they were.
TEST_F(HighScoresTest, DamagedFilesKeepTheEntriesReadWhole) {
    const std::vector<std::string> damaged = {
        EntryLines("a", 1),                                       // one entry short
        EntryLines("a", 1) + "\"b\"\r\nlots\r\n\"\"\r\n\"\"\r\n",  // a score that is not a number
        EntryLines("a", 1) + "\"b\"\r\n1.5\r\n\"\"\r\n\"\"\r\n",   // not a whole number
        EntryLines("a", 1) + "\"b\"\r\n2147483648\r\n\"\"\r\n\"\"\r\n",  // beyond 32 bits
        EntryLines("a", 1) + "\"b\r\n2\r\n\"\"\r\n\"\"\r\n",     // a quote never closed
        EntryLines("a", 1) + "\"b\"\r\n2\r\n\"7\"\r\n",             // cut short in the last field
    };
    for (const std::string& text : damaged) {
        scores.Init("scores.dat", 3, 300, 1);
        plmtest::WriteFile(folder.file("scores.dat"), text);
        EXPECT_FALSE(scores.LoadScores()) << text;
        EXPECT_EQ(scores.GetName(1, 1), "a") << text;
        EXPECT_EQ(scores.GetScore(1, 1), 1) << text;
        for (int32_t place : {2, 3}) {
            EXPECT_EQ(scores.GetName(place, 1), "GUEST") << text;
            EXPECT_EQ(scores.GetScore(place, 1), 400 - 100 * place) << text;
            EXPECT_EQ(scores.GetDataString1(place, 1), "") << text;
        }
    }
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), 6u * damaged.size());
    EXPECT_EQ(log[0], plm::kDashLine);
    EXPECT_EQ(plmtest::Undated(log[1]), "Error: (LoadScores)");
    EXPECT_EQ(plmtest::Undated(log[2]), "Path=" + folder.path() + "scores.dat");
    EXPECT_EQ(plmtest::Undated(log[4]), "Number: 62");
    EXPECT_EQ(plmtest::Undated(log[10]), "Number: 13");

    // No file, or one of a single byte: false and nothing logged.
    std::filesystem::remove(folder.file("data.log"));
    std::filesystem::remove(folder.file("scores.dat"));
    EXPECT_FALSE(scores.LoadScores());
    plmtest::WriteFile(folder.file("scores.dat"), "\"");
    EXPECT_FALSE(scores.LoadScores());
    EXPECT_FALSE(std::filesystem::exists(folder.file("data.log")));
}

TEST_F(HighScoresTest, OutOfRangeCallsAndCallsBeforeInitAreRefused) {
    // Before Init: nothing to read, check, load or save.
    EXPECT_EQ(scores.Check(100, 1), 0);
    EXPECT_EQ(scores.GetScore(1, 1), 0);
    EXPECT_EQ(scores.GetName(1, 1), "");
    scores.SetHighScore(1, "A", 1, "", "", 1);
    EXPECT_FALSE(scores.SaveScores());
    plmtest::WriteFile(folder.file("scores.dat"), EntryLines("a", 1));
    EXPECT_FALSE(scores.LoadScores());

    scores.Init("scores.dat", 3, 300, 2);
    const std::vector<std::pair<int, int>> outside = {{0, 1}, {4, 1}, {1, 0}, {1, 3}, {-1, -1}};
    for (auto [p, i] : outside) {
        scores.SetHighScore(p, "X", 5, "", "", i);
        EXPECT_EQ(scores.GetScore(p, i), 0);
        EXPECT_EQ(scores.GetName(p, i), "");
        EXPECT_EQ(scores.GetDataString2(p, i), "");
    }
    EXPECT_EQ(scores.Check(1000, 3), 0);
    EXPECT_EQ(scores.Check(1000, 0), 0);

    // Fewer than one place or table: empty tables.
    scores.Init("scores.dat", 0, 300, 2);
    EXPECT_EQ(scores.Check(1000, 1), 0);
    EXPECT_EQ(scores.GetScore(1, 1), 0);
    scores.Init("scores.dat", 3, 300, -2);
    EXPECT_EQ(scores.Check(1000, 1), 0);
    // A huge table is cut to 1000 places by 100 tables.
    scores.Init("scores.dat", 2000000000, 2000000000, 2000000000);
    EXPECT_EQ(scores.GetScore(1, 100), 2000000000);
    EXPECT_EQ(scores.GetScore(1000, 100), 2000000000 - 2000000 * 999);
    EXPECT_EQ(scores.GetScore(1001, 1), 0);
    EXPECT_EQ(scores.GetScore(1, 101), 0);

    // A save that cannot be written says so in the log and answers false.
    scores.Init("no such folder/scores.dat", 2, 10, 1);
    EXPECT_FALSE(scores.SaveScores());
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(plmtest::Undated(log[1]), "Error: (SaveScores)");
    EXPECT_EQ(plmtest::Undated(log[2]), "Path=" + folder.path() + "no such folder/scores.dat");
}

// A child process saves two different tables in turn and is killed at many points of a save:
// the file always holds one of the two whole, never a mix or a cut.
TEST_F(HighScoresTest, ASaveKilledAtAnyPointLeavesTheOldFileOrTheNewOneWhole) {
    auto fill = [](HighScores& h, char mark) {
        h.Init("scores.dat", 10, 5000000, 5);
        for (int i = 1; i <= 5; ++i)
            for (int p = 1; p <= 10; ++p)
                h.SetHighScore(p, std::string(20, mark), 1000 * p, std::string(4000, mark), std::string(4000, mark), i);
    };
    HighScores a, b;
    fill(a, 'a');
    fill(b, 'b');
    ASSERT_TRUE(b.SaveScores());
    const std::string bytesB = Saved();
    ASSERT_TRUE(a.SaveScores());
    const std::string bytesA = Saved();
    ASSERT_NE(bytesA, bytesB);
    int seenA = 0, seenB = 0;
    for (int k = 0; k < 40; ++k) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            plm::State().LogState = false;
            for (int n = 0; n < 100000; ++n) (n % 2 ? a : b).SaveScores();
            _exit(0);
        }
        usleep(static_cast<useconds_t>(1000 + (k * 7919) % 30000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string now = Saved();
        ASSERT_TRUE(now == bytesA || now == bytesB) << "after kill " << k << ": " << now.size() << " bytes";
        (now == bytesA ? seenA : seenB)++;
        HighScores check;
        check.Init("scores.dat", 10, 0, 5);
        ASSERT_TRUE(check.LoadScores());
        EXPECT_EQ(check.GetScore(10, 5), 10000);
    }
    // How often each table was found (shown in the test's XML report).
    RecordProperty("seenA", seenA);
    RecordProperty("seenB", seenB);
}

// Saves killed mid-way leave their temporary files; the next save of the file removes those of
// its own name that nobody holds and that are not brand new, and nothing else.
TEST_F(HighScoresTest, TheNextSaveRemovesTheTemporaryFilesOfKilledSaves) {
    auto make = [&](const std::string& name, bool old) {
        plmtest::WriteFile(folder.file(name), "part of a save");
        if (!old) return;
        const timespec times[2] = {{0, UTIME_NOW}, {time(nullptr) - 60, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, folder.file(name).c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
    };
    const std::vector<std::string> stale = {"scores.dat.tmp-NP9E46", "scores.dat.tmp-ayZHxE"};
    const std::vector<std::string> kept = {
        "scores.dat.tmp-HELD01",    // a save still being written (its writer holds the lock)
        "scores.dat.tmp-abc",       // not the writer's six characters
        "scores.dat.tmp-ab_12x",    // nor these
        "scores.dat.tmp-abcdefg",
        "scores.dat.tmp-ABC123.bak",
        "config.dat.tmp-NP9E46",    // another file's: its own save removes it
        "myscores.dat.tmp-NP9E46",
        "scores.dat.bak",
    };
    for (const std::string& name : stale) make(name, true);
    for (const std::string& name : kept) make(name, true);
    make("scores.dat.tmp-NEW123", false);  // made a moment ago: perhaps a writer about to lock it
    std::filesystem::create_directory(folder.file("scores.dat.tmp-FOLDER"));
    std::filesystem::create_symlink(folder.file("scores.dat.bak"), folder.file("scores.dat.tmp-LINK01"));
    const int held = open(folder.file("scores.dat.tmp-HELD01").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    scores.Init("scores.dat", 2, 100, 1);
    ASSERT_TRUE(scores.SaveScores());
    close(held);
    for (const std::string& name : stale) EXPECT_FALSE(std::filesystem::exists(folder.file(name))) << name;
    for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(folder.file(name))) << name;
    for (const char* name : {"scores.dat.tmp-NEW123", "scores.dat.tmp-FOLDER", "scores.dat.tmp-LINK01"})
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(folder.file(name)))) << name;
    EXPECT_EQ(Saved(), EntryLines("GUEST", 100) + EntryLines("GUEST", 50));
}

}  // namespace
