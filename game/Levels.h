#pragma once
// The level tables (Game().Levels): gem kinds in tile values, the bomb's blast mask, the rules of
// each level, the incoming rows of every level (from the level file or generated) and the idle
// sparkle's cell list. Tables indexed by level - 1 are read through the accessors below by level.
#include <array>
#include <cstdint>
#include <string_view>

namespace tessaly {

constexpr const char* kLevelFileName = "gdata.dat";
constexpr int32_t kKinds = 21;        // gem kinds 1..21 in tile values
constexpr int32_t kLevelFileKinds = 22;  // a level file holds kinds 0..21 (0 = empty slot)

// Fills TileKind, KindFirstValue, WallTile, CheckerTile, PrefillRows and RowTicks.
void InitTileTables();
// InitTileTables, then the blast mask. Once at start-up.
void InitDiamondMask();
// Refills the sparkle cells with the playfield row by row and shuffles the list; SparkleIndex 0.
void ShuffleSparkleCells();
// Reads the level file beside the program into LevelRows. A missing or short file, a field that
// is not a whole number, or a kind outside 0..21 keeps nothing and returns false.
bool LoadGameData();
// The same from the file's text (the level file's reader).
bool ParseGameData(std::string_view text);
// Random levels: the rules of modes 2, 3 and 4 (or of mode 5) for all 40 levels, then every
// incoming row, from a generator seeded once from the clock.
void BuildLevelSpecials();
void BuildLevelSpecialsMode5();
// The rules and rows of either builder, drawn from the engine's random sequence as it stands
// (the level file's generator seeds it first).
void BuildLevelRows(bool mode5);

// Kind of a tile value (0 for 0 and outside 1..651); first tile value of a kind (0 outside 1..21).
int32_t TileKind(int32_t value);
int32_t KindFirstValue(int32_t kind);
// By level 1..40; 0 outside.
int32_t PrefillRows(int32_t level);
float RowTicks(int32_t level);
int32_t SpecialEvery(int32_t level);
int32_t LevelColourHighest(int32_t level);
// Number of special kinds of the level, and special i (1..count) of its list; 0 outside.
int32_t LevelSpecialCount(int32_t level);
int32_t LevelSpecial(int32_t level, int32_t i);
// Kind in slot column (1..12) of incoming row (1..250) of the level; 0 outside.
int32_t LevelRows(int32_t level, int32_t row, int32_t column);
void LevelRows(int32_t level, int32_t row, int32_t column, int32_t kind);
// Blast mask entry of column 1..7 and row 1..9: {dx, dy}, {100, 100} outside the blast or the mask.
std::array<int16_t, 2> DiamondMask(int32_t column, int32_t row);

}  // namespace tessaly
