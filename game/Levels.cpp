#include "Levels.h"

#include <utility>
#include <vector>

#include "GameState.h"
#include "core/FileIO.h"
#include "core/PelmarEngine.h"
#include "core/TextFieldReader.h"

namespace tessaly {

namespace {

constexpr int32_t kFramesPerKind = 31;
constexpr int32_t kNoBlast = 100;

// Rows dropped in at the start of a level: up to (and with) level `last`, `rows` rows.
struct PrefillStep {
    int32_t last, rows;
};
constexpr std::array<PrefillStep, 14> kPrefill{{{2, 2}, {5, 3}, {8, 4}, {12, 5}, {15, 6}, {18, 7}, {21, 8},
                                                 {24, 9}, {27, 10}, {30, 11}, {33, 12}, {36, 13}, {39, 14},
                                                 {40, 15}}};

// The random generator's rules from level `first` on: the highest colour drawn and the special
// kinds in list order, one letter a kind ("A" = 7 ... "M" = 19).
struct LevelRule {
    int32_t first, highest;
    const char* specials;
};
constexpr std::array<LevelRule, 11> kRulesModes234{{{1, 2, ""},
                                                     {2, 2, "A"},
                                                     {3, 3, "AB"},
                                                     {5, 3, "ABC"},
                                                     {7, 3, "ABCD"},
                                                     {10, 4, "ABCDEH"},
                                                     {15, 4, "ABCDEHI"},
                                                     {20, 5, "ABCDEFHIJ"},
                                                     {25, 5, "ABCDEFHIJK"},
                                                     {30, 6, "ABCDEFGHIJKL"},
                                                     {35, 6, "ABCDEFGHIJKLM"}}};
constexpr std::array<LevelRule, 11> kRulesMode5{{{1, 2, ""},
                                                 {2, 2, "A"},
                                                 {3, 2, "AB"},
                                                 {5, 2, "ABC"},
                                                 {7, 2, "ABCD"},
                                                 {10, 3, "ABCDEH"},
                                                 {15, 3, "ABCDEHI"},
                                                 {20, 4, "ABCDEFHIJ"},
                                                 {25, 4, "ABCDEHIJK"},
                                                 {30, 5, "ABCDEFHIJKL"},
                                                 {35, 5, "ABCDEFHIJKL"}}};

constexpr std::array<const char*, 9> kDiamondRows{{"0001000", "0011100", "0111110", "1111111", "1111111",
                                                    "1111111", "0111110", "0011100", "0001000"}};

bool IsLevel(int32_t level) { return level >= 1 && level <= kLevels; }

size_t LevelRowIndex(int32_t level, int32_t row, int32_t column) {
    return static_cast<size_t>(((level - 1) * LevelsArea::kRows + row - 1) * LevelsArea::kColumns + column - 1);
}

bool IsSlot(int32_t level, int32_t row, int32_t column) {
    return IsLevel(level) && row >= 1 && row <= LevelsArea::kRows && column >= 1 && column <= LevelsArea::kColumns;
}

void FillRules(const std::array<LevelRule, 11>& rules) {
    LevelsArea& t = Game().Levels;
    for (int32_t level = 1; level <= kLevels; ++level) {
        const LevelRule* rule = &rules[0];
        for (const LevelRule& r : rules)
            if (level >= r.first) rule = &r;
        t.LevelColours[level - 1] = {1, static_cast<int16_t>(rule->highest)};
        std::array<int16_t, 14>& list = t.LevelSpecials[level - 1];
        list.fill(0);
        int16_t count = 0;
        for (const char* c = rule->specials; *c; ++c) list[++count] = static_cast<int16_t>(*c - 58);
        list[0] = count;
        t.SpecialEvery[level - 1] = static_cast<int16_t>(9 - (level - 1) / 5);
    }
}

}  // namespace

void InitTileTables() {
    LevelsArea& t = Game().Levels;
    t.TileKind.fill(0);
    t.KindFirstValue.fill(0);
    for (int32_t k = 1; k <= kKinds; ++k) {
        for (int32_t v = (k - 1) * kFramesPerKind + 1; v <= k * kFramesPerKind; ++v) t.TileKind[v] = k;
        t.KindFirstValue[k] = (k - 1) * kFramesPerKind + 1;
    }
    t.WallTile = 627;
    t.CheckerTile = 590;
    float ticks = 1000;
    for (int32_t level = 1; level <= kLevels; ++level) {
        for (const PrefillStep& p : kPrefill)
            if (level <= p.last) {
                t.PrefillRows[level - 1] = static_cast<int16_t>(p.rows);
                break;
            }
        t.RowTicks[level - 1] = ticks;
        ticks -= 24;
    }
}

void InitDiamondMask() {
    InitTileTables();
    auto& mask = Game().Levels.DiamondMask;
    for (int32_t r = 1; r <= 9; ++r)
        for (int32_t c = 1; c <= 7; ++c) {
            const bool hit = kDiamondRows[r - 1][c - 1] == '1';
            mask[c - 1][r - 1] = {static_cast<int16_t>(hit ? c - 4 : kNoBlast), static_cast<int16_t>(hit ? r - 5 : kNoBlast)};
        }
}

void ShuffleSparkleCells() {
    LevelsArea& t = Game().Levels;
    int32_t k = 0;
    for (int32_t y = 2; y <= 17; ++y)
        for (int32_t x = 6; x <= 17; ++x) t.SparkleCells(++k) = {x, y};
    plm::Lib& lib = *E().Lib();
    const int32_t n = t.SparkleCells.size();
    for (int32_t i = 0; i < 1200; ++i) {
        const int32_t a = lib.GetNumber(1, n);
        const int32_t b = lib.GetNumber(1, n);
        std::swap(t.SparkleCells(a), t.SparkleCells(b));
    }
    t.SparkleIndex = 0;
}

bool ParseGameData(std::string_view text) {
    // Read whole into a scratch copy: a bad file leaves the rows of the last game as they were.
    std::vector<int16_t> rows(Game().Levels.LevelRows.size());
    plm::TextFieldReader reader(text);
    for (int16_t& kind : rows) {
        int32_t value = 0;
        if (!reader.ReadWhole(value) || value < 0 || value >= kLevelFileKinds) return false;
        kind = static_cast<int16_t>(value);
    }
    Game().Levels.LevelRows = std::move(rows);
    return true;
}

bool LoadGameData() {
    // 120,000 kinds of at most two digits and their separators; far more is not a level file.
    constexpr uint64_t kMaxBytes = 16 * 1024 * 1024;
    std::string text;
    return plm::ReadWholeFile(E().Path() + kLevelFileName, text, kMaxBytes) && ParseGameData(text);
}

void BuildLevelRows(bool mode5) {
    FillRules(mode5 ? kRulesMode5 : kRulesModes234);
    LevelsArea& t = Game().Levels;
    plm::Lib& lib = *E().Lib();
    // The special-gem row counter and the alternation run on across levels.
    int32_t n = 0;
    bool inOrder = false;
    for (int32_t level = 1; level <= kLevels; ++level) {
        const LevelColourRange colours = t.LevelColours[level - 1];
        const auto& specials = t.LevelSpecials[level - 1];
        const int32_t count = specials[0];
        int32_t cursor = 0;
        for (int32_t row = 1; row <= LevelsArea::kRows; ++row) {
            for (int32_t column = 1; column <= LevelsArea::kColumns; ++column)
                t.LevelRows[LevelRowIndex(level, row, column)] = static_cast<int16_t>(lib.GetNumber(colours.Lowest, colours.Highest));
            if (++n < t.SpecialEvery[level - 1]) continue;
            n = 0;
            if (count <= 0) continue;
            // Specials alternate between the level's list in order and a random one of it.
            inOrder = !inOrder;
            int32_t pick;
            if (inOrder) {
                if (++cursor > count) cursor = 1;
                pick = cursor;
            } else {
                pick = lib.GetNumber(1, count);
            }
            const int32_t column = lib.GetNumber(1, LevelsArea::kColumns);
            t.LevelRows[LevelRowIndex(level, row, column)] = specials[pick];
        }
    }
}

void BuildLevelSpecials() {
    E().Lib()->RandomizeSeed(0);
    BuildLevelRows(false);
}

void BuildLevelSpecialsMode5() {
    E().Lib()->RandomizeSeed(0);
    BuildLevelRows(true);
}

int32_t TileKind(int32_t value) {
    const auto& table = Game().Levels.TileKind;
    return value >= 0 && value < static_cast<int32_t>(table.size()) ? table[value] : 0;
}

int32_t KindFirstValue(int32_t kind) {
    const auto& table = Game().Levels.KindFirstValue;
    return kind >= 0 && kind < static_cast<int32_t>(table.size()) ? table[kind] : 0;
}

int32_t PrefillRows(int32_t level) { return IsLevel(level) ? Game().Levels.PrefillRows[level - 1] : 0; }
float RowTicks(int32_t level) { return IsLevel(level) ? Game().Levels.RowTicks[level - 1] : 0; }
int32_t SpecialEvery(int32_t level) { return IsLevel(level) ? Game().Levels.SpecialEvery[level - 1] : 0; }
int32_t LevelColourHighest(int32_t level) { return IsLevel(level) ? Game().Levels.LevelColours[level - 1].Highest : 0; }
int32_t LevelSpecialCount(int32_t level) { return IsLevel(level) ? Game().Levels.LevelSpecials[level - 1][0] : 0; }

int32_t LevelSpecial(int32_t level, int32_t i) {
    if (!IsLevel(level) || i < 1 || i > LevelSpecialCount(level)) return 0;
    return Game().Levels.LevelSpecials[level - 1][i];
}

int32_t LevelRows(int32_t level, int32_t row, int32_t column) {
    return IsSlot(level, row, column) ? Game().Levels.LevelRows[LevelRowIndex(level, row, column)] : 0;
}

void LevelRows(int32_t level, int32_t row, int32_t column, int32_t kind) {
    if (IsSlot(level, row, column)) Game().Levels.LevelRows[LevelRowIndex(level, row, column)] = static_cast<int16_t>(kind);
}

std::array<int16_t, 2> DiamondMask(int32_t column, int32_t row) {
    if (column < 1 || column > 7 || row < 1 || row > 9) return {kNoBlast, kNoBlast};
    return Game().Levels.DiamondMask[column - 1][row - 1];
}

}  // namespace tessaly
