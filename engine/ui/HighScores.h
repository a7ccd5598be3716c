#pragma once
// Ranked high-score tables of equal length in one instance (one per game mode in the game), kept
// together in one plain-text file in the engine folder. Each entry holds a score, a player name
// and two free strings for the game's own data.
//
// Positions run 1..Positions (1 = best) and tables 1..Indexes; a position or table outside them,
// or any call before Init, is refused: getters answer 0 or "", setters change nothing.
#include <cstdint>
#include <string>
#include <vector>

namespace plm {

struct HighScoreEntry {
    int32_t Score = 0;
    std::string Name;
    std::string DataString1;
    std::string DataString2;
};

class HighScores {
public:
    // Makes the tables anew, all scores 0 and strings empty; with HighestScore above 0 every
    // table is pre-filled from HighestScore down in even steps, each entry named "GUEST". Fewer
    // than one position or table gives empty tables; at most 1000 positions and 100 tables are
    // kept. Does not read the file.
    void Init(const std::string& FileNameOnly, int32_t Positions, int32_t HighestScore, int32_t Indexes);
    // The place NewScore (capped at 9,999,999) takes in table Index, 0 when it does not enter. The
    // entries from there down move one place down, and the place gets the score, the name "GUEST"
    // and empty data strings.
    int32_t Check(int32_t NewScore, int32_t Index);
    // Fills in an entry: the score when it is 0 or more (capped at 9,999,999), the name cut to 20
    // characters and the data strings. Double quotes and line breaks are dropped: the file cannot
    // hold them. Nothing is re-sorted.
    void SetHighScore(int32_t Position, const std::string& NewName, int32_t NewScore, const std::string& DataString1,
                      const std::string& DataString2, int32_t Index);
    int32_t GetScore(int32_t Position, int32_t Index) const;
    std::string GetName(int32_t Position, int32_t Index) const;
    std::string GetDataString1(int32_t Position, int32_t Index) const;
    std::string GetDataString2(int32_t Position, int32_t Index) const;
    // Reads every table from the file. The file is read whole first; a damaged one logs its error
    // block and returns false, the entries read whole before the damage stored and the rest left
    // as they were. A missing file returns false silently.
    bool LoadScores();
    // Writes every table to the file, whole or not at all; a failed save logs its error block,
    // returns false and leaves the old file as it was.
    bool SaveScores();

private:
    HighScoreEntry* Entry(int32_t Position, int32_t Index);
    const HighScoreEntry* Entry(int32_t Position, int32_t Index) const;

    bool initialised_ = false;
    std::string fileName_;
    int32_t positions_ = 0;
    int32_t indexes_ = 0;
    std::vector<HighScoreEntry> entries_;  // table by table, best first
};

}  // namespace plm
